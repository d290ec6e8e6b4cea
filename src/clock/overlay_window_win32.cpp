#include "clock/overlay_window_win32.h"

#include "win32/debug_log_win32.h"

#include <string>

namespace quorrin {

bool OverlayWindow::Visible() const { return IsWindowVisible(Handle()) != FALSE; }

bool OverlayWindow::PlaceOnTop(std::wstring_view what, std::optional<PixelRect> rect) {
    constexpr UINT kAlways = SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    const bool placed =
        rect ? SetWindowPos(Handle(), HWND_TOPMOST, rect->left, rect->top, rect->width,
                            rect->height, kAlways | SWP_SHOWWINDOW) != FALSE
             : SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                            kAlways | SWP_NOMOVE | SWP_NOSIZE) != FALSE;
    if (!placed && !topmostRefused_) {
        LogLastError(L"SetWindowPos(HWND_TOPMOST) for " + std::wstring(what));
    }
    topmostRefused_ = !placed;
    return placed;
}

LRESULT OverlayWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            return OnPaint();
        case WM_ERASEBKGND:
            return 1;  // OnPaint fills it all
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        default:
            return DefaultHandling(message, wParam, lParam);
    }
}

}  // namespace quorrin
