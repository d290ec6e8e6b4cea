// Recognising a running slide show among the desktop's top-level windows, and selecting the
// presentation timing that applies to it.
//
// A window is a slide show when it has a title and either the title holds the marker of
// Simplified-Chinese PowerPoint or one of the extra markers from Config.ini, or the window is
// of PowerPoint's slide-show class (whatever PowerPoint's language, the class is the same).
#pragma once

#include "settings/app_state.h"

#include <functional>
#include <string>

namespace quorrin {

// A slide-show window's title holds this text, both spaces included.
inline constexpr const char* kSlideShowMarker = " 幻灯片放映 ";

// Window class of PowerPoint's slide-show window, in every language of PowerPoint.
inline constexpr const char* kSlideShowClassName = "screenClass";

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
    // The window's class name as UTF-8 ("" when the window has gone).
    virtual std::string ClassName(WindowId window) = 0;

    // Asks to be told when the desktop's top-level windows may have changed (a window made,
    // shown, hidden, retitled, brought forward or reordered, or the tracked show destroyed).
    // `changed` is called from the thread's message loop, maybe several times for one change
    // and maybe while a pass runs, so it should only schedule one. False when this walk cannot
    // tell: then only passes at short intervals find changes.
    virtual bool ReportChanges(std::function<void()> /*changed*/) { return false; }
    // The show window the countdown follows after a pass (0 for none): its end and its title
    // are watched more closely.
    virtual void Track(WindowId /*show*/) {}
};

// Walks the windows, updates LastShowTitle/TitleChanged for every marker window met, and
// selects the first marker window with a matching slot (slot 0 with the shared timing).
// Returns the selected window or 0.
WindowId FindSlideShow(AppState& state, WindowWalk& walk);

// Copies the timings of `slot` into the countdown state for `window`.
void SelectSlot(AppState& state, int slot, WindowId window);

}  // namespace quorrin
