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
    const PixelRect none;
    EXPECT_EQ(ClockWindowPixels(OneMonitor(0), ClockWindow::Main, none),
              (PixelRect{0, 0, 200, 80}));
    // showPos 1, a 1920-pixel work area, Width 3000: left 25800 twips.
    EXPECT_EQ(ClockWindowPixels(OneMonitor(1), ClockWindow::Main, none),
              (PixelRect{25800 / 15, 0, 200, 80}));
    EXPECT_EQ(ClockWindowPixels(OneMonitor(2), ClockWindow::Main, none),
              (PixelRect{0, 1040 - 80, 200, 80}));
    EXPECT_EQ(ClockWindowPixels(OneMonitor(3), ClockWindow::Main, none),
              (PixelRect{1720, 960, 200, 80}));
}

TEST(ClockLayout, WithOneMonitorTheCopyLiesOnTheClock) {
    for (const int32_t dpi : {96, 120, 144, 192}) {
        for (uint8_t pos = 0; pos <= 4; ++pos) {
            AppState state = OneMonitor(pos);
            state.Style.Left = 12900;
            state.Style.Top = 600;
            const ClockDpis dpis{dpi, dpi};
            EXPECT_EQ(ClockWindowPixels(state, ClockWindow::Main, {}, dpis),
                      ClockWindowPixels(state, ClockWindow::Copy, {}, dpis))
                << dpi << " dpi, showPos " << int(pos);
        }
    }
}

TEST(ClockLayout, FreePositionIsMappedOntoTheSecondMonitor) {
    AppState state = OneMonitor(4);
    state.SecondWorkArea = {1920, 0, 3840, 1040};
    state.Style.Left = 12900;
    state.Style.Top = 600;
    int32_t left = 0;
    int32_t top = 0;
    MapToSecondMonitor(state.PrimaryWorkArea, state.SecondWorkArea, 12900, 600, 3000, left, top);
    EXPECT_EQ(left, 41700);
    EXPECT_EQ(top, 600);
    EXPECT_EQ(ClockWindowPixels(state, ClockWindow::Main, {}), (PixelRect{860, 40, 200, 80}));
    EXPECT_EQ(ClockWindowPixels(state, ClockWindow::Copy, {}), (PixelRect{2780, 40, 200, 80}));
    // A smaller second monitor: the window stays inside it, scaled by the bottom edges.
    state.SecondWorkArea = {1920, 0, 2944, 728};
    state.Style.Left = 25800;  // right edge of the primary
    state.Style.Top = 7800;    // half-way down
    const PixelRect copy = ClockWindowPixels(state, ClockWindow::Copy, {});
    EXPECT_EQ(copy.left + copy.width, 2944);
    EXPECT_EQ(copy.top, 728 / 2);
}

TEST(ClockLayout, ZeroDivisorsDoNotStopTheLayout) {
    AppState state = OneMonitor(4);
    state.Style.Width = 1920 * 15;  // as wide as the primary work area
    state.PrimaryWorkArea.bottom = 0;
    state.SecondWorkArea = {1920, 0, 3840, 1040};
    const PixelRect copy = ClockWindowPixels(state, ClockWindow::Copy, {});
    EXPECT_EQ(copy.left, 1920);
    EXPECT_EQ(copy.top, 0);
}

TEST(ClockLayout, UnknownPlacementKeepsThePosition) {
    const PixelRect current{123, 456, 1, 1};
    EXPECT_EQ(ClockWindowPixels(OneMonitor(9), ClockWindow::Main, current),
              (PixelRect{123, 456, 200, 80}));
}

