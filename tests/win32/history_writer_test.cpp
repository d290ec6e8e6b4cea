// The program's History.csv writer on Windows: rows appended beside Config.ini in a folder
// with a Chinese name, a torn row from a killed writer followed by a row on a line of its own,
// the one report per run of a file that cannot be written, and what one append costs.
#include "history/history_file.h"
#include "history/history_reader.h"
#include "history/history_writer_win32.h"
#include "win32/debug_log_win32.h"
#include "win32/wide_text_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace quorrin {
namespace {

constexpr int kTimedAppends = 200;

HistoryRow Talk(int n) {
    return HistoryRow{LocalTimeNow(),
                      "年终总结, 第" + std::to_string(n) + "部分",
                      1200,
                      std::nullopt,
                      1250,
                      30,
                      50,
                      TalkEnd::ShowEnded};
}

std::vector<std::wstring> logged;
void Record(std::wstring_view line) { logged.emplace_back(line); }

class HistoryWriterTest : public ::testing::Test {
  protected:
    HistoryWriterTest() { logged.clear(); }
    ~HistoryWriterTest() override {
        DeleteFileW(Utf8ToWide(writer.Path()).c_str());
        RemoveDirectoryW(Utf8ToWide(folder_).c_str());
        ObserveDebugLog(previousLog_);
    }
    HistoryContent Read() const {
        HistoryFile file = ReadHistoryFile(SystemFilePlatform(), writer.Path());
        EXPECT_TRUE(file.status);
        return std::move(file.content);
    }
    void Truncate(size_t size) const {
        std::string bytes;
        ASSERT_TRUE(SystemFilePlatform().Read(writer.Path(), bytes));
        ASSERT_TRUE(SystemFilePlatform().WriteInPlace(writer.Path(), bytes.substr(0, size),
                                                      FlushMode::NoFlush));
    }
    // A folder of this test's own, with a Chinese name.
    static std::string MadeFolder() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        const std::string folder =
            WideToUtf8(base) + "quorrin-历史-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryW(Utf8ToWide(folder).c_str(), nullptr);
        return folder;
    }

    DebugLogObserver previousLog_ = ObserveDebugLog(&Record);
    std::string folder_ = MadeFolder();
    HistoryWriter writer{folder_};
};

TEST_F(HistoryWriterTest, RowsGoBesideConfigIniAndATornRowDoesNotSpoilTheNext) {
    EXPECT_EQ(writer.Path(), folder_ + "History.csv");
    EXPECT_FALSE(writer.Write(Talk(1), false));
    EXPECT_EQ(GetFileAttributesW(Utf8ToWide(writer.Path()).c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_FALSE(writer.Write(Talk(1), true));
    EXPECT_FALSE(writer.Write(Talk(2), true));
    const HistoryRow second = Talk(2);
    // A kill in the middle of the second row's append.
    const size_t torn = 3 + kHistoryHeader.size() + 2 + HistoryLine(Talk(1)).size() + 30;
    Truncate(torn);
    EXPECT_FALSE(writer.Write(Talk(3), true));
    const HistoryContent content = Read();
    ASSERT_EQ(content.rows.size(), 2u);
    EXPECT_EQ(content.rows[0].presentation, "年终总结, 第1部分");
    EXPECT_EQ(content.rows[1].presentation, "年终总结, 第3部分");
    EXPECT_EQ(content.skipped, 1u);
    // (The platform logs the look at a file that did not exist yet; that is no failure.)
    EXPECT_TRUE(std::none_of(logged.begin(), logged.end(), [](const std::wstring& line) {
        return line.find(L"appending a row to ") != std::wstring::npos;
    }));
}

TEST_F(HistoryWriterTest, AFileThatCannotBeWrittenIsReportedOncePerRun) {
    HistoryWriter nowhere(folder_ + "missing\\");
    EXPECT_TRUE(nowhere.Write(Talk(1), true));
    EXPECT_FALSE(nowhere.Write(Talk(2), true));
    EXPECT_FALSE(nowhere.Write(Talk(3), false));
    // Each failure is logged with the file and the system's reason.
    const auto lines = std::count_if(logged.begin(), logged.end(), [&](const std::wstring& line) {
        return line.find(L"appending a row to " + Utf8ToWide(nowhere.Path())) !=
                   std::wstring::npos &&
               line.find(L"error 3") != std::wstring::npos;
    });
    EXPECT_EQ(lines, 2);
}

// Figures, not checks: the time of one row's append under Wine, as the program writes it
// (with the flush to disk) and without the flush, which shows what the disk costs.
TEST_F(HistoryWriterTest, AppendTimePrintout) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    const auto time = [&](auto append) {
        std::vector<double> micros;
        for (int n = 0; n < kTimedAppends; ++n) {
            LARGE_INTEGER before{};
            LARGE_INTEGER after{};
            QueryPerformanceCounter(&before);
            append(n);
            QueryPerformanceCounter(&after);
            micros.push_back(1e6 * static_cast<double>(after.QuadPart - before.QuadPart) /
                             static_cast<double>(frequency.QuadPart));
        }
        std::sort(micros.begin(), micros.end());
        return std::pair(micros[micros.size() / 2], micros[micros.size() * 9 / 10]);
    };
    const auto flushed = time([&](int n) { ASSERT_FALSE(writer.Write(Talk(n), true)); });
    const auto unflushed = time([&](int n) {
        ASSERT_TRUE(
            AppendHistoryRow(SystemFilePlatform(), writer.Path(), Talk(n), FlushMode::NoFlush));
    });
    EXPECT_EQ(Read().rows.size(), static_cast<size_t>(2 * kTimedAppends));
    std::printf(
        "History.csv append under Wine (%d rows each): flushed median %.0f us, 90th "
        "percentile %.0f us; without the flush median %.0f us, 90th percentile %.0f us\n",
        kTimedAppends, flushed.first, flushed.second, unflushed.first, unflushed.second);
}

}  // namespace
}  // namespace quorrin
