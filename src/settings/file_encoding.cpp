#include "settings/file_encoding.h"

#include "settings/text_codec.h"

#include <cstdint>
#include <utility>

namespace quorrin {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

constexpr char32_t kReplacementCharacter = 0xFFFD;
constexpr char16_t kHighSurrogateFirst = 0xD800;
constexpr char16_t kLowSurrogateFirst = 0xDC00;
constexpr char16_t kSurrogateLast = 0xDFFF;

// Whether the bytes are well-formed UTF-8, and whether any character is not ASCII.
struct Utf8Shape {
    bool wellFormed = true;
    bool nonAscii = false;
};
Utf8Shape ShapeOfUtf8(std::string_view bytes) {
    Utf8Shape shape;
    for (size_t pos = 0; pos < bytes.size();) {
        const size_t length = Utf8CharLength(bytes, pos);
        if (length == 0) return {false, shape.nonAscii};
        if (length > 1) shape.nonAscii = true;
        pos += length;
    }
    return shape;
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

bool IsAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

bool IsUtf16(FileEncoding encoding) {
    return encoding == FileEncoding::Utf16Le || encoding == FileEncoding::Utf16Be;
}

// The code point of the well-formed UTF-8 character of `length` bytes at `pos`.
char32_t DecodeUtf8(std::string_view text, size_t pos, size_t length) {
    const auto byte = [&](size_t i) {
        return static_cast<char32_t>(static_cast<uint8_t>(text[pos + i]));
    };
    if (length == 1) return byte(0);
    char32_t c = byte(0) & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) c = (c << 6) | (byte(i) & 0x3F);
    return c;
}

// Calls `unit` with each UTF-16 code unit of the UTF-8 text; a malformed byte is U+FFFD.
template <typename Unit>
void ForEachUtf16Unit(std::string_view utf8, Unit unit) {
    for (size_t pos = 0; pos < utf8.size();) {
        const size_t length = Utf8CharLength(utf8, pos);
        const char32_t c = length == 0 ? kReplacementCharacter : DecodeUtf8(utf8, pos, length);
        pos += length == 0 ? 1 : length;
        if (c < 0x10000) {
            unit(static_cast<char16_t>(c));
        } else {
            unit(static_cast<char16_t>(kHighSurrogateFirst + ((c - 0x10000) >> 10)));
            unit(static_cast<char16_t>(kLowSurrogateFirst + ((c - 0x10000) & 0x3FF)));
        }
    }
}

size_t Utf16Units(std::string_view utf8) {
    size_t units = 0;
    ForEachUtf16Unit(utf8, [&](char16_t) { ++units; });
    return units;
}

}  // namespace

FileEncoding DetectFileEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) return FileEncoding::Utf8WithBom;
    if (bytes.starts_with(kUtf16LeBom)) return FileEncoding::Utf16Le;
    if (bytes.starts_with(kUtf16BeBom)) return FileEncoding::Utf16Be;
    const Utf8Shape shape = ShapeOfUtf8(bytes);
    return shape.wellFormed && shape.nonAscii ? FileEncoding::Utf8 : FileEncoding::Gbk;
}

FileText DecodeFileBytes(std::string bytes) {
    const FileEncoding encoding = DetectFileEncoding(bytes);
    const std::string_view view(bytes);
    switch (encoding) {
        case FileEncoding::Gbk:
        case FileEncoding::Utf8:
            return {encoding, std::move(bytes)};
        case FileEncoding::Utf8WithBom:
            // Well-formed text is taken as it is (the common case, and a quick one).
            if (ShapeOfUtf8(view.substr(kUtf8Bom.size())).wellFormed) {
                return {encoding, bytes.substr(kUtf8Bom.size())};
            }
            // The mark alone decides, so the bytes after it may be malformed: such a sequence
            // becomes U+FFFD here, as it would at the save, so that a save and the next start
            // read the same text.
            return {encoding,
                    Utf16ToUtf8(
                        Utf8ToUtf16LeFile(view.substr(kUtf8Bom.size())).substr(kUtf16LeBom.size()),
                        false)};
        case FileEncoding::Utf16Le:
            return {encoding, Utf16ToUtf8(view.substr(kUtf16LeBom.size()), false)};
        case FileEncoding::Utf16Be:
            return {encoding, Utf16ToUtf8(view.substr(kUtf16BeBom.size()), true)};
    }
    return {encoding, std::move(bytes)};
}

bool FitsGbk(std::string_view utf8) { return IsAscii(utf8) || GbkToUtf8(Utf8ToGbk(utf8)) == utf8; }

FileEncoding EncodingForSave(FileEncoding current, std::span<const std::string_view> utf8Texts) {
    if (IsUtf16(current)) return FileEncoding::Utf16Le;
    for (const std::string_view text : utf8Texts) {
        if (!FitsGbk(text)) return FileEncoding::Utf16Le;
    }
    return FileEncoding::Gbk;
}

std::string Utf8ToUtf16LeFile(std::string_view utf8) {
    std::string out(kUtf16LeBom);
    out.reserve(kUtf16LeBom.size() + 2 * utf8.size());
    ForEachUtf16Unit(utf8, [&](char16_t u) {
        out.push_back(static_cast<char>(u & 0xFF));
        out.push_back(static_cast<char>(u >> 8));
    });
    return out;
}

size_t StoredLength(std::string_view utf8, FileEncoding encoding) {
    if (IsAscii(utf8)) return utf8.size();
    if (!IsUtf16(encoding)) {
        const std::string gbk = Utf8ToGbk(utf8);
        if (GbkToUtf8(gbk) == utf8) return gbk.size();
    }
    return Utf16Units(utf8);
}

}  // namespace quorrin
