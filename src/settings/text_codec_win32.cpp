// GBK <-> UTF-8 with the system's code page 936 tables, named explicitly: the settings file
// is GBK whatever the user's ANSI code page is.
#include "settings/text_codec.h"

#include <windows.h>

#include <climits>

namespace quorrin {
namespace {

constexpr UINT kGbkCodePage = 936;

std::wstring ToWide(UINT codePage, DWORD flags, std::string_view text) {
    if (text.empty() || text.size() > static_cast<size_t>(INT_MAX)) return std::wstring();
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
    if (needed <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), needed);
    return wide;
}

std::string FromWide(UINT codePage, DWORD flags, const char* defaultChar, std::wstring_view wide) {
    if (wide.empty() || wide.size() > static_cast<size_t>(INT_MAX)) return std::string();
    const int length = static_cast<int>(wide.size());
    const int needed =
        WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, defaultChar, nullptr);
    if (needed <= 0) return std::string();
    std::string text(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), length, text.data(), needed, defaultChar,
                        nullptr);
    return text;
}

// Without MB_ERR_INVALID_CHARS, code page 936 turns broken bytes into various stand-ins;
// converting the text a character at a time makes each of them a plain '?' instead.
std::wstring GbkToWideMarkingErrors(std::string_view gbk) {
    std::wstring wide = ToWide(kGbkCodePage, MB_ERR_INVALID_CHARS, gbk);
    if (!wide.empty() || gbk.empty()) return wide;
    for (size_t i = 0; i < gbk.size();) {
        const size_t length = GbkCharLength(gbk, i);
        const std::wstring one = ToWide(kGbkCodePage, MB_ERR_INVALID_CHARS, gbk.substr(i, length));
        if (one.empty()) {
            wide.push_back(L'?');
        } else {
            wide += one;
        }
        i += length;
    }
    return wide;
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) {
    // Broken UTF-8 becomes U+FFFD, which 936 lacks, so it ends up as '?' too.
    return FromWide(kGbkCodePage, WC_NO_BEST_FIT_CHARS, "?", ToWide(CP_UTF8, 0, utf8));
}

std::string GbkToUtf8(std::string_view gbk) {
    return FromWide(CP_UTF8, 0, nullptr, GbkToWideMarkingErrors(gbk));
}

}  // namespace quorrin
