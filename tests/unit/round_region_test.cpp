#include "geometry/round_region.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

TEST(RoundRegion, ClockIsTheWholeWindowWithTwentyPixelCorners) {
    // A 3000 x 1200 twips clock at 15 twips per pixel.
    EXPECT_EQ(RoundRegionRect(RegionShape::Clock, 200, 80), (RoundRect{0, 0, 200, 80, 20, 20}));
}

TEST(RoundRegion, DialogLosesTheCaptionStripAndTheSides) {
    // A 5535 x 3585 twips dialog: 369 x 239 client pixels in a frame of 15 (left), 16
    // (right, a rounded region ends a pixel short) and 30 (top) pixels. The lower edge lies
    // below the window, so the lower corners stay square.
    EXPECT_EQ(RoundRegionRect(RegionShape::Dialog, 400, 269),
              (RoundRect{15, 30, 385, 284, 15, 15}));
}

TEST(RoundRegion, CutsAndCornersScaleWithTheDpi) {
    // At 150 % the 20-pixel corner is 30 pixels; the dialog's 15-pixel strips and corners are
    // 22.5 -> 22 (half to even), its 30-pixel top 45.
    EXPECT_EQ(RoundRegionRect(RegionShape::Clock, 300, 120, 144),
              (RoundRect{0, 0, 300, 120, 30, 30}));
    EXPECT_EQ(RoundRegionRect(RegionShape::Dialog, 599, 404, 144),
              (RoundRect{22, 45, 577, 426, 22, 22}));
    EXPECT_EQ(RoundRegionRect(RegionShape::Clock, 400, 160, 192),
              (RoundRect{0, 0, 400, 160, 40, 40}));
}

TEST(RoundRegion, WindowsTooSmallForTheCutGetAnEmptyRegionNotAnInvertedOne) {
    for (const auto& [w, h] : {std::pair{0, 0}, std::pair{20, 100}, std::pair{100, 10}}) {
        const auto r = RoundRegionRect(RegionShape::Dialog, w, h);
        ASSERT_TRUE(r.has_value());
        EXPECT_LE(r->left, r->right) << w << "x" << h;
        EXPECT_LE(r->top, r->bottom) << w << "x" << h;
    }
    const auto negative = RoundRegionRect(RegionShape::Clock, -5, -5);
    ASSERT_TRUE(negative.has_value());
    EXPECT_EQ(negative->right, 0);
    EXPECT_EQ(negative->bottom, 0);
}

TEST(RoundRegion, OtherCodesAreNoShape) {
    EXPECT_FALSE(RoundRegionRect(static_cast<RegionShape>(0), 100, 100).has_value());
    EXPECT_FALSE(RoundRegionRect(static_cast<RegionShape>(16), 100, 100).has_value());
}

}  // namespace
}  // namespace quorrin
