#include "dialogs/about/about_dialog_win32.h"

#include "quorrin_version.h"
#include "autostart/autostart_win32.h"
#include "win32/debug_log_win32.h"
#include "win32/program_folder_win32.h"
#include "win32/ui_text_win32.h"
#include "win32/wide_text_win32.h"

#include <shellapi.h>

namespace quorrin {

namespace {

// The dialog's design, in twips (left, top, width, height) on a 6600 x 4440 client area:
// captions on the left, their values from kValueLeftTwips on, 关闭 at the bottom right.
constexpr int32_t kClientWidthTwips = 6600;
constexpr int32_t kClientHeightTwips = 4440;
constexpr TwipRect kVersionCaptionTwips{458, 780, 1740, 255};
constexpr TwipRect kVersionTwips{2280, 780, 3960, 255};
constexpr TwipRect kFolderCaptionTwips{458, 1200, 1740, 255};
constexpr TwipRect kFolderTwips{2280, 1200, 3960, 495};
constexpr TwipRect kConfigCaptionTwips{458, 1800, 1740, 255};
constexpr TwipRect kConfigTwips{2280, 1800, 3960, 495};
constexpr TwipRect kShowConfigTwips{2280, 2400, 1695, 495};
constexpr TwipRect kAutostartCaptionTwips{458, 3120, 1740, 255};
constexpr TwipRect kAutostartTwips{2280, 3120, 3960, 255};

// A full path wraps over the label's two lines like text in an edit control, also where
// it has no spaces.
constexpr DWORD kPathLabelStyle = SS_EDITCONTROL;

// ShellExecuteW reports success by a value above this one.
constexpr INT_PTR kShellExecuteLastError = 32;

}  // namespace

AboutDialog::AboutDialog(const AppState& state, DialogHost& host)
    : SettingsDialog(&host, &state.Countdown), state_(state) {}

AboutDialog::~AboutDialog() = default;

DialogFrameSpec AboutDialog::Frame() const {
    return {.className = kAboutClassName,
            .caption = TextId::AboutTitle,
            .clientWidthTwips = kClientWidthTwips,
            .clientHeightTwips = kClientHeightTwips,
            .closeOnly = true};
}

void AboutDialog::MakeControls() {
    AddCaption(kAboutVersionCaptionId, UiText(TextId::AboutVersion), kVersionCaptionTwips);
    AddLabel(kAboutVersionId, L"", kVersionTwips);
    AddCaption(kAboutFolderCaptionId, UiText(TextId::AboutFolder), kFolderCaptionTwips);
    AddLabel(kAboutFolderId, L"", kFolderTwips, kPathLabelStyle);
    AddCaption(kAboutConfigCaptionId, UiText(TextId::AboutConfig), kConfigCaptionTwips);
    AddLabel(kAboutConfigId, L"", kConfigTwips, kPathLabelStyle);
    AddButton(kAboutShowConfigId, UiText(TextId::AboutShowConfig), kShowConfigTwips,
              kDefaultOverColor);
    AddCaption(kAboutAutostartCaptionId, UiText(TextId::AboutAutostart), kAutostartCaptionTwips);
    AddLabel(kAboutAutostartId, L"", kAutostartTwips);
}

void AboutDialog::LoadValues() {
    SetChildText(kAboutVersionId, Utf8ToWide(QUORRIN_VERSION_TEXT));
    SetChildText(kAboutFolderId, Utf8ToWide(ProgramFolder().value_or("")));
    SetChildText(kAboutConfigId, Utf8ToWide(state_.General.ConfigPath));
    // Without a path (the program's folder was not found) there is nothing to show.
    EnableWindow(GetDlgItem(Handle(), kAboutShowConfigId), !state_.General.ConfigPath.empty());
    ShowAutostart();
}

void AboutDialog::ShowAutostart() {
    if (!IsOpen()) return;
    SetChildText(kAboutAutostartId, Utf8ToWide(AutostartAnswer(CurrentAutostart())));
}

void AboutDialog::OnControl(int id, int code) {
    if (id == kAboutShowConfigId && code == BN_CLICKED) ShowConfigInExplorer();
}

void AboutDialog::ShowConfigInExplorer() const {
    // "/select," opens the folder with the file selected; Explorer shows the folder alone
    // when the file is missing.
    const std::wstring arguments = L"/select,\"" + Utf8ToWide(state_.General.ConfigPath) + L"\"";
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
        Handle(), L"open", L"explorer.exe", arguments.c_str(), nullptr, SW_SHOWNORMAL));
    if (result <= kShellExecuteLastError) LogLastError(L"opening Explorer on Config.ini");
}

}  // namespace quorrin
