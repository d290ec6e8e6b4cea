// The tooltip of one of the program's own controls: a common-controls tooltip window with
// the control as its one tool. Two kinds: a plain tip fed with the control's own mouse
// messages (Relay), or a balloon that watches the control's mouse by itself and stands
// centred under it, with a look of its own.
#pragma once

#include "win32/unique_handle_win32.h"

#include <windows.h>

#include <string>

namespace quorrin {

// A tip colour that keeps the system's (commctrl's CLR_DEFAULT).
inline constexpr COLORREF kSystemTipColor = 0xFF000000;

struct ToolTipLook {
    // A balloon centred under the control, following the control's mouse messages itself
    // (the tooltip subclasses the control); otherwise a plain tip fed through Relay.
    bool balloon = false;
    // Longer texts wrap at this width; 0 keeps one line.
    int maxWidthPixels = 0;
    // The tip's colours.
    COLORREF backColor = kSystemTipColor;
    COLORREF textColor = kSystemTipColor;
};

class ToolTip {
  public:
    // Shows `text` for `control` from now on; an empty text removes the tooltip.
    void Set(HINSTANCE instance, HWND control, const std::wstring& text,
             const ToolTipLook& look = {});
    // The balloon's area: the control's client rectangle, again after a resize.
    void FitToControl(HWND control) const;
    // Passes one of the control's messages on; a plain tip takes the mouse messages.
    void Relay(HWND control, UINT message, WPARAM wParam, LPARAM lParam) const;
    void Destroy() { window_.Reset(); }
    HWND Window() const { return window_.Get(); }

  private:
    UniqueWindow window_;
    bool balloon_ = false;
};

}  // namespace quorrin
