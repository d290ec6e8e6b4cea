// The work areas of the primary and the second monitor, and their DPIs.
#pragma once

#include "clock/clock_layout.h"
#include "settings/app_state.h"

namespace quorrin {

// Enumerates the monitors into PrimaryWorkArea and SecondWorkArea: the primary's work area
// goes to both, then a monitor enumerated after it to the second.
void RecordMonitorWorkAreas(AppState& state);

// The DPIs of the monitors holding PrimaryWorkArea and SecondWorkArea.
ClockDpis MonitorDpis(const AppState& state);

}  // namespace quorrin
