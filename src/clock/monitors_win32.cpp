#include "clock/monitors_win32.h"

#include "win32/dpi_win32.h"
#include "win32/frame_guard_win32.h"

#include <windows.h>

namespace quorrin {

namespace {

void RecordWorkArea(HMONITOR monitor, AppState& state) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return;
    const WorkArea area{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    if (info.dwFlags & MONITORINFOF_PRIMARY) {
        state.PrimaryWorkArea = area;
        state.SecondWorkArea = area;
    } else {
        state.SecondWorkArea = area;
    }
}

BOOL CALLBACK RecordMonitorWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    // A monitor that cannot be recorded keeps the work area it had; the others still count.
    GuardFrame(L"RecordMonitorWorkArea",
               [&] { RecordWorkArea(monitor, *reinterpret_cast<AppState*>(data)); });
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
