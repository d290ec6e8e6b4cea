#include "dialogs/timing/timing_dialog_win32.h"

#include "dialogs/timing/timing_entry_dialog_win32.h"
#include "dialogs/timing/timing_rows.h"
#include "win32/ui_text_win32.h"
#include "win32/wide_text_win32.h"

#include <vector>

namespace quorrin {

namespace {

// The dialog's design, in twips (left, top, width, height) on a 7875 x 4620 client area.
constexpr int32_t kClientWidthTwips = 7875;
constexpr int32_t kClientHeightTwips = 4620;
// Designed 375 high, the first option button covered a pixel of the second.
constexpr TwipRect kSameModeTwips{480, 1080, 1575, 360};
constexpr TwipRect kIndividualTwips{480, 1440, 1575, 375};
// The buttons sit right of the option buttons and beside each other (designed at 1920, 2640
// and 3720, each covered 9 pixels of its left neighbour).
constexpr TwipRect kAddTwips{2100, 960, 855, 735};
constexpr TwipRect kDeleteTwips{3000, 960, 855, 735};
constexpr TwipRect kClearTwips{4080, 960, 855, 735};
// The caption sits over its drop-down list, which reaches further left than designed
// (5880, 1575 wide): in a Chinese UI face neither the caption beside it nor "从上一断点计时"
// in it fits the designed room.
constexpr TwipRect kResumeCaptionTwips{5700, 1170, 1755, 255};
// A drop-down list's height includes its open list: room for both choices.
constexpr TwipRect kResumeTwips{5700, 1440, 1755, 1200};
constexpr TwipRect kHeaderTwips{600, 1920, 6300, 240};
constexpr TwipRect kListTwips{360, 2160, 7095, 1530};

// The list's font: 宋体, 10.5 points.
constexpr const wchar_t* kListFace = L"宋体";
constexpr int32_t kListFontTwips = 210;

constexpr int32_t kAddStyle = 2;     // the plus icon
constexpr int32_t kDeleteStyle = 4;  // the cross
constexpr int32_t kClearStyle = 1;   // the wastebasket
constexpr int32_t kClearOverColor = 3;

// A list box draws an item's text one pixel in from its client edge.
constexpr int kListTextIndentPixels = 1;  // at 96 dpi
// LB_SETTABSTOPS counts in quarters of the list font's average character width.
constexpr int kTabUnitsPerCharacter = 4;
constexpr const wchar_t* kAverageWidthSample =
    L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// Where each column heading after the first starts in the header text: the index of the
// first character after each run of spaces.
std::vector<size_t> HeadingStarts(const std::wstring& header) {
    std::vector<size_t> starts;
    for (size_t i = 1; i < header.size(); ++i) {
        if (header[i] != L' ' && header[i - 1] == L' ') starts.push_back(i);
    }
    return starts;
}

void AddListRow(HWND list, const std::string& text) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(text).c_str()));
}

}  // namespace

TimingDialog::TimingDialog(AppState& state, ConfigFile& config, DialogHost& host)
    : SettingsDialog(&host, nullptr), state_(state), config_(config) {}

TimingDialog::~TimingDialog() = default;

DialogFrameSpec TimingDialog::Frame() const {
    return {.className = kTimingDialogClassName,
            .caption = TextId::TimingTitle,
            .clientWidthTwips = kClientWidthTwips,
            .clientHeightTwips = kClientHeightTwips,
            .closeLeftTwips = 6960,
            .closeTopTwips = 165,
            .buttonsTopTwips = 3960,
            .saveLeftTwips = 4920,
            .cancelLeftTwips = 6240};
}

void TimingDialog::MakeControls() {
    AddControl(kTimingDialogSameModeId, L"BUTTON", UiText(TextId::TimingSameMode),
               WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, kSameModeTwips);
    AddControl(kTimingDialogIndividualId, L"BUTTON", UiText(TextId::TimingIndividual),
               BS_AUTORADIOBUTTON, kIndividualTwips);
    add_ = AddButton(kTimingDialogAddId, UiText(TextId::TimingAdd), kAddTwips, kDefaultOverColor);
    delete_ = AddButton(kTimingDialogDeleteId, UiText(TextId::TimingDelete), kDeleteTwips,
                        kDefaultOverColor);
    clear_ =
        AddButton(kTimingDialogClearId, UiText(TextId::TimingClear), kClearTwips, kClearOverColor);
    if (add_ != nullptr) add_->SetStyle(kAddStyle);
    if (delete_ != nullptr) delete_->SetStyle(kDeleteStyle);
    if (clear_ != nullptr) clear_->SetStyle(kClearStyle);
    AddCaption(kTimingDialogResumeCaptionId, UiText(TextId::TimingResumeCaption),
               kResumeCaptionTwips);
    AddDropDownList(kTimingDialogResumeId, kResumeTwips);
    AddCaption(kTimingDialogHeaderId, UiText(TextId::TimingHeader), kHeaderTwips);
    if (const HWND list = AddControl(kTimingDialogListId, L"LISTBOX", L"",
                                     WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY |
                                         LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT,
                                     kListTwips)) {
        if (const HFONT font = AddFont(kListFace, kListFontTwips, FW_NORMAL)) {
            SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
    }
    SetTabStops();
}

// The list's columns start under their headings: each tab stop lies where its heading
// starts in the header above, measured in the fonts the two actually use.
void TimingDialog::SetTabStops() {
    const HWND header = GetDlgItem(Handle(), kTimingDialogHeaderId);
    const HWND list = GetDlgItem(Handle(), kTimingDialogListId);
    if (header == nullptr || list == nullptr) return;
    const auto headerFont = reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0));
    const auto listFont = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    POINT headerOrigin{0, 0};
    POINT listOrigin{ScalePixels(kListTextIndentPixels, Dpi()), 0};
    MapWindowPoints(header, Handle(), &headerOrigin, 1);
    MapWindowPoints(list, Handle(), &listOrigin, 1);
    const int sample = static_cast<int>(TextPixels(listFont, kAverageWidthSample).cx);
    const int averageWidth = (sample / 26 + 1) / 2;
    if (averageWidth <= 0) return;
    const std::wstring text = UiText(TextId::TimingHeader);
    std::vector<INT> stops;
    for (const size_t start : HeadingStarts(text)) {
        const int x = headerOrigin.x +
                      static_cast<int>(TextPixels(headerFont, text.substr(0, start)).cx) -
                      listOrigin.x;
        stops.push_back(MulDiv(x, kTabUnitsPerCharacter, averageWidth));
    }
    SendMessageW(list, LB_SETTABSTOPS, stops.size(), reinterpret_cast<LPARAM>(stops.data()));
}

