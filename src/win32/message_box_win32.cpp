#include "win32/message_box_win32.h"

#include "win32/wide_text_win32.h"

#include <string>

namespace quorrin {

void ShowMessage(HWND owner, std::string_view textUtf8) {
    MessageBoxW(owner, Utf8ToWide(textUtf8).c_str(), kMessageBoxCaption, MB_OK);
}

std::wstring SaveFailedText(std::string_view pathUtf8, std::string_view reasonUtf8) {
    std::wstring text = L"设置未能保存到文件：\n";
    text += Utf8ToWide(pathUtf8);
    text += L"\n\n";
    text += Utf8ToWide(reasonUtf8);
    return text;
}

void ShowSaveFailed(HWND owner, std::string_view pathUtf8, std::string_view reasonUtf8) {
    MessageBoxW(owner, SaveFailedText(pathUtf8, reasonUtf8).c_str(), kMessageBoxCaption,
                MB_OK | MB_ICONWARNING);
}

}  // namespace quorrin
