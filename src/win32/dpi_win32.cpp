#include "win32/dpi_win32.h"

#include "geometry/units.h"
#include "win32/gdi_scope_win32.h"

namespace quorrin {

namespace {

// Signatures of the functions looked up at run time.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
// shcore.dll: GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y), an HRESULT.
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

// A DPI outside this range is not believed (a broken driver or a failed call).
constexpr int32_t kMinDpi = 48;
constexpr int32_t kMaxDpi = 960;

bool Plausible(int64_t dpi) { return dpi >= kMinDpi && dpi <= kMaxDpi; }

template <typename Fn>
Fn Lookup(const wchar_t* module, const char* name) {
    const HMODULE loaded = GetModuleHandleW(module);
    if (loaded == nullptr) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(loaded, name)));
}

// shcore.dll is not loaded by every program: load it once, for the whole run.
GetDpiForMonitorFn MonitorDpiFunction() {
    static const GetDpiForMonitorFn function = []() -> GetDpiForMonitorFn {
        const HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (shcore == nullptr) return nullptr;
        return reinterpret_cast<GetDpiForMonitorFn>(
            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
    }();
    return function;
}

}  // namespace

int32_t SystemDpi() {
    WindowDcScope screen(nullptr);
    const int dpi = screen.Dc() != nullptr ? GetDeviceCaps(screen.Dc(), LOGPIXELSY) : 0;
    return Plausible(dpi) ? dpi : kDefaultDpi;
}

int32_t WindowDpi(HWND window) {
    static const auto getDpiForWindow = Lookup<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (Plausible(dpi)) return static_cast<int32_t>(dpi);
    }
    if (window != nullptr) {
        return MonitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    }
    return SystemDpi();
}

int32_t MonitorDpi(HMONITOR monitor) {
    const GetDpiForMonitorFn getDpiForMonitor = MonitorDpiFunction();
    if (getDpiForMonitor != nullptr && monitor != nullptr) {
        UINT x = 0;
        UINT y = 0;
        if (SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &x, &y)) && Plausible(y)) {
            return static_cast<int32_t>(y);
        }
    }
    return SystemDpi();
}

int32_t DpiAtPoint(POINT point) {
    return MonitorDpi(MonitorFromPoint(point, MONITOR_DEFAULTTOPRIMARY));
}

int32_t DpiOfRect(const RECT& rect) {
    return MonitorDpi(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST));
}

int GetSystemMetricForDpi(int metric, int32_t dpi) {
    static const auto forDpi =
        Lookup<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
    if (forDpi != nullptr) return forDpi(metric, static_cast<UINT>(dpi));
    return ScalePixels(GetSystemMetrics(metric), dpi, SystemDpi());
}

}  // namespace quorrin
