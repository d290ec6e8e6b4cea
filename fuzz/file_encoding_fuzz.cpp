// The encodings a Config.ini arrives in: GBK, UTF-8 with and without a byte-order mark,
// UTF-16 LE and BE with one. Input: a mode byte (the last), then the bytes.
// Properties: any bytes are detected and decoded without fault (a GBK file's bytes as they
// are, any other file as well-formed UTF-8); a text saved in each of the other encodings
// decodes to the same UTF-8 text, no character lost; decode -> encode -> decode gives the
// same text again, for a GBK file through UTF-8 and back, for the others through the UTF-16
// file a save writes.
#include "fuzz_support.h"
#include "settings/file_encoding.h"
#include "settings/text_codec.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>

namespace quorrin {
namespace {

constexpr char32_t kMaxCodePoint = 0x10FFFF;

// The code points of well-formed UTF-8.
std::u32string DecodeUtf8(std::string_view utf8) {
    std::u32string out;
    for (size_t pos = 0; pos < utf8.size();) {
        const size_t length = Utf8CharLength(utf8, pos);
        FUZZ_CHECK(length >= 1 && length <= 4 && length <= utf8.size() - pos);
        char32_t c = static_cast<unsigned char>(utf8[pos]);
        if (length > 1) c &= 0x3F >> (length - 1);
        for (size_t i = 1; i < length; ++i) c = (c << 6) | (utf8[pos + i] & 0x3F);
        FUZZ_CHECK(c <= kMaxCodePoint && (c < 0xD800 || c > 0xDFFF));
        out.push_back(c);
        pos += length;
    }
    return out;
}

std::string EncodeUtf16(const std::u32string& text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    const auto unit = [&](char32_t u) {
        const char high = static_cast<char>(u >> 8);
        const char low = static_cast<char>(u & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    for (const char32_t c : text) {
        if (c < 0x10000) {
            unit(c);
        } else {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

bool IsWellFormedUtf8(std::string_view text) {
    for (size_t pos = 0; pos < text.size();) {
        const size_t length = Utf8CharLength(text, pos);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

void CheckAnyBytes(const std::string& bytes) {
    for (size_t pos = 0; pos < bytes.size(); ++pos) {
        FUZZ_CHECK(GbkCharLength(bytes, pos) <= bytes.size() - pos);
        FUZZ_CHECK(Utf8CharLength(bytes, pos) <= bytes.size() - pos);
    }
    const FileText decoded = DecodeFileBytes(bytes);
    FUZZ_CHECK(decoded.encoding == DetectFileEncoding(bytes));
    if (decoded.encoding == FileEncoding::Gbk) {
        FUZZ_CHECK(decoded.text == bytes);
        // Once decoded, the text is stable: GBK -> UTF-8 -> GBK -> UTF-8 changes nothing more.
        const std::string utf8 = GbkToUtf8(decoded.text);
        FUZZ_CHECK(IsWellFormedUtf8(utf8));
        const std::string gbkAgain = Utf8ToGbk(utf8);
        FUZZ_CHECK(GbkToUtf8(gbkAgain) == utf8);
        FUZZ_CHECK(Utf8ToGbk(GbkToUtf8(gbkAgain)) == gbkAgain);
        return;
    }
    FUZZ_CHECK(IsWellFormedUtf8(decoded.text));
    // Saved as UTF-16, the text reads back as it was.
    const FileText again = DecodeFileBytes(Utf8ToUtf16LeFile(decoded.text));
    FUZZ_CHECK(again.encoding == FileEncoding::Utf16Le);
    FUZZ_CHECK(again.text == decoded.text);
}

// A text saved by an editor in each encoding other than GBK reads as the same UTF-8 text.
void CheckEncodings(const std::string& utf8) {
    const std::u32string codePoints = DecodeUtf8(utf8);
    const bool ascii = codePoints.size() == utf8.size();

    const std::string withBom = "\xEF\xBB\xBF" + utf8;
    FUZZ_CHECK(DetectFileEncoding(withBom) == FileEncoding::Utf8WithBom);
    FUZZ_CHECK(DecodeFileBytes(withBom).text == utf8);

    // Without a mark, a text that starts like a mark is read by the mark.
    const bool startsLikeAMark = utf8.starts_with("\xEF\xBB\xBF") || utf8.starts_with("\xFF\xFE") ||
                                 utf8.starts_with("\xFE\xFF");
    if (!startsLikeAMark) {
        FUZZ_CHECK(DetectFileEncoding(utf8) == (ascii ? FileEncoding::Gbk : FileEncoding::Utf8));
        FUZZ_CHECK(DecodeFileBytes(utf8).text == utf8);
    }
    for (const bool bigEndian : {false, true}) {
        const std::string utf16 = EncodeUtf16(codePoints, bigEndian);
        FUZZ_CHECK(DetectFileEncoding(utf16) ==
                   (bigEndian ? FileEncoding::Utf16Be : FileEncoding::Utf16Le));
        FUZZ_CHECK(DecodeFileBytes(utf16).text == utf8);
        // A cut last unit is dropped, the rest still reads.
        FUZZ_CHECK(DecodeFileBytes(utf16 + 'x').text == utf8);
    }
    // What a save writes for the text reads back as the same text.
    FUZZ_CHECK(DecodeFileBytes(Utf8ToUtf16LeFile(utf8)).text == utf8);
    FUZZ_CHECK(DecodeFileBytes(EncodeUtf16(codePoints, false)).text == utf8);
}

}  // namespace
}  // namespace quorrin

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const uint8_t mode = input.ConsumeIntegral<uint8_t>();
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    quorrin::CheckAnyBytes(bytes);
    // Well-formed UTF-8 made from the bytes: as they are when they are, else read as GBK.
    const std::string utf8 =
        (mode & 1) != 0 && quorrin::IsWellFormedUtf8(bytes) ? bytes : quorrin::GbkToUtf8(bytes);
    quorrin::CheckEncodings(utf8);
    return 0;
}
