#include "detection/slide_show_finder.h"

namespace quorrin {

namespace {

// The slot whose file text occurs in `title`, or -1.
int MatchingSlot(const AppState& state, const std::string& title) {
    if (state.General.SameMode) return 0;
    for (int slot = 1; slot <= state.General.PresentationCount; ++slot) {
        const PresentationSlot* row = state.Presentations.At(slot);
        if (row == nullptr) return -1;  // a count above the table never matches
        if (title.find(row->File) != std::string::npos) return slot;
    }
    return -1;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto fold = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

// Whether `window`, with this title, counts as a slide show. The title is looked at first;
// class, program and place are asked for only when needed, as each may cost a call to the
// window system (the walk keeps class and program once read).
bool IsSlideShow(const DetectionSettings& detection, const std::string& title, WindowWalk& walk,
                 WindowId window) {
    if (title.empty()) return false;
    if (title.find(kSlideShowMarker) != std::string::npos) return true;
    for (const std::string& marker : detection.ExtraMarkers) {
        if (title.find(marker) != std::string::npos) return true;
    }
    if (walk.ClassName(window) == kSlideShowClassName) return true;
    if (!EqualsIgnoringAsciiCase(walk.ProgramName(window), kWpsPresentationProgram)) return false;
    // WPS keeps other titled windows (its editor, hidden helpers): only the one over a whole
    // monitor is the show.
    const std::optional<WindowScreen> screen = walk.Screen(window);
    return screen && CoversMonitor(*screen);
}

}  // namespace

bool CoversMonitor(const WindowScreen& screen) {
    const PixelRect& w = screen.window;
    const PixelRect& m = screen.monitor;
    if (m.width <= 0 || m.height <= 0) return false;
    // In 64 bits: a window far off screen must not overflow the right and bottom edges.
    return w.left <= m.left && w.top <= m.top &&
           int64_t{w.left} + w.width >= int64_t{m.left} + m.width &&
           int64_t{w.top} + w.height >= int64_t{m.top} + m.height;
}

void SelectSlot(AppState& state, int slot, WindowId window) {
    const PresentationSlot* row = state.Presentations.At(slot);
    if (row == nullptr) return;
    CountdownState& c = state.Countdown;
    c.SlideShowWindow = window;
    c.TotalSeconds = row->TimeCnt;
    c.WarningSeconds = row->TimeWarning;
    c.FlashOnWarning = row->Flush;
    c.CloseAtEnd = row->Close;
    c.CurrentSlot = slot;
}

WindowId FindSlideShow(AppState& state, WindowWalk& walk) {
    CountdownState& c = state.Countdown;
    for (WindowId w = walk.First(); w != 0; w = walk.Next(w)) {
        std::string title = walk.Title(w);
        const size_t nul = title.find('\0');
        if (nul != std::string::npos) title.resize(nul);
        if (!IsSlideShow(state.Detection, title, walk, w)) continue;

        c.TitleChanged = title != c.LastShowTitle;
        c.LastShowTitle = title;

        const int slot = MatchingSlot(state, title);
        if (slot < 0) continue;
        SelectSlot(state, slot, w);
        return w;
    }
    return 0;
}

}  // namespace quorrin
