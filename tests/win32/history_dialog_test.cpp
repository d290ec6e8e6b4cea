// 演讲记录 over a prepared History.csv: the talks newest first, the chart following the
// selection, clearing after the question, and the layout in both languages at every scale.
#include "dialogs/history/history_dialog_win32.h"

#include "history/history_file.h"
#include "win32/wide_text_win32.h"

#include "common_dialog_driver_win32.h"
#include "dialog_layout_check_win32.h"
#include "fake_dialog_host_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

namespace quorrin {
namespace {

HistoryRow Talk(int day, std::string presentation, int32_t actual) {
    return HistoryRow{
        {2026, 3, day, 9, 0, 0},           std::move(presentation), 1200, std::nullopt, actual, 0,
        actual > 1200 ? actual - 1200 : 0, TalkEnd::ShowEnded};
}

class HistoryDialogTest : public ::testing::Test {
  protected:
    HistoryDialogTest() {
        for (const HistoryRow& row :
             {Talk(1, "答辩.pptx", 1390), Talk(2, "Keynote", 900), Talk(3, "答辩.pptx", 1150)}) {
            EXPECT_TRUE(AppendHistoryRow(SystemFilePlatform(), path_, row, FlushMode::NoFlush));
        }
        // A torn row from a kill: skipped, never shown.
        std::string bytes;
        EXPECT_TRUE(SystemFilePlatform().Read(path_, bytes));
        EXPECT_TRUE(SystemFilePlatform().WriteInPlace(path_, bytes + "2026-03-04 09:00:00,torn",
                                                      FlushMode::NoFlush));
    }
    ~HistoryDialogTest() override {
        dialog_.Close();
        DeleteFileW(Utf8ToWide(path_).c_str());
    }
    HWND OpenDialog() {
        EXPECT_TRUE(dialog_.Open(GetModuleHandleW(nullptr)));
        return dialog_.Handle();
    }
    HWND List() const { return GetDlgItem(dialog_.Handle(), kHistoryListId); }
    std::wstring Cell(int item, int column) const {
        wchar_t text[128] = {};
        ListView_GetItemText(List(), item, column, text, 128);
        return text;
    }
    std::vector<std::string> ChartNames() const {
        std::vector<std::string> names;
        for (const HistoryRow& run : dialog_.Chart().Runs()) names.push_back(run.presentation);
        return names;
    }

    // A file of this test's own, with a Chinese name.
    static std::string TempPath() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        return WideToUtf8(base) + "quorrin-记录-" + std::to_string(GetCurrentProcessId()) + ".csv";
    }

    std::string path_ = TempPath();
    AppState state_;
    testing::FakeDialogHost host_;
    HistoryDialog dialog_{state_, host_, path_};
};

TEST_F(HistoryDialogTest, ListsTheTalksNewestFirstAndTheChartFollowsTheSelection) {
    OpenDialog();
    ASSERT_EQ(ListView_GetItemCount(List()), 3);
    EXPECT_EQ(dialog_.Content().skipped, 1u);
    EXPECT_EQ(Cell(0, 0), L"2026-03-03 09:00");
    EXPECT_EQ(Cell(0, 4),
              L"\x2212"
              L"00:50");
    EXPECT_EQ(Cell(1, 1), L"Keynote");
    EXPECT_EQ(Cell(2, 3), L"00:23:10");
    EXPECT_EQ(Cell(2, 4), L"+03:10");
    // The newest talk is selected: the chart holds its presentation's runs, oldest first.
    EXPECT_EQ(ChartNames(), (std::vector<std::string>{"答辩.pptx", "答辩.pptx"}));
    EXPECT_EQ(dialog_.Chart().Runs().front().actualSeconds, 1390);
    EXPECT_EQ(GetFocus(), List());
    // An arrow key moves the selection, and the chart with it.
    SendMessageW(List(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(ChartNames(), (std::vector<std::string>{"Keynote"}));
}

TEST_F(HistoryDialogTest, ClearingEmptiesTheRecordOnlyAfterYes) {
    OpenDialog();
    {
        testing::CommonDialogDriver no(IDNO,
                                       [](HWND box) { PostMessageW(box, WM_COMMAND, IDNO, 0); });
        SendMessageW(dialog_.Handle(), WM_COMMAND, MAKEWPARAM(kHistoryClearId, BN_CLICKED), 0);
        EXPECT_TRUE(no.Acted());
    }
    EXPECT_EQ(ListView_GetItemCount(List()), 3);
    EXPECT_NE(GetFileAttributesW(Utf8ToWide(path_).c_str()), INVALID_FILE_ATTRIBUTES);
    {
        testing::CommonDialogDriver yes(IDYES,
                                        [](HWND box) { PostMessageW(box, WM_COMMAND, IDYES, 0); });
        SendMessageW(dialog_.Handle(), WM_COMMAND, MAKEWPARAM(kHistoryClearId, BN_CLICKED), 0);
        EXPECT_TRUE(yes.Acted());
    }
    EXPECT_EQ(ListView_GetItemCount(List()), 0);
    EXPECT_TRUE(dialog_.Chart().Runs().empty());
    EXPECT_EQ(GetFileAttributesW(Utf8ToWide(path_).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog_.Handle(), kHistoryClearId)));
}

TEST_F(HistoryDialogTest, LaidOutInBothLanguagesAtAnyScale) {
    for (const Language language : testing::kDialogTestLanguages) {
        const testing::LanguageScope speaking(language);
        const HWND dialog = OpenDialog();
        for (const int dpi : testing::kDialogTestDpis) {
            testing::LayOutAtDpi(dialog, dpi);
            EXPECT_EQ(testing::LayoutFaults(dialog, dpi), std::vector<std::wstring>{})
                << testing::LanguageName(language) << " " << dpi;
        }
        dialog_.Close();
    }
}

}  // namespace
}  // namespace quorrin
