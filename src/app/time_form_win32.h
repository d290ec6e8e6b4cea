// The program's main window and the clock on the primary monitor. It watches for a slide
// show every 100 ms; when one comes up it shows the countdown over it (and the copy on the
// second monitor), and hides both when the show goes. While no show runs it stays hidden,
// and it has no task-bar button. Ending it (WM_CLOSE, the end of the session) ends the
// program. The clock can be dragged with the left button; the position is saved on release.
// It owns the notification-area icon and its menu, which opens the settings dialogs and ends
// the program ("退出程序"); a dialog still open keeps the program running until it closes.
#pragma once

#include "clock/clock_view_win32.h"
#include "countdown/countdown_engine.h"
#include "clock/countdown_window_win32.h"
#include "detection/slide_show_finder.h"
#include "tray/tray_menu.h"
#include "tray/tray_menu_win32.h"
#include "tray/tray_icon_win32.h"
#include "dialogs/kit/dialog_host.h"
#include "dialogs/sound/normal_set_dialog_win32.h"
#include "dialogs/timing/set_time_dialog_win32.h"
#include "dialogs/style/set_style_dialog_win32.h"
#include "settings/app_state.h"
#include "settings/config_file.h"

namespace quorrin {

inline constexpr const wchar_t* kTimeFormClassName = L"Quorrin.TimeForm";
inline constexpr const wchar_t* kTimeFormCopyClassName = L"Quorrin.TimeForm_Copy";
inline constexpr UINT kMainTimerIntervalMs = 100;

class TimeForm final : public CountdownWindow, public DialogHost, public ClockLayoutControl {
  public:
    TimeForm(AppState& state, WindowWalk& walk, ConfigFile& config);
    ~TimeForm() override;

    // Creates the copy, then this window, both prepared and hidden, and starts the watch.
    // False when this window or its watch timer cannot be made; a missing copy is only
    // logged (the clock then shows on the primary monitor alone).
    bool Create(HINSTANCE instance);

    const CountdownWindow& Copy() const { return copy_; }
    const CountdownEngine& Engine() const { return engine_; }

    void HideMainClock() override;
    void ShowMainClock() override;
    // A settings dialog has closed; the program ends here if "退出程序" came before.
    void DialogClosed() override;
    TwipRect MainClockRect() const override;
    void LayOutClocks() override;

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    LRESULT OnTimer(WPARAM timerId);
    LRESULT OnTrayIcon(LPARAM iconEvent);
    LRESULT OnTaskbarCreated();
    LRESULT OnButtonDown(LPARAM point);
    LRESULT OnMouseMove(WPARAM buttons, LPARAM point);
    LRESULT OnButtonUp(UINT message, LPARAM point);
    LRESULT OnCaptureChanged();
    LRESULT OnClose();
    LRESULT OnEndSession(WPARAM ending);
    LRESULT OnDestroy();

    // One detection pass: finds the show and follows its start and end.
    void MainTimer();
    void OnShowStarted();
    void OnShowEnded();
    // The DPI or the monitors changed: new work areas, both clocks laid out again.
    void OnDisplaySettingsChanged();

    // Ends a drag: the dragged position goes to [Style].
    void EndDrag();
    // The tray menu at the given screen point, and what its entries do.
    void OpenMenu(POINT screenPoint);
    void OnMenuEntry(TrayMenuEntry entry);
    void AddTrayIcon(HINSTANCE instance);
    void EndIfDone();
    void OpenSoundSettings();
    void OpenTimingSettings();
    void OpenStyleSettings();
    bool CopyOnPrimaryMonitor() const;

    AppState& state_;
    WindowWalk& walk_;
    ConfigFile& config_;
    CountdownWindow copy_{ClockWindow::Copy};
    ClockView view_;
    CountdownEngine engine_;

    HINSTANCE instance_ = nullptr;
    TrayIcon tray_;
    NotifyMenu menu_;
    UINT taskbarCreatedMessage_ = 0;
    ProgramLifetime lifetime_;

    bool relayingOut_ = false;
    bool dragging_ = false;
    POINT dragFrom_{};  // where the button went down, in client pixels

    // The settings dialogs, one of each, kept for the whole run and opened again on demand.
    // Last, so that a dialog still open at the end closes while everything it uses exists.
    NormalSetDialog normalSet_;
    SetTimeDialog setTime_;
    SetStyleDialog styleSet_;
};

}  // namespace quorrin
