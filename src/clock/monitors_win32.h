// The monitors as the system lists them, the work areas of the primary and the second
// monitor, and their DPIs.
#pragma once

#include "clock/clock_layout.h"
#include "clock/clock_screens.h"
#include "settings/app_state.h"

#include <vector>

namespace quorrin {

// Every monitor in the system's order; empty when none can be read.
std::vector<Screen> ListScreens();

// The DPI of a monitor.
int32_t ScreenDpi(const Screen& screen);

// Enumerates the monitors into PrimaryWorkArea and SecondWorkArea: the primary's work area
// goes to both, then a monitor enumerated after it to the second.
void RecordMonitorWorkAreas(AppState& state);

// The DPIs of the monitors holding PrimaryWorkArea and SecondWorkArea.
ClockDpis MonitorDpis(const AppState& state);

}  // namespace quorrin
