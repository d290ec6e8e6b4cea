// What the talk history dialog makes of History.csv's rows: the over/under text, the runs
// of one presentation and the chart's scale.
#include "dialogs/history/talk_list.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

HistoryRow Talk(std::string presentation, int32_t planned, int32_t actual) {
    HistoryRow row;
    row.presentation = std::move(presentation);
    row.plannedSeconds = planned;
    row.actualSeconds = actual;
    return row;
}

TEST(TalkList, OverAndUnderReadWithTheirSignAndWholeMinutes) {
    EXPECT_EQ(OverUnderText(80), "+01:20");
    EXPECT_EQ(OverUnderText(-45),
              "\xE2\x88\x92"
              "00:45");
    EXPECT_EQ(OverUnderText(0), "00:00");
    EXPECT_EQ(OverUnderText(-6000),
              "\xE2\x88\x92"
              "100:00");
    // The most a row can hold does not overflow the sign.
    EXPECT_EQ(OverUnderText(INT32_MIN).substr(0, 3), "\xE2\x88\x92");
}

TEST(TalkList, AResumedTalkIsMeasuredFromWhereItResumed) {
    HistoryRow row = Talk("a", 1200, 500);
    EXPECT_EQ(SecondsOverPlan(row), -700);
    row.resumedFromSeconds = 450;
    EXPECT_EQ(SecondsOverPlan(row), 50);
}

TEST(TalkList, RunsOfAPresentationStayInTheirOrderAndTheChartHoldsTheLongest) {
    const std::vector<HistoryRow> rows{Talk("答辩", 1200, 1390), Talk("other", 600, 9000),
                                       Talk("答辩", 1200, 1100), Talk("答辩 ", 1200, 5)};
    const std::vector<size_t> runs = RunsOf(rows, "答辩");
    EXPECT_EQ(runs, (std::vector<size_t>{0, 2}));
    EXPECT_EQ(ChartScaleSeconds(rows, runs), 1390);
    EXPECT_EQ(ChartScaleSeconds(rows, {}), 1) << "an empty chart still has a scale";
    EXPECT_EQ(ChartScaleSeconds({Talk("x", 0, 0)}, {0}), 1);
}

TEST(TalkList, BarsScaleToTheChartAndNeverLeaveIt) {
    EXPECT_EQ(ChartPixels(600, 1200, 100), 50);
    EXPECT_EQ(ChartPixels(1200, 1200, 100), 100);
    EXPECT_EQ(ChartPixels(5000, 1200, 100), 100);
    EXPECT_EQ(ChartPixels(-3, 1200, 100), 0);
    EXPECT_EQ(ChartPixels(INT32_MAX, INT32_MAX, 2000), 2000);
}

TEST(TalkList, TheListDateLeavesOutTheSeconds) {
    EXPECT_EQ(ListDateText({2026, 3, 7, 9, 5, 59}), "2026-03-07 09:05");
}

}  // namespace
}  // namespace quorrin
