// Follows one show's countdown and makes its History.csv row when the countdown ends. The
// program tells it what happens (the start, pauses, the clock's overtime, the end); time
// comes in as a parameter, so it never reads a clock.
#pragma once

#include "history/history_row.h"
#include "settings/app_state.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quorrin {

// Milliseconds of a monotonic clock, as the countdown engine counts them.
using TalkMillis = int64_t;

struct TalkStart {
    LocalDateTime at;
    std::string presentation;
    int32_t plannedSeconds = 0;
    // The time on the clock when the countdown started: the planned time, or less when it
    // resumed from a saved point.
    int32_t startingSeconds = 0;
};

// The talk that the countdown engine has just started for the show: the timing entry's name
// (the shared timing's label under the shared timing), its duration and the starting time.
TalkStart TalkStartOf(const AppState& state, const LocalDateTime& at);

class TalkRecorder {
  public:
    // A show's countdown has started at `now` (a monotonic time).
    void Begin(TalkMillis now, TalkStart start);
    // The presenter paused or resumed the clock; a repeated call changes nothing.
    void SetPaused(TalkMillis now, bool paused);
    // The clock's time past zero at a step: the engine's overtime seconds. A minute added in
    // overtime starts a new countdown; the overtime before it still counts.
    void OnClockStep(int32_t overtimeSeconds);
    // The countdown ended at `now`: the row, once. Nothing when no talk is being followed
    // (it was never begun, or already ended: a show closed at the end of its time ends once).
    std::optional<HistoryRow> Finish(TalkMillis now, TalkEnd end);

    bool Following() const { return following_; }

  private:
    bool following_ = false;
    TalkStart start_;
    TalkMillis begunAt_ = 0;
    TalkMillis pausedFor_ = 0;  // the pauses that are over
    std::optional<TalkMillis> pausedSince_;
    int32_t overtimeBefore_ = 0;  // overtime of earlier counts, before a minute was added
    int32_t overtime_ = 0;
};

}  // namespace quorrin
