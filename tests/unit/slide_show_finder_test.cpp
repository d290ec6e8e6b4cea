#include "detection/slide_show_finder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace quorrin {
namespace {

// Windows 1..n in Z order, top first.
class FakeWalk : public WindowWalk {
  public:
    explicit FakeWalk(std::vector<std::string> titles) : titles_(std::move(titles)) {}
    WindowId First() override { return titles_.empty() ? 0 : 1; }
    WindowId Next(WindowId w) override { return w < titles_.size() ? w + 1 : 0; }
    std::string Title(WindowId w) override {
        ++titlesRead;
        return titles_[w - 1];
    }
    std::string ClassName(WindowId w) override {
        ++classesRead;
        return w <= classes.size() ? classes[w - 1] : "Notepad";
    }
    std::string ProgramName(WindowId w) override {
        ++programsRead;
        return w <= programs.size() ? programs[w - 1] : "notepad.exe";
    }
    std::optional<WindowScreen> Screen(WindowId w) override {
        return w <= screens.size() ? screens[w - 1] : std::nullopt;
    }
    int titlesRead = 0;
    int classesRead = 0;
    int programsRead = 0;
    std::vector<std::string> classes;                  // of windows 1..n; "Notepad" beyond
    std::vector<std::string> programs;                 // likewise; "notepad.exe" beyond
    std::vector<std::optional<WindowScreen>> screens;  // likewise; hidden beyond

