// Writing History.csv: the first row, a row torn by a kill at any byte, the cap on the rows
// (whose rewrite a killed writer must not spoil), and a file a spreadsheet saved again.
#include "history/history_file.h"
#include "history/history_reader.h"
#include "settings/file_encoding.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <chrono>
#include <random>

namespace quorrin {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr std::string_view kBom = "\xEF\xBB\xBF";

HistoryRow Talk(int n) {
    return HistoryRow{
        {2026, 12, 8, 10, 0, 0}, "talk, no. " + std::to_string(n), 1200, 300, 900 + n, 0, 0,
        TalkEnd::ShowEnded};
}

std::vector<HistoryRow> Talks(int first, int count) {
    std::vector<HistoryRow> rows;
    for (int n = first; n < first + count; ++n) rows.push_back(Talk(n));
    return rows;
}

std::string FileOf(const std::vector<HistoryRow>& rows) {
    std::string text = std::string(kBom) + std::string(kHistoryHeader) + "\r\n";
    for (const HistoryRow& row : rows) text += HistoryLine(row);
    return text;
}

struct HistoryFileTest : ::testing::Test {
    TempFolder folder;
    std::string path = HistoryPathIn(folder.File(""));

    void Append(const HistoryRow& row) {
        ASSERT_TRUE(AppendHistoryRow(SystemFilePlatform(), path, row, FlushMode::NoFlush));
    }
    HistoryContent Read() {
        HistoryFile file = ReadHistoryFile(SystemFilePlatform(), path);
        EXPECT_TRUE(file.status);
        return std::move(file.content);
    }
};

TEST_F(HistoryFileTest, TheFirstRowComesAfterTheMarkAndTheHeaderAndTheNextAfterIt) {
    Append(Talk(1));
    Append(Talk(2));
    EXPECT_EQ(ReadBytes(path), FileOf(Talks(1, 2)));
    WriteBytes(path, std::string(kBom));  // emptied by hand in an editor that keeps the mark
    Append(Talk(3));
    EXPECT_EQ(ReadBytes(path), FileOf(Talks(3, 1)));
}

// Wherever a kill cuts the last row, the rows before it read as they were, the torn one is
// skipped (or read, when only its line break is missing), and the next row starts a line.
TEST_F(HistoryFileTest, ARowTornAtAnyByteSpoilsNothingBeforeOrAfterIt) {
    const std::string whole = FileOf(Talks(1, 3));
    const size_t lastRow = whole.size() - HistoryLine(Talk(3)).size();
    for (size_t cut = lastRow + 1; cut < whole.size(); ++cut) {
        WriteBytes(path, whole.substr(0, cut));
        const bool fieldsWhole = cut >= whole.size() - 2;
        const std::vector<HistoryRow> before = Talks(1, fieldsWhole ? 3 : 2);
        HistoryContent content = Read();
        EXPECT_EQ(content.rows, before) << cut;
        EXPECT_EQ(content.skipped, fieldsWhole ? 0u : 1u) << cut;

        Append(Talk(9));
        content = Read();
        std::vector<HistoryRow> after = before;
        after.push_back(Talk(9));
        EXPECT_EQ(content.rows, after) << cut;
        EXPECT_EQ(content.skipped, fieldsWhole ? 0u : 1u) << cut;
        const std::string bytes = ReadBytes(path);
        EXPECT_EQ(bytes.substr(0, cut), whole.substr(0, cut));  // appended, never rewritten
        EXPECT_TRUE(bytes.ends_with("\n" + HistoryLine(Talk(9))) ||
                    bytes.ends_with("\r" + HistoryLine(Talk(9))))
            << cut;
    }
}

TEST_F(HistoryFileTest, AtTheCapTheOldestRowGoesAndTheHeaderStays) {
    const std::string under = FileOf(Talks(0, kMaxHistoryRows - 2));
    WriteBytes(path, under);
    Append(Talk(-1));
    EXPECT_EQ(ReadBytes(path), under + HistoryLine(Talk(-1)));  // still one append
    Append(Talk(100000));
    std::vector<HistoryRow> kept = Talks(0, kMaxHistoryRows - 2);
    kept.push_back(Talk(-1));
    kept.push_back(Talk(100000));
    EXPECT_EQ(ReadBytes(path), FileOf(kept));
    Append(Talk(100001));
    kept.erase(kept.begin());
    kept.push_back(Talk(100001));
    EXPECT_EQ(ReadBytes(path), FileOf(kept));
    // Lines that are not rows do not survive a rewrite.
    WriteBytes(path, FileOf(Talks(0, 3)) + "damaged\r\n" + std::string(kMaxHistoryRows, '\n'));
    Append(Talk(3));
    EXPECT_EQ(ReadBytes(path), FileOf(Talks(0, 4)));
}

TEST_F(HistoryFileTest, AFileASpreadsheetSavedAsUtf16IsWrittenAgainAsUtf8) {
    const std::string utf8 = FileOf(Talks(1, 3));
    WriteBytes(path, Utf8ToUtf16LeFile(utf8.substr(kBom.size())));
    Append(Talk(4));
    EXPECT_EQ(ReadBytes(path), FileOf(Talks(1, 4)));
    WriteBytes(path, "\xEF\xBB");  // the very first write torn inside the mark
    Append(Talk(5));
    EXPECT_EQ(ReadBytes(path), FileOf(Talks(5, 1)));
}

// A writer at the cap rewrites the whole file for each row; killed at random moments, it
// leaves either the old or the new file, whole.
TEST_F(HistoryFileTest, AKilledWriterAtTheCapLeavesAWholeFile) {
    constexpr int kKills = 12;
    constexpr int kMaxSpinMicroseconds = 30000;
    WriteBytes(path, FileOf(Talks(0, kMaxHistoryRows)));
    const uint32_t seed = std::random_device{}();
    std::printf("seed %u\n", seed);
    std::mt19937 random(seed);
    int next = static_cast<int>(kMaxHistoryRows);
    for (int round = 0; round < kKills; ++round) {
        const pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
#ifdef __linux__
            prctl(PR_SET_PDEATHSIG, SIGKILL);
#endif
            for (int n = next;; ++n) {
                if (!AppendHistoryRow(SystemFilePlatform(), path, Talk(n), FlushMode::NoFlush)) {
                    _exit(3);
                }
            }
        }
        const auto until = std::chrono::steady_clock::now() +
                           std::chrono::microseconds(
                               std::uniform_int_distribution<int>(0, kMaxSpinMicroseconds)(random));
        while (std::chrono::steady_clock::now() < until) {
        }
        ASSERT_EQ(kill(writer, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(writer, &status, 0), writer);
        ASSERT_TRUE(WIFSIGNALED(status));

        const HistoryContent content = Read();
        ASSERT_EQ(content.skipped, 0u) << "round " << round;
        ASSERT_EQ(content.rows.size(), kMaxHistoryRows) << "round " << round;
        const int last = content.rows.back().actualSeconds - 900;
        ASSERT_GE(last, next - 1);
        EXPECT_EQ(content.rows, Talks(last - static_cast<int>(kMaxHistoryRows) + 1,
                                      static_cast<int>(kMaxHistoryRows)));
        next = last + 1;
    }
}

}  // namespace
}  // namespace quorrin
