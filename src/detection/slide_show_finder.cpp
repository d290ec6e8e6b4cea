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

// Whether `window`, with this title, counts as a slide show; its class is asked for last, as
// reading it may cost a call to the window system.
bool IsSlideShow(const DetectionSettings& detection, const std::string& title, WindowWalk& walk,
                 WindowId window) {
    if (title.empty()) return false;
    if (title.find(kSlideShowMarker) != std::string::npos) return true;
    for (const std::string& marker : detection.ExtraMarkers) {
        if (title.find(marker) != std::string::npos) return true;
    }
    return walk.ClassName(window) == kSlideShowClassName;
}

}  // namespace

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
