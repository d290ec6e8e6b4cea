// GBK <-> UTF-8 through iconv, for the native build (tests and tools). The Windows program
// uses code page 936 of the system (text_codec_win32.cpp); both turn what they cannot
// convert into '?'.
#include "settings/text_codec.h"

#include <iconv.h>

#include <cerrno>

namespace quorrin {
namespace {

constexpr const char* kGbkName = "CP936";
constexpr const char* kUtf8Name = "UTF-8";
constexpr size_t kChunkBytes = 256;

class IconvHandle {
  public:
    IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (Valid()) iconv_close(cd_);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return cd_; }

  private:
    iconv_t cd_;
};

// Bytes of the malformed or unconvertible character at the start of `rest`.
using SkipFn = size_t (*)(const unsigned char* rest, size_t left);

size_t SkipUtf8Char(const unsigned char* rest, size_t left) {
    const unsigned char lead = rest[0];
    size_t length = 1;
    if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    } else if (lead >= 0xE0) {
        length = 3;
    } else if (lead >= 0xC2) {
        length = 2;
    }
    if (lead >= 0xF5 || length > left) return 1;
    for (size_t i = 1; i < length; ++i) {
        if ((rest[i] & 0xC0) != 0x80) return i;
    }
    return length;
}

size_t SkipGbkChar(const unsigned char* rest, size_t left) {
    return GbkCharLength(std::string_view(reinterpret_cast<const char*>(rest), left), 0);
}

std::string Convert(std::string_view input, const char* to, const char* from, SkipFn skip) {
    std::string out;
    if (input.empty()) return out;
    IconvHandle cd(to, from);
    if (!cd.Valid()) return std::string(input.size(), '?');

    out.reserve(input.size() * 2);
    char* in = const_cast<char*>(input.data());  // iconv's signature is not const-correct
    size_t inLeft = input.size();
    char buffer[kChunkBytes];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof(buffer);
        const size_t rc = iconv(cd.Get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (rc != static_cast<size_t>(-1) || errno == E2BIG) continue;
        // EILSEQ (malformed or unmappable) or EINVAL (cut short at the end): one '?' for it.
        const size_t bad = skip(reinterpret_cast<const unsigned char*>(in), inLeft);
        out.push_back('?');
        in += bad;
        inLeft -= bad;
        iconv(cd.Get(), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) {
    return Convert(utf8, kGbkName, kUtf8Name, SkipUtf8Char);
}

std::string GbkToUtf8(std::string_view gbk) {
    return Convert(gbk, kUtf8Name, kGbkName, SkipGbkChar);
}

}  // namespace quorrin
