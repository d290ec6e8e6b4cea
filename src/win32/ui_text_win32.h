// The texts of texts/texts.h as the wide Win32 functions take them, in the current language.
#pragma once

#include "texts/texts.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace quorrin {

std::wstring UiText(TextId id);
// FormatText's result, wide.
std::wstring UiText(TextId id, std::initializer_list<std::string_view> arguments);

}  // namespace quorrin
