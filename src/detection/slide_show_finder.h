// Recognising a running slide show among the desktop's top-level windows, and selecting the
// presentation timing that applies to it.
//
// A window is a slide show when it has a title and either the title holds the marker of
// Simplified-Chinese PowerPoint or one of the extra markers from Config.ini, or the window is
// of PowerPoint's slide-show class (whatever PowerPoint's language, the class is the same),
// or it belongs to WPS Presentation's program and covers a whole monitor (WPS titles its show
// in the user's language, and its window class is a generic one other programs use too).
// The facts are asked for in that order, the costlier ones only when nothing else matched.
#pragma once

#include "geometry/rect.h"
#include "settings/app_state.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorrin {

// A slide-show window's title holds this text, both spaces included.
inline constexpr const char* kSlideShowMarker = " 幻灯片放映 ";

// Window class of PowerPoint's slide-show window, in every language of PowerPoint.
inline constexpr const char* kSlideShowClassName = "screenClass";

// Executable file name of WPS Presentation, whose show window covers a whole monitor.
// Compared ignoring case.
inline constexpr const char* kWpsPresentationProgram = "wpp.exe";

// Longest title the detection looks at, in characters.
inline constexpr size_t kTitleMaxChars = 254;

// Where a shown window is, and the monitor it is on (the one it overlaps most), in pixels.
struct WindowScreen {
    PixelRect window;
    PixelRect monitor;
};

// Whether the window covers the whole of its monitor (a show, or any full-screen window).
bool CoversMonitor(const WindowScreen& screen);

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
    // The file name of the window's program ("wpp.exe", no folder) as UTF-8; "" when it cannot
    // be told.
    virtual std::string ProgramName(WindowId window) = 0;
    // Where the window is; nothing for a hidden or minimised window, or one that has gone.
    virtual std::optional<WindowScreen> Screen(WindowId window) = 0;

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
