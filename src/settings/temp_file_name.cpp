#include "settings/temp_file_name.h"

namespace quorrin {
namespace {

constexpr std::string_view kTempSuffix = ".tmp";

// Digits only, at least one, no overflow.
std::optional<uint64_t> ParseNumber(std::string_view digits) {
    constexpr uint64_t kMaxBeforeDigit = (UINT64_MAX - 9) / 10;
    if (digits.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9' || value > kMaxBeforeDigit) return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return value;
}

}  // namespace

std::string MakeTempFileName(std::string_view targetName, uint64_t processId, uint64_t sequence) {
    std::string name(targetName);
    name.append(".").append(std::to_string(processId));
    name.append(".").append(std::to_string(sequence));
    name.append(kTempSuffix);
    return name;
}

std::optional<uint64_t> TempFileOwner(std::string_view targetName, std::string_view fileName) {
    if (fileName.size() <= targetName.size() + 1 + kTempSuffix.size()) return std::nullopt;
    if (fileName.substr(0, targetName.size()) != targetName) return std::nullopt;
    if (fileName[targetName.size()] != '.') return std::nullopt;
    if (fileName.substr(fileName.size() - kTempSuffix.size()) != kTempSuffix) {
        return std::nullopt;
    }
    const std::string_view middle = fileName.substr(
        targetName.size() + 1, fileName.size() - targetName.size() - 1 - kTempSuffix.size());
    const size_t dot = middle.find('.');
    if (dot == std::string_view::npos) return std::nullopt;
    if (!ParseNumber(middle.substr(dot + 1))) return std::nullopt;
    return ParseNumber(middle.substr(0, dot));
}

PathParts SplitPath(std::string_view path, std::string_view separators) {
    const size_t cut = path.find_last_of(separators);
    if (cut == std::string_view::npos) return {std::string(), std::string(path)};
    return {std::string(path.substr(0, cut + 1)), std::string(path.substr(cut + 1))};
}

}  // namespace quorrin
