// Gives a window its rounded region (see round_region.h for the shapes).
#pragma once

#include "geometry/round_region.h"

#include <windows.h>

namespace quorrin {

// Sets the region of `shape` for the window's current size at `dpi` and redraws it. The window owns
// the region from then on. False (and the window left as it was) when the region cannot be
// made or set; the failure is logged.
bool ApplyRoundRegion(HWND window, RegionShape shape, int32_t dpi = kDefaultDpi);

}  // namespace quorrin
