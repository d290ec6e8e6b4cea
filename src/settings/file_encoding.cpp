#include "settings/file_encoding.h"

#include "settings/text_codec.h"

#include <cstdint>

namespace quorrin {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char16_t kHighSurrogateFirst = 0xD800;
constexpr char16_t kLowSurrogateFirst = 0xDC00;
constexpr char16_t kSurrogateLast = 0xDFFF;

bool IsWellFormedUtf8WithNonAscii(std::string_view bytes) {
    bool nonAscii = false;
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t length = Utf8CharLength(bytes, pos);
        if (length == 0) return false;
        if (length > 1) nonAscii = true;
        pos += length;
    }
    return nonAscii;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// UTF-16 code units (after the byte-order mark) to UTF-8; an unpaired surrogate becomes
// U+FFFD and an odd last byte is dropped.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    const auto unit = [&](size_t i) {
        const auto first = static_cast<uint8_t>(bytes[2 * i]);
        const auto second = static_cast<uint8_t>(bytes[2 * i + 1]);
        return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    const size_t units = bytes.size() / 2;
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    for (size_t i = 0; i < units; ++i) {
        const char16_t u = unit(i);
        if (u < kHighSurrogateFirst || u > kSurrogateLast) {
            AppendUtf8(out, u);
        } else if (u < kLowSurrogateFirst && i + 1 < units && unit(i + 1) >= kLowSurrogateFirst &&
                   unit(i + 1) <= kSurrogateLast) {
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u - kHighSurrogateFirst) << 10) |
                                       (unit(i + 1) - kLowSurrogateFirst)));
            ++i;
        } else {
            AppendUtf8(out, kReplacementCharacter);
        }
    }
    return out;
}

}  // namespace

FileEncoding DetectFileEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) return FileEncoding::Utf8WithBom;
    if (bytes.starts_with(kUtf16LeBom)) return FileEncoding::Utf16Le;
    if (bytes.starts_with(kUtf16BeBom)) return FileEncoding::Utf16Be;
    return IsWellFormedUtf8WithNonAscii(bytes) ? FileEncoding::Utf8 : FileEncoding::Gbk;
}

std::string FileBytesToGbk(std::string bytes) {
    const std::string_view view(bytes);
    switch (DetectFileEncoding(view)) {
        case FileEncoding::Gbk:
            return bytes;
        case FileEncoding::Utf8:
            return Utf8ToGbk(view);
        case FileEncoding::Utf8WithBom:
            return Utf8ToGbk(view.substr(kUtf8Bom.size()));
        case FileEncoding::Utf16Le:
            return Utf8ToGbk(Utf16ToUtf8(view.substr(kUtf16LeBom.size()), false));
        case FileEncoding::Utf16Be:
            return Utf8ToGbk(Utf16ToUtf8(view.substr(kUtf16BeBom.size()), true));
    }
    return bytes;
}

}  // namespace quorrin
