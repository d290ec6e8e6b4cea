#include "dialogs/timing/timing_entry_dialog_win32.h"

#include "dialogs/common/pickers_win32.h"
#include "dialogs/timing/timing_rows.h"
#include "win32/message_box_win32.h"
#include "win32/ui_text_win32.h"
#include "win32/wide_text_win32.h"

#include <algorithm>

namespace quorrin {

namespace {

// The dialog's design, in twips (left, top, width, height) on a 5310 x 3945 client area.
constexpr int32_t kClientWidthTwips = 5310;
constexpr int32_t kClientHeightTwips = 3945;
constexpr TwipRect kDurationCaptionTwips{960, 960, 795, 255};
// The time fields are as wide as the field makes them (1200) and one line of their bold
// digits high.
constexpr TwipRect kDurationTwips{1800, 840, 1200, 375};
constexpr TwipRect kWarningCaptionTwips{960, 1440, 2700, 255};
constexpr TwipRect kWarningTwips{1800, 1320, 1200, 375};
constexpr TwipRect kFlushTwips{960, 1920, 2775, 255};
constexpr TwipRect kCloseShowTwips{960, 2280, 3495, 255};
constexpr TwipRect kFileCaptionTwips{960, 2760, 795, 255};
constexpr TwipRect kFileLabelTwips{1800, 2760, 2460, 255};
constexpr TwipRect kBrowseTwips{4320, 2640, 735, 375};
// The fields' text: 10-point bold.
constexpr int32_t kTimeFontTwips = 200;

// The warning caption's start and end round the field, at least this many spaces apart.
constexpr int kWarningCaptionSpaces = 16;
constexpr int kWarningCaptionGapPixels = 4;  // at 96 dpi

// The warning caption before it is fitted round the field.
std::wstring WarningCaption(int spaces) {
    return UiText(TextId::EditWarningStart) + std::wstring(static_cast<size_t>(spaces), L' ') +
           UiText(TextId::EditWarningEnd);
}

}  // namespace

TimingEntryDialog::~TimingEntryDialog() {
    if (owner_ != nullptr) EnableWindow(owner_, TRUE);
}

std::optional<PresentationSlot> TimingEntryDialog::Run(HINSTANCE instance, HWND owner,
                                                       const EditTimeRequest& request) {
    TimingEntryDialog dialog;
    if (!dialog.Open(instance, owner, request)) return std::nullopt;
    MSG message{};
    while (dialog.IsOpen()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: leave the quit for the main loop.
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (RouteDialogMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return dialog.result_;
}

bool TimingEntryDialog::Open(HINSTANCE instance, HWND owner, const EditTimeRequest& request) {
    request_ = request;
    owner_ = owner;
    if (!SettingsDialog::Open(instance)) return false;
    // Modal: the owner takes no input until the editor has gone.
    if (owner_ != nullptr) EnableWindow(owner_, FALSE);
    return true;
}

DialogFrameSpec TimingEntryDialog::Frame() const {
    return {.className = kTimingEntryClassName,
            .caption = TextId::EditTitle,
            .clientWidthTwips = kClientWidthTwips,
            .clientHeightTwips = kClientHeightTwips,
            .owner = owner_,
            .closeLeftTwips = 4560,
            .closeTopTwips = 165,
            .buttonsTopTwips = 3240,
            .saveLeftTwips = 2520,
            .cancelLeftTwips = 3840};
}

void TimingEntryDialog::MakeControls() {
    const HFONT timeFont = AddFont(nullptr, kTimeFontTwips, FW_BOLD);
    const DWORD editStyle = WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
    duration_.Attach(AddControl(kTimingEntryDurationId, L"EDIT", L"", editStyle, kDurationTwips),
                     timeFont);
    warning_.Attach(AddControl(kTimingEntryWarningId, L"EDIT", L"", editStyle, kWarningTwips),
                    timeFont);
    AddCaption(kTimingEntryDurationCaptionId, UiText(TextId::EditDuration), kDurationCaptionTwips);
    AddCaption(kTimingEntryWarningCaptionId, WarningCaption(kWarningCaptionSpaces),
               kWarningCaptionTwips);
    FitWarningCaption();
    AddCheckBox(kTimingEntryFlushId, UiText(TextId::EditFlush), kFlushTwips);
    AddCheckBox(kTimingEntryCloseShowId, UiText(TextId::EditCloseShow), kCloseShowTwips);
    AddCaption(kTimingEntryFileCaptionId, UiText(TextId::EditFile), kFileCaptionTwips);
    AddLabel(kTimingEntryFileLabelId, L"", kFileLabelTwips, SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS);
    if (ImageButton* browse = AddButton(kTimingEntryBrowseId, UiText(TextId::Browse), kBrowseTwips,
                                        kDefaultOverColor)) {
        // The shared timing's name is a label, not a file.
        browse->SetEnabled(request_.individual);
    }
}

// "剩余时间", spaces, "时提醒" round the warning field, which sits in the gap: as many
// spaces as it takes in the dialog font for the end to start behind the field.
void TimingEntryDialog::FitWarningCaption() {
    const HWND caption = GetDlgItem(Handle(), kTimingEntryWarningCaptionId);
    const HWND field = GetDlgItem(Handle(), kTimingEntryWarningId);
    if (caption == nullptr || field == nullptr) return;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(caption, WM_GETFONT, 0, 0));
    const int space = static_cast<int>(TextPixels(font, L" ").cx);
    if (space <= 0) return;
    RECT label{};
    RECT box{};
    GetWindowRect(caption, &label);
    GetWindowRect(field, &box);
    const int gap = box.right + ScalePixels(kWarningCaptionGapPixels, Dpi()) - label.left -
                    static_cast<int>(TextPixels(font, UiText(TextId::EditWarningStart)).cx);
    const int spaces = std::max(kWarningCaptionSpaces, (gap + space - 1) / space);
    const std::wstring text = WarningCaption(spaces);
    SetWindowTextW(caption, text.c_str());
    // The field lies over the caption: the caption must never paint over it.
    SetWindowLongPtrW(caption, GWL_STYLE, GetWindowLongPtrW(caption, GWL_STYLE) | WS_CLIPSIBLINGS);
    // (At the bottom of the order, where it leaves the Tab order of the rest as it was.)
    SetWindowPos(caption, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const SIZE size = TextPixels(font, text);
    SetWindowPos(caption, nullptr, 0, 0, std::max<int>(size.cx, label.right - label.left),
                 label.bottom - label.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TimingEntryDialog::LoadRow() {
    const PresentationSlot& row = request_.row;
    duration_.ShowSeconds(row.TimeCnt);
    warning_.ShowSeconds(row.TimeWarning);
    CheckDlgButton(Handle(), kTimingEntryFlushId, row.Flush ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Handle(), kTimingEntryCloseShowId, row.Close ? BST_CHECKED : BST_UNCHECKED);
    SetChildText(kTimingEntryFileLabelId,
                 Utf8ToWide(PresentationNameToShow(row.File, !request_.individual)));
}

LRESULT TimingEntryDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CTLCOLOREDIT:
            return OnEditColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        default:
            return SettingsDialog::HandleMessage(message, wParam, lParam);
    }
}

LRESULT TimingEntryDialog::OnEditColor(HDC dc, HWND box) {
    if (box == duration_.Box()) return duration_.ControlColor(dc);
    if (box == warning_.Box()) return warning_.ControlColor(dc);
    return SettingsDialog::HandleMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                         reinterpret_cast<LPARAM>(box));
}

void TimingEntryDialog::OnControl(int id, int code) {
    if (id == kTimingEntryBrowseId && code == BN_CLICKED) Browse();
}

void TimingEntryDialog::Browse() {
    if (!request_.individual) return;
    const auto stillOpen = OpenCheck();
    const std::string picked =
        PickOpenFile(PresentationFilter(), Text(TextId::PresentationPickerTitle), Handle());
    if (!stillOpen() || picked.empty()) return;
    const std::string name = PresentationBaseName(picked);
    if (const auto listed = FindNameClash(name, request_.names)) {
        Tell(NameClashMessage(name, *listed));
        return;
    }
    if (!NameStorableInSettings(name)) {
        Tell(NameNotStorableMessage(picked));
        return;
    }
    SetChildText(kTimingEntryFileLabelId, Utf8ToWide(name));
}

bool TimingEntryDialog::Save() {
    const std::string file = PresentationNameFromShown(
        WideToUtf8(ChildText(kTimingEntryFileLabelId)), !request_.individual);
    if (file.empty()) {
        Tell(Text(TextId::EditNoFile));
        return false;
    }
    const std::optional<int32_t> duration = duration_.Seconds();
    const std::optional<int32_t> warning = warning_.Seconds();
    if (!duration || !warning) {
        Tell(Text(TextId::EditBadTime));
        return false;
    }
    PresentationSlot row;
    row.TimeCnt = *duration;
    row.TimeWarning = *warning;
    row.Flush = IsDlgButtonChecked(Handle(), kTimingEntryFlushId) == BST_CHECKED;
    row.Close = IsDlgButtonChecked(Handle(), kTimingEntryCloseShowId) == BST_CHECKED;
    row.File = file;
    result_ = row;
    return true;
}

void TimingEntryDialog::OnClosing() {
    // The owner comes back before this window goes, so that it, and not some other
    // program, gets the activation.
    if (owner_ != nullptr) {
        EnableWindow(owner_, TRUE);
        SetActiveWindow(owner_);
        owner_ = nullptr;
    }
}

void TimingEntryDialog::Tell(std::string_view messageUtf8) { ShowMessage(Handle(), messageUtf8); }

}  // namespace quorrin
