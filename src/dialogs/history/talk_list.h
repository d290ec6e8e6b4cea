// What the talk history dialog shows of History.csv's rows: each talk's time over or under
// its plan, the runs of one presentation for its chart, and the chart's scale.
#pragma once

#include "history/history_row.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin {

// The seconds the talk ran past its plan (negative: it ended early). A resumed countdown is
// measured against the time it resumed from.
int32_t SecondsOverPlan(const HistoryRow& row);
// "+01:20" over, "−00:45" under (a real minus sign), "00:00" on time; minutes past 99 keep
// their digits.
std::string OverUnderText(int32_t seconds);
// The list's date column: "YYYY-MM-DD HH:MM".
std::string ListDateText(const LocalDateTime& start);
// The rows of one presentation, oldest first, as indexes into `rows` (oldest first too).
std::vector<size_t> RunsOf(const std::vector<HistoryRow>& rows, std::string_view presentation);
// The chart's full height in seconds: the longest run or the plan, whichever is longer, and
// never zero, so that every bar and the plan's line fit.
int32_t ChartScaleSeconds(const std::vector<HistoryRow>& rows, const std::vector<size_t>& runs);
// The height of `seconds` in a chart `heightPixels` high on `scaleSeconds`.
int ChartPixels(int32_t seconds, int32_t scaleSeconds, int heightPixels);

}  // namespace quorrin
