#include "clock/monitors_win32.h"

#include "win32/dpi_win32.h"
#include "win32/frame_guard_win32.h"

#include <windows.h>

namespace quorrin {

namespace {

WorkArea AreaOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

int32_t DpiOfArea(const WorkArea& area) {
    return DpiOfRect(RECT{area.left, area.top, area.right, area.bottom});
}

BOOL CALLBACK AddScreen(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    // A monitor that cannot be read is left out; the others still count.
    GuardFrame(L"AddScreen", [&] {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        if (!GetMonitorInfoW(monitor, &info)) return;
        reinterpret_cast<std::vector<Screen>*>(data)->push_back(
            {AreaOf(info.rcMonitor), AreaOf(info.rcWork),
             (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    });
    return TRUE;
}

}  // namespace

std::vector<Screen> ListScreens() {
    std::vector<Screen> screens;
    EnumDisplayMonitors(nullptr, nullptr, AddScreen, reinterpret_cast<LPARAM>(&screens));
    return screens;
}

int32_t ScreenDpi(const Screen& screen) { return DpiOfArea(screen.work); }

void RecordMonitorWorkAreas(AppState& state) {
    for (const Screen& screen : ListScreens()) {
        if (screen.primary) {
            state.PrimaryWorkArea = screen.work;
            state.SecondWorkArea = screen.work;
        } else {
            state.SecondWorkArea = screen.work;
        }
    }
}

ClockDpis MonitorDpis(const AppState& state) {
    return {DpiOfArea(state.PrimaryWorkArea), DpiOfArea(state.SecondWorkArea)};
}

}  // namespace quorrin
