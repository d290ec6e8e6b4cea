// The presentation timing dialog: one shared timing for every show or one per presentation,
// the list of presentations with their timings, and whether an interrupted show counts
// again or resumes. Modeless and one at a time; the countdown keeps running while it is
// open. Rows are edited in the entry editor; nothing is stored until Save.
#pragma once

#include "dialogs/kit/settings_dialog_win32.h"
#include "dialogs/timing/timing_list.h"
#include "settings/app_state.h"
#include "settings/config_file.h"

#include <string>

namespace quorrin {

inline constexpr const wchar_t* kTimingDialogClassName = L"Quorrin.TimingDialog";

// Control ids.
inline constexpr int kTimingDialogSameModeId = 1103;    // "同一计时设置"
inline constexpr int kTimingDialogIndividualId = 1104;  // "个性化设置"
inline constexpr int kTimingDialogAddId = 1105;         // "添加"
inline constexpr int kTimingDialogDeleteId = 1106;      // "删除"
inline constexpr int kTimingDialogClearId = 1107;       // "清空"
inline constexpr int kTimingDialogResumeCaptionId = 1108;
inline constexpr int kTimingDialogResumeId = 1109;
inline constexpr int kTimingDialogHeaderId = 1110;  // the column header
inline constexpr int kTimingDialogListId = 1111;

// Leaves the clock as it is while open.
class TimingDialog final : public SettingsDialog {
  public:
    TimingDialog(AppState& state, ConfigFile& config, DialogHost& host);
    ~TimingDialog() override;

  private:
    DialogFrameSpec Frame() const override;
    void OnControl(int id, int code) override;
    void OnClosing() override;

    void MakeControls() override;
    void SetTabStops();
    void OnDpiLayout() override { SetTabStops(); }
    void LoadValues() override;
    bool Individual() const;
    // Rebuilds the list from the stored table for the chosen mode.
    void FillTimingList(bool individual);
    // The list box from the working copy, keeping the selection where it can.
    void ShowRows(int selected);
    void UpdateRowButtons();
    int SelectedRow() const;
    void EditRow(bool newRow);
    void DeleteRow();
    void ClearRows();
    bool Save() override;

    AppState& state_;
    ConfigFile& config_;
    TimingList list_;
    bool individual_ = false;
    ImageButton* add_ = nullptr;
    ImageButton* delete_ = nullptr;
    ImageButton* clear_ = nullptr;
};

}  // namespace quorrin
