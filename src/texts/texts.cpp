#include "texts/texts.h"

#include <array>
#include <span>

namespace quorrin {

// The two tables, each in its own file.
std::span<const TextEntry> ChineseTexts();
std::span<const TextEntry> EnglishTexts();

namespace {

using TextIndex = std::array<const char*, kTextCount>;

TextIndex IndexOf(std::span<const TextEntry> table) {
    TextIndex index{};
    for (const TextEntry& entry : table) {
        const auto n = static_cast<size_t>(entry.id);
        if (n < kTextCount) index[n] = entry.text;
    }
    return index;
}

const TextIndex& IndexFor(Language language) {
    static const TextIndex chinese = IndexOf(ChineseTexts());
    static const TextIndex english = IndexOf(EnglishTexts());
    return language == Language::Chinese ? chinese : english;
}

Language gLanguage = Language::Chinese;

}  // namespace

const char* OwnText(Language language, TextId id) {
    const auto n = static_cast<size_t>(id);
    return n < kTextCount ? IndexFor(language)[n] : nullptr;
}

std::string_view TextIn(Language language, TextId id) {
    if (const char* own = OwnText(language, id)) return own;
    const char* english = OwnText(Language::English, id);
    return english != nullptr ? english : "";
}

Language CurrentLanguage() { return gLanguage; }

void SetCurrentLanguage(Language language) { gLanguage = language; }

std::string_view Text(TextId id) { return TextIn(gLanguage, id); }

std::string FormatText(TextId id, std::initializer_list<std::string_view> arguments) {
    const std::string_view pattern = Text(id);
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        // "{n}" with one digit n from 1.
        if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' &&
            pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto n = static_cast<size_t>(pattern[i + 1] - '1');
            if (n < arguments.size()) {
                text += *(arguments.begin() + n);
                i += 2;
                continue;
            }
        }
        text += pattern[i];
    }
    return text;
}

}  // namespace quorrin
