#include "detection/close_slide_show_win32.h"

#include "detection/window_walk_win32.h"

#include <windows.h>

namespace quorrin {

void CloseSlideShow(const AppState& state) {
    // The result does not matter: a window that has gone has nothing left to close.
    PostMessageW(ToHwnd(state.Countdown.SlideShowWindow), WM_CLOSE, 0, 0);
}

}  // namespace quorrin
