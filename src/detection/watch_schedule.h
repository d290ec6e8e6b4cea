// When the slide-show watch makes its detection passes. The desktop's windows report their
// changes (the walk's events); a change asks for one pass, and the changes reported while
// that pass waits share it. On a busy desktop (titles changing many times a second) the
// passes caused by changes start at least kMinWatchGapMs apart, so the events never cost
// more passes than the short interval would. A slow fallback pass runs on its own timer for
// what the platform does not report; where the walk reports nothing, that timer is fast.
//
// Time is a parameter: the caller gives the monotonic time in milliseconds and turns each
// decision into a posted message or a one-shot timer.
#pragma once

#include <cstdint>
#include <optional>

namespace quorrin {

// The fallback pass when the walk cannot report changes.
inline constexpr int64_t kWatchIntervalMs = 100;
// The fallback pass while changes are reported: for what the platform does not report (Wine
// raises only the creation event).
inline constexpr int64_t kFallbackWatchIntervalMs = 1000;
// Least time between the starts of two passes caused by reported changes.
inline constexpr int64_t kMinWatchGapMs = kWatchIntervalMs;

// What to do about a reported change.
struct WatchRequest {
    enum class Kind : uint8_t {
        None,     // a pass is already on its way (or the watch has stopped)
        PassNow,  // queue a pass at once (a posted message)
        PassIn,   // queue a pass after delayMs (a one-shot timer)
    };
    Kind kind = Kind::None;
    int64_t delayMs = 0;

    bool operator==(const WatchRequest&) const = default;
};

class WatchSchedule {
  public:
    // Whether the walk reports the desktop's changes; it sets the fallback's interval.
    explicit WatchSchedule(bool changesReported) : changesReported_(changesReported) {}

    int64_t FallbackIntervalMs() const {
        return changesReported_ ? kFallbackWatchIntervalMs : kWatchIntervalMs;
    }

    // A change was reported at `nowMs` (also used for the pass at start-up).
    WatchRequest OnChange(int64_t nowMs);
    // The request could not be queued: the next change asks again, and the fallback pass
    // comes meanwhile.
    void QueueFailed() { queued_ = false; }
    // The queued pass is due at `nowMs`: whether to run it. Only these passes count for the
    // gap, so a change just after a fallback pass is not held back.
    bool OnQueuedPassDue(int64_t nowMs);
    // The fallback timer fired: whether to run a pass.
    bool OnFallbackDue() const { return !stopped_; }
    // The watch ends (the program is closing): no more passes.
    void Stop() { stopped_ = true; }

  private:
    bool changesReported_;
    bool queued_ = false;  // a requested pass is on its way
    bool stopped_ = false;
    std::optional<int64_t> lastQueuedPassMs_;  // when the last queued pass started
};

}  // namespace quorrin
