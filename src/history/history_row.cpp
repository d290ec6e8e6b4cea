#include "history/history_row.h"

#include <array>
#include <cstdio>
#include <limits>

namespace quorrin {
namespace {

constexpr int64_t kSecondsPerMinute = 60;
constexpr int64_t kSecondsPerHour = 60 * kSecondsPerMinute;
constexpr int kMonthsPerYear = 12;
constexpr int kLongestMonthDays = 31;
constexpr int kHoursPerDay = 24;
constexpr int kYearDigits = 4;
// Enough for any duration in int32 seconds (596,523 hours).
constexpr size_t kMostHourDigits = 6;

constexpr std::array<std::string_view, 3> kEndTexts = {"time-up", "show-ended", "program-exit"};

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads `least`..`most` digits at `pos` and moves past them.
std::optional<int64_t> Digits(std::string_view text, size_t& pos, size_t least, size_t most) {
    int64_t value = 0;
    size_t count = 0;
    while (pos < text.size() && count < most && IsDigit(text[pos])) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++count;
    }
    if (count < least || (pos < text.size() && IsDigit(text[pos]))) return std::nullopt;
    return value;
}

bool Skip(std::string_view text, size_t& pos, char c) {
    if (pos >= text.size() || text[pos] != c) return false;
    ++pos;
    return true;
}

// "MM:SS" after an hour, the seconds optional where `secondsOptional`.
bool MinutesAndSeconds(std::string_view text, size_t& pos, bool secondsOptional, int64_t& minutes,
                       int64_t& seconds) {
    const auto mm = Skip(text, pos, ':') ? Digits(text, pos, 2, 2) : std::nullopt;
    if (!mm || *mm >= kSecondsPerMinute) return false;
    minutes = *mm;
    seconds = 0;
    if (pos == text.size() && secondsOptional) return true;
    const auto ss = Skip(text, pos, ':') ? Digits(text, pos, 2, 2) : std::nullopt;
    if (!ss || *ss >= kSecondsPerMinute) return false;
    seconds = *ss;
    return pos == text.size();
}

}  // namespace

std::string StartText(const LocalDateTime& start) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", start.year, start.month,
                  start.day, start.hour, start.minute, start.second);
    return text;
}

std::string DurationText(int64_t seconds) {
    if (seconds < 0) seconds = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld",
                  static_cast<long long>(seconds / kSecondsPerHour),
                  static_cast<long long>(seconds % kSecondsPerHour / kSecondsPerMinute),
                  static_cast<long long>(seconds % kSecondsPerMinute));
    return text;
}

std::string_view EndText(TalkEnd end) { return kEndTexts[static_cast<size_t>(end)]; }

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string HistoryLine(const HistoryRow& row) {
    std::string line = StartText(row.start);
    line += ',';
    line += CsvField(row.presentation);
    line += ',';
    line += DurationText(row.plannedSeconds);
    line += ',';
    if (row.resumedFromSeconds) line += DurationText(*row.resumedFromSeconds);
    line += ',';
    line += DurationText(row.actualSeconds);
    line += ',';
    line += DurationText(row.pausedSeconds);
    line += ',';
    line += DurationText(row.overtimeSeconds);
    line += ',';
    line += EndText(row.end);
    line += "\r\n";
    return line;
}

std::optional<LocalDateTime> ParseStart(std::string_view text) {
    text = Trim(text);
    size_t pos = 0;
    const auto year = Digits(text, pos, kYearDigits, kYearDigits);
    if (!year || pos >= text.size() || (text[pos] != '-' && text[pos] != '/')) return std::nullopt;
    const char separator = text[pos++];
    const auto month = Digits(text, pos, 1, 2);
    const auto day = Skip(text, pos, separator) ? Digits(text, pos, 1, 2) : std::nullopt;
    if (!month || !day || *month < 1 || *month > kMonthsPerYear || *day < 1 ||
        *day > kLongestMonthDays || !Skip(text, pos, ' ')) {
        return std::nullopt;
    }
    while (Skip(text, pos, ' ')) {
    }
    const auto hour = Digits(text, pos, 1, 2);
    int64_t minute = 0;
    int64_t second = 0;
    if (!hour || *hour >= kHoursPerDay || !MinutesAndSeconds(text, pos, true, minute, second)) {
        return std::nullopt;
    }
    return LocalDateTime{static_cast<int>(*year),  static_cast<int>(*month),
                         static_cast<int>(*day),   static_cast<int>(*hour),
                         static_cast<int>(minute), static_cast<int>(second)};
}

std::optional<int32_t> ParseDuration(std::string_view text) {
    text = Trim(text);
    size_t pos = 0;
    const auto hours = Digits(text, pos, 1, kMostHourDigits);
    int64_t minutes = 0;
    int64_t seconds = 0;
    if (!hours || !MinutesAndSeconds(text, pos, false, minutes, seconds)) return std::nullopt;
    const int64_t total = *hours * kSecondsPerHour + minutes * kSecondsPerMinute + seconds;
    if (total > std::numeric_limits<int32_t>::max()) return std::nullopt;
    return static_cast<int32_t>(total);
}

std::optional<TalkEnd> ParseEnd(std::string_view text) {
    text = Trim(text);
    for (size_t i = 0; i < kEndTexts.size(); ++i) {
        if (text == kEndTexts[i]) return static_cast<TalkEnd>(i);
    }
    return std::nullopt;
}

}  // namespace quorrin
