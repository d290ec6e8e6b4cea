// The program's message boxes: OK only, captioned with the program's name.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace quorrin {

inline constexpr const wchar_t* kMessageBoxCaption = L"Quorrin";

// Shows the text (UTF-8) and returns when the user has dismissed it. With an owner, the
// owner is disabled meanwhile.
void ShowMessage(HWND owner, std::string_view textUtf8);

// A settings file could not be written: names the file and the reason (both UTF-8).
void ShowSaveFailed(HWND owner, std::string_view pathUtf8, std::string_view reasonUtf8);

// The text of that message, for tests that find the box by its text.
std::wstring SaveFailedText(std::string_view pathUtf8, std::string_view reasonUtf8);

}  // namespace quorrin
