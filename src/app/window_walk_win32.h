// The desktop's top-level windows as the slide-show detection walks them, from the real
// window list (windows of every process on the desktop, hidden ones included).
#pragma once

#include "app/slide_show_finder.h"

#include <windows.h>

namespace quorrin {

// Title buffer of the walk, in wide characters with the terminating NUL, so a title is cut
// after kTitleMaxChars characters.
inline constexpr int kTitleBufferChars = static_cast<int>(kTitleMaxChars) + 1;

class DesktopWindowWalk final : public WindowWalk {
  public:
    WindowId First() override;
    WindowId Next(WindowId window) override;
    std::string Title(WindowId window) override;
};

inline WindowId ToWindowId(HWND window) { return reinterpret_cast<WindowId>(window); }
inline HWND ToHwnd(WindowId window) { return reinterpret_cast<HWND>(window); }

}  // namespace quorrin
