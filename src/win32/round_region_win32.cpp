#include "win32/round_region_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/unique_handle_win32.h"

#include <string>

namespace quorrin {

bool ApplyRoundRegion(HWND window, RegionShape shape, int32_t dpi) {
    RECT bounds{};
    if (GetWindowRect(window, &bounds) == FALSE) {
        LogLastError(L"GetWindowRect");
        return false;
    }
    const auto r =
        RoundRegionRect(shape, bounds.right - bounds.left, bounds.bottom - bounds.top, dpi);
    if (!r) {
        LogDebug(L"ApplyRoundRegion", L"unknown shape " + std::to_wstring(static_cast<int>(shape)));
        return false;
    }
    UniqueRegion region(CreateRoundRectRgn(r->left, r->top, r->right, r->bottom, r->ellipseWidth,
                                           r->ellipseHeight));
    if (!region) {
        LogDebug(L"ApplyRoundRegion", L"CreateRoundRectRgn failed");
        return false;
    }
    if (SetWindowRgn(window, region.Get(), TRUE) == 0) {
        LogLastError(L"SetWindowRgn");
        return false;  // still ours: freed here
    }
    // The system owns a region once the window holds it.
    region.Release();
    return true;
}

}  // namespace quorrin
