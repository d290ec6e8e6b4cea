#include "settings/time_text.h"

#include "settings/text_codec.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>

namespace quorrin {
namespace {

// HH:MM:SS: three fields of two characters, each followed by one separator character.
constexpr size_t kTimeFieldDigits = 2;
constexpr size_t kTimeFieldStride = 3;
constexpr size_t kTimeTextCharacters = 8;
// What two characters of a field hold.
constexpr int32_t kTimeFieldMin = -9;
constexpr int32_t kTimeFieldMax = 99;
constexpr int32_t kSecondsPerMinute = 60;
constexpr int32_t kSecondsPerHour = 3600;

}  // namespace

std::optional<int64_t> ParseDecimal(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<std::string> TrimAtNul(std::string_view text) {
    const size_t nul = text.find('\0');
    if (nul == std::string_view::npos) return std::nullopt;
    return std::string(text.substr(0, nul));
}

std::string SecondsToTimeText(int32_t seconds) {
    const int32_t hours = seconds / 3600;
    const int32_t minutes = (seconds / 60) % 60;
    const int32_t secs = seconds % 60;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", static_cast<int>(hours),
                  static_cast<int>(minutes), static_cast<int>(secs));
    return buffer;
}

std::string SecondsToFileTimeText(int32_t seconds) {
    seconds = std::clamp(seconds, kFileTimeMinSeconds, kFileTimeMaxSeconds);
    std::string usual = SecondsToTimeText(seconds);
    if (TimeTextToSeconds(usual) == seconds) return usual;
    int32_t hours = seconds / kSecondsPerHour;  // toward zero
    int32_t minutes = 0;
    int32_t rest = 0;
    if (seconds >= 0) {
        // 100 hours or more: 99 hours, and the minutes, then the seconds, above 59.
        hours = std::min(hours, kTimeFieldMax);
        rest = seconds - hours * kSecondsPerHour;
        minutes = std::min(rest / kSecondsPerMinute, kTimeFieldMax);
    } else {
        // Below zero a field may borrow from the one before it, so that none goes below -9:
        // -1800 is "-1:30:00", -59 "00:-1:01".
        rest = seconds - hours * kSecondsPerHour;
        if (rest < kTimeFieldMin * kSecondsPerMinute + kTimeFieldMin) {
            --hours;
            rest += kSecondsPerHour;
        }
        minutes = rest / kSecondsPerMinute;
        if (rest - minutes * kSecondsPerMinute < kTimeFieldMin) --minutes;
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", static_cast<int>(hours),
                  static_cast<int>(minutes), static_cast<int>(rest - minutes * kSecondsPerMinute));
    return buffer;
}

std::optional<int32_t> TimeTextToSeconds(std::string_view text) {
    // The fields are counted in characters, not bytes: a full-width colon ("：", three bytes
    // in UTF-8) between them is one character like ":". A byte that starts no well-formed
    // character counts as one, so broken text never shifts a field.
    std::array<size_t, kTimeTextCharacters + 1> starts;  // byte offset of each character
    size_t pos = 0;
    for (size_t& start : starts) {
        start = pos;
        if (pos < text.size()) pos += std::max<size_t>(Utf8CharLength(text, pos), 1);
    }
    auto field = [&](size_t first) {
        return text.substr(starts[first], starts[first + kTimeFieldDigits] - starts[first]);
    };
    const auto hours = ParseDecimal(field(0));
    const auto minutes = ParseDecimal(field(kTimeFieldStride));
    const auto seconds = ParseDecimal(field(2 * kTimeFieldStride));
    if (!hours || !minutes || !seconds) return std::nullopt;
    return static_cast<int32_t>(*hours * 3600 + *minutes * 60 + *seconds);
}

}  // namespace quorrin
