// 演讲记录: the talks of History.csv, newest first (date, presentation, planned, actual, over
// or under), and a chart of the selected talk's presentation, whose runs show their trend.
// Its buttons open History.csv's folder and clear the record (after a Yes/No question);
// 关闭, Enter and Esc close it. Modeless; one at a time.
#pragma once

#include "dialogs/history/history_chart_win32.h"
#include "dialogs/kit/settings_dialog_win32.h"
#include "history/history_reader.h"

#include <commctrl.h>

#include <string>

namespace quorrin {

inline constexpr const wchar_t* kHistoryClassName = L"Quorrin.HistoryDialog";

// Control ids; the frame's caption, × and 关闭 are the kit's.
inline constexpr int kHistoryListId = 1701;
inline constexpr int kHistoryChartId = 1702;
inline constexpr int kHistoryOpenFolderId = 1703;
inline constexpr int kHistoryClearId = 1704;

class HistoryDialog final : public SettingsDialog {
  public:
    // `historyPath`: History.csv's full path (UTF-8).
    HistoryDialog(const AppState& state, DialogHost& host, std::string historyPath);
    ~HistoryDialog() override;

    // What the dialog shows: the rows read (oldest first) and the chart's runs.
    const HistoryContent& Content() const { return content_; }
    const HistoryChart& Chart() const { return chart_; }

  private:
    DialogFrameSpec Frame() const override;
    void MakeControls() override;
    void LoadValues() override;
    void OnControl(int id, int code) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void FillList();
    // The row that list item `item` shows (null: none).
    const HistoryRow* RowOfItem(int item) const;
    void GiveCellText(NMLVDISPINFOW& request);
    // The chart shows the presentation of the list's selected talk.
    void FollowSelection();
    void ShowFileInExplorer() const;
    void ClearAfterQuestion();

    std::string path_;
    HistoryContent content_;
    HistoryChart chart_;
    std::wstring cellText_;
};

}  // namespace quorrin
