#include "dialogs/sound/sound_dialog_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/short_path_win32.h"
#include "win32/ui_text_win32.h"
#include "win32/wide_text_win32.h"
#include "sound/sound_player_win32.h"
#include "dialogs/common/pickers_win32.h"
#include "dialogs/sound/sound_choices.h"

namespace quorrin {

namespace {

// The dialog's design, in twips (left, top, width, height) on a 5535 x 3585 client area.
constexpr int32_t kClientWidthTwips = 5535;
constexpr int32_t kClientHeightTwips = 3585;
constexpr TwipRect kSoundCaptionTwips{458, 1080, 855, 255};
constexpr TwipRect kSoundLabelTwips{1305, 1080, 2895, 495};
constexpr TwipRect kBrowseSoundTwips{4178, 1000, 735, 495};
constexpr TwipRect kEndWarningTwips{360, 1680, 1455, 375};
constexpr TwipRect kEndSoundCaptionTwips{458, 2160, 855, 255};
constexpr TwipRect kEndSoundLabelTwips{1305, 2160, 2895, 495};
constexpr TwipRect kBrowseEndSoundTwips{4178, 2040, 735, 495};

// A full path wraps over the label's two lines like text in an edit control, also where
// it has no spaces.
constexpr DWORD kPathLabelStyle = SS_EDITCONTROL;

}  // namespace

SoundDialog::SoundDialog(AppState& state, ConfigFile& config, DialogHost& host)
    : SettingsDialog(&host, &state.Countdown), state_(state), config_(config) {}

SoundDialog::~SoundDialog() = default;

DialogFrameSpec SoundDialog::Frame() const {
    return {.className = kSoundDialogClassName,
            .caption = TextId::SoundTitle,
            .clientWidthTwips = kClientWidthTwips,
            .clientHeightTwips = kClientHeightTwips,
            .closeLeftTwips = 5040,
            .closeTopTwips = 120,
            .buttonsTopTwips = 2760,
            .saveLeftTwips = 2640,
            .cancelLeftTwips = 4080};
}

void SoundDialog::MakeControls() {
    const std::wstring browse = UiText(TextId::Browse);
    AddCaption(kSoundDialogSoundCaptionId, UiText(TextId::SoundWarningCaption), kSoundCaptionTwips);
    AddLabel(kSoundDialogSoundLabelId, L"", kSoundLabelTwips, kPathLabelStyle);
    AddButton(kSoundDialogBrowseSoundId, browse, kBrowseSoundTwips, kDefaultOverColor);
    AddCheckBox(kSoundDialogEndWarningId, UiText(TextId::SoundEndWarning), kEndWarningTwips);
    AddCaption(kSoundDialogEndSoundCaptionId, UiText(TextId::SoundEndCaption),
               kEndSoundCaptionTwips);
    AddLabel(kSoundDialogEndSoundLabelId, L"", kEndSoundLabelTwips, kPathLabelStyle);
    AddButton(kSoundDialogBrowseEndSoundId, browse, kBrowseEndSoundTwips, kDefaultOverColor);
}

void SoundDialog::LoadValues() {
    const GeneralSettings& g = state_.General;
    ShowSound(kSoundDialogSoundLabelId, g.WarningSound);
    CheckDlgButton(Handle(), kSoundDialogEndWarningId, g.EndWarning ? BST_CHECKED : BST_UNCHECKED);
    ShowSound(kSoundDialogEndSoundLabelId, g.EndSound);
}

std::string SoundDialog::SoundOf(int labelId) const {
    return SoundSettingFromShown(WideToUtf8(ChildText(labelId)));
}

void SoundDialog::ShowSound(int labelId, const std::string& setting) {
    SetChildText(labelId, Utf8ToWide(SoundSettingToShow(setting)));
}

void SoundDialog::OnControl(int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == kSoundDialogBrowseSoundId) Browse(kSoundDialogSoundLabelId);
    if (id == kSoundDialogBrowseEndSoundId) Browse(kSoundDialogEndSoundLabelId);
}

void SoundDialog::Browse(int labelId) {
    // Neither sound may keep playing, nor its file stay open, while files are chosen.
    StopSoundFile(SoundOf(kSoundDialogSoundLabelId));
    StopSoundFile(SoundOf(kSoundDialogEndSoundLabelId));

    // The dialog owns the file dialog, so it stays disabled until the choice is made.
    const auto stillOpen = OpenCheck();
    const std::string picked =
        PickOpenFile(SoundFileFilter(), Text(TextId::SoundPickerTitle), Handle());
    if (!stillOpen()) return;  // closed from elsewhere meanwhile

    const std::string kept = SoundPathToKeep(picked, &ShortPathName);
    if (kept.empty()) {
        if (!picked.empty()) {
            LogDebug(L"sound settings: Config.ini cannot hold the chosen path", Utf8ToWide(picked));
        }
        return;
    }
    ShowSound(labelId, kept);
}

bool SoundDialog::Save() {
    GeneralSettings& g = state_.General;
    const GeneralSettings before = g;
    g.WarningSound = SoundOf(kSoundDialogSoundLabelId);
    g.EndWarning = EndWarningFromCheckState(
        static_cast<int>(IsDlgButtonChecked(Handle(), kSoundDialogEndWarningId)));
    g.EndSound = SoundOf(kSoundDialogEndSoundLabelId);
    const FileStatus saved = config_.SaveSoundSettings();
    // What is in use stays what is in the file; the dialog keeps the user's choices, so that
    // Save can be tried again once the file is free.
    if (!saved) g = before;
    return Saved(config_, saved);
}

}  // namespace quorrin
