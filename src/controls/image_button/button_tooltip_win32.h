// The optional tooltip of an image button: a common-controls tooltip window with the
// button as its one tool, fed with the button's own mouse messages.
#pragma once

#include "win32/unique_handle_win32.h"

#include <windows.h>

#include <string>

namespace quorrin {

class ButtonToolTip {
  public:
    // Shows `text` for `button` from now on; an empty text removes the tooltip.
    void Set(HINSTANCE instance, HWND button, const std::wstring& text);
    // Passes one of the button's messages on; the tooltip takes the mouse messages.
    void Relay(HWND button, UINT message, WPARAM wParam, LPARAM lParam) const;
    void Destroy() { window_.Reset(); }

  private:
    UniqueWindow window_;
};

}  // namespace quorrin