void TimingDialog::LoadValues() {
    const HWND resume = GetDlgItem(Handle(), kTimingDialogResumeId);
    for (const TextId choice : {TextId::TimingResetChoice, TextId::TimingResumeChoice}) {
        SendMessageW(resume, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(UiText(choice).c_str()));
    }
    SendMessageW(resume, CB_SETCURSEL, state_.General.ResetTime ? 0 : 1, 0);
    const bool individual = !state_.General.SameMode;
    CheckRadioButton(Handle(), kTimingDialogSameModeId, kTimingDialogIndividualId,
                     individual ? kTimingDialogIndividualId : kTimingDialogSameModeId);
    FillTimingList(individual);
}

bool TimingDialog::Individual() const {
    return IsDlgButtonChecked(Handle(), kTimingDialogIndividualId) == BST_CHECKED;
}

void TimingDialog::FillTimingList(bool individual) {
    individual_ = individual;
    list_.Fill(state_, individual);
    ShowRows(-1);
}

void TimingDialog::ShowRows(int selected) {
    const HWND list = GetDlgItem(Handle(), kTimingDialogListId);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const TimingListRow& row : list_.Rows())
        AddListRow(list, TimingRowText(row.timing, !individual_));
    if (selected >= static_cast<int>(list_.Rows().size())) selected = -1;
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdateRowButtons();
}

void TimingDialog::UpdateRowButtons() {
    if (add_ != nullptr) {
        add_->SetEnabled(individual_ && list_.CanAdd());
        add_->SetToolTip(individual_ && !list_.CanAdd() ? UiText(TextId::TimingListFull) : L"");
    }
    if (delete_ != nullptr) delete_->SetEnabled(individual_);
    if (clear_ != nullptr) clear_->SetEnabled(individual_);
}

int TimingDialog::SelectedRow() const {
    return static_cast<int>(
        SendDlgItemMessageW(Handle(), kTimingDialogListId, LB_GETCURSEL, 0, 0));  // LB_ERR: none
}

void TimingDialog::OnControl(int id, int code) {
    if (id == kTimingDialogListId) {
        if (code == LBN_DBLCLK) EditRow(false);
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case kTimingDialogSameModeId:
        case kTimingDialogIndividualId:
            // Only a change of mode rebuilds the list (and drops unsaved changes).
            if (Individual() != individual_) FillTimingList(Individual());
            break;
        case kTimingDialogAddId:
            EditRow(true);
            break;
        case kTimingDialogDeleteId:
            DeleteRow();
            break;
        case kTimingDialogClearId:
            ClearRows();
            break;
        default:
            break;
    }
}

void TimingDialog::EditRow(bool newRow) {
    const int selected = SelectedRow();
    if (newRow ? !(individual_ && list_.CanAdd()) : selected < 0) return;
    EditTimeRequest request;
    if (!newRow) request.row = list_.Rows()[static_cast<size_t>(selected)].timing;
    request.individual = individual_;
    request.names = list_.Names();

    const auto stillOpen = OpenCheck();
    const std::optional<PresentationSlot> row =
        TimingEntryDialog::Run(Instance(), Handle(), request);
    if (!stillOpen() || !row) return;
    if (newRow) {
        list_.Add(*row);
        ShowRows(static_cast<int>(list_.Rows().size()) - 1);
    } else {
        list_.Replace(static_cast<size_t>(selected), *row);
        ShowRows(selected);
    }
}

void TimingDialog::DeleteRow() {
    const int selected = SelectedRow();
    if (selected < 0) return;
    list_.Remove(static_cast<size_t>(selected));
    ShowRows(-1);
}

void TimingDialog::ClearRows() {
    list_.Clear();
    ShowRows(-1);
}

bool TimingDialog::Save() {
    const bool resetTime =
        SendDlgItemMessageW(Handle(), kTimingDialogResumeId, CB_GETCURSEL, 0, 0) == 0;
    const TimingSave save = PlanTimingSave(state_, resetTime, !Individual(), list_);
    // On failure nothing was stored: the dialog stays open with everything as entered.
    return Saved(config_, StoreTimingSave(state_, config_, save));
}

void TimingDialog::OnClosing() { add_ = delete_ = clear_ = nullptr; }

}  // namespace quorrin
