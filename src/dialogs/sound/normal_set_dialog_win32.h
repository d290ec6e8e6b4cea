// The sound settings dialog: the warning sound, the end sound and whether the end signal
// is given. Modeless; one at a time.
#pragma once

#include "dialogs/kit/settings_dialog_win32.h"
#include "settings/app_state.h"
#include "settings/config_file.h"

namespace quorrin {

inline constexpr const wchar_t* kNormalSetClassName = L"Quorrin.FrmNormalSet";

// Control ids, for WM_COMMAND (buttons) and GetDlgItem (labels, check box).
inline constexpr int kNormalSetSoundCaptionId = 1003;     // Label2, "提示音乐："
inline constexpr int kNormalSetSoundLabelId = 1004;       // Lab_Sound
inline constexpr int kNormalSetBrowseSoundId = 1005;      // Cmd_SelSound, "浏览"
inline constexpr int kNormalSetEndWarningId = 1006;       // Chk_Warning2, "结束提醒"
inline constexpr int kNormalSetEndSoundCaptionId = 1007;  // Label4, "结束音乐："
inline constexpr int kNormalSetEndSoundLabelId = 1008;    // Lab_Sound2
inline constexpr int kNormalSetBrowseEndSoundId = 1009;   // Cmd_SelSound2, "浏览"

// Hides the main clock while it is open during a show.
class NormalSetDialog final : public SettingsDialog {
  public:
    NormalSetDialog(AppState& state, ConfigFile& config, DialogHost& host);
    ~NormalSetDialog() override;

  private:
    DialogFrameSpec Frame() const override;
    void MakeControls() override;
    void LoadValues() override;
    bool Save() override;
    void OnControl(int id, int code) override;
    // "浏览": chooses a file for the label `labelId`.
    void Browse(int labelId);
    // The sound setting a label shows, and showing one.
    std::string SoundOf(int labelId) const;
    void ShowSound(int labelId, const std::string& setting);

    AppState& state_;
    ConfigFile& config_;
};

}  // namespace quorrin
