// The timing dialog's working copy: the rows of the visible list, each with its saved
// remaining time and where it came from, so that Save can tell the rows carried over from
// the stored table from the new and the edited ones. Save turns the list into the timing
// settings it stores and the slot the running countdown goes on with.
#pragma once

#include "settings/app_state.h"
#include "settings/config_file.h"

#include <optional>
#include <string>
#include <vector>

namespace quorrin {

// CountdownState::CurrentSlot of a countdown whose row is gone: it goes on without a slot
// and stores no resume point.
inline constexpr int32_t kNoSlot = -1;

struct TimingListRow {
    PresentationSlot timing;  // TimeFree: the saved remaining time
    // The stored slot the row was filled from and has not been edited since; nothing for
    // added and edited rows.
    std::optional<int32_t> storedSlot;
};

class TimingList {
  public:
    // Rebuilds the list from the stored table: slot 0 alone for the shared timing,
    // otherwise slots 1..PresentationCount.
    void Fill(const AppState& state, bool individual);

    // Whether another row may be added: the table holds at most 100 presentations.
    bool CanAdd() const { return rows_.size() < static_cast<size_t>(kMaxPresentations); }
    // A new row with no saved remaining time; false when the list is full.
    bool Add(const PresentationSlot& timing);
    // An edited row: it loses its saved remaining time.
    void Replace(size_t index, const PresentationSlot& timing);
    void Remove(size_t index);
    void Clear() { rows_.clear(); }

    const std::vector<TimingListRow>& Rows() const { return rows_; }
    // The presentations' names, for the clash check.
    std::vector<std::string> Names() const;

  private:
    std::vector<TimingListRow> rows_;
};

struct TimingSave {
    TimingSettings settings;
    // The running countdown's slot once saved; nothing when no show runs.
    std::optional<int32_t> countdownSlot;
};

// What Save stores for the chosen resume rule, mode and list. A row carried over from the
// stored table keeps the remaining time the table holds now (the running countdown keeps
// writing it while the dialog is open); the running countdown moves with its row to the
// row's new slot, or goes on without a slot when its row was removed, edited or the mode
// changed. At most 100 rows are stored.
TimingSave PlanTimingSave(const AppState& before, bool resetTime, bool sameMode,
                          const TimingList& list);

// Writes the plan's settings in one replacement of the file and, when that worked, takes
// them into `state`. On failure nothing changed, in the file or in `state`.
FileStatus StoreTimingSave(AppState& state, ConfigFile& config, const TimingSave& save);

}  // namespace quorrin
