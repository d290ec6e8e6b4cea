#include "win32/short_path_win32.h"

#include "win32/wide_text_win32.h"

#include <windows.h>

namespace quorrin {

std::string ShortPathName(const std::string& path) {
    const std::wstring wide = Utf8ToWide(path);
    const DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0) return {};
    std::wstring shortPath(needed, L'\0');
    const DWORD length = GetShortPathNameW(wide.c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed) return {};
    shortPath.resize(length);
    return WideToUtf8(shortPath);
}

}  // namespace quorrin
