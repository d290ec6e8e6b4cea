#include "history/talk_recorder.h"

#include <algorithm>
#include <utility>

namespace quorrin {
namespace {

constexpr TalkMillis kMillisPerSecond = 1000;

int32_t WholeSeconds(TalkMillis time) {
    return static_cast<int32_t>(std::max<TalkMillis>(time, 0) / kMillisPerSecond);
}

}  // namespace

TalkStart TalkStartOf(const AppState& state, const LocalDateTime& at) {
    const CountdownState& c = state.Countdown;
    const PresentationSlot* slot = state.Presentations.At(c.CurrentSlot);
    TalkStart start;
    start.at = at;
    start.presentation = state.General.SameMode || c.CurrentSlot == 0 || slot == nullptr
                             ? kAllPresentationsLabel
                             : slot->File;
    start.plannedSeconds = c.TotalSeconds;
    start.startingSeconds = c.RemainingSeconds;
    return start;
}

void TalkRecorder::Begin(TalkMillis now, TalkStart start) {
    *this = TalkRecorder();
    following_ = true;
    start_ = std::move(start);
    begunAt_ = now;
}

void TalkRecorder::SetPaused(TalkMillis now, bool paused) {
    if (!following_ || paused == pausedSince_.has_value()) return;
    if (paused) {
        pausedSince_ = now;
    } else {
        pausedFor_ += std::max<TalkMillis>(now - *pausedSince_, 0);
        pausedSince_.reset();
    }
}

void TalkRecorder::OnClockStep(int32_t overtimeSeconds) {
    if (!following_) return;
    if (overtimeSeconds < overtime_) overtimeBefore_ += overtime_;
    overtime_ = overtimeSeconds;
}

std::optional<HistoryRow> TalkRecorder::Finish(TalkMillis now, TalkEnd end) {
    if (!following_) return std::nullopt;
    SetPaused(now, false);
    following_ = false;
    HistoryRow row;
    row.start = start_.at;
    row.presentation = std::move(start_.presentation);
    row.plannedSeconds = start_.plannedSeconds;
    if (start_.startingSeconds != start_.plannedSeconds) {
        row.resumedFromSeconds = start_.startingSeconds;
    }
    row.actualSeconds = WholeSeconds(now - begunAt_ - pausedFor_);
    row.pausedSeconds = WholeSeconds(pausedFor_);
    row.overtimeSeconds = overtimeBefore_ + overtime_;
    row.end = end;
    return row;
}

}  // namespace quorrin
