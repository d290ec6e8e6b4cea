// Test texts as an editor saves them in "Unicode": UTF-16 with a byte-order mark.
#pragma once

#include <string>

namespace quorrin::testing {

// UTF-8 text of the basic plane (one code unit a character) as UTF-16 with its mark.
inline std::string Utf16WithMark(const std::string& utf8, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        char32_t c = lead;
        size_t length = 1;
        if (lead >= 0xE0) {
            c = ((lead & 0x0Fu) << 12) | ((utf8[i + 1] & 0x3Fu) << 6) | (utf8[i + 2] & 0x3Fu);
            length = 3;
        } else if (lead >= 0xC0) {
            c = ((lead & 0x1Fu) << 6) | (utf8[i + 1] & 0x3Fu);
            length = 2;
        }
        const char high = static_cast<char>(c >> 8);
        const char low = static_cast<char>(c & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
        i += length;
    }
    return out;
}

}  // namespace quorrin::testing
