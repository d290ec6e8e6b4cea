#include "dialogs/history/history_dialog_win32.h"

#include "dialogs/history/talk_list.h"
#include "dialogs/kit/stacked_layout.h"
#include "win32/debug_log_win32.h"
#include "win32/ui_text_win32.h"
#include "win32/wide_text_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <utility>

namespace quorrin {

namespace {

// The list and the chart, each across the dialog, and the two buttons under them.
constexpr int32_t kListWidthTwips = 7800;
constexpr int32_t kListHeightTwips = 2700;
constexpr int32_t kChartHeightTwips = 2100;
constexpr int32_t kButtonWidthTwips = 2100;
constexpr int32_t kButtonHeightTwips = 420;
constexpr size_t kListRow = 0;
constexpr size_t kChartRow = 1;
constexpr size_t kButtonsRow = 2;
constexpr int32_t kColumnCount = 5;
// The columns' widths in twips, in the order of their headings below.
constexpr std::array<int32_t, kColumnCount> kColumnTwips{1800, 2300, 1100, 1100, 1300};
constexpr std::array<TextId, kColumnCount> kColumnHeadings{
    TextId::HistoryDate, TextId::HistoryPresentation, TextId::HistoryPlanned, TextId::HistoryActual,
    TextId::HistoryOverUnder};
// ShellExecuteW reports success by a value above this one.
constexpr INT_PTR kShellExecuteLastError = 32;

StackedLayout HistoryLayout() {
    const std::array<StackedRow, 3> rows{{
        {{PartSize{kListWidthTwips, kListHeightTwips}}, true},
        {{PartSize{kListWidthTwips, kChartHeightTwips}}, true},
        {{PartSize{kButtonWidthTwips, kButtonHeightTwips},
          PartSize{kButtonWidthTwips, kButtonHeightTwips}}},
    }};
    return StackRows(rows, DialogRowsFrame());
}

}  // namespace

HistoryDialog::HistoryDialog(const AppState& state, DialogHost& host, std::string historyPath)
    : SettingsDialog(&host, &state.Countdown), path_(std::move(historyPath)) {}

HistoryDialog::~HistoryDialog() = default;

DialogFrameSpec HistoryDialog::Frame() const {
    const StackedLayout layout = HistoryLayout();
    return {.className = kHistoryClassName,
            .caption = TextId::HistoryTitle,
            .clientWidthTwips = layout.clientWidth,
            .clientHeightTwips = layout.clientHeight,
            .closeOnly = true};
}

void HistoryDialog::MakeControls() {
    const INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    const StackedLayout layout = HistoryLayout();
    const HWND list = AddControl(kHistoryListId, WC_LISTVIEWW, L"",
                                 WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_OWNERDATA |
                                     LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                                 layout.places[kListRow][kRowCaption]);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    for (int column = 0; column < kColumnCount; ++column) {
        std::wstring heading = UiText(kColumnHeadings[column]);
        LVCOLUMNW listColumn{};
        listColumn.mask = LVCF_TEXT | LVCF_WIDTH;
        listColumn.pszText = heading.data();
        listColumn.cx = Pixels(kColumnTwips[column]);
        ListView_InsertColumn(list, column, &listColumn);
    }
    if (chart_.Create(Instance(), Handle(), kHistoryChartId, DialogFont())) {
        PlaceChild(chart_.Handle(), layout.places[kChartRow][kRowCaption]);
    }
    AddButton(kHistoryOpenFolderId, UiText(TextId::HistoryOpenFolder),
              layout.places[kButtonsRow][kRowCaption], kDefaultOverColor);
    AddButton(kHistoryClearId, UiText(TextId::HistoryClear), layout.places[kButtonsRow][kRowField],
              kDefaultOverColor);
}

void HistoryDialog::LoadValues() {
    HistoryFile file = ReadHistoryFile(SystemFilePlatform(), path_);
    if (!file.status) LogDebug(L"History.csv could not be read", Utf8ToWide(path_));
    content_ = std::move(file.content);
    if (content_.skipped > 0) {
        LogDebug(L"History.csv: records skipped", std::to_wstring(content_.skipped));
    }
    FillList();
    // The list has the focus first: the arrows move through the talks at once.
    SetFocus(GetDlgItem(Handle(), kHistoryListId));
}

void HistoryDialog::FillList() {
    const HWND list = GetDlgItem(Handle(), kHistoryListId);
    // The list asks for each shown cell's text (LVN_GETDISPINFO), so 5,000 talks open as
    // fast as ten.
    const size_t count = content_.rows.size();
    ListView_SetItemCountEx(list, static_cast<int>(count), 0);
    if (count > 0) {
        ListView_SetItemState(list, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    EnableWindow(GetDlgItem(Handle(), kHistoryClearId), count > 0);
    FollowSelection();
}

const HistoryRow* HistoryDialog::RowOfItem(int item) const {
    const size_t count = content_.rows.size();
    if (item < 0 || static_cast<size_t>(item) >= count) return nullptr;
    // Newest first: item 0 is the last row.
    return &content_.rows[count - 1 - static_cast<size_t>(item)];
}

void HistoryDialog::GiveCellText(NMLVDISPINFOW& request) {
    const HistoryRow* row = RowOfItem(request.item.iItem);
    if (row == nullptr || (request.item.mask & LVIF_TEXT) == 0) return;
    switch (request.item.iSubItem) {
        case 0:
            cellText_ = Utf8ToWide(ListDateText(row->start));
            break;
        case 1:
            // The shared timing's name is kept the same in every language, shown in the
            // user's.
            cellText_ = row->presentation == kAllPresentationsLabel
                            ? UiText(TextId::AllPresentations)
                            : Utf8ToWide(row->presentation);
            break;
        case 2:
            cellText_ = Utf8ToWide(DurationText(row->plannedSeconds));
            break;
        case 3:
            cellText_ = Utf8ToWide(DurationText(row->actualSeconds));
            break;
        default:
            cellText_ = Utf8ToWide(OverUnderText(SecondsOverPlan(*row)));
            break;
    }
    lstrcpynW(request.item.pszText, cellText_.c_str(), request.item.cchTextMax);
}

void HistoryDialog::FollowSelection() {
    const HWND list = GetDlgItem(Handle(), kHistoryListId);
    const int item = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    std::vector<HistoryRow> runs;
    if (const HistoryRow* selected = RowOfItem(item)) {
        for (const size_t run : RunsOf(content_.rows, selected->presentation)) {
            runs.push_back(content_.rows[run]);
        }
    }
    chart_.Show(std::move(runs));
}

LRESULT HistoryDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != kHistoryListId) return 0;
        if (header->code == LVN_GETDISPINFOW) {
            GiveCellText(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
        } else if (header->code == LVN_ITEMCHANGED || header->code == LVN_ODSTATECHANGED) {
            FollowSelection();
        }
        return 0;
    }
    return SettingsDialog::HandleMessage(message, wParam, lParam);
}

void HistoryDialog::OnControl(int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == kHistoryOpenFolderId) ShowFileInExplorer();
    if (id == kHistoryClearId) ClearAfterQuestion();
}

void HistoryDialog::ShowFileInExplorer() const {
    // "/select," opens the folder with the file selected, or the folder alone without it.
    const std::wstring arguments = L"/select,\"" + Utf8ToWide(path_) + L"\"";
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
        Handle(), L"open", L"explorer.exe", arguments.c_str(), nullptr, SW_SHOWNORMAL));
    if (result <= kShellExecuteLastError) LogLastError(L"opening Explorer on History.csv");
}

void HistoryDialog::ClearAfterQuestion() {
    const std::function<bool()> stillOpen = OpenCheck();
    const int answer = MessageBoxW(Handle(), UiText(TextId::HistoryClearQuestion).c_str(),
                                   UiText(TextId::HistoryTitle).c_str(),
                                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (!stillOpen() || answer != IDYES) return;
    // Removing the file clears the record at once; the next talk starts a new one.
    if (DeleteFileW(Utf8ToWide(path_).c_str()) == FALSE && GetLastError() != ERROR_FILE_NOT_FOUND) {
        LogLastError(L"DeleteFileW History.csv");
    }
    LoadValues();
}

}  // namespace quorrin
