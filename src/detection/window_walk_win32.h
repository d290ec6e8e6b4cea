// The desktop's top-level windows as the slide-show detection walks them, from the real
// window list (windows of every process on the desktop, hidden ones included).
//
// First() takes the whole list in one call and tells the title cache which titles are due
// (see title_cache.h); Next() answers from that list, and Title() reads a title only when it
// is due, so a pass that stops at the show reads none of the titles below it. A name-change
// event from the system makes the window's title due from the next pass; Wine (8.0) raises none
// when a title is set, so there a retitled window is seen by the rotation alone.
//
// ReportChanges adds out-of-context WinEvent hooks for the creation, showing, hiding,
// destruction, retitling, reordering and activation of top-level windows. From then on the
// title rotation runs on at most one pass in kRotationIntervalMs, however many passes the
// events cause, and the tracked show's destruction leaves it out of the next pass even if
// that pass comes before the window has quite gone.
#pragma once

#include "detection/slide_show_finder.h"
#include "detection/title_cache.h"
#include "win32/unique_handle_win32.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorrin {

// Title buffer of the walk, in wide characters with the terminating NUL, so a title is cut
// after kTitleMaxChars characters.
inline constexpr int kTitleBufferChars = static_cast<int>(kTitleMaxChars) + 1;
// Longest window class name, in wide characters with the terminating NUL.
inline constexpr int kClassBufferChars = 257;
// Program paths are read into this many wide characters (with the NUL) first, and into the
// longest a long path can be when that is too few.
inline constexpr DWORD kProgramPathFirstChars = MAX_PATH;
inline constexpr DWORD kProgramPathLongestChars = 32768;
// Shortest time between two passes that run the title rotation once changes are reported.
inline constexpr ULONGLONG kRotationIntervalMs = 900;

// Used on the thread that made it (the name-change events arrive through its messages).
class DesktopWindowWalk final : public WindowWalk {
  public:
    DesktopWindowWalk();
    ~DesktopWindowWalk() override;
    DesktopWindowWalk(const DesktopWindowWalk&) = delete;
    DesktopWindowWalk& operator=(const DesktopWindowWalk&) = delete;

    // Takes this pass's window list, top of the Z order first.
    WindowId First() override;
    // The window below `window` on that list (0 at the end, or for a window not on it).
    WindowId Next(WindowId window) override;
    // The title as of this pass, read now when due; a window not on the list is asked
    // directly.
    std::string Title(WindowId window) override;
    // Read once per window and kept.
    std::string ClassName(WindowId window) override;
    // Likewise.
    std::string ProgramName(WindowId window) override;
    // Asked anew each time: windows move.
    std::optional<WindowScreen> Screen(WindowId window) override;

    bool ReportChanges(std::function<void()> changed) override;
    void Track(WindowId show) override;

  private:
    static void CALLBACK OnEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG objectId,
                                 LONG childId, DWORD thread, DWORD timeMs);
    void OnWindowEvent(DWORD event, HWND window);
    // Position of `window` in this pass's list, or the list's size.
    size_t PositionOf(WindowId window) const;
    bool RotateThisPass();
    void AddHook(DWORD firstEvent, DWORD lastEvent);

    HDESK desktop_;  // this thread's desktop (GetThreadDesktop's handle needs no closing)
    TitleCache titles_;
    std::vector<WindowId> list_;  // scratch for the list of one pass
    size_t cursor_ = 0;           // position of the window the walk last handed out
    std::function<void()> changed_;
    WindowId tracked_ = 0;
    WindowId destroyed_ = 0;  // the tracked show, destroyed since the last pass
    ULONGLONG lastRotationMs_ = 0;
    std::vector<UniqueWinEventHook> hooks_;
};

// The title of `window` as the detection sees it: UTF-8, at most kTitleMaxChars characters.
std::string ReadWindowTitle(HWND window);
// The class name of `window` as UTF-8; "" when it has gone.
std::string ReadWindowClass(HWND window);
// The file name of the program that made `window` as UTF-8; "" when it cannot be told.
std::string ReadWindowProgram(HWND window);
// Where `window` is and the monitor it overlaps most; nothing when hidden, minimised or gone.
std::optional<WindowScreen> ReadWindowScreen(HWND window);

inline WindowId ToWindowId(HWND window) { return reinterpret_cast<WindowId>(window); }
inline HWND ToHwnd(WindowId window) { return reinterpret_cast<HWND>(window); }

}  // namespace quorrin
