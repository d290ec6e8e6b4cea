// The DPI a window or a monitor is drawn at. The per-monitor functions exist only on newer
// systems (GetDpiForMonitor from Windows 8.1, GetDpiForWindow from Windows 10 1607): they
// are looked up at run time, and older systems get the one system DPI of the screen.
#pragma once

#include "geometry/rect.h"

#include <windows.h>

#include <cstdint>

namespace quorrin {

// The DPI of the window's monitor as the window sees it: its own DPI when the process is
// per-monitor aware, the system DPI otherwise.
int32_t WindowDpi(HWND window);
// The DPI of a monitor (its effective DPI); the system DPI where the system cannot tell.
int32_t MonitorDpi(HMONITOR monitor);
// The DPI of the monitor holding (or nearest to) the point or rectangle, in screen pixels.
int32_t DpiAtPoint(POINT point);
int32_t DpiOfRect(const RECT& rect);
// The DPI every window had before per-monitor awareness: the screen's LOGPIXELSY.
int32_t SystemDpi();

// GetSystemMetrics for a DPI (SM_CXSMICON and the like), scaled from the system DPI where
// GetSystemMetricsForDpi is missing.
int GetSystemMetricForDpi(int metric, int32_t dpi);

// A place in pixels as the Win32 functions take it (right and bottom edges).
inline RECT WinRect(const PixelRect& r) {
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}
// ... and back.
inline PixelRect PixelRectOf(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace quorrin
