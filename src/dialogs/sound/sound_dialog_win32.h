// The sound settings dialog: the warning sound, the end sound and whether the end signal
// is given. Modeless; one at a time.
#pragma once

#include "dialogs/kit/dialog_rows_win32.h"
#include "dialogs/kit/settings_dialog_win32.h"
#include "settings/app_state.h"
#include "settings/config_file.h"

namespace quorrin {

inline constexpr const wchar_t* kSoundDialogClassName = L"Quorrin.SoundDialog";

// The rows' controls are numbered from here, in the order Tab visits them.
inline constexpr int kSoundDialogFirstId = 1003;

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
