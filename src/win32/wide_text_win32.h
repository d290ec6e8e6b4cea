// Conversion between the program's UTF-8 text and the UTF-16 of the wide Win32 functions.
// Invalid input becomes U+FFFD rather than failing.
#pragma once

#include <string>
#include <string_view>

namespace quorrin {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

}  // namespace quorrin
