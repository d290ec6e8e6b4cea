// The program's main window and the clock on the primary monitor. It watches for a slide
// show every 100 ms; when one comes up it shows the countdown over it (and the copy on the
// second monitor), and hides both when the show goes. While no show runs it stays hidden,
// and it has no task-bar button. Ending it (WM_CLOSE, the end of the session) ends the
// program. The clock can be dragged with the left button; the position is saved on release.
#pragma once

#include "app/clock_view_win32.h"
#include "app/countdown_engine.h"
#include "app/countdown_window_win32.h"
#include "app/slide_show_finder.h"
#include "settings/app_state.h"
#include "settings/config_file.h"

namespace quorrin {

inline constexpr const wchar_t* kTimeFormClassName = L"Quorrin.TimeForm";
inline constexpr const wchar_t* kTimeFormCopyClassName = L"Quorrin.TimeForm_Copy";
inline constexpr UINT kMainTimerIntervalMs = 100;

class TimeForm final : public CountdownWindow {
  public:
    TimeForm(AppState& state, WindowWalk& walk, ConfigFile& config);
    ~TimeForm() override;

    // Creates the copy, then this window, both prepared and hidden, and starts the watch.
    // False when this window or its watch timer cannot be made; a missing copy is only
    // logged (the clock then shows on the primary monitor alone).
    bool Create(HINSTANCE instance);

    const CountdownWindow& Copy() const { return copy_; }
    const CountdownEngine& Engine() const { return engine_; }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    LRESULT OnTimer(WPARAM timerId);
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

    // Ends a drag: the dragged position goes to [Style].
    void EndDrag();
    // A right click on the clock; the tray menu will open here.
    void OnRightClick(POINT screenPoint);

    AppState& state_;
    WindowWalk& walk_;
    ConfigFile& config_;
    CountdownWindow copy_{ClockWindow::Copy};
    ClockView view_;
    CountdownEngine engine_;

    bool dragging_ = false;
    POINT dragFrom_{};  // where the button went down, in client pixels
};

}  // namespace quorrin
