#include "dialogs/talk/talk_dialog_win32.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace quorrin {

namespace {

using T = TalkSettings;

// The switches and the colours, then a row for each of the presenter's keys.
constexpr DialogRow<T> kSwitchRows[] = {
    {RowKind::Check, TextId::TalkOvertime, &T::Overtime},
    {RowKind::Check, TextId::TalkColors, &T::Colors},
    {RowKind::Check, TextId::TalkKeys, &T::Keys},
    {RowKind::Check, TextId::TalkHistory, &T::History},
    {RowKind::Color, TextId::TalkWarningColor, &T::WarningColor},
    {RowKind::Color, TextId::TalkOvertimeColor, &T::OvertimeColor},
};
constexpr size_t kFirstKeyRow = std::size(kSwitchRows);

constexpr auto kTalkRows = [] {
    std::array<DialogRow<T>, kFirstKeyRow + kShowKeyCount> rows{};
    std::copy(std::begin(kSwitchRows), std::end(kSwitchRows), rows.begin());
    for (size_t key = 0; key < kShowKeyCount; ++key) {
        rows[kFirstKeyRow + key] = {RowKind::Key, kShowKeys[key].caption, kShowKeys[key].field};
    }
    return rows;
}();

}  // namespace

TalkDialog::TalkDialog(AppState& state, ConfigFile& config, DialogHost& host,
                       std::function<bool(int32_t)> heldByProgram)
    : SettingsDialog(&host, &state.Countdown),
      state_(state),
      config_(config),
      rows_(kTalkRows, kTalkDialogFirstId) {
    rows_.SetKeyHeld(std::move(heldByProgram));
    UseRows(rows_);
}

TalkDialog::~TalkDialog() = default;

int TalkDialog::KeyMarkId(size_t keyRow) const {
    return rows_.PartId(kFirstKeyRow + keyRow, kRowAction);
}

DialogFrameSpec TalkDialog::Frame() const {
    return {.className = kTalkDialogClassName, .caption = TextId::TalkTitle};
}

void TalkDialog::LoadValues() { rows_.Load(state_.Talk); }

bool TalkDialog::Save() {
    TalkSettings talk = state_.Talk;
    rows_.Save(talk);
    // The settings take the new values once written; the dialog stays open otherwise.
    return Saved(config_, config_.SaveTalkSettings(talk));
}

}  // namespace quorrin