// Twips are physical: the same style gives the same physical clock at every scale, i.e.
// pixels scaled by dpi / 96, and corners stay flush with the work area in pixels.
TEST(ClockLayout, SizeAndFreePositionScaleWithTheDpi) {
    struct Case {
        int32_t dpi;
        PixelRect free;  // Left 6000, Top 3000 twips, 3000 x 1200
    };
    for (const Case& c : {Case{96, {400, 200, 200, 80}}, Case{120, {500, 250, 250, 100}},
                          Case{144, {600, 300, 300, 120}}, Case{192, {800, 400, 400, 160}}}) {
        AppState state = OneMonitor(4);
        state.Style.Left = 6000;
        state.Style.Top = 3000;
        const ClockDpis dpis{c.dpi, c.dpi};
        EXPECT_EQ(ClockWindowPixels(state, ClockWindow::Main, {}, dpis), c.free) << c.dpi;
        state.Style.showPos = 3;
        const PixelRect corner = ClockWindowPixels(state, ClockWindow::Main, {}, dpis);
        EXPECT_EQ(corner.left + corner.width, 1920) << c.dpi;
        EXPECT_EQ(corner.top + corner.height, 1040) << c.dpi;
    }
    // Not a whole number of twips to the pixel at 168 dpi (175 %): rounded half to even.
    AppState state = OneMonitor(4);
    state.Style.Width = 1995;  // 232.75 pixels
    state.Style.Left = 105;    // 12.25 pixels
    const PixelRect odd = ClockWindowPixels(state, ClockWindow::Main, {}, {168, 168});
    EXPECT_EQ(odd.width, 233);
    EXPECT_EQ(odd.left, 12);
}

// A primary monitor at 100 % and a second one at 200 % (and the other way round): each
// window uses its own monitor's DPI, and the copy lands at the same relative place on the
// second monitor as at 100 % on both.
TEST(ClockLayout, TwoMonitorsWithDifferentDpis) {
    AppState state = OneMonitor(4);
    state.Style.Left = 12900;
    state.Style.Top = 600;
    state.SecondWorkArea = {1920, 0, 5760, 2080};  // 3840 x 2080 pixels at 192 dpi
    const ClockDpis mixed{96, 192};
    EXPECT_EQ(ClockWindowPixels(state, ClockWindow::Main, {}, mixed),
              (PixelRect{860, 40, 200, 80}));
    // Same physical size (400 x 160 pixels at 192 dpi); the free position is mapped across
    // the second area's width at its own DPI: 12900 / 25800 of the room, 1920 pixels in.
    EXPECT_EQ(ClockWindowPixels(state, ClockWindow::Copy, {}, mixed),
              (PixelRect{1920 + (3840 - 400) / 2, 80, 400, 160}));

    // The primary at 150 %, the second at 100 %: Left/Top read at 144 dpi.
    state.PrimaryWorkArea = {0, 0, 2880, 1560};
    state.SecondWorkArea = {2880, 0, 4800, 1040};
    const ClockDpis other{144, 96};
    EXPECT_EQ(ClockWindowPixels(state, ClockWindow::Main, {}, other),
              (PixelRect{1290, 60, 300, 120}));
    const PixelRect copy = ClockWindowPixels(state, ClockWindow::Copy, {}, other);
    EXPECT_EQ(copy.width, 200);
    // 12900 / (28800 - 3000) of the second area's free room (28800 - 3000 twips).
    EXPECT_EQ(copy.left, 2880 + (1920 - 200) / 2);
    EXPECT_EQ(copy.top, 40);
}

TEST(ClockLayout, FittedFontHeight) {
    // Fits: unchanged.
    EXPECT_EQ(FittedFontHeight(48, 123, 55, 133, 56), 48);
    // "120:00" in 36-point Arial bold at 96 dpi is about 150 pixels wide in a 133-pixel label.
    EXPECT_EQ(FittedFontHeight(48, 150, 55, 133, 56), 42);  // 48 * 133 / 150 = 42.56
    // The tighter of width and height decides.
    EXPECT_EQ(FittedFontHeight(72, 100, 166, 300, 83), 36);
    // Always smaller than a font that does not fit, never below 1.
    EXPECT_EQ(FittedFontHeight(10, 101, 10, 100, 10), 9);
    EXPECT_EQ(FittedFontHeight(10, 5000, 10, 1, 10), 1);
    EXPECT_EQ(FittedFontHeight(10, 50, 10, 0, 0), 1);
    EXPECT_EQ(FittedFontHeight(10, 50, 10, -5, -5), 1);
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
