#include "dialogs/common/pickers_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/wide_text_win32.h"

#include <commdlg.h>

#include <array>

namespace quorrin {

namespace {

// Room for the longest path the wide functions accept ("\\?\" paths), so long folders are
// returned whole instead of failing with FNERR_BUFFERTOOSMALL.
constexpr DWORD kFileBufferChars = 32768;
constexpr size_t kCustomColorCount = 16;

void LogDialogError(const wchar_t* context) {
    // Zero means the user cancelled; anything else is a failure of the dialog.
    const DWORD code = CommDlgExtendedError();
    if (code != 0) LogDebug(context, L"failed, CommDlgExtendedError " + std::to_wstring(code));
}

}  // namespace

std::string PickOpenFile(std::string_view filter, std::string_view title, HWND owner) {
    // The filter list ends with an empty string: whatever the caller ended it with, two
    // NULs follow the last pattern.
    std::wstring wideFilter = Utf8ToWide(filter);
    wideFilter.push_back(L'\0');
    wideFilter.push_back(L'\0');
    const std::wstring wideTitle = Utf8ToWide(title);
    std::wstring file(kFileBufferChars, L'\0');

    OPENFILENAMEW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.hInstance = GetModuleHandleW(nullptr);
    request.lpstrFilter = wideFilter.c_str();
    request.lpstrFile = file.data();
    request.nMaxFile = kFileBufferChars;
    request.lpstrTitle = wideTitle.empty() ? nullptr : wideTitle.c_str();
    request.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameW(&request) == FALSE) {
        LogDialogError(L"PickOpenFile: GetOpenFileNameW");
        return {};
    }
    if (const size_t end = file.find(L'\0'); end != std::wstring::npos) file.resize(end);
    return WideToUtf8(file);
}

int32_t PickColor(HWND owner) {
    std::array<COLORREF, kCustomColorCount> custom{};  // black, fresh for every call
    CHOOSECOLORW request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.lpCustColors = custom.data();
    if (ChooseColorW(&request) == FALSE) {
        LogDialogError(L"PickColor: ChooseColorW");
        return kNoColor;
    }
    return static_cast<int32_t>(request.rgbResult & 0x00FFFFFF);
}

}  // namespace quorrin
