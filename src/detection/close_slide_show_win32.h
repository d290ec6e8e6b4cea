// Ending the running slide show, as at the end of a countdown with "close" set.
#pragma once

#include "settings/app_state.h"

namespace quorrin {

// Asks the selected slide-show window to close (WM_CLOSE, posted: the show's program may be
// busy, and whether it obeys is up to it).
void CloseSlideShow(const AppState& state);

}  // namespace quorrin
