// Layout of the image button: border width, caption and icon placement, hover box, picture
// numbers, and the twip-to-pixel edges.
#include "controls/image_button/button_layout.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

constexpr int32_t kCaptionWidthTwips = 360;   // two CJK characters of a 12-pixel font
constexpr int32_t kCaptionHeightTwips = 255;  // one line of it

TEST(ButtonLayoutTest, DivisionRoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(DivideRoundHalfEven(5, 2), 2);
    EXPECT_EQ(DivideRoundHalfEven(7, 2), 4);
    EXPECT_EQ(DivideRoundHalfEven(7, 3), 2);
    EXPECT_EQ(DivideRoundHalfEven(8, 3), 3);
    // Negative values (a caption taller than its button) round the same way.
    EXPECT_EQ(DivideRoundHalfEven(-5, 2), -2);
    EXPECT_EQ(DivideRoundHalfEven(-7, 2), -4);
    EXPECT_EQ(DivideRoundHalfEven(-8, 3), -3);
}

TEST(ButtonLayoutTest, BorderWidthGrowsWithHeightAndKeepsItsWidthOnLowButtons) {
    EXPECT_EQ(BorderWidthPixels(495, 1), 1);   // 0.99: not above 1, kept
    EXPECT_EQ(BorderWidthPixels(500, 1), 1);   // exactly 1: not above 1, kept
    EXPECT_EQ(BorderWidthPixels(735, 1), 1);   // 1.47 rounds down
    EXPECT_EQ(BorderWidthPixels(750, 1), 2);   // 1.5 rounds up to the even 2
    EXPECT_EQ(BorderWidthPixels(1250, 1), 2);  // 2.5 rounds down to the even 2
    EXPECT_EQ(BorderWidthPixels(1500, 1), 3);
    // A button that was tall once and is made low again keeps its wider border ...
    EXPECT_EQ(BorderWidthPixels(495, 3), 3);
    EXPECT_EQ(BorderWidthPixels(500, 3), 3);
    // ... but one tall enough for its own width gets that, even if narrower.
    EXPECT_EQ(BorderWidthPixels(735, 3), 1);
}

TEST(ButtonLayoutTest, CaptionOnlyIsCentredBothWays) {
    const ButtonLayout layout =
        LayoutButton(1095, 495, kCaptionWidthTwips, kCaptionHeightTwips, 0, 1);
    EXPECT_EQ(layout.captionTwips, (ButtonBox{368, 120, 360, 255}));  // (1095-360)/2 = 367.5
    EXPECT_EQ(layout.iconPicture, kNoPicture);
    EXPECT_EQ(layout.iconTwips, ButtonBox{});
    EXPECT_EQ(layout.borderWidthPixels, 1);
}

TEST(ButtonLayoutTest, IconSitsAboveTheCaptionInProportionToTheFreeHeight) {
    // Style 2 on 855 x 735: free = 480; icon 0.64 x 480 = 307.2, top 0.07 x 480 = 33.6,
    // gap 0.1 x 480 = 48.
    const ButtonLayout layout =
        LayoutButton(855, 735, kCaptionWidthTwips, kCaptionHeightTwips, 2, 1);
    EXPECT_EQ(layout.iconPicture, 1);
    EXPECT_EQ(layout.iconTwips, (ButtonBox{274, 34, 307, 307}));  // (855-307)/2 = 274
    EXPECT_EQ(layout.captionTwips.top, 307 + 34 + 48);
    EXPECT_EQ(layout.captionTwips.left, 248);  // (855-360)/2 = 247.5 -> even 248
    EXPECT_EQ(layout.borderWidthPixels, 1);
}

TEST(ButtonLayoutTest, EachStyleShowsItsOwnIconAndUnknownStylesShowNone) {
    for (uint8_t style = 1; style <= kMaxButtonStyle; ++style) {
        EXPECT_EQ(LayoutButton(855, 735, 0, 0, style, 1).iconPicture, style - 1);
    }
    // Past the last icon the caption still moves down to make room, but nothing is drawn.
    const ButtonLayout unknown =
        LayoutButton(855, 735, kCaptionWidthTwips, kCaptionHeightTwips, 7, 1);
    EXPECT_EQ(unknown.iconPicture, kNoPicture);
    EXPECT_EQ(unknown.iconTwips, ButtonBox{});
    EXPECT_EQ(unknown.captionTwips.top, 389);
}

TEST(ButtonLayoutTest, CaptionWiderOrTallerThanTheButtonOverhangsEvenly) {
    const ButtonLayout layout = LayoutButton(300, 200, 360, 255, 0, 1);
    EXPECT_EQ(layout.captionTwips.left, -30);
    EXPECT_EQ(layout.captionTwips.top, -28);  // -55 / 2 = -27.5 -> even -28
    const ButtonLayout withIcon = LayoutButton(300, 200, 360, 255, 1, 1);
    EXPECT_LE(withIcon.iconTwips.height, 0);
}

TEST(ButtonLayoutTest, HoverBoxLeavesTwentyTwipsInsideTheEdge) {
    EXPECT_EQ(HoverBoxTwips(855, 735), (ButtonBox{20, 20, 815, 695}));
    EXPECT_EQ(HoverBoxTwips(30, 50), (ButtonBox{20, 20, 0, 10}));  // never negative
}

TEST(ButtonLayoutTest, PictureNumbersOfHoverColoursAndBackgroundIndexes) {
    EXPECT_EQ(HoverPictureNumber(0), 2);
    EXPECT_EQ(HoverPictureNumber(1), 3);
    EXPECT_EQ(HoverPictureNumber(4), 6);
    EXPECT_EQ(HoverPictureNumber(5), kNoPicture);
    EXPECT_EQ(HoverPictureNumber(-1), kNoPicture);

    EXPECT_EQ(SelBackPictureNumber(0), kNormalBackgroundPicture);
    EXPECT_EQ(SelBackPictureNumber(1), 3);  // index 1 skips the pressed picture and hover 0
    EXPECT_EQ(SelBackPictureNumber(4), 6);
    EXPECT_EQ(SelBackPictureNumber(5), kNoPicture);
    EXPECT_EQ(SelBackPictureNumber(-1), kNoPicture);
}

}  // namespace
}  // namespace quorrin
