// Conversion between the program's UTF-8 text and the GBK (code page 936) bytes of the
// settings file. Characters GBK cannot hold become '?'.
#pragma once

#include <string>
#include <string_view>

namespace quorrin {

std::string Utf8ToGbk(std::string_view utf8);
std::string GbkToUtf8(std::string_view gbk);

}  // namespace quorrin
