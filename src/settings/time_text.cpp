#include "settings/time_text.h"

#include <charconv>
#include <cstdio>

namespace quorrin {

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

std::optional<int32_t> TimeTextToSeconds(std::string_view text) {
    auto field = [&](size_t pos) -> std::string_view {
        if (pos >= text.size()) return {};
        return text.substr(pos, 2);
    };
    const auto hours = ParseDecimal(field(0));
    const auto minutes = ParseDecimal(field(3));
    const auto seconds = ParseDecimal(field(6));
    if (!hours || !minutes || !seconds) return std::nullopt;
    return static_cast<int32_t>(*hours * 3600 + *minutes * 60 + *seconds);
}

}  // namespace quorrin
