// Ending the running slide show, as at the end of a countdown with "close" set.
#pragma once

#include "settings/app_state.h"

namespace quorrin {

// Asks the selected slide-show window to close (WM_CLOSE, posted: the show's program may be
// busy, and whether it obeys is up to it). False, logged, when the window is still there but
// the request could not be delivered: a show of a higher integrity level (one run as
// administrator) refuses messages from this program.
bool CloseSlideShow(const AppState& state);

}  // namespace quorrin
