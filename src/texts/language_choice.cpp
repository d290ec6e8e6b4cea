#include "texts/language_choice.h"

#include <algorithm>
#include <array>

namespace quorrin {

namespace {

struct SettingName {
    LanguageSetting setting;
    std::string_view text;
};
constexpr std::array<SettingName, 3> kSettingNames{{{LanguageSetting::Auto, "auto"},
                                                    {LanguageSetting::Chinese, "zh-CN"},
                                                    {LanguageSetting::English, "en-US"}}};

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return Lower(x) == Lower(y); });
}

// "zh", "zh-CN", "zh-Hans-CN", "zh_TW"...: the primary subtag is "zh".
bool IsChineseTag(std::string_view tag) {
    if (tag.size() < 2 || !EqualsNoCase(tag.substr(0, 2), "zh")) return false;
    return tag.size() == 2 || tag[2] == '-' || tag[2] == '_';
}

}  // namespace

std::string_view LanguageSettingText(LanguageSetting setting) {
    for (const SettingName& name : kSettingNames) {
        if (name.setting == setting) return name.text;
    }
    return kSettingNames.front().text;
}

std::optional<LanguageSetting> TextToLanguageSetting(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    for (const SettingName& name : kSettingNames) {
        if (EqualsNoCase(text, name.text)) return name.setting;
    }
    return std::nullopt;
}

Language ChooseLanguage(LanguageSetting setting,
                        std::span<const std::string> preferredUiLanguages) {
    switch (setting) {
        case LanguageSetting::Chinese:
            return Language::Chinese;
        case LanguageSetting::English:
            return Language::English;
        case LanguageSetting::Auto:
            break;
    }
    const bool chinese = !preferredUiLanguages.empty() && IsChineseTag(preferredUiLanguages[0]);
    return chinese ? Language::Chinese : Language::English;
}

}  // namespace quorrin
