#include "dialogs/timing/timing_list.h"

#include "dialogs/timing/timing_rows.h"
#include "settings/config_file.h"
#include "settings/time_text.h"

#include <algorithm>

namespace quorrin {

namespace {

constexpr std::string_view kNoRemainingTime = "00:00:00";

// Keys of one slot: bare for the shared timing in [Normal], numbered in [PPTFiles].
std::string SlotKey(const char* name, int32_t slot) {
    return slot == 0 ? std::string(name) : name + std::to_string(slot);
}

// Fills `slot` from the row and appends its keys (step by step as the file takes them).
void StoreRow(const std::string& section, int32_t slotNumber, const TimingFields& fields,
              const std::string& remaining, PresentationSlot& slot, std::vector<IniEdit>& edits) {
    slot.TimeCnt = TimeTextToSeconds(fields.duration).value_or(0);
    slot.TimeWarning = TimeTextToSeconds(fields.warning).value_or(0);
    slot.Flush = fields.flush;
    slot.Close = fields.close;
    slot.File = fields.file;
    slot.TimeFree = TimeTextToSeconds(remaining).value_or(0);
    edits.push_back({section, SlotKey("timeCnt", slotNumber), fields.duration});
    edits.push_back({section, SlotKey("timeWarning", slotNumber), fields.warning});
    edits.push_back({section, SlotKey("flush", slotNumber), BoolToText(slot.Flush)});
    edits.push_back({section, SlotKey("close", slotNumber), BoolToText(slot.Close)});
    edits.push_back({section, SlotKey("file", slotNumber), fields.file});
    edits.push_back({section, SlotKey("timeFree", slotNumber), remaining});
}

}  // namespace

void TimingList::Fill(const AppState& state, bool individual) {
    rows_.clear();
    const int32_t first = individual ? 1 : 0;
    const int32_t last = individual ? state.General.PresentationCount : 0;
    for (int32_t n = first; n <= last; ++n) {
        const PresentationSlot* slot = state.Presentations.At(n);
        if (slot == nullptr) break;
        rows_.push_back({TimingRow(*slot), SecondsToTimeText(slot->TimeFree), n});
    }
}

bool TimingList::Add(const std::string& row) {
    if (!CanAdd()) return false;
    rows_.push_back({row, std::string(kNoRemainingTime), std::nullopt});
    return true;
}

void TimingList::Replace(size_t index, const std::string& row) {
    if (index >= rows_.size()) return;
    rows_[index] = {row, std::string(kNoRemainingTime), std::nullopt};
}

void TimingList::Remove(size_t index) {
    if (index < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::vector<std::string> TimingList::RowTexts() const {
    std::vector<std::string> texts;
    texts.reserve(rows_.size());
    for (const TimingListRow& r : rows_) texts.push_back(r.row);
    return texts;
}

TimingSave PlanTimingSave(const AppState& before, bool resetTime, bool sameMode,
                          const TimingList& list) {
    TimingSave save{{}, before};
    AppState& after = save.after;
    after.General.ResetTime = resetTime;
    after.General.SameMode = sameMode;
    const std::string normal = kSectionNormal;
    const std::string files = kSectionPresentations;
    save.edits.push_back({normal, "SameMode", BoolToText(sameMode)});
    save.edits.push_back({normal, "ReSetTime", BoolToText(resetTime)});

    const CountdownState& running = before.Countdown;
    std::optional<int32_t> runningSlot;  // the running countdown's slot after the save

    // The remaining time a row stores: the table's current one for a row carried over.
    auto remainingOf = [&](const TimingListRow& r) {
        if (r.storedSlot) {
            if (const PresentationSlot* slot = before.Presentations.At(*r.storedSlot)) {
                return SecondsToTimeText(slot->TimeFree);
            }
        }
        return r.remaining;
    };
    auto follow = [&](const TimingListRow& r, int32_t newSlot) {
        if (running.ShowActive && r.storedSlot && *r.storedSlot == running.CurrentSlot &&
            before.General.SameMode == sameMode) {
            runningSlot = newSlot;
        }
    };

    const std::vector<TimingListRow>& rows = list.Rows();
    if (sameMode) {
        // The shared timing is the list's one row; the individual table stays as it is.
        if (!rows.empty()) {
            StoreRow(normal, 0, SplitTimingRow(rows[0].row), remainingOf(rows[0]),
                     *after.Presentations.At(0), save.edits);
            follow(rows[0], 0);
        }
    } else {
        const int32_t count =
            static_cast<int32_t>(std::min(rows.size(), static_cast<size_t>(kMaxPresentations)));
        after.General.PresentationCount = count;
        save.edits.push_back({files, {}, std::nullopt});
        save.edits.push_back({files, "pptFiles", std::to_string(count)});
        for (int32_t i = 1; i <= count; ++i) {
            const TimingListRow& r = rows[static_cast<size_t>(i - 1)];
            StoreRow(files, i, SplitTimingRow(r.row), remainingOf(r), *after.Presentations.At(i),
                     save.edits);
            follow(r, i);
        }
    }
    if (running.ShowActive) after.Countdown.CurrentSlot = runningSlot.value_or(kNoSlot);
    return save;
}

FileStatus StoreTimingSave(AppState& state, ConfigFile& config, const TimingSave& save) {
    if (FileStatus stored = config.Commit(save.edits); !stored) return stored;
    // Only the settings the dialog owns; the rest of the state is not its to change.
    state.Presentations = save.after.Presentations;
    state.General.ResetTime = save.after.General.ResetTime;
    state.General.SameMode = save.after.General.SameMode;
    state.General.PresentationCount = save.after.General.PresentationCount;
    state.Countdown.CurrentSlot = save.after.Countdown.CurrentSlot;
    return FileStatus();
}

}  // namespace quorrin
