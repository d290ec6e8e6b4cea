// Titles of the desktop's top-level windows kept from one detection pass to the next, so that
// a pass asks the window system for a few titles instead of all of them.
//
// Each pass hands over the current window list, and the title of a window is then asked for
// with TitleAt. A title is read when it is asked for and due; it is due:
//   - until it is first read after its window is first listed;
//   - on every pass during a window's first kFreshPasses passes on the list, when it appeared
//     after the first pass (windows are often titled, or retitled, just after creation);
//   - from the pass after Invalidate (the window system said its text changed);
//   - on every pass for the tracked window (the running show), so that a show retitled to
//     something else ends at the next pass even where no event says so;
//   - otherwise in a rotation, on the passes that ask for it: each such pass makes due the
//     titles read longest ago, about a tenth of them, and every title is due again at least
//     once in kRefreshPasses rotating passes.
// A due title that is not asked for (a window below the show, where the pass stops) stays due
// and is read on the first pass that asks for it, so every title a pass looks at is as fresh as
// if all the due titles had been read at the pass's start.
// Class names and programs never change for a window: each is read once, when first asked
// for. Windows missing from the list are dropped with them, so a window id that comes back
// later (Windows reuses handles) is read as a new window.
#pragma once

#include "settings/app_state.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace quorrin {

// A window of the last pass with its title (UTF-8, already cut to the detection's length).
struct WindowTitle {
    WindowId window = 0;
    std::string title;
};

class TitleCache {
  public:
    // Most rotating passes between two reads of a listed window's title.
    static constexpr uint64_t kRefreshPasses = 10;
    // Passes during which a window that appeared after the first pass is read on every pass.
    static constexpr uint64_t kFreshPasses = 10;

    using TitleReader = std::function<std::string(WindowId window)>;

    // One detection pass over `windows` (top of the Z order first): finds the titles due, as
    // described above (the rotation's share only when `rotate`), and forgets windows that
    // are no longer listed. Reads nothing.
    void Update(std::span<const WindowId> windows, bool rotate = true);

    // The windows of the last pass, in its order, with the titles last read.
    size_t Size() const { return entries_.size(); }
    const WindowTitle& At(size_t position) const { return entries_[position].listed; }
    // The title of the window at `position`, read with `read` first when it is due.
    const std::string& TitleAt(size_t position, const TitleReader& read);

    // Has the title of `window` read again on the next pass; no effect on an unlisted window.
    // Whether the window was listed.
    bool Invalidate(WindowId window);
    // Has the title of `window` read on every pass from the next one on (0: none).
    void Track(WindowId window) { tracked_ = window; }

    // The class name of the window at `position`, read with `read` the first time.
    const std::string& ClassAt(size_t position, const TitleReader& read);
    // Its program's file name, likewise.
    const std::string& ProgramAt(size_t position, const TitleReader& read);

  private:
    struct Entry {
        WindowTitle listed;
        uint64_t firstPass = 0;                // the pass that first listed the window
        uint64_t readPass = 0;                 // the pass that last read its title, 0 for never
        uint64_t readRotation = 0;             // the rotating passes there had been at that read
        bool stale = false;                    // Invalidate was called since that read
        bool due = false;                      // to be read when next asked for
        std::optional<std::string> className;  // read on first demand
        std::optional<std::string> program;    // likewise
    };

    // Position in entries_ of `window`, or entries_.size().
    size_t Find(WindowId window) const;
    // Whether a rule other than the rotation and the first read makes the title due on this
    // pass.
    bool MustRead(const Entry& entry) const;
    // Makes due the rotation's share of the titles in rotation_ (the ones read longest ago).
    void RefreshOldest();
    void Read(Entry& entry, const TitleReader& read);
    void RebuildIndex();

    uint64_t pass_ = 0;
    uint64_t rotations_ = 0;  // rotating passes so far
    WindowId tracked_ = 0;
    std::vector<Entry> entries_;                      // the last pass's windows, in list order
    std::vector<Entry> previous_;                     // the pass before, while Update runs
    std::vector<std::pair<WindowId, size_t>> index_;  // entries_ positions, sorted by window
    std::vector<size_t> rotation_;                    // Update's scratch: the rotation's choice
};

}  // namespace quorrin
