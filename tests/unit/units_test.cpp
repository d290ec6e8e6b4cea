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
}  // namespace quorrin
