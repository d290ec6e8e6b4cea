// The small text functions of the settings file's format.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorrin {

// A whole decimal number as the settings file holds one: spaces or tabs around it, an
// optional sign; nothing for any other text.
std::optional<int64_t> ParseDecimal(std::string_view text);

// The part before the first NUL; nothing when the text holds no NUL (the empty text too).
std::optional<std::string> TrimAtNul(std::string_view text);

// HH:MM:SS, each part at least two digits (100 hours give "100:00:00").
std::string SecondsToTimeText(int32_t seconds);

// The values a time text in the settings file can hold: the reader takes two characters for
// each of the three fields, so each field runs from -9 to 99 ("99:99:99" is the largest).
inline constexpr int32_t kFileTimeMinSeconds = -9 * 3600 - 9 * 60 - 9;
inline constexpr int32_t kFileTimeMaxSeconds = 99 * 3600 + 99 * 60 + 99;

// The time text the settings file stores, which TimeTextToSeconds reads back as the value:
// SecondsToTimeText's text wherever that reads back (0 to 99:59:59 among others); other
// values a hand-edited file can hold ("99:99:99", "-1:-5:00") with fields of -9..99, such as
// "99:60:00" for 100 hours; a value beyond those limits as the nearest limit.
std::string SecondsToFileTimeText(int32_t seconds);

// Hours from characters 1-2, minutes 4-5, seconds 7-8 of the UTF-8 text, counted in
// characters (characters 3 and 6 are not looked at, whatever their width); nothing when a
// part is missing or not a number.
std::optional<int32_t> TimeTextToSeconds(std::string_view text);

}  // namespace quorrin
