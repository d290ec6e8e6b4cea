// Putting text on the clipboard, for another program to paste.
#pragma once

#include <windows.h>

#include <string_view>

namespace quorrin {

// Replaces what the clipboard holds with `text` (CF_UNICODETEXT); `owner` is the window
// that then owns the clipboard. False, logged, when the clipboard cannot be had.
bool PutTextOnClipboard(HWND owner, std::wstring_view text);

}  // namespace quorrin
