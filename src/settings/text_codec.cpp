// The byte shapes of GBK and UTF-8 text, the same on every platform.
#include "settings/text_codec.h"

namespace quorrin {

size_t GbkCharLength(std::string_view text, size_t pos) {
    if (!IsGbkLeadByte(static_cast<unsigned char>(text[pos])) || pos + 1 >= text.size()) return 1;
    return IsGbkTrailByte(static_cast<unsigned char>(text[pos + 1])) ? 2 : 1;
}

size_t Utf8CharLength(std::string_view text, size_t pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    size_t length = 0;
    // The second byte's range rules out overlong forms, surrogates and values above U+10FFFF.
    unsigned char secondFirst = 0x80;
    unsigned char secondLast = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) secondFirst = 0xA0;
        if (lead == 0xED) secondLast = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) secondFirst = 0x90;
        if (lead == 0xF4) secondLast = 0x8F;
    } else {
        return 0;
    }
    if (length > text.size() - pos) return 0;
    if (byte(1) < secondFirst || byte(1) > secondLast) return 0;
    for (size_t i = 2; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
    }
    return length;
}

}  // namespace quorrin
