#include "clock/clock_screens.h"

#include "clock/clock_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorrin {
namespace {

constexpr uint8_t kEvery = static_cast<uint8_t>(ClockScreens::Every);
constexpr uint8_t kShowScreen = static_cast<uint8_t>(ClockScreens::ShowScreen);
constexpr uint8_t kOtherScreens = static_cast<uint8_t>(ClockScreens::OtherScreens);

// A monitor with a task bar 40 pixels high at its bottom.
Screen At(int32_t left, int32_t top, int32_t width, int32_t height, bool primary = false) {
    const WorkArea bounds{left, top, left + width, top + height};
    return {bounds, {left, top, left + width, top + height - 40}, primary};
}

// A laptop, a projector to its right and a monitor to the projector's right.
const std::vector<Screen> kThree = {At(0, 0, 1280, 800, true), At(1280, 0, 1024, 768),
                                    At(2304, 0, 1920, 1080)};
constexpr WorkArea kShowOnSecond{1280, 0, 2304, 768};

using Indexes = std::vector<size_t>;

TEST(ClockScreens, EachChoiceWithTheShowOnTheSecondOfThreeMonitors) {
    EXPECT_EQ(ChosenScreens(kThree, kEvery, kShowOnSecond), (Indexes{0, 1, 2}));
    EXPECT_EQ(ChosenScreens(kThree, kShowScreen, kShowOnSecond), (Indexes{1}));
    EXPECT_EQ(ChosenScreens(kThree, kOtherScreens, kShowOnSecond), (Indexes{0, 2}));
    // A value the dialog never writes (a hand-edited file) shows the clock everywhere.
    EXPECT_EQ(ChosenScreens(kThree, 7, kShowOnSecond), (Indexes{0, 1, 2}));
}

TEST(ClockScreens, OneMonitorShowsTheClockWhateverTheChoice) {
    const std::vector<Screen> one = {At(0, 0, 1920, 1080, true)};
    for (const uint8_t choice : {kEvery, kShowScreen, kOtherScreens}) {
        EXPECT_EQ(ChosenScreens(one, choice, WorkArea{0, 0, 1920, 1080}), (Indexes{0})) << +choice;
        EXPECT_EQ(ChosenScreens(one, choice, std::nullopt), (Indexes{0})) << +choice;
    }
    EXPECT_TRUE(ChosenScreens({}, kEvery, std::nullopt).empty());
}

TEST(ClockScreens, TheShowsScreenIsTheOneItCoversMost) {
    // Mostly on the third monitor, a little on the second.
    EXPECT_EQ(ShowScreenOf(kThree, WorkArea{2200, 100, 3000, 700}), 2u);
    // Mostly on the second.
    EXPECT_EQ(ShowScreenOf(kThree, WorkArea{1200, 0, 2350, 768}), 1u);
    // Off every monitor (minimised windows sit at -32000): the primary one.
    EXPECT_EQ(ShowScreenOf(kThree, WorkArea{-32000, -32000, -31840, -31970}), 0u);
    // Without its place the show counts as on the primary monitor, listed here in the middle.
    const std::vector<Screen> primaryInMiddle = {At(-1024, 0, 1024, 768), At(0, 0, 1280, 800, true),
                                                 At(1280, 0, 1024, 768)};
    EXPECT_EQ(ChosenScreens(primaryInMiddle, kOtherScreens, std::nullopt), (Indexes{0, 2}));
    EXPECT_EQ(ChosenScreens(primaryInMiddle, kShowScreen, std::nullopt), (Indexes{1}));
}

TEST(ClockScreens, TheMainClockStaysOnThePrimaryMonitorAndCopiesGoElsewhere) {
    const std::vector<Screen> primaryLast = {At(1280, 0, 1024, 768), At(0, 0, 1280, 800, true)};
    const Indexes both{0, 1};
    EXPECT_EQ(PlanClocks(primaryLast, both), (ClockPlan{1, true, {0}}));
    const Indexes secondOnly{1};
    EXPECT_EQ(PlanClocks(kThree, secondOnly), (ClockPlan{0, false, {1}}));
    const Indexes others{0, 2};
    EXPECT_EQ(PlanClocks(kThree, others), (ClockPlan{0, true, {2}}));
    const Indexes every{0, 1, 2};
    EXPECT_EQ(PlanClocks(kThree, every), (ClockPlan{0, true, {1, 2}}));
}

TEST(ClockScreens, ACopyTakesItsOwnMonitorsWorkAreaAndDpi) {
    DisplayStyle style = DefaultStyle();  // 3000 x 1200 twips, top right
    const Screen& third = kThree[2];
    const ClockPlacement onThird{kThree[0].work, 96, third.work, 144, true};
    // 3000 twips at 144 dpi are 300 pixels, flush with the third monitor's right edge.
    EXPECT_EQ(ClockPixels(style, onThird, {}), (PixelRect{4224 - 300, 0, 300, 120}));
    style.showPos = 3;
    EXPECT_EQ(ClockPixels(style, onThird, {}), (PixelRect{4224 - 300, 1040 - 120, 300, 120}));
    // A free place is read on the primary monitor and mapped onto the third one's area.
    style.showPos = 4;
    style.Left = 0;
    style.Top = 0;
    EXPECT_EQ(ClockPixels(style, onThird, {}), (PixelRect{2304, 0, 300, 120}));
    style.Left = 1280 * 15 - 3000;  // the primary's right edge
    EXPECT_EQ(ClockPixels(style, onThird, {}).left, 4224 - 300);
}

}  // namespace
}  // namespace quorrin
