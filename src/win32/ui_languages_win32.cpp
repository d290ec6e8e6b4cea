#include "win32/ui_languages_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/wide_text_win32.h"

#include <windows.h>

namespace quorrin {

namespace {

// The system's list: names separated by NULs, ending with an empty one.
std::vector<std::string> SplitNames(const std::wstring& names) {
    std::vector<std::string> tags;
    for (size_t start = 0; start < names.size();) {
        const size_t end = names.find(L'\0', start);
        const size_t stop = end == std::wstring::npos ? names.size() : end;
        if (stop == start) break;
        tags.push_back(WideToUtf8(names.substr(start, stop - start)));
        start = stop + 1;
    }
    return tags;
}

}  // namespace

std::vector<std::string> PreferredUiLanguages() {
    ULONG count = 0;
    ULONG chars = 0;
    if (GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &chars) != FALSE &&
        chars > 0) {
        std::wstring names(chars, L'\0');
        if (GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &chars) != FALSE) {
            std::vector<std::string> tags = SplitNames(names);
            if (!tags.empty()) return tags;
        }
    }
    LogLastError(L"GetUserPreferredUILanguages");
    // The older call: the one UI language, as a locale name.
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name,
                         LOCALE_NAME_MAX_LENGTH, 0) > 0) {
        return {WideToUtf8(name)};
    }
    return {};
}

}  // namespace quorrin
