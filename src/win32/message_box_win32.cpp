#include "win32/message_box_win32.h"

#include "win32/ui_text_win32.h"
#include "win32/wide_text_win32.h"

#include <string>

namespace quorrin {

void ShowMessage(HWND owner, std::string_view textUtf8) {
    MessageBoxW(owner, Utf8ToWide(textUtf8).c_str(), kMessageBoxCaption, MB_OK);
}

std::wstring SaveFailedText(std::string_view pathUtf8, std::string_view reasonUtf8) {
    return UiText(TextId::SaveFailed, {pathUtf8, reasonUtf8});
}

void ShowSaveFailed(HWND owner, std::string_view pathUtf8, std::string_view reasonUtf8) {
    MessageBoxW(owner, SaveFailedText(pathUtf8, reasonUtf8).c_str(), kMessageBoxCaption,
                MB_OK | MB_ICONWARNING);
}

}  // namespace quorrin
