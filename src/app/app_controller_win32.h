// The program's controller: it owns the clock windows, the countdown engine and its effects,
// the notification-area icon and its menu, the settings dialogs, the slide-show watch and
// the program's lifetime. It is not a window: the system's messages for the program arrive
// at the main clock window, which hands them on here.
//
// The watch looks for a slide show when the desktop's windows change (the walk reports it),
// at start-up, and every second in case a change went unreported; where the walk cannot
// report changes, every 100 ms. When a show comes up the countdown starts over it, and it
// stops when the show goes. The menu opens the settings dialogs and 关于 Quorrin, switches
// starting with Windows, and ends the program ("退出程序"); a dialog still open keeps the
// program running until it closes.
#pragma once

#include "app/show_keys_win32.h"
#include "clock/clock_view_win32.h"
#include "clock/main_clock_window_win32.h"
#include "countdown/countdown_engine.h"
#include "detection/slide_show_finder.h"
#include "tray/tray_icon_win32.h"
#include "tray/tray_menu.h"
#include "tray/tray_menu_win32.h"
#include "dialogs/about/about_dialog_win32.h"
#include "dialogs/kit/dialog_host.h"
#include "dialogs/kit/settings_dialog_win32.h"
#include "dialogs/sound/sound_dialog_win32.h"
#include "dialogs/style/style_dialog_win32.h"
#include "dialogs/talk/talk_dialog_win32.h"
#include "dialogs/timing/timing_dialog_win32.h"
#include "settings/app_state.h"
#include "settings/config_file.h"

namespace quorrin {

// The watch's pass when the walk cannot report changes.
inline constexpr UINT kWatchIntervalMs = 100;
// The fallback pass while changes are reported: for what the platform does not report (Wine
// raises only the creation event).
inline constexpr UINT kFallbackWatchIntervalMs = 1000;
// Posted to the main clock window for one detection pass; changes reported while it waits
// share it.
inline constexpr UINT kWatchPassMessage = WM_APP + 2;
// Least time between the starts of two passes caused by reported changes: on a busy desktop
// (titles changing many times a second) the changes of that time share one pass, so the
// events never cost more passes than the short interval would.
inline constexpr Millis kMinWatchGapMs = kWatchIntervalMs;

class AppController final : public MainClockEvents, public DialogHost, public ClockLayoutControl {
  public:
    AppController(AppState& state, WindowWalk& walk, ConfigFile& config);
    ~AppController();
    AppController(const AppController&) = delete;
    AppController& operator=(const AppController&) = delete;

    // Creates the two clock windows hidden, starts the watch and adds the tray icon. False
    // when the main clock window or the watch's timer cannot be made.
    bool Start(HINSTANCE instance);

    const MainClockWindow& Clock() const { return clock_; }
    const CountdownEngine& Engine() const { return engine_; }

    // DialogHost: a settings dialog opened during a show hides the clock; the program ends
    // when the last dialog closes after "退出程序".
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

    // Asks for one detection pass, unless one is already waiting: at once, or at
    // kMinWatchGapMs after the last pass.
    void QueueWatch();
    void OnWatchQueued();
    // One detection pass: finds the show and follows its start and end.
    void Watch();
    void OnShowStarted();
    void OnShowEnded();
    // The presenter's keys: taken with the show (a key another program holds is named in a
    // balloon), or again when 放映控制 changed them during it, and given back when it goes.
    void TakeShowKeys();
    void OnShowKey(ShowKey key);

    void AddTrayIcon();
    void OnTrayIcon(uint32_t iconEvent);
    void OnMenuEntry(TrayMenuEntry entry);
    // 开机时自动运行: the tick and grey as the registry has them now, and the switch, which a
    // greyed entry never gets to.
    void ShowAutostartInMenu();
    void OnLanguageChosen(LanguageSetting language);
    void ToggleAutostart();
    // Opens a settings dialog, or brings the open one forward.
    void OpenDialog(SettingsDialog& dialog);
    void EndIfDone();

    AppState& state_;
    WindowWalk& walk_;
    ConfigFile& config_;
    HINSTANCE instance_ = nullptr;

    MainClockWindow clock_;
    ClockView view_;
    CountdownEngine engine_;

    TrayIcon tray_;
    NotifyMenu menu_;
    UINT taskbarCreatedMessage_ = 0;
    ProgramLifetime lifetime_;
    bool relayingOut_ = false;
    bool watchQueued_ = false;  // a kWatchPassMessage or the Watch timer is on its way
    Millis lastWatchAt_ = 0;    // when the last queued pass started (MonotonicNow)
    bool closing_ = false;      // the main window is going: no more passes
    ShowKeys showKeys_;
    TalkSettings keysTakenWith_;  // the settings the show's keys were taken with

    // The settings dialogs, one of each, kept for the whole run and opened again on demand.
    // Last, so that a dialog still open at the end closes while everything it uses exists.
    SoundDialog normalSet_;
    TimingDialog setTime_;
    StyleDialog styleSet_;
    TalkDialog talkSet_;
    AboutDialog about_;
};

}  // namespace quorrin
