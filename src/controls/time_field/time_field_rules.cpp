#include "controls/time_field/time_field_rules.h"

#include "settings/time_text.h"

namespace quorrin {

namespace {

constexpr int kFirstColon = 2;
constexpr int kSecondColon = 5;
constexpr int kLastDigit = 7;
constexpr int32_t kLargestFieldSeconds = 23 * 3600 + 59 * 60 + 59;
constexpr std::string_view kLargestFieldTime = "23:59:59";

bool IsColon(int position) { return position == kFirstColon || position == kSecondColon; }

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

}  // namespace

int TimeFieldRules::StepPosition(int position, StepDirection direction) {
    if (direction == StepDirection::Forward) {
        if (position > kLastDigit) position = 0;
        if (IsColon(position)) ++position;
    } else {
        if (position > 0) --position;
        if (IsColon(position)) --position;
    }
    return position;
}

int TimeFieldRules::DigitAt(int caret) {
    if (caret < 0) return 0;
    if (caret > kFieldEndPosition) caret = kFieldEndPosition;
    return IsColon(caret) || caret == kFieldEndPosition ? caret - 1 : caret;
}

bool TimeFieldRules::Accepts(std::string_view text, int position, char32_t typed) {
    if (!IsDigit(typed)) return false;
    switch (position) {
        case 0:
            return typed <= U'2';
        case 1:
            return text.empty() || text[0] != '2' || typed <= U'3';
        case 3:
        case 6:
            return typed <= U'5';
        default:
            return position >= 0 && position <= kLastDigit && !IsColon(position);
    }
}

std::optional<int> TimeFieldRules::Type(std::string& text, int position, char32_t typed) {
    if (!Accepts(text, position, typed) || static_cast<size_t>(position) >= text.size()) {
        return std::nullopt;
    }
    text[static_cast<size_t>(position)] = static_cast<char>(typed);
    if (position == 0 && text.size() >= 2 && text.substr(0, 2) > "23") text[1] = '0';
    return StepPosition(position + 1, StepDirection::Forward);
}

int TimeFieldRules::AfterKeyRelease(int before, int caret, uint32_t keyCode) {
    if (keyCode == kKeyLeft) return StepPosition(before, StepDirection::Backward);
    if (keyCode == kKeyRight) {
        return before == kLastDigit ? kLastDigit : StepPosition(before + 1, StepDirection::Forward);
    }
    // Digit keys and every other key alike: on from where the key left the caret (on the
    // next digit after an accepted one, unchanged after a refused one, 0 after Home, the
    // end after End).
    return StepPosition(caret, StepDirection::Forward);
}

bool TimeFieldRules::IsFieldText(std::string_view text) {
    if (text.size() != static_cast<size_t>(kFieldTextLength)) return false;
    for (int i = 0; i < kFieldTextLength; ++i) {
        const char c = text[static_cast<size_t>(i)];
        if (IsColon(i) ? c != ':' : !IsDigit(static_cast<char32_t>(c))) return false;
    }
    return text.substr(0, 2) <= "23" && text[3] <= '5' && text[6] <= '5';
}

std::optional<int32_t> TimeFieldRules::FieldSeconds(std::string_view text) {
    if (!IsFieldText(text)) return std::nullopt;
    return TimeTextToSeconds(text);
}

std::string TimeFieldRules::FieldTextFor(std::string_view storedTime) {
    if (IsFieldText(storedTime)) return std::string(storedTime);
    const auto seconds = TimeTextToSeconds(storedTime);
    if (!seconds || *seconds < 0) return std::string(kEmptyFieldTime);
    if (*seconds > kLargestFieldSeconds) return std::string(kLargestFieldTime);
    return SecondsToTimeText(*seconds);
}

}  // namespace quorrin
