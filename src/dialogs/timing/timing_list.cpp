#include "dialogs/timing/timing_list.h"

#include <algorithm>

namespace quorrin {

namespace {

// A row the editor finished has no saved remaining time.
PresentationSlot WithoutRemainingTime(PresentationSlot timing) {
    timing.TimeFree = 0;
    return timing;
}

}  // namespace

void TimingList::Fill(const AppState& state, bool individual) {
    rows_.clear();
    const int32_t first = individual ? 1 : 0;
    const int32_t last = individual ? state.General.PresentationCount : 0;
    for (int32_t n = first; n <= last; ++n) {
        const PresentationSlot* slot = state.Presentations.At(n);
        if (slot == nullptr) break;
        rows_.push_back({*slot, n});
    }
}

bool TimingList::Add(const PresentationSlot& timing) {
    if (!CanAdd()) return false;
    rows_.push_back({WithoutRemainingTime(timing), std::nullopt});
    return true;
}

void TimingList::Replace(size_t index, const PresentationSlot& timing) {
    if (index >= rows_.size()) return;
    rows_[index] = {WithoutRemainingTime(timing), std::nullopt};
}

void TimingList::Remove(size_t index) {
    if (index < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::vector<std::string> TimingList::Names() const {
    std::vector<std::string> names;
    names.reserve(rows_.size());
    for (const TimingListRow& r : rows_) names.push_back(r.timing.File);
    return names;
}

TimingSave PlanTimingSave(const AppState& before, bool resetTime, bool sameMode,
                          const TimingList& list) {
    TimingSave save{{resetTime, sameMode, {}}, std::nullopt};
    const CountdownState& running = before.Countdown;
    std::optional<int32_t> runningSlot;  // the running countdown's slot after the save

    const std::vector<TimingListRow>& rows = list.Rows();
    // The shared timing is the list's one row; otherwise every row up to the table's size.
    const size_t stored = sameMode ? std::min<size_t>(rows.size(), 1)
                                   : std::min(rows.size(), static_cast<size_t>(kMaxPresentations));
    for (size_t i = 0; i < stored; ++i) {
        const TimingListRow& r = rows[i];
        const int32_t newSlot = sameMode ? 0 : static_cast<int32_t>(i + 1);
        PresentationSlot timing = r.timing;
        if (r.storedSlot) {
            // The remaining time the table holds now, for a row carried over.
            if (const PresentationSlot* slot = before.Presentations.At(*r.storedSlot)) {
                timing.TimeFree = slot->TimeFree;
            }
            if (running.ShowActive && *r.storedSlot == running.CurrentSlot &&
                before.General.SameMode == sameMode) {
                runningSlot = newSlot;
            }
        }
        save.settings.timings.push_back(timing);
    }
    if (running.ShowActive) save.countdownSlot = runningSlot.value_or(kNoSlot);
    return save;
}

FileStatus StoreTimingSave(AppState& state, ConfigFile& config, const TimingSave& save) {
    if (FileStatus stored = config.SaveTimings(save.settings); !stored) return stored;
    if (save.countdownSlot) state.Countdown.CurrentSlot = *save.countdownSlot;
    return FileStatus();
}

}  // namespace quorrin
