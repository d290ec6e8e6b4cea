#include "dialogs/about/about_dialog_win32.h"

#include "quorrin_version.h"
#include "autostart/autostart_win32.h"
#include "win32/debug_log_win32.h"
#include "win32/program_folder_win32.h"
#include "win32/wide_text_win32.h"

#include <shellapi.h>

namespace quorrin {

namespace {

// Captions on the left, their values beside them, 打开所在文件夹 under Config.ini's path; the
// controls are numbered from kAboutFirstId in this order.
constexpr ShownRow kAboutRows[] = {
    {RowKind::Text, TextId::AboutVersion},       // kAboutVersionCaptionId, kAboutVersionId
    {RowKind::Path, TextId::AboutFolder},        // kAboutFolderCaptionId, kAboutFolderId
    {RowKind::Path, TextId::AboutConfig},        // kAboutConfigCaptionId, kAboutConfigId
    {RowKind::Button, TextId::AboutShowConfig},  // kAboutShowConfigId
    {RowKind::Text, TextId::AboutAutostart},     // kAboutAutostartCaptionId, kAboutAutostartId
};

// ShellExecuteW reports success by a value above this one.
constexpr INT_PTR kShellExecuteLastError = 32;

}  // namespace

AboutDialog::AboutDialog(const AppState& state, DialogHost& host)
    : SettingsDialog(&host, &state.Countdown), state_(state), rows_(kAboutRows, kAboutFirstId) {
    UseRows(rows_);
}

AboutDialog::~AboutDialog() = default;

DialogFrameSpec AboutDialog::Frame() const {
    return {.className = kAboutClassName, .caption = TextId::AboutTitle, .closeOnly = true};
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
