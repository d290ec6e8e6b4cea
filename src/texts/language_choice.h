// Which language the program speaks: the user's choice in Config.ini, or, left to the
// program, Chinese for a user whose first preferred UI language is Chinese and English for
// everyone else.
#pragma once

#include "texts/texts.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quorrin {

enum class LanguageSetting { Auto, Chinese, English };

// The setting as Config.ini holds it: "auto", "zh-CN", "en-US".
std::string_view LanguageSettingText(LanguageSetting setting);
// Any case; nothing for a text that names none of them.
std::optional<LanguageSetting> TextToLanguageSetting(std::string_view text);

// `preferredUiLanguages`: the user's UI languages as tags ("zh-CN", "en-US"), most
// preferred first; only the first one counts.
Language ChooseLanguage(LanguageSetting setting, std::span<const std::string> preferredUiLanguages);

}  // namespace quorrin
