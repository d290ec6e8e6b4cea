#include "dialogs/sound/sound_dialog_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/short_path_win32.h"
#include "win32/wide_text_win32.h"
#include "sound/sound_player_win32.h"
#include "dialogs/common/pickers_win32.h"
#include "dialogs/sound/sound_choices.h"

namespace quorrin {

namespace {

using G = GeneralSettings;

constexpr DialogRow<G> kSoundRows[] = {
    {RowKind::File, TextId::SoundWarningCaption, &G::WarningSound},
    {RowKind::Check, TextId::SoundEndWarning, &G::EndWarning},
    {RowKind::File, TextId::SoundEndCaption, &G::EndSound},
};

}  // namespace

SoundDialog::SoundDialog(AppState& state, ConfigFile& config, DialogHost& host)
    : SettingsDialog(&host, &state.Countdown),
      state_(state),
      config_(config),
      rows_(kSoundRows, kSoundDialogFirstId) {
    rows_.SetFileChoice(
        {.show = [](const std::string& setting) { return Utf8ToWide(SoundSettingToShow(setting)); },
         .setting =
             [](const std::wstring& shown) { return SoundSettingFromShown(WideToUtf8(shown)); },
         .choose = [this](HWND dialog) { return ChooseSound(dialog); }});
    UseRows(rows_);
}

SoundDialog::~SoundDialog() = default;

DialogFrameSpec SoundDialog::Frame() const {
    return {.className = kSoundDialogClassName, .caption = TextId::SoundTitle};
}

void SoundDialog::LoadValues() { rows_.Load(state_.General); }

std::optional<std::string> SoundDialog::ChooseSound(HWND dialog) const {
    // Neither sound may keep playing, nor its file stay open, while files are chosen.
    for (size_t row = 0; row < rows_.Count(); ++row) {
        if (const auto* sound = std::get_if<std::string>(&rows_.Value(row))) {
            StopSoundFile(*sound);
        }
    }
    // The dialog owns the file dialog, so it stays disabled until the choice is made.
    const std::string picked =
        PickOpenFile(SoundFileFilter(), Text(TextId::SoundPickerTitle), dialog);
    const std::string kept = SoundPathToKeep(picked, &ShortPathName);
    if (kept.empty()) {
        if (!picked.empty()) {
            LogDebug(L"sound settings: Config.ini cannot hold the chosen path", Utf8ToWide(picked));
        }
        return std::nullopt;
    }
    return kept;
}

bool SoundDialog::Save() {
    GeneralSettings& g = state_.General;
    const GeneralSettings before = g;
    rows_.Save(g);
    const FileStatus saved = config_.SaveSoundSettings();
    // What is in use stays what is in the file; the dialog keeps the user's choices, so that
    // Save can be tried again once the file is free.
    if (!saved) g = before;
    return Saved(config_, saved);
}

}  // namespace quorrin
