// The program's main window. It watches for a slide show every 100 ms and will carry the
// countdown clock over the show; while no show runs it stays hidden, and it has no task-bar
// button. Ending it (WM_CLOSE, the end of the session) ends the program.
#pragma once

#include "app/slide_show_finder.h"
#include "app/window_base_win32.h"
#include "settings/app_state.h"

namespace quorrin {

inline constexpr const wchar_t* kTimeFormClassName = L"Quorrin.TimeForm";
inline constexpr UINT kMainTimerIntervalMs = 100;

enum class TimeFormTimer : UINT_PTR {
    Main = 1,  // the slide-show watch
};

class TimeForm final : public WindowBase {
  public:
    TimeForm(AppState& state, WindowWalk& walk);
    ~TimeForm() override;

    // Creates the hidden window and starts the main timer.
    bool Create(HINSTANCE instance);

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    LRESULT OnTimer(WPARAM timerId);
    LRESULT OnClose();
    LRESULT OnEndSession(WPARAM ending);
    LRESULT OnDestroy();

    // One detection pass: finds the show and follows its start and end.
    void MainTimer();
    void OnShowStarted();
    void OnShowEnded();

    AppState& state_;
    WindowWalk& walk_;
};

}  // namespace quorrin
