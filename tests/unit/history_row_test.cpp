// A row's CSV line and the tolerant readers of its fields.
#include "history/history_row.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

TEST(HistoryRow, LineQuotesOnlyTheFieldsThatNeedIt) {
    HistoryRow row{{2026, 3, 7, 9, 5, 0}, "Q3 \"final\", v2\r\nbackup", 1200, 754, 3725, 65, 0,
                   TalkEnd::TimeUp};
    EXPECT_EQ(HistoryLine(row),
              "2026-03-07 09:05:00,\"Q3 \"\"final\"\", v2\r\nbackup\",00:20:00,00:12:34,"
              "01:02:05,00:01:05,00:00:00,time-up\r\n");
    row.presentation = "所有演示文稿";
    row.resumedFromSeconds.reset();
    row.end = TalkEnd::ProgramExit;
    row.overtimeSeconds = 100 * 3600;
    EXPECT_EQ(HistoryLine(row),
              "2026-03-07 09:05:00,所有演示文稿,00:20:00,,01:02:05,00:01:05,100:00:00,"
              "program-exit\r\n");
    EXPECT_EQ(CsvField("a\rb"), "\"a\rb\"");
    EXPECT_EQ(CsvField(" spaced "), " spaced ");
}

TEST(HistoryRow, StartReadsTheSpreadsheetsFormsAndRejectsImpossibleTimes) {
    const LocalDateTime expected{2026, 3, 7, 9, 5, 0};
    EXPECT_EQ(ParseStart("2026-03-07 09:05:00"), expected);
    EXPECT_EQ(ParseStart("2026/3/7 9:05"), expected);
    EXPECT_EQ(ParseStart(" 2026-3-7  9:05:00 "), expected);
    for (const char* bad :
         {"2026-13-07 09:05:00", "2026-03-00 09:05:00", "2026-03-07 24:00:00",
          "2026-03-07 09:60:00", "2026-03/07 09:05:00", "26-03-07 09:05:00", "2026-03-07",
          "2026-03-07 09:05:00x", "2026-003-07 09:05:00", "2026-03-07 09:5:00", ""}) {
        EXPECT_FALSE(ParseStart(bad)) << bad;
    }
}

TEST(HistoryRow, DurationsReadBackAndRejectWhatIsNoDuration) {
    for (const int32_t seconds : {0, 59, 60, 3599, 3600, 359999, 360000, INT32_MAX}) {
        EXPECT_EQ(ParseDuration(DurationText(seconds)), seconds) << seconds;
    }
    EXPECT_EQ(DurationText(-5), "00:00:00");
    EXPECT_EQ(ParseDuration("0:20:00"), 1200);
    EXPECT_EQ(ParseDuration(" 00:20:00\t"), 1200);
    for (const char* bad : {"00:20", "00:60:00", "00:00:60", "1:2:3", "-00:01:00", "596524:00:00",
                            "1234567:00:00", "00:20:00:00", "", "time-up"}) {
        EXPECT_FALSE(ParseDuration(bad)) << bad;
    }
    EXPECT_EQ(ParseEnd(" show-ended "), TalkEnd::ShowEnded);
    EXPECT_FALSE(ParseEnd("Show-Ended"));
    EXPECT_FALSE(ParseEnd("show-e"));  // torn
}

}  // namespace
}  // namespace quorrin
