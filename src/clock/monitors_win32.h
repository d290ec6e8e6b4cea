// The work areas of the primary and the second monitor.
#pragma once

#include "settings/app_state.h"

namespace quorrin {

// Enumerates the monitors into PrimaryWorkArea and SecondWorkArea: the primary's work area
// goes to both, then a monitor enumerated after it to the second.
void RecordMonitorWorkAreas(AppState& state);

}  // namespace quorrin
