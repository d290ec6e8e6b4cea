#include "clock/main_clock_window_win32.h"

#include "clock/monitors_win32.h"
#include "win32/debug_log_win32.h"

#include <windowsx.h>

namespace quorrin {

namespace {

POINT PointOf(LPARAM point) { return {GET_X_LPARAM(point), GET_Y_LPARAM(point)}; }

}  // namespace

MainClockWindow::MainClockWindow(AppState& state, MainClockEvents& events)
    : state_(state), events_(events) {}

bool MainClockWindow::Create(HINSTANCE instance, HICON icon, const ClockDpis& dpis) {
    if (!copies_.Create(instance, state_.Style, dpis.primary)) {
        LogDebug(L"clock copy", L"not created; the clock shows on the primary monitor only");
    }
    if (!CountdownWindow::Create(instance, kMainClockClassName, icon, state_.Style, dpis.primary)) {
        return false;
    }
    // A new DPI on any monitor, or a new display configuration, lays every clock out again
    // (a monitor may have come or gone).
    OnDisplayChange([this] { events_.OnDisplaySettingsChanged(); });
    copies_.OnDisplayChange([this] { events_.OnDisplaySettingsChanged(); });
    return true;
}

LRESULT MainClockWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            return OnTimer(wParam);
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            return OnButtonDown(lParam);
        case WM_MOUSEMOVE:
            return OnMouseMove(wParam, lParam);
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            return OnButtonUp(message, lParam);
        case WM_CAPTURECHANGED:
            return OnCaptureChanged();
        case WM_CLOSE:
            return OnClose();
        case WM_ENDSESSION:
            return OnEndSession(wParam);
        case WM_DESTROY:
            return OnDestroy();
        case WM_DISPLAYCHANGE:
            events_.OnDisplaySettingsChanged();
            return 0;
        default:
            if (events_.OnProgramMessage(message, wParam, lParam)) return 0;
            return CountdownWindow::HandleMessage(message, wParam, lParam);
    }
}

LRESULT MainClockWindow::OnTimer(WPARAM timerId) {
    events_.OnClockTimer(static_cast<ClockTimer>(timerId));
    return 0;
}

LRESULT MainClockWindow::OnButtonDown(LPARAM point) {
    dragging_ = true;
    dragFrom_ = PointOf(point);
    // The release must reach this window even when the pointer has left it.
    SetCapture(Handle());
    return 0;
}

LRESULT MainClockWindow::OnMouseMove(WPARAM buttons, LPARAM point) {
    // Only a drag with the left button alone moves the clock.
    if (!dragging_ || (buttons & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != MK_LBUTTON) return 0;
    const POINT at = PointOf(point);
    const PixelRect now = RectPixels();
    const int32_t leftPixels = now.left + (at.x - dragFrom_.x);
    const int32_t topPixels = now.top + (at.y - dragFrom_.y);
    if (leftPixels == now.left && topPixels == now.top) return 0;
    // The place in twips at the DPI the clock is laid out at: converted back at the same
    // DPI it gives the same pixel, so a saved drag comes back exactly after a restart. Kept
    // before the moves, so that a layout they set off (a new DPI) uses it too.
    const int32_t dpi = Dpi();
    const int32_t left = PixelsToTwips(leftPixels, dpi);
    const int32_t top = PixelsToTwips(topPixels, dpi);
    state_.Style.Left = left;
    state_.Style.Top = top;
    MoveTo(leftPixels, topPixels);
    // Each copy keeps the same place on its own monitor.
    for (size_t i = 0; i < copies_.Count(); ++i) {
        ClockCopy& copy = copies_.At(i);
        const ClockPlacement& on = copy.placement;
        int32_t copyLeft = 0;
        int32_t copyTop = 0;
        MapToSecondMonitor(on.primary, on.area, left, top, PixelsToTwips(now.width, dpi), copyLeft,
                           copyTop, ClockDpis{dpi, on.dpi});
        copy.window.MoveTo(TwipsToPixels(copyLeft, on.dpi), TwipsToPixels(copyTop, on.dpi));
    }
    return 0;
}

LRESULT MainClockWindow::OnButtonUp(UINT message, LPARAM point) {
    EndDrag();
    if (GetCapture() == Handle()) ReleaseCapture();
    if (message == WM_RBUTTONUP) {
        POINT screen = PointOf(point);
        ClientToScreen(Handle(), &screen);
        events_.OnMenuRequested(screen);
    }
    return 0;
}

LRESULT MainClockWindow::OnCaptureChanged() {
    // Capture taken away mid-drag (another window, a menu): keep where the clock got to.
    EndDrag();
    return 0;
}

void MainClockWindow::EndDrag() {
    if (!dragging_) return;
    dragging_ = false;
    events_.OnClockDragged();
}

TwipRect MainClockWindow::RectTwips() const {
    const PixelRect r = RectPixels();
    const int32_t dpi = Dpi();
    return {PixelsToTwips(r.left, dpi), PixelsToTwips(r.top, dpi), PixelsToTwips(r.width, dpi),
            PixelsToTwips(r.height, dpi)};
}

LRESULT MainClockWindow::OnClose() {
    DestroyWindow(Handle());
    return 0;
}

LRESULT MainClockWindow::OnEndSession(WPARAM ending) {
    // The session ends without further messages once this returns: leave now.
    if (ending != FALSE) DestroyWindow(Handle());
    return 0;
}

LRESULT MainClockWindow::OnDestroy() {
    events_.OnClockClosing();
    copies_.Destroy();
    return 0;
}

}  // namespace quorrin
