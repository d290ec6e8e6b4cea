// Recognising a running slide show by the titles of the desktop's top-level windows, and
// selecting the presentation timing that applies to it.
#pragma once

#include "settings/app_state.h"

#include <string>

namespace quorrin {

// A slide-show window's title holds this text, both spaces included.
inline constexpr const char* kSlideShowMarker = " 幻灯片放映 ";

// Longest title the detection looks at, in characters.
inline constexpr size_t kTitleMaxChars = 254;

// The desktop's top-level windows, top of the Z order first.
class WindowWalk {
  public:
    virtual ~WindowWalk() = default;
    // The first window (0 when there is none).
    virtual WindowId First() = 0;
    // The window below `window` (0 at the end, or when `window` has gone).
    virtual WindowId Next(WindowId window) = 0;
    // The title as UTF-8, at most kTitleMaxChars characters; "" for none.
    virtual std::string Title(WindowId window) = 0;
};

// Walks the windows, updates LastShowTitle/TitleChanged for every marker window met, and
// selects the first marker window with a matching slot (slot 0 with the shared timing).
// Returns the selected window or 0.
WindowId FindSlideShow(AppState& state, WindowWalk& walk);

// Copies the timings of `slot` into the countdown state for `window`.
void SelectSlot(AppState& state, int slot, WindowId window);

}  // namespace quorrin
