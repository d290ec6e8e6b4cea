#include "detection/close_slide_show_win32.h"

#include "detection/window_walk_win32.h"
#include "win32/debug_log_win32.h"

#include <windows.h>

namespace quorrin {

bool CloseSlideShow(const AppState& state) {
    const HWND show = ToHwnd(state.Countdown.SlideShowWindow);
    if (PostMessageW(show, WM_CLOSE, 0, 0) != FALSE) return true;
    // A show that has gone meanwhile has nothing left to close.
    if (IsWindow(show) == FALSE) return true;
    LogLastError(L"PostMessageW(WM_CLOSE) to the slide show");
    return false;
}

}  // namespace quorrin
