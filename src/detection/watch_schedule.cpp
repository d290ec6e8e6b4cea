#include "detection/watch_schedule.h"

namespace quorrin {

WatchRequest WatchSchedule::OnChange(int64_t nowMs) {
    if (queued_ || stopped_) return {};
    queued_ = true;
    const int64_t sinceLast = lastQueuedPassMs_ ? nowMs - *lastQueuedPassMs_ : kMinWatchGapMs;
    if (sinceLast >= kMinWatchGapMs) return {.kind = WatchRequest::Kind::PassNow};
    return {.kind = WatchRequest::Kind::PassIn, .delayMs = kMinWatchGapMs - sinceLast};
}

bool WatchSchedule::OnQueuedPassDue(int64_t nowMs) {
    if (!queued_ || stopped_) return false;
    queued_ = false;
    lastQueuedPassMs_ = nowMs;
    return true;
}

}  // namespace quorrin
