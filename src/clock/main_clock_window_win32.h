// The clock on the primary monitor, and the program's main window. It owns the copies of the
// clock for the other monitors and moves them all when the clock is dragged with the left
// button. While no show runs it stays hidden, with no task-bar button. Being the one
// top-level window the program always has, it is also where the system's messages for the
// program arrive (its timers, the tray icon's events, the shell's restart, the end of the
// session); it hands each of them to its owner through MainClockEvents.
#pragma once

#include "clock/clock_copies_win32.h"
#include "clock/clock_view_win32.h"
#include "clock/countdown_window_win32.h"
#include "settings/app_state.h"

#include <cstdint>

namespace quorrin {

inline constexpr const wchar_t* kMainClockClassName = L"Quorrin.MainClock";

// What the main window passes on to the program's controller.
class MainClockEvents {
  public:
    virtual void OnClockTimer(ClockTimer timer) = 0;
    // A message the controller asked for on this window (the tray icon's callback, the
    // shell's restart); false when it is not one of those.
    virtual bool OnProgramMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // A right click on the clock, at this screen point.
    virtual void OnMenuRequested(POINT screenPoint) = 0;
    // A drag ended: Style.Left and Style.Top hold where the clock was left.
    virtual void OnClockDragged() = 0;
    // The DPI or the monitors changed.
    virtual void OnDisplaySettingsChanged() = 0;
    // The window is being destroyed (WM_CLOSE, "退出程序", the end of the session); the
    // copy is still there.
    virtual void OnClockClosing() = 0;

  protected:
    ~MainClockEvents() = default;
};

class MainClockWindow final : public CountdownWindow {
  public:
    MainClockWindow(AppState& state, MainClockEvents& events);

    // Creates the first copy, then this window, both prepared and hidden, at the DPIs given.
    // False when this window cannot be made; a missing copy is only logged (the clock then
    // shows on the primary monitor alone).
    bool Create(HINSTANCE instance, HICON icon, const ClockDpis& dpis);

    ClockCopies& Copies() { return copies_; }
    const ClockCopies& Copies() const { return copies_; }
    // Where the clock is now, in twips at the DPI it is laid out at, as a drag stores it.
    TwipRect RectTwips() const;

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

    // Ends a drag: the owner saves the place.
    void EndDrag();

    AppState& state_;
    MainClockEvents& events_;
    ClockCopies copies_;

    bool dragging_ = false;
    POINT dragFrom_{};  // where the button went down, in client pixels
};

}  // namespace quorrin
