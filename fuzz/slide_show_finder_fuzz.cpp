// The selection of a slide show among windows whose titles and class names are any bytes,
// with presentation file texts and extra markers of any bytes. Properties: no fault; the
// window chosen is the first that is a show and has a matching slot, and the countdown takes
// that slot's timing; no window is chosen when none qualifies; the last show window met is
// the remembered title.
#include "detection/slide_show_finder.h"
#include "fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <optional>

#include <string>
#include <vector>

namespace quorrin {
namespace {

constexpr int kMaxWindows = 8;
constexpr int kMaxMarkers = 3;
constexpr int kMaxCount = kMaxPresentations + 5;  // hand-edited counts above the table too
constexpr size_t kMaxTitleBytes = 300;
constexpr size_t kMaxFileBytes = 16;

struct FakeWindow {
    std::string title;
    std::string className;
    std::string programName;
    std::optional<WindowScreen> screen;  // nothing: hidden or minimised
};

class FakeWalk final : public WindowWalk {
  public:
    std::vector<FakeWindow> windows;  // window n is windows[n - 1], top first
    WindowId First() override { return windows.empty() ? 0 : 1; }
    WindowId Next(WindowId window) override { return window < windows.size() ? window + 1 : 0; }
    std::string Title(WindowId window) override { return At(window).title; }
    std::string ClassName(WindowId window) override { return At(window).className; }
    std::string ProgramName(WindowId window) override { return At(window).programName; }
    std::optional<WindowScreen> Screen(WindowId window) override { return At(window).screen; }

  private:
    const FakeWindow& At(WindowId window) {
        FUZZ_CHECK(window >= 1 && window <= windows.size());
        return windows[window - 1];
    }
};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace
}  // namespace quorrin

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quorrin;
    FuzzedDataProvider input(data, size);
    AppState state;
    state.General.SameMode = input.ConsumeBool();
    state.General.PresentationCount = input.ConsumeIntegralInRange(0, kMaxCount);
    const int markerCount = input.ConsumeIntegralInRange(0, kMaxMarkers);
    for (int n = 0; n < markerCount; ++n) {
        state.Detection.ExtraMarkers.push_back(input.ConsumeRandomLengthString(kMaxFileBytes));
    }
    const int windowCount = input.ConsumeIntegralInRange(0, kMaxWindows);
    const int filled = std::min(state.General.PresentationCount, kMaxPresentations);
    for (int slot = 0; slot <= filled; ++slot) {
        PresentationSlot* row = state.Presentations.At(slot);
        row->File = input.ConsumeRandomLengthString(kMaxFileBytes);
        row->TimeCnt = slot * 60 + 1;
        row->TimeWarning = slot;
        row->Flush = slot % 2 == 0;
    }
    FakeWalk walk;
    for (int n = 0; n < windowCount; ++n) {
        FakeWindow window;
        window.className =
            input.ConsumeBool() ? kSlideShowClassName : input.ConsumeRandomLengthString(16);
        window.programName = input.ConsumeBool() ? (input.ConsumeBool() ? "WPP.EXE" : "wpp.exe")
                                                 : input.ConsumeRandomLengthString(16);
        if (input.ConsumeBool()) {
            const PixelRect monitor{0, 0, 1280, 800};
            const bool covers = input.ConsumeBool();
            window.screen = WindowScreen{covers ? monitor : PixelRect{10, 10, 640, 400}, monitor};
        }
        window.title = input.ConsumeRandomLengthString(kMaxTitleBytes);
        walk.windows.push_back(window);
    }
    state.Countdown.LastShowTitle = input.ConsumeRemainingBytesAsString();

    // What the selection should be, worked out from the rules directly.
    WindowId expected = 0;
    int expectedSlot = -1;
    std::string lastShowTitle = state.Countdown.LastShowTitle;
    for (size_t n = 0; n < walk.windows.size() && expected == 0; ++n) {
        std::string title = walk.windows[n].title;
        title = title.substr(0, title.find('\0'));
        const FakeWindow& window = walk.windows[n];
        std::string program = window.programName;
        for (char& c : program) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const bool wps = program == kWpsPresentationProgram && window.screen.has_value() &&
                         CoversMonitor(*window.screen);
        bool show = !title.empty() && (Contains(title, kSlideShowMarker) ||
                                       window.className == kSlideShowClassName || wps);
        for (const std::string& marker : state.Detection.ExtraMarkers) {
            show = show || (!title.empty() && Contains(title, marker));
        }
        if (!show) continue;
        lastShowTitle = title;
        if (state.General.SameMode) {
            expectedSlot = 0;
        } else {
            for (int slot = 1; slot <= filled && expectedSlot < 0; ++slot) {
                if (Contains(title, state.Presentations.At(slot)->File)) expectedSlot = slot;
            }
        }
        if (expectedSlot >= 0) expected = n + 1;
    }

    const WindowId found = FindSlideShow(state, walk);
    FUZZ_CHECK(found == expected);
    FUZZ_CHECK(state.Countdown.LastShowTitle == lastShowTitle);
    if (found != 0) {
        const PresentationSlot& row = *state.Presentations.At(expectedSlot);
        const CountdownState& c = state.Countdown;
        FUZZ_CHECK(c.SlideShowWindow == found && c.CurrentSlot == expectedSlot);
        FUZZ_CHECK(c.TotalSeconds == row.TimeCnt && c.WarningSeconds == row.TimeWarning);
        FUZZ_CHECK(c.FlashOnWarning == row.Flush && c.CloseAtEnd == row.Close);
    }
    return 0;
}
