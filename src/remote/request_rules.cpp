#include "remote/request_rules.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace quorrin {
namespace {

constexpr size_t kMaxPortDigits = 5;
constexpr int kIpv4Parts = 4;
constexpr int kMaxIpv4Part = 255;
constexpr int kMaxWeight = 1000;  // thousandths

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           SameTextIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool IsPort(std::string_view text) {
    return !text.empty() && text.size() <= kMaxPortDigits &&
           std::all_of(text.begin(), text.end(), IsDigit);
}

bool IsIpv4Literal(std::string_view text) {
    for (int part = 0; part < kIpv4Parts; ++part) {
        const size_t end = part + 1 < kIpv4Parts ? text.find('.') : text.size();
        if (end == std::string_view::npos) return false;
        const std::string_view digits = text.substr(0, end);
        int value = 0;
        const auto [last, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (digits.empty() || digits.size() > 3 || error != std::errc{} ||
            last != digits.data() + digits.size() || value > kMaxIpv4Part)
            return false;
        text.remove_prefix(std::min(text.size(), end + 1));
    }
    return true;
}

bool IsIpv6Literal(std::string_view text) {
    return text.find(':') != std::string_view::npos &&
           std::all_of(text.begin(), text.end(), [](char c) {
               return IsDigit(c) || (Lower(c) >= 'a' && Lower(c) <= 'f') || c == ':' || c == '.';
           });
}

// The weight of ";q=0.8" in thousandths (a weight has at most three decimals): 1000 without
// one, nothing when it is malformed or another parameter. Read by hand rather than as a
// floating-point number, which would bring the C++ library's locale machinery into the
// program.
std::optional<int> Weight(std::string_view parameters) {
    parameters = Trim(parameters);
    if (parameters.empty()) return kMaxWeight;
    if (!StartsWithIgnoringCase(parameters, "q=")) return std::nullopt;
    parameters.remove_prefix(2);
    if (parameters.empty() || (parameters[0] != '0' && parameters[0] != '1')) return std::nullopt;
    int weight = (parameters[0] - '0') * kMaxWeight;
    parameters.remove_prefix(1);
    if (parameters.empty()) return weight;
    if (parameters[0] != '.' || parameters.size() > 4) return std::nullopt;
    int scale = kMaxWeight;
    for (const char c : parameters.substr(1)) {
        if (!IsDigit(c)) return std::nullopt;
        scale /= 10;
        weight += (c - '0') * scale;
    }
    if (weight > kMaxWeight) return std::nullopt;
    return weight;
}

}  // namespace

bool IsAllowedHost(std::string_view host, std::string_view computerName) {
    host = Trim(host);
    if (host.starts_with('[')) {
        const size_t close = host.find(']');
        if (close == std::string_view::npos) return false;
        const std::string_view rest = host.substr(close + 1);
        return IsIpv6Literal(host.substr(1, close - 1)) &&
               (rest.empty() || (rest.front() == ':' && IsPort(rest.substr(1))));
    }
    const size_t colon = host.find(':');
    if (colon != std::string_view::npos) {
        if (!IsPort(host.substr(colon + 1))) return false;
        host = host.substr(0, colon);
    }
    if (host.ends_with('.')) host.remove_suffix(1);  // a fully qualified "localhost."
    if (host.empty()) return false;
    if (IsIpv4Literal(host) || SameTextIgnoringCase(host, "localhost")) return true;
    if (computerName.empty()) return false;
    constexpr std::string_view kLinkLocalSuffix = ".local";
    if (host.size() > kLinkLocalSuffix.size() &&
        SameTextIgnoringCase(host.substr(host.size() - kLinkLocalSuffix.size()), kLinkLocalSuffix))
        host.remove_suffix(kLinkLocalSuffix.size());
    return SameTextIgnoringCase(host, computerName);
}

Language PageLanguage(std::string_view acceptLanguage) {
    Language best = Language::English;
    int bestWeight = 0;
    while (!acceptLanguage.empty()) {
        const size_t comma = acceptLanguage.find(',');
        std::string_view entry = acceptLanguage.substr(0, comma);
        acceptLanguage.remove_prefix(comma == std::string_view::npos ? acceptLanguage.size()
                                                                     : comma + 1);
        const size_t semicolon = entry.find(';');
        const std::string_view tag = Trim(entry.substr(0, semicolon));
        const auto weight = Weight(
            semicolon == std::string_view::npos ? std::string_view{} : entry.substr(semicolon + 1));
        if (!weight || *weight <= bestWeight) continue;
        const bool chinese = SameTextIgnoringCase(tag, "zh") || StartsWithIgnoringCase(tag, "zh-");
        const bool english = SameTextIgnoringCase(tag, "en") || StartsWithIgnoringCase(tag, "en-");
        if (!chinese && !english) continue;
        best = chinese ? Language::Chinese : Language::English;
        bestWeight = *weight;
    }
    return best;
}

size_t Utf8Chars(std::string_view text) {
    // Every byte but a continuation byte (10xxxxxx) starts a character.
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

bool IsJsonContentType(std::string_view contentType) {
    const std::string_view type = Trim(contentType.substr(0, contentType.find(';')));
    return SameTextIgnoringCase(type, "application/json");
}

}  // namespace quorrin
