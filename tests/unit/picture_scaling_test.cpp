// Icon pixels: premultiplying straight alpha and resizing by area averaging.
#include "controls/image_button/picture_scaling.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorrin {
namespace {

BgraPicture Picture(int32_t width, int32_t height, std::vector<uint8_t> bytes) {
    return BgraPicture{width, height, std::move(bytes)};
}

TEST(PictureScalingTest, PremultiplyScalesColoursByAlphaAndRounds) {
    std::vector<uint8_t> bytes = {200, 100, 50, 255,   // opaque: unchanged
                                  200, 100, 50, 0,     // transparent: black
                                  255, 101, 1,  128};  // half: 128, 50.7 -> 51, 0.502 -> 1
    PremultiplyAlpha(bytes);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{200, 100, 50, 255, 0, 0, 0, 0, 128, 51, 1, 128}));
}

TEST(PictureScalingTest, HalvingAveragesEachTwoByTwoBlock) {
    // 4 x 2 grey levels (all four bytes alike), halved to 2 x 1.
    std::vector<uint8_t> bytes;
    for (uint8_t level : {0, 100, 200, 255, 20, 40, 60, 80}) bytes.insert(bytes.end(), 4, level);
    const BgraPicture half = ResizeByAreaAverage(Picture(4, 2, bytes), 2, 1);
    ASSERT_EQ(half.width, 2);
    ASSERT_EQ(half.height, 1);
    EXPECT_EQ(half.bytes, (std::vector<uint8_t>{40, 40, 40, 40, 149, 149, 149, 149}));
}

TEST(PictureScalingTest, ThreeToTwoWeighsThePartlyCoveredMiddlePixel) {
    // Target pixel 0 covers source 0 fully and half of source 1: (90 + 0.5 x 30) / 1.5 = 70.
    const BgraPicture source = Picture(3, 1, {90, 90, 90, 90, 30, 30, 30, 30, 0, 0, 0, 0});
    const BgraPicture target = ResizeByAreaAverage(source, 2, 1);
    EXPECT_EQ(target.bytes, (std::vector<uint8_t>{70, 70, 70, 70, 10, 10, 10, 10}));
}

TEST(PictureScalingTest, TransparentNeighboursLeaveNoColourFringe) {
    // An opaque red pixel beside a transparent (premultiplied: all zero) one: the average is
    // half-transparent red, not a darkened or tinted colour.
    const BgraPicture source = Picture(2, 1, {0, 0, 255, 255, 0, 0, 0, 0});
    const BgraPicture target = ResizeByAreaAverage(source, 1, 1);
    EXPECT_EQ(target.bytes, (std::vector<uint8_t>{0, 0, 128, 128}));
}

TEST(PictureScalingTest, EnlargingRepeatsPixelsAndEmptySizesGiveNothing) {
    const BgraPicture source = Picture(2, 1, {10, 20, 30, 255, 40, 50, 60, 255});
    const BgraPicture wide = ResizeByAreaAverage(source, 4, 1);
    EXPECT_EQ(wide.bytes, (std::vector<uint8_t>{10, 20, 30, 255, 10, 20, 30, 255, 40, 50, 60, 255,
                                                40, 50, 60, 255}));
    EXPECT_TRUE(ResizeByAreaAverage(source, 0, 3).bytes.empty());
    EXPECT_TRUE(ResizeByAreaAverage(BgraPicture{}, 3, 3).bytes.empty());
}

}  // namespace
}  // namespace quorrin
