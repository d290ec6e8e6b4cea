#include "geometry/units.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

// Conversions round to the nearest whole number, a half going to the even neighbour.
TEST(Units, ScaleByTheDpiAndRoundHalfToEven) {
    // 3000 x 1200 twips and a 36-point font at 100, 125, 150 and 200 %.
    EXPECT_EQ(TwipsToPixels(3000, 96), 200);
    EXPECT_EQ(TwipsToPixels(3000, 120), 250);
    EXPECT_EQ(TwipsToPixels(3000, 144), 300);
    EXPECT_EQ(TwipsToPixels(1200, 192), 160);
    EXPECT_EQ(PointsToPixels(36, 96), 48);
    EXPECT_EQ(PointsToPixels(36, 120), 60);
    EXPECT_EQ(PointsToPixels(9, 144), 18);
    EXPECT_EQ(PointsToPixels(9, 120), 15);
    // Halves: 1995 twips at 96 dpi is 133 exactly, at 144 dpi 199.5 -> 200 (even), at
    // 120 dpi 166.25 -> 166; 7.5 twips-per-pixel at 192 dpi: 1 pixel is 7.5 -> 8 twips,
    // 3 pixels 22.5 -> 22.
    EXPECT_EQ(TwipsToPixels(1995, 144), 200);
    EXPECT_EQ(TwipsToPixels(1985, 144), 198);  // 198.5 -> 198
    EXPECT_EQ(TwipsToPixels(1995, 120), 166);
    EXPECT_EQ(PixelsToTwips(1, 192), 8);
    EXPECT_EQ(PixelsToTwips(3, 192), 22);
    EXPECT_EQ(ScalePixels(15, 120), 19);  // 18.75
    EXPECT_EQ(ScalePixels(30, 120), 38);  // 37.5 -> 38
    EXPECT_EQ(ScalePixels(20, 168), 35);
    EXPECT_EQ(ScalePixels(5, 144), 8);   // 7.5 -> 8
    EXPECT_EQ(ScalePixels(7, 144), 10);  // 10.5 -> 10
    // Negative coordinates (a monitor left of the primary) round the same way.
    EXPECT_EQ(TwipsToPixels(-1985, 144), -198);
    EXPECT_EQ(TwipsToPixels(-7, 96), 0);
    EXPECT_EQ(TwipsToPixels(-8, 96), -1);
}

// A pixel saved as twips at a DPI comes back as the same pixel at that DPI: a dragged
// clock returns to the same place after a restart at the same scale.
TEST(Units, PixelsSurviveTheRoundTripThroughTwips) {
    for (const int32_t dpi : {96, 120, 144, 168, 192, 240, 288}) {
        for (int32_t pixel = -4000; pixel <= 8000; ++pixel) {
            ASSERT_EQ(TwipsToPixels(PixelsToTwips(pixel, dpi), dpi), pixel) << dpi << " dpi";
        }
    }
    // At 96 dpi it is exact both ways: 15 twips to the pixel.
    EXPECT_EQ(PixelsToTwips(860, 96), 12900);
}

}  // namespace

TEST(UnitsTest, PlacesRoundEachEdgeSoTouchingBoxesStillTouch) {
    // 20..835 twips = 1.33..55.67 pixels -> 1..56; 20..715 = 1.33..47.67 -> 1..48.
    EXPECT_EQ(TwipsToPixels(TwipRect{20, 20, 815, 695}), (PixelRect{1, 1, 55, 47}));
    // Two boxes meeting at 52 twips (3.47 px) share the pixel edge 3.
    const PixelRect left = TwipsToPixels(TwipRect{0, 0, 52, 15});
    const PixelRect right = TwipsToPixels(TwipRect{52, 0, 100, 15});
    EXPECT_EQ(left.left + left.width, right.left);
    // Edges left of the origin (an overhanging caption) round to nearest as well.
    EXPECT_EQ(TwipsToPixels(TwipRect{-7, 0, 0, 0}).left, 0);
    EXPECT_EQ(TwipsToPixels(TwipRect{-8, 0, 0, 0}).left, -1);
    // At 150 %: 20..835 twips = 2..83.5 -> 2..84 (half to even), 20..715 = 2..71.5 -> 2..72.
    EXPECT_EQ(TwipsToPixels(TwipRect{20, 20, 815, 695}, 144), (PixelRect{2, 2, 82, 70}));
}

}  // namespace quorrin
