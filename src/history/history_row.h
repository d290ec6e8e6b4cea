// One row of History.csv, the record of a talk: when it started, which timing it ran, what was
// planned and what happened. The columns and their texts are the same in every interface
// language, like Config.ini's data.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorrin {

inline constexpr std::string_view kHistoryHeader =
    "Start,Presentation,Planned,ResumedFrom,Actual,Paused,Overtime,End";
inline constexpr size_t kHistoryColumnCount = 8;

// How the talk's countdown ended: the time ran out (and the clock went), the show window
// went away, or the program exited (or Windows shut down) during the show.
enum class TalkEnd { TimeUp, ShowEnded, ProgramExit };

// A local date and time to the second, as the clock on the wall showed it.
struct LocalDateTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const LocalDateTime&) const = default;
};

struct HistoryRow {
    LocalDateTime start;
    std::string presentation;  // UTF-8: the timing entry's name, or the shared timing's label
    int32_t plannedSeconds = 0;
    std::optional<int32_t> resumedFromSeconds;  // time left at the start of a resumed countdown
    int32_t actualSeconds = 0;                  // time on the clock, pauses not counted
    int32_t pausedSeconds = 0;
    int32_t overtimeSeconds = 0;
    TalkEnd end = TalkEnd::ShowEnded;

    bool operator==(const HistoryRow&) const = default;
};

// "YYYY-MM-DD HH:MM:SS".
std::string StartText(const LocalDateTime& start);
// "HH:MM:SS", more hour digits where needed; a negative time reads as zero.
std::string DurationText(int64_t seconds);
std::string_view EndText(TalkEnd end);

// The row as one CSV line: RFC 4180 quoting where a field needs it, CRLF at the end.
std::string HistoryLine(const HistoryRow& row);

// A field in RFC 4180 form: quoted (with its quotes doubled) when it holds a comma, a quote
// or a line break, as it is otherwise.
std::string CsvField(std::string_view text);

// The readers of the fields, tolerant of what a spreadsheet makes of them when it saves the
// file again: a date with slashes and one-digit parts ("2026/3/7 9:05"), seconds left out,
// an hour without its leading zero ("0:20:00"), spaces around. Nothing when the text is not
// a time of that kind or is out of range.
std::optional<LocalDateTime> ParseStart(std::string_view text);
std::optional<int32_t> ParseDuration(std::string_view text);
std::optional<TalkEnd> ParseEnd(std::string_view text);

}  // namespace quorrin