  private:
    std::vector<std::string> titles_;
};

std::string Show(const std::string& name) {
    return "PowerPoint" + std::string(kSlideShowMarker) + name;
}

AppState ListMode(const std::vector<std::string>& files) {
    AppState state;
    state.General.SameMode = false;
    state.General.PresentationCount = static_cast<int32_t>(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        PresentationSlot row;
        row.TimeCnt = 100 * static_cast<int32_t>(i + 1);
        row.TimeWarning = static_cast<int32_t>(i + 1);
        row.Flush = i % 2 == 0;
        row.Close = i % 2 == 1;
        row.File = files[i];
        row.TimeFree = 7;
        state.Presentations.Store(static_cast<int>(i + 1), row);
    }
    return state;
}

TEST(FindSlideShow, SharedTimingSelectsSlotZeroForAnyShow) {
    AppState state = ListMode({"other"});
    state.General.SameMode = true;
    PresentationSlot shared;
    shared.TimeCnt = 600;
    shared.TimeWarning = 30;
    shared.Flush = true;
    shared.Close = true;
    state.Presentations.Store(0, shared);
    FakeWalk walk({"Notepad", Show("talk.pptx")});
    EXPECT_EQ(FindSlideShow(state, walk), 2u);
    const CountdownState& c = state.Countdown;
    EXPECT_EQ(c.CurrentSlot, 0);
    EXPECT_EQ(c.SlideShowWindow, 2u);
    EXPECT_EQ(c.TotalSeconds, 600);
    EXPECT_EQ(c.WarningSeconds, 30);
    EXPECT_TRUE(c.FlashOnWarning);
    EXPECT_TRUE(c.CloseAtEnd);
}

TEST(FindSlideShow, MarkerNeedsBothSpaces) {
    AppState state;
    state.General.SameMode = true;
    for (const char* title : {"PowerPoint幻灯片放映 x", "PowerPoint 幻灯片放映x", "幻灯片放映"}) {
        FakeWalk walk({title});
        EXPECT_EQ(FindSlideShow(state, walk), 0u) << title;
    }
    EXPECT_TRUE(state.Countdown.LastShowTitle.empty());
}

TEST(FindSlideShow, FirstMatchingSlotInSlotOrderWinsCaseSensitively) {
    AppState state = ListMode({"Talk", "talk", "talk2"});
    FakeWalk walk({Show("talk2.pptx")});
    EXPECT_EQ(FindSlideShow(state, walk), 1u);
    EXPECT_EQ(state.Countdown.CurrentSlot, 2);  // "Talk" does not match "talk"
    EXPECT_EQ(state.Countdown.TotalSeconds, 200);
    EXPECT_EQ(state.Countdown.WarningSeconds, 2);
    EXPECT_FALSE(state.Countdown.FlashOnWarning);
    EXPECT_TRUE(state.Countdown.CloseAtEnd);
}

TEST(FindSlideShow, EmptyFileTextMatchesEveryShow) {
    AppState state = ListMode({"nomatch", ""});
    FakeWalk walk({Show("anything")});
    EXPECT_EQ(FindSlideShow(state, walk), 1u);
    EXPECT_EQ(state.Countdown.CurrentSlot, 2);
}

TEST(FindSlideShow, ListModeWithoutPresentationsFindsNothing) {
    AppState state = ListMode({});
    FakeWalk walk({Show("talk")});
    EXPECT_EQ(FindSlideShow(state, walk), 0u);
}

TEST(FindSlideShow, UnmatchedShowUpdatesTitleAndWalkGoesOnBelowIt) {
    AppState state = ListMode({"lecture"});
    state.Countdown.CurrentSlot = 42;
    FakeWalk walk({"", Show("unrelated"), "Explorer", Show("lecture 3")});
    EXPECT_EQ(FindSlideShow(state, walk), 4u);
    EXPECT_EQ(state.Countdown.LastShowTitle, Show("lecture 3"));
    EXPECT_EQ(state.Countdown.CurrentSlot, 1);

    // Only the unmatched show: no selection, the previous selection stays, but the title
    // has been taken.
    FakeWalk only({Show("unrelated")});
    EXPECT_EQ(FindSlideShow(state, only), 0u);
    EXPECT_EQ(state.Countdown.LastShowTitle, Show("unrelated"));
    EXPECT_TRUE(state.Countdown.TitleChanged);
    EXPECT_EQ(state.Countdown.CurrentSlot, 1);
    EXPECT_EQ(state.Countdown.SlideShowWindow, 4u);
}

TEST(FindSlideShow, TitleChangedComparesWithTheLastMarkerTitleMet) {
    AppState state;
    state.General.SameMode = true;
    FakeWalk a({Show("a")});
    FakeWalk none({"desktop"});
    FakeWalk b({Show("b")});
    FindSlideShow(state, a);
    EXPECT_TRUE(state.Countdown.TitleChanged);  // first show after start
    FindSlideShow(state, none);
    FindSlideShow(state, a);
    EXPECT_FALSE(state.Countdown.TitleChanged);  // same show found again
    FindSlideShow(state, b);
    EXPECT_TRUE(state.Countdown.TitleChanged);
}

TEST(FindSlideShow, TitleIsCutAtItsFirstNul) {
    AppState state = ListMode({"hidden"});
    FakeWalk walk({Show("shown") + std::string(1, '\0') + "hidden"});
    EXPECT_EQ(FindSlideShow(state, walk), 0u);
    EXPECT_EQ(state.Countdown.LastShowTitle, Show("shown"));
}

TEST(FindSlideShow, StopsAtTheFirstSelection) {
    AppState state = ListMode({"x"});
    FakeWalk walk({Show("x"), Show("x again"), "a", "b"});
    EXPECT_EQ(FindSlideShow(state, walk), 1u);
    EXPECT_EQ(walk.titlesRead, 1);
}

TEST(FindSlideShow, ScreenClassWithATitleIsAShowInAnyLanguage) {
    AppState state = ListMode({"budget", "talk"});
    FakeWalk walk({"PowerPoint Slide Show - talk.pptx", "",
                   "PowerPoint スライド ショー - [talk.pptx] - PowerPoint", "talk.pptx - Notes"});
    walk.classes = {"Notepad", "screenClass", "screenClass"};
    EXPECT_EQ(FindSlideShow(state, walk), 3u);  // an untitled screenClass is no show
    EXPECT_EQ(state.Countdown.CurrentSlot, 2);
    EXPECT_EQ(state.Countdown.LastShowTitle,
              "PowerPoint スライド ショー - [talk.pptx] - PowerPoint");
}

TEST(FindSlideShow, ExtraMarkersCountLikeTheBuiltInOneAndSpareTheClassRead) {
    AppState state = ListMode({"talk"});
    state.Detection.ExtraMarkers = {" 放映 - ", "Impress"};
    FakeWalk walk({"XYZ放映 - talk", "XYZ 放映 - other", "XYZ 放映 - talk"});
    EXPECT_EQ(FindSlideShow(state, walk), 3u);
    EXPECT_EQ(state.Countdown.CurrentSlot, 1);
    EXPECT_EQ(walk.classesRead, 1);  // only the title without a marker
}

constexpr PixelRect kPrimary{0, 0, 1920, 1080};
constexpr PixelRect kSecond{1920, 0, 1280, 1024};

TEST(FindSlideShow, WpsPresentationOverAWholeMonitorIsAShowInAnyLanguage) {
    const std::string title = "WPS Presentation Slide Show - [talk.pptx]";
    AppState state = ListMode({"talk"});
    // Every window but the last fails one condition: no title, another program, short of the
    // monitor by a pixel, hidden or minimised.
    FakeWalk walk({"", title, title, title, title, title});
    walk.programs = {"wpp.exe", "et.exe", "wpp.exe", "wpp.exe", "WPP.EXE", "WPP.exe"};
    walk.screens = {WindowScreen{kPrimary, kPrimary},
                    WindowScreen{kPrimary, kPrimary},
                    WindowScreen{{0, 0, 1920, 1079}, kPrimary},
                    std::nullopt,
                    WindowScreen{{1912, -8, 1296, 1040}, kSecond},
                    WindowScreen{kPrimary, kPrimary}};
    EXPECT_EQ(FindSlideShow(state, walk), 5u);  // over the second monitor, borders beyond it
    EXPECT_EQ(state.Countdown.CurrentSlot, 1);
    walk.screens[4] = WindowScreen{{1920, 0, 1280, 1023}, kSecond};
    EXPECT_EQ(FindSlideShow(state, walk), 6u);
}

TEST(FindSlideShow, ProgramIsAskedOnlyOfTitledWindowsNothingElseMatched) {
    AppState state = ListMode({"talk"});
    FakeWalk walk({"", Show("other"), "PowerPoint Slide Show - other", "Notes", Show("talk")});
    walk.classes = {"Notepad", "Notepad", "screenClass"};
    EXPECT_EQ(FindSlideShow(state, walk), 5u);
    EXPECT_EQ(walk.programsRead, 1);  // "Notes" alone
}

TEST(CoversMonitor, WholeMonitorInsideTheWindowWithoutOverflow) {
    EXPECT_TRUE(CoversMonitor({kPrimary, kPrimary}));
    EXPECT_FALSE(CoversMonitor({{1, 0, 1920, 1080}, kPrimary}));
    EXPECT_FALSE(CoversMonitor({kPrimary, kSecond}));
    // Edges far off to the right and bottom (they would wrap round in 32 bits).
    EXPECT_TRUE(CoversMonitor({{0, 0, 2147483647, 2147483647}, kSecond}));
    EXPECT_FALSE(CoversMonitor({kPrimary, {0, 0, 0, 0}}));
}

TEST(PresentationTable, RefusesSlotsAboveOneHundred) {
    PresentationTable table;
    PresentationSlot row;
    row.File = "x";
    EXPECT_TRUE(table.Store(100, row));
    EXPECT_FALSE(table.Store(101, row));
    EXPECT_EQ(table.At(101), nullptr);
    EXPECT_EQ(table.At(-1), nullptr);
    EXPECT_EQ(table.At(100)->File, "x");
}

TEST(ResetSettings, TouchesOnlyGeneralSettingsSlotZeroAndStyle) {
    AppState state = ListMode({"keep"});
    state.General.PresentationCount = 1;
    ResetSettings(state);
    EXPECT_EQ(state.Presentations.At(0)->TimeCnt, 600);
    EXPECT_EQ(state.Presentations.At(0)->TimeWarning, 30);
    EXPECT_EQ(state.Presentations.At(0)->File, kAllPresentationsLabel);
    EXPECT_EQ(state.Presentations.At(1)->File, "keep");
    EXPECT_EQ(state.General.PresentationCount, 1);
    EXPECT_EQ(state.Style.Alpha, 100);
    EXPECT_EQ(state.Style.showPos, 1);
}

}  // namespace
}  // namespace quorrin
