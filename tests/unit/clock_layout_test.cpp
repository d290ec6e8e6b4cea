#include "clock/clock_layout.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

AppState OneMonitor(uint8_t showPos) {
    AppState state;
    state.Style = DefaultStyle();
    state.Style.showPos = showPos;
    state.PrimaryWorkArea = {0, 0, 1920, 1040};
    state.SecondWorkArea = state.PrimaryWorkArea;
    return state;
}

TEST(ClockLayout, CornersOfTheWorkArea) {
    const TwipRect none;
    EXPECT_EQ(ClockWindowRect(OneMonitor(0), ClockWindow::Main, none),
              (TwipRect{0, 0, 3000, 1200}));
    EXPECT_EQ(ClockWindowRect(OneMonitor(1), ClockWindow::Main, none),
              (TwipRect{25800, 0, 3000, 1200}));
    EXPECT_EQ(ClockWindowRect(OneMonitor(2), ClockWindow::Main, none),
              (TwipRect{0, 15600 - 1200, 3000, 1200}));
    EXPECT_EQ(ClockWindowRect(OneMonitor(3), ClockWindow::Main, none),
              (TwipRect{25800, 14400, 3000, 1200}));
}

TEST(ClockLayout, WithOneMonitorTheCopyLiesOnTheClock) {
    for (uint8_t pos = 0; pos <= 4; ++pos) {
        AppState state = OneMonitor(pos);
        state.Style.Left = 12900;
        state.Style.Top = 600;
        EXPECT_EQ(ClockWindowRect(state, ClockWindow::Main, {}),
                  ClockWindowRect(state, ClockWindow::Copy, {}))
            << int(pos);
    }
}

TEST(ClockLayout, FreePositionIsMappedOntoTheSecondMonitor) {
    AppState state = OneMonitor(4);
    state.SecondWorkArea = {1920, 0, 3840, 1040};
    state.Style.Left = 12900;
    state.Style.Top = 600;
    EXPECT_EQ(ClockWindowRect(state, ClockWindow::Main, {}), (TwipRect{12900, 600, 3000, 1200}));
    EXPECT_EQ(ClockWindowRect(state, ClockWindow::Copy, {}), (TwipRect{41700, 600, 3000, 1200}));
    // A smaller second monitor: the window stays inside it, scaled by the bottom edges.
    state.SecondWorkArea = {1920, 0, 2944, 728};
    state.Style.Left = 25800;  // right edge of the primary
    state.Style.Top = 7800;    // half-way down
    const TwipRect copy = ClockWindowRect(state, ClockWindow::Copy, {});
    EXPECT_EQ(copy.left, 2944 * 15 - 3000);
    EXPECT_EQ(copy.top, 728 * 15 / 2);
}

TEST(ClockLayout, ZeroDivisorsDoNotStopTheLayout) {
    AppState state = OneMonitor(4);
    state.Style.Width = 1920 * 15;  // as wide as the primary work area
    state.PrimaryWorkArea.bottom = 0;
    state.SecondWorkArea = {1920, 0, 3840, 1040};
    const TwipRect copy = ClockWindowRect(state, ClockWindow::Copy, {});
    EXPECT_EQ(copy.left, 1920 * 15);
    EXPECT_EQ(copy.top, 0);
}

TEST(ClockLayout, UnknownPlacementKeepsThePosition) {
    const TwipRect current{123, 456, 1, 1};
    EXPECT_EQ(ClockWindowRect(OneMonitor(9), ClockWindow::Main, current),
              (TwipRect{123, 456, 3000, 1200}));
}

TEST(ClockLayout, AlphaAndPixels) {
    EXPECT_EQ(AlphaByte(100), 255);
    EXPECT_EQ(AlphaByte(0), 0);
    EXPECT_EQ(AlphaByte(50), 128);
    EXPECT_EQ(AlphaByte(200), 255);  // a hand-edited value above 100 counts as 100
    EXPECT_EQ(TwipsToPixels(3000), 200);
    EXPECT_EQ(TwipsToPixels(1200), 80);
    EXPECT_EQ(TwipsToPixels(1995), 133);
}

}  // namespace
}  // namespace quorrin
