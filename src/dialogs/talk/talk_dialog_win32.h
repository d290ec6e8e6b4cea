// The settings of the controls during a show: counting on past zero, the warning and
// overtime colours, and the presenter's four global keys, each taken by pressing it in a
// hot-key field. A key another program holds is marked as taken. Modeless; one at a time.
#pragma once

#include "dialogs/kit/dialog_rows_win32.h"
#include "dialogs/kit/settings_dialog_win32.h"
#include "settings/app_state.h"
#include "settings/config_file.h"

#include <functional>

namespace quorrin {

inline constexpr const wchar_t* kTalkDialogClassName = L"Quorrin.TalkDialog";
// The rows' controls are numbered from here, in the order Tab visits them.
inline constexpr int kTalkDialogFirstId = 1203;

inline constexpr size_t kTalkKeyCount = kShowKeyCount;

class TalkDialog final : public SettingsDialog {
  public:
    // `heldByProgram`: whether this program holds the key itself (for the show under way),
    // which then is not taken by another.
    TalkDialog(AppState& state, ConfigFile& config, DialogHost& host,
               std::function<bool(int32_t)> heldByProgram);
    ~TalkDialog() override;

    // The label that marks the key of the given row of kShowKeys as taken.
    int KeyMarkId(size_t keyRow) const;

  private:
    DialogFrameSpec Frame() const override;
    void LoadValues() override;
    bool Save() override;
    void OnControl(int, int) override {}

    AppState& state_;
    ConfigFile& config_;
    DialogRows<TalkSettings> rows_;
};

}  // namespace quorrin
