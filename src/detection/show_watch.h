// Whether a slide show is running, as the main timer sees it from one detection pass to the
// next: the countdown starts when a show appears and stops when it has gone.
#pragma once

#include "settings/app_state.h"

namespace quorrin {

enum class ShowChange {
    None,     // nothing to do: still no show, or still the same running show
    Started,  // a show has appeared: the countdown is to start
    Ended,    // the show has gone: the countdown is to stop
};

// Records the outcome of one detection pass (`found` is FindSlideShow's result) in
// ShowActive and tells what changed.
ShowChange UpdateShowActive(CountdownState& countdown, WindowId found);

}  // namespace quorrin
