#include "clock/monitors_win32.h"

#include "win32/dpi_win32.h"

#include <windows.h>

namespace quorrin {

namespace {

BOOL CALLBACK RecordMonitorWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    AppState& state = *reinterpret_cast<AppState*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    const WorkArea area{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    if (info.dwFlags & MONITORINFOF_PRIMARY) {
        state.PrimaryWorkArea = area;
        state.SecondWorkArea = area;
    } else {
        state.SecondWorkArea = area;
    }
    return TRUE;
}

}  // namespace

void RecordMonitorWorkAreas(AppState& state) {
    EnumDisplayMonitors(nullptr, nullptr, RecordMonitorWorkArea, reinterpret_cast<LPARAM>(&state));
}

ClockDpis MonitorDpis(const AppState& state) {
    const auto dpiOf = [](const WorkArea& area) {
        return DpiOfRect(RECT{area.left, area.top, area.right, area.bottom});
    };
    return {dpiOf(state.PrimaryWorkArea), dpiOf(state.SecondWorkArea)};
}

}  // namespace quorrin
