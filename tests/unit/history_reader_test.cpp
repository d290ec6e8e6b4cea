// The tolerant reader over the files people and programs make of History.csv: saved again by
// a spreadsheet (UTF-16, tabs, GBK, no byte-order mark, reformatted dates), edited by hand,
// damaged, huge.
#include "history/history_reader.h"
#include "settings/file_access.h"
#include "settings/file_encoding.h"
#include "settings/text_codec.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

HistoryRow Row(int n, std::string name = "") {
    if (name.empty()) name = "演讲 " + std::to_string(n);
    return HistoryRow{{2026, 1 + n % 12, 1 + n % 28, n % 24, n % 60, (n * 7) % 60},
                      std::move(name),
                      1200 + n,
                      n % 3 == 0 ? std::optional<int32_t>(n) : std::nullopt,
                      n * 11,
                      n % 5,
                      n % 7,
                      static_cast<TalkEnd>(n % 3)};
}

std::string FileOf(const std::vector<HistoryRow>& rows) {
    std::string text(kBom);
    text += std::string(kHistoryHeader) + "\r\n";
    for (const HistoryRow& row : rows) text += HistoryLine(row);
    return text;
}

std::string Utf16Be(std::string_view utf8) {
    std::string bytes = Utf8ToUtf16LeFile(utf8);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) std::swap(bytes[i], bytes[i + 1]);
    return bytes;
}

const std::vector<HistoryRow> kTricky = {Row(1, "plain"),           Row(2, "comma, inside"),
                                         Row(3, "\"quoted\" name"), Row(4, "two\r\nlines"),
                                         Row(5, "所有演示文稿"),    Row(6, "tab\there")};

TEST(HistoryReader, EveryEncodingASpreadsheetSavesReadsTheSameRows) {
    const std::string utf8 = FileOf(kTricky).substr(kBom.size());
    std::string tabbed = std::string(kHistoryHeader) + "\r\n";
    for (char& c : tabbed) c = c == ',' ? '\t' : c;
    tabbed +=
        "2026-02-02 01:01:07\t\"plain\"\t00:20:01\t\t00:00:11\t00:00:01\t00:00:01\t"
        "show-ended\r\n";
    for (const std::string& bytes :
         {FileOf(kTricky), utf8, Utf8ToUtf16LeFile(utf8), Utf16Be(utf8), Utf8ToGbk(utf8)}) {
        const HistoryContent content = ParseHistory(bytes);
        EXPECT_EQ(content.rows, kTricky);
        EXPECT_EQ(content.skipped, 0u);
        EXPECT_FALSE(content.cutShort);
    }
    const HistoryContent tabs = ParseHistory(Utf8ToUtf16LeFile(tabbed));
    ASSERT_EQ(tabs.rows.size(), 1u);
    EXPECT_EQ(tabs.rows[0], Row(1, "plain"));
}

TEST(HistoryReader, ARowReformattedByASpreadsheetStillReads) {
    const HistoryContent content = ParseHistory(
        "2026/3/7 9:05,deck,0:20:00,,0:19:58,0:00:00,0:00:00,time-up,,\n"
        "\"2026-03-07 10:00:00\",\"deck\",\"00:20:00\",\"\",\"00:21:00\",\"0:00:00\","
        "\"00:01:00\",\"show-ended\"");
    ASSERT_EQ(content.rows.size(), 2u);
    EXPECT_EQ(content.rows[0].start, (LocalDateTime{2026, 3, 7, 9, 5, 0}));
    EXPECT_EQ(content.rows[0].actualSeconds, 1198);
    EXPECT_EQ(content.rows[1].overtimeSeconds, 60);
    EXPECT_EQ(content.skipped, 0u);
}

TEST(HistoryReader, DamagedLinesAreSkippedAndCountedWithoutTakingTheirNeighbours) {
    std::string text = FileOf({Row(1)});
    text += "2026-01-01 00:00:00,\"unterminated,00:20:00,,00:00:01,00:00:00,00:00:00,time-up\r\n";
    text += HistoryLine(Row(2));
    text += std::string("\x00\xFF\xFE garbage\r\n", 13);
    text += "\r\n\r\n";  // blank lines are no record
    text += "2026-01-01 00:00:00,\"x\"y,00:20:00,,00:00:01,00:00:00,00:00:00,time-up\r\n";
    text += "2026-01-01 00:00:00,x,00:20:00,,00:00:01,00:00:00,00:00:00,time-up,extra\r\n";
    text += "2026-01-01 00:00:00,x,00:20:00\r\n";
    text += std::string(100, ',') + "\r\n";
    text += HistoryLine(Row(3));
    text += "2026-01-01 00:00:00,\"torn";
    const HistoryContent content = ParseHistory(text);
    EXPECT_EQ(content.rows, (std::vector<HistoryRow>{Row(1), Row(2), Row(3)}));
    EXPECT_EQ(content.skipped, 7u);
}

TEST(HistoryReader, AQuoteOpenForManyLinesGivesUpOnlyItsFirstLine) {
    std::string text = FileOf({});
    text += "2026-01-01 00:00:00,\"a\r\nb\r\nc\",00:20:00,,00:00:01,00:00:00,00:00:00,time-up\r\n";
    text += "2026-01-01 00:00:00,\"open\r\n";
    for (int i = 0; i < 20; ++i) text += HistoryLine(Row(i));
    const HistoryContent content = ParseHistory(text);
    ASSERT_EQ(content.rows.size(), 21u);
    EXPECT_EQ(content.rows[0].presentation, "a\r\nb\r\nc");
    EXPECT_EQ(content.rows.back(), Row(19));
    EXPECT_EQ(content.skipped, 1u);
}

TEST(HistoryReader, MoreRowsThanKeptGiveTheNewest) {
    std::vector<HistoryRow> rows;
    for (int i = 0; i < static_cast<int>(kMaxHistoryRows) + 20; ++i) rows.push_back(Row(i));
    const HistoryContent content = ParseHistory(FileOf(rows));
    EXPECT_TRUE(content.cutShort);
    ASSERT_EQ(content.rows.size(), kMaxHistoryRows);
    EXPECT_EQ(content.rows.front(), Row(20));
    EXPECT_EQ(content.rows.back(), rows.back());
}

// A file beyond the read limit is read from its end: the newest rows, decoded by the mark at
// its beginning, and the line the cut falls in is not counted as a row.
TEST(HistoryReader, AHugeFileIsReadFromItsEnd) {
    testing::TempFolder folder;
    const std::string path = folder.File("History.csv");
    std::vector<HistoryRow> rows;
    for (int i = 0; i < 3000; ++i) rows.push_back(Row(i, "名" + std::string(1500, 'x')));
    const std::string utf8 = FileOf(rows);
    ASSERT_GT(utf8.size(), kHistoryReadLimitBytes);
    for (const std::string& bytes : {utf8, Utf8ToUtf16LeFile(utf8.substr(kBom.size()))}) {
        testing::WriteBytes(path, bytes);
        const HistoryFile file = ReadHistoryFile(SystemFilePlatform(), path);
        ASSERT_TRUE(file.status);
        EXPECT_TRUE(file.content.cutShort);
        ASSERT_GT(file.content.rows.size(), 100u);
        EXPECT_LE(file.content.skipped, 1u);
        EXPECT_EQ(file.content.rows.back(), rows.back());
        const size_t first = rows.size() - file.content.rows.size();
        EXPECT_EQ(file.content.rows.front(), rows[first]);
    }
    EXPECT_TRUE(ReadHistoryFile(SystemFilePlatform(), folder.File("none.csv")).status);
}

}  // namespace
}  // namespace quorrin
