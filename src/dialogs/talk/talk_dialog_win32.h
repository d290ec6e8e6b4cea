// The settings of the controls during a show: counting on past zero, the warning and
// overtime colours, and the presenter's four global keys, each taken by pressing it in a
// hot-key field. A key another program holds is marked as taken. Modeless; one at a time.
#pragma once

#include "dialogs/kit/settings_dialog_win32.h"
#include "settings/app_state.h"
#include "settings/config_file.h"
#include "win32/unique_handle_win32.h"

#include <array>
#include <functional>

namespace quorrin {

inline constexpr const wchar_t* kTalkDialogClassName = L"Quorrin.TalkDialog";

// Control ids.
inline constexpr int kTalkDialogOvertimeId = 1203;  // check box
inline constexpr int kTalkDialogColorsId = 1204;    // check box
inline constexpr int kTalkDialogKeysId = 1205;      // check box
inline constexpr int kTalkDialogWarningSwatchId = 1206;
inline constexpr int kTalkDialogWarningPickId = 1207;  // "选择颜色"
inline constexpr int kTalkDialogOvertimeSwatchId = 1208;
inline constexpr int kTalkDialogOvertimePickId = 1209;
inline constexpr int kTalkDialogFirstKeyId = 1210;       // the four hot-key fields, 1210..1213
inline constexpr int kTalkDialogFirstKeyStateId = 1220;  // their "已被占用" marks, 1220..1223
inline constexpr int kTalkDialogFirstCaptionId = 1240;   // the captions, 1240..1245

inline constexpr size_t kTalkKeyCount = kShowKeyCount;

class TalkDialog final : public SettingsDialog {
  public:
    // `heldByProgram`: whether this program holds the key itself (for the show under way),
    // which then is not taken by another.
    TalkDialog(AppState& state, ConfigFile& config, DialogHost& host,
               std::function<bool(int32_t)> heldByProgram);
    ~TalkDialog() override;

  private:
    DialogFrameSpec Frame() const override;
    void MakeControls() override;
    void LoadValues() override;
    bool Save() override;
    void OnControl(int id, int code) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    LRESULT OnStaticColor(HDC dc, HWND control, WPARAM wParam, LPARAM lParam);
    void PickSwatchColor(int32_t& color, UniqueBrush& brush, int swatchId);
    void SetSwatch(int32_t color, UniqueBrush& brush, int swatchId);
    // Marks each key another program holds.
    void ShowTakenKeys();
    int32_t KeyOf(size_t row) const;

    AppState& state_;
    ConfigFile& config_;
    std::function<bool(int32_t)> heldByProgram_;
    int32_t warningColor_ = 0;
    int32_t overtimeColor_ = 0;
    UniqueBrush warningBrush_;
    UniqueBrush overtimeBrush_;
};

}  // namespace quorrin
