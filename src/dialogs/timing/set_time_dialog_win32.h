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

inline constexpr const wchar_t* kSetTimeClassName = L"Quorrin.FrmSetTime";

// Control ids.
inline constexpr int kSetTimeSameModeId = 1103;       // Opt_playMode(0), "同一计时设置"
inline constexpr int kSetTimeIndividualId = 1104;     // Opt_playMode(1), "个性化设置"
inline constexpr int kSetTimeAddId = 1105;            // Cmd_Add, "添加"
inline constexpr int kSetTimeDeleteId = 1106;         // Cmd_Del, "删除"
inline constexpr int kSetTimeClearId = 1107;          // Cmd_Cls, "清空"
inline constexpr int kSetTimeResumeCaptionId = 1108;  // Label1
inline constexpr int kSetTimeResumeId = 1109;         // Cmb_TimeBy
inline constexpr int kSetTimeHeaderId = 1110;         // Label2, the column header
inline constexpr int kSetTimeListId = 1111;           // List1

// Leaves the clock as it is while open.
class SetTimeDialog final : public SettingsDialog {
  public:
    SetTimeDialog(AppState& state, ConfigFile& config, DialogHost& host);
    ~SetTimeDialog() override;

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
    MyButton* add_ = nullptr;
    MyButton* delete_ = nullptr;
    MyButton* clear_ = nullptr;
};

}  // namespace quorrin
