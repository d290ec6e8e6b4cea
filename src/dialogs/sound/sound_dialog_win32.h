// The sound settings dialog: the warning sound, the end sound and whether the end signal
// is given. Modeless; one at a time.
#pragma once

#include "dialogs/kit/dialog_rows_win32.h"
#include "dialogs/kit/settings_dialog_win32.h"
#include "settings/app_state.h"
#include "settings/config_file.h"

namespace quorrin {

inline constexpr const wchar_t* kSoundDialogClassName = L"Quorrin.SoundDialog";

// Control ids, for WM_COMMAND (buttons) and GetDlgItem (labels, check box): the rows' controls
// in their order.
inline constexpr int kSoundDialogSoundCaptionId = 1003;  // "提示音乐："
inline constexpr int kSoundDialogSoundLabelId = 1004;
inline constexpr int kSoundDialogBrowseSoundId = 1005;      // "浏览"
inline constexpr int kSoundDialogEndWarningId = 1006;       // "结束提醒"
inline constexpr int kSoundDialogEndSoundCaptionId = 1007;  // "结束音乐："
inline constexpr int kSoundDialogEndSoundLabelId = 1008;
inline constexpr int kSoundDialogBrowseEndSoundId = 1009;  // "浏览"

// Hides the main clock while it is open during a show.
class SoundDialog final : public SettingsDialog {
  public:
    SoundDialog(AppState& state, ConfigFile& config, DialogHost& host);
    ~SoundDialog() override;

  private:
    DialogFrameSpec Frame() const override;
    void LoadValues() override;
    bool Save() override;
    void OnControl(int, int) override {}
    // "浏览": a file for a sound row; nothing when none is chosen or none can be kept.
    std::optional<std::string> ChooseSound(HWND dialog) const;

    AppState& state_;
    ConfigFile& config_;
    DialogRows<GeneralSettings> rows_;
};

}  // namespace quorrin
