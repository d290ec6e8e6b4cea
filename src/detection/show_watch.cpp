#include "detection/show_watch.h"

namespace quorrin {

ShowChange UpdateShowActive(CountdownState& countdown, WindowId found) {
    if (found == 0) {
        if (!countdown.ShowActive) return ShowChange::None;
        countdown.ShowActive = false;
        return ShowChange::Ended;
    }
    if (countdown.ShowActive) return ShowChange::None;
    countdown.ShowActive = true;
    return ShowChange::Started;
}

}  // namespace quorrin
