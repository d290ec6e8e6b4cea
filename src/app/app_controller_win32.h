// The program's controller: it connects the rooms and owns the program's lifetime. The clock
// windows draw the clock; the show session runs a show's countdown; the watch finds the show;
// the tray icon and the program menu take the user's commands. It is not a window: the
// system's messages for the program arrive at the main clock window, which hands them on
// here. The program ends ("退出程序") when the clock window has gone and the last open dialog
// has closed.
#pragma once

#include "app/program_menu_win32.h"
#include "app/show_session_win32.h"
#include "app/show_watcher_win32.h"
#include "app/timekeeper_win32.h"
#include "clock/clock_view_win32.h"
#include "clock/main_clock_window_win32.h"
#include "detection/slide_show_finder.h"
#include "dialogs/kit/dialog_host.h"
#include "settings/app_state.h"
#include "settings/config_file.h"
#include "tray/tray_icon_win32.h"
#include "tray/tray_menu.h"

namespace quorrin {

class AppController final : public MainClockEvents, public DialogHost, public ClockLayoutControl {
  public:
    AppController(AppState& state, WindowWalk& walk, ConfigFile& config);
    AppController(const AppController&) = delete;
    AppController& operator=(const AppController&) = delete;

    // Creates the two clock windows hidden, starts the watch and adds the tray icon. False
    // when the main clock window or the watch's timer cannot be made.
    bool Start(HINSTANCE instance);

    const MainClockWindow& Clock() const { return clock_; }
    const CountdownEngine& Engine() const { return session_.Engine(); }

    // DialogHost: a settings dialog opened during a show hides the clock.
    void HideMainClock() override;
    void ShowMainClock() override;
    void DialogClosed() override;
    // ClockLayoutControl: the appearance dialog's view of the clocks.
    TwipRect MainClockRect() const override;
    void LayOutClocks() override;

  private:
    // MainClockEvents.
    void OnClockTimer(ClockTimer timer) override;
    bool OnProgramMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnMenuRequested(POINT screenPoint) override;
    void OnClockDragged() override;
    void OnDisplaySettingsChanged() override;
    void OnClockClosing() override;

    void EndIfDone();

    AppState& state_;
    ConfigFile& config_;
    MainClockWindow clock_;
    ClockView view_;
    TrayIcon tray_;
    ShowSession session_;
    ShowWatcher watcher_;
    Timekeeper timekeeper_;
    ProgramLifetime lifetime_;
    bool relayingOut_ = false;
    // Last, so that a dialog still open at the end closes while everything it uses exists.
    ProgramMenu menu_;
};

}  // namespace quorrin
