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

// Hours from characters 1-2, minutes 4-5, seconds 7-8 of the UTF-8 text, counted in
// characters (characters 3 and 6 are not looked at, whatever their width); nothing when a
// part is missing or not a number.
std::optional<int32_t> TimeTextToSeconds(std::string_view text);

}  // namespace quorrin
