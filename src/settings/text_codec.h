// Conversion between the program's UTF-8 text and the GBK (code page 936) bytes of the
// settings file. Characters GBK cannot hold become '?'. Also the byte shapes of both
// encodings, for code that walks their text a character at a time.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorrin {

std::string Utf8ToGbk(std::string_view utf8);
std::string GbkToUtf8(std::string_view gbk);

// Double-byte GBK characters: a lead byte 0x81..0xFE, then a trail byte 0x40..0xFE other
// than 0x7F. A trail byte can be an ASCII letter or "]"; every other byte is one character.
inline constexpr unsigned char kGbkLeadFirst = 0x81;
inline constexpr unsigned char kGbkLeadLast = 0xFE;
inline constexpr unsigned char kGbkTrailFirst = 0x40;
inline constexpr unsigned char kGbkTrailLast = 0xFE;
inline constexpr unsigned char kGbkTrailGap = 0x7F;  // never a trail byte

constexpr bool IsGbkLeadByte(unsigned char byte) {
    return byte >= kGbkLeadFirst && byte <= kGbkLeadLast;
}
constexpr bool IsGbkTrailByte(unsigned char byte) {
    return byte >= kGbkTrailFirst && byte <= kGbkTrailLast && byte != kGbkTrailGap;
}

// Bytes of the GBK character at `pos` (< text.size()): 2 for a lead byte followed by a trail
// byte, otherwise 1.
size_t GbkCharLength(std::string_view text, size_t pos);

// Bytes of the well-formed UTF-8 character at `pos` (< text.size()), 1 to 4; 0 when the
// bytes there are not one (a stray continuation byte, a cut or overlong sequence, a
// surrogate, a code point above U+10FFFF).
size_t Utf8CharLength(std::string_view text, size_t pos);

}  // namespace quorrin
