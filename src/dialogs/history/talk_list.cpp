#include "dialogs/history/talk_list.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace quorrin {

namespace {

constexpr int32_t kSecondsPerMinute = 60;
constexpr const char* kMinusSign = "\xE2\x88\x92";  // U+2212

}  // namespace

int32_t SecondsOverPlan(const HistoryRow& row) {
    return row.actualSeconds - row.resumedFromSeconds.value_or(row.plannedSeconds);
}

std::string OverUnderText(int32_t seconds) {
    const int64_t size = std::llabs(static_cast<int64_t>(seconds));
    const char* sign = seconds > 0 ? "+" : (seconds < 0 ? kMinusSign : "");
    char text[32];
    std::snprintf(text, sizeof text, "%s%02lld:%02lld", sign,
                  static_cast<long long>(size / kSecondsPerMinute),
                  static_cast<long long>(size % kSecondsPerMinute));
    return text;
}

std::string ListDateText(const LocalDateTime& start) {
    // The seconds are of no use in the list; the file keeps them.
    return StartText(start).substr(0, std::string_view("YYYY-MM-DD HH:MM").size());
}

std::vector<size_t> RunsOf(const std::vector<HistoryRow>& rows, std::string_view presentation) {
    std::vector<size_t> runs;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].presentation == presentation) runs.push_back(i);
    }
    return runs;
}

int32_t ChartScaleSeconds(const std::vector<HistoryRow>& rows, const std::vector<size_t>& runs) {
    int32_t scale = 1;
    for (const size_t run : runs) {
        scale = std::max({scale, rows[run].actualSeconds, rows[run].plannedSeconds});
    }
    return scale;
}

int ChartPixels(int32_t seconds, int32_t scaleSeconds, int heightPixels) {
    if (scaleSeconds <= 0 || seconds <= 0) return 0;
    const int64_t pixels = static_cast<int64_t>(std::min(seconds, scaleSeconds)) * heightPixels;
    return static_cast<int>(pixels / scaleSeconds);
}

}  // namespace quorrin
