#include "app/window_walk_win32.h"

#include "app/wide_text_win32.h"

namespace quorrin {

WindowId DesktopWindowWalk::First() { return ToWindowId(GetWindow(GetDesktopWindow(), GW_CHILD)); }

WindowId DesktopWindowWalk::Next(WindowId window) {
    return ToWindowId(GetWindow(ToHwnd(window), GW_HWNDNEXT));
}

std::string DesktopWindowWalk::Title(WindowId window) {
    wchar_t buffer[kTitleBufferChars] = {};
    const int length = GetWindowTextW(ToHwnd(window), buffer, kTitleBufferChars);
    if (length <= 0) return {};
    return WideToUtf8(std::wstring_view(buffer, static_cast<size_t>(length)));
}

}  // namespace quorrin
