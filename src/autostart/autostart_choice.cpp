#include "autostart/autostart_choice.h"

#include "texts/texts.h"

#include <algorithm>

namespace quorrin {

namespace {

// Task Manager marks a disabled entry by the low bit of the value's first byte.
constexpr uint8_t kApprovedDisabledBit = 0x01;
constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kExeEnding = ".exe";
// "\\?\" before a path lifts the length limit and means nothing else here.
constexpr std::string_view kLongPathPrefix = "\\\\?\\";

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The path in one spelling: lower-case ASCII letters, "\" as the only separator, no empty,
// "." or ".." segments. A UNC path keeps its leading "\\", a rooted one its "\".
std::string NormalPath(std::string_view path) {
    std::string text(Trimmed(path));
    for (char& c : text) c = c == '/' ? '\\' : AsciiLower(c);
    if (text.starts_with(kLongPathPrefix)) text.erase(0, kLongPathPrefix.size());
    const bool unc = text.starts_with("\\\\");
    std::vector<std::string_view> segments;
    const std::string_view rest(text);
    size_t start = 0;
    while (start <= rest.size()) {
        const size_t end = std::min(rest.find('\\', start), rest.size());
        const std::string_view segment = rest.substr(start, end - start);
        if (segment == "..") {
            // Never above the drive or the share's server.
            if (segments.size() > 1) segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }
    std::string normal = unc ? "\\\\" : text.starts_with('\\') ? "\\" : "";
    for (size_t i = 0; i < segments.size(); ++i) {
        if (i > 0) normal += '\\';
        normal += segments[i];
    }
    return normal;
}

bool DisabledByUser(const std::vector<uint8_t>& approvedBytes) {
    return !approvedBytes.empty() && (approvedBytes.front() & kApprovedDisabledBit) != 0;
}

}  // namespace

std::string RunValueProgram(std::string_view runValue) {
    const std::string_view text = Trimmed(runValue);
    if (text.starts_with('"')) {
        const size_t close = text.find('"', 1);
        return std::string(text.substr(1, close == std::string_view::npos ? close : close - 1));
    }
    // Unquoted, the path may hold blanks: it ends at the first ".exe" followed by a blank or
    // the end, else at the end of the text.
    std::string lower(text);
    for (char& c : lower) c = AsciiLower(c);
    for (size_t at = lower.find(kExeEnding); at != std::string::npos;
         at = lower.find(kExeEnding, at + 1)) {
        const size_t end = at + kExeEnding.size();
        if (end == lower.size() || kBlanks.find(lower[end]) != std::string_view::npos) {
            return std::string(text.substr(0, end));
        }
    }
    return std::string(text);
}

bool SamePath(std::string_view a, std::string_view b) {
    const std::string normalA = NormalPath(a);
    return !normalA.empty() && normalA == NormalPath(b);
}

std::string RunValueFor(std::string_view exePath) {
    std::string value;
    value.reserve(exePath.size() + 2);
    value += '"';
    value += exePath;
    value += '"';
    return value;
}

AutostartChoice DecideAutostart(const AutostartFacts& facts) {
    AutostartChoice choice;
    choice.startsThisCopy =
        facts.runValue.has_value() && SamePath(RunValueProgram(*facts.runValue), facts.exePath);
    if (DisabledByUser(facts.approvedBytes)) {
        choice.block = AutostartBlock::DisabledInTaskManager;
    } else if (facts.onRemovableDrive) {
        choice.block = AutostartBlock::RemovableDrive;
    }
    return choice;
}

std::string AutostartMenuCaption(AutostartBlock block) {
    switch (block) {
        case AutostartBlock::DisabledInTaskManager:
            return std::string(Text(TextId::MenuAutostartDisabledByTaskManager));
        case AutostartBlock::RemovableDrive:
            return std::string(Text(TextId::MenuAutostartOnRemovableDrive));
        case AutostartBlock::None:
            break;
    }
    return std::string(Text(TextId::MenuAutostart));
}

std::string AutostartAnswer(const AutostartChoice& choice) {
    // A value Task Manager disabled starts nothing; on a removable drive a value that still
    // names this copy does start it, as long as the drive is there.
    const bool starts =
        choice.startsThisCopy && choice.block != AutostartBlock::DisabledInTaskManager;
    if (starts) return std::string(Text(TextId::AutostartYes));
    switch (choice.block) {
        case AutostartBlock::DisabledInTaskManager:
            return FormatText(TextId::AutostartNoBecause,
                              {Text(TextId::AutostartDisabledByTaskManager)});
        case AutostartBlock::RemovableDrive:
            return FormatText(TextId::AutostartNoBecause,
                              {Text(TextId::AutostartOnRemovableDrive)});
        case AutostartBlock::None:
            break;
    }
    return std::string(Text(TextId::AutostartNo));
}

}  // namespace quorrin
