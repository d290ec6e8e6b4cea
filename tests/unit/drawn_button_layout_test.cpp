// The drawn push button's face pieces, caption and picture placement, and mouse and key
// rules, with the sizes of the buttons the program has.
#include "controls/drawn_button/drawn_button_layout.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

constexpr int32_t kFaceWidthTwips = 270;
constexpr int32_t kFaceHeightTwips = 315;

std::array<FacePiece, 9> PiecesTwips(int32_t width, int32_t height) {
    return FacePieces(width, height, kFaceCornerTwips, kFaceWidthTwips, kFaceHeightTwips,
                      kFaceCornerTwips);
}

TEST(DrawnButtonPieces, WideButtonStretchesEdgesAndCentreAndKeepsCorners) {
    // 1575 x 375, the background colour button.
    const auto p = PiecesTwips(1575, 375);
    const std::array<FacePiece, 9> expected{{
        {{0, 0, 45, 45}, {0, 0, 45, 45}},
        {{1530, 0, 45, 45}, {225, 0, 45, 45}},
        {{1530, 330, 45, 45}, {225, 270, 45, 45}},
        {{0, 330, 45, 45}, {0, 270, 45, 45}},
        {{45, 0, 1485, 45}, {45, 0, 180, 45}},
        {{1530, 45, 45, 285}, {225, 45, 45, 225}},
        {{0, 45, 45, 285}, {0, 45, 45, 225}},
        {{45, 330, 1485, 45}, {45, 270, 180, 45}},
        {{45, 45, 1485, 285}, {45, 45, 180, 225}},
    }};
    EXPECT_EQ(p, expected);
}

TEST(DrawnButtonPieces, SmallestButtonAndDegenerateSizes) {
    const auto p = PiecesTwips(495, 300);
    EXPECT_EQ(p[4].target, (PieceRect{45, 0, 405, 45}));    // top edge
    EXPECT_EQ(p[7].target, (PieceRect{45, 255, 405, 45}));  // bottom edge
    EXPECT_EQ(p[5].target, (PieceRect{450, 45, 45, 210}));  // right edge
    EXPECT_EQ(p[6].target, (PieceRect{0, 45, 45, 210}));    // left edge
    EXPECT_EQ(p[2].target, (PieceRect{450, 255, 45, 45}));  // bottom-right corner

    // Exactly two corners wide: the edges vanish.
    EXPECT_EQ(PiecesTwips(90, 90)[8].target, (PieceRect{45, 45, 0, 0}));
    // Narrower: nothing is ever given a negative (mirrored) size; the corners overlap.
    for (const auto& [width, height] : {std::pair{60, 300}, {495, 20}, {0, 0}}) {
        for (const FacePiece& piece : PiecesTwips(width, height)) {
            EXPECT_GE(piece.target.width, 0) << width << "x" << height;
            EXPECT_GE(piece.target.height, 0) << width << "x" << height;
        }
    }
    EXPECT_EQ(PiecesTwips(60, 300)[1].target, (PieceRect{15, 0, 45, 45}));
    // In pixels, with the 18 x 21 picture: the same cut.
    const auto pixels = FacePieces(33, 20, 3, kFaceWidthPixels, kFaceHeightPixels, 3);
    EXPECT_EQ(pixels[8], (FacePiece{{3, 3, 27, 14}, {3, 3, 12, 15}}));
}

TEST(DrawnButtonPlacement, TableCases) {
    // No picture, no caption: nothing.
    EXPECT_EQ(PlaceCaption(1575, 375, false, 0, 0, true, 0, 0, 0), CaptionPlacement{});
    // Caption only, centred both ways ("自定义背景颜色" in 9-point text).
    CaptionPlacement captionOnly = PlaceCaption(1575, 375, false, 0, 0, false, 1260, 180, 0);
    EXPECT_FALSE(captionOnly.picture);
    EXPECT_EQ(captionOnly.caption, (std::array<int32_t, 2>{158, 98}));  // 157.5 and 97.5 to even
    // Picture only, centred.
    EXPECT_EQ(PlaceCaption(1800, 600, true, 480, 480, true, 0, 0, 5).picture,
              (std::array<int32_t, 2>{660, 60}));
    // Style 0: three equal gaps across; (1800 - 480 - 600) / 3 = 240.
    const CaptionPlacement left = PlaceCaption(1800, 600, true, 480, 480, false, 600, 180, 0);
    EXPECT_EQ(left.picture, (std::array<int32_t, 2>{240, 60}));
    EXPECT_EQ(left.caption, (std::array<int32_t, 2>{960, 210}));
    // Style 1: three equal gaps down; (1200 - 480 - 180) / 3 = 180.
    const CaptionPlacement above = PlaceCaption(1800, 1200, true, 480, 480, false, 600, 180, 1);
    EXPECT_EQ(above.picture, (std::array<int32_t, 2>{660, 180}));
    EXPECT_EQ(above.caption, (std::array<int32_t, 2>{600, 840}));
    // Any other style with both: only the face.
    EXPECT_EQ(PlaceCaption(1800, 600, true, 480, 480, false, 600, 180, 2), CaptionPlacement{});
    EXPECT_EQ(PlaceCaption(1800, 600, true, 480, 480, false, 600, 180, -1), CaptionPlacement{});
}

TEST(DrawnButtonFaces, RestingIsNormalOrDisabled) {
    EXPECT_EQ(ResolveFace(FaceRequest::Resting, true), ButtonFace::Normal);
    EXPECT_EQ(ResolveFace(FaceRequest::Resting, false), ButtonFace::Disabled);
    EXPECT_EQ(ResolveFace(FaceRequest::Hover, false), ButtonFace::Hover);
    EXPECT_EQ(ResolveFace(FaceRequest::Pressed, true), ButtonFace::Pressed);
}

TEST(DrawnButtonInput, HoverIsDrawnOnceAndEndsAtTheFirstMoveOutside) {
    ButtonInput input;
    EXPECT_EQ(input.MouseMove(true), (ButtonReaction{FaceRequest::Hover, true, false, false}));
    // Further moves inside only keep the capture.
    EXPECT_EQ(input.MouseMove(true), (ButtonReaction{std::nullopt, true, false, false}));
    EXPECT_EQ(input.MouseMove(false), (ButtonReaction{FaceRequest::Resting, false, true, false}));
    EXPECT_FALSE(input.Hover());
    EXPECT_EQ(input.MouseMove(true).draw, FaceRequest::Hover);
}

TEST(DrawnButtonInput, OnlyALeftPressLetsAClickOrEnterThrough) {
    ButtonInput input;
    EXPECT_FALSE(input.EnterKey().click) << "Enter before any press";
    // Right press and release: no pressed face, no click.
    EXPECT_EQ(input.MouseDown(false), ButtonReaction{});
    EXPECT_EQ(input.MouseUp().draw, FaceRequest::Resting);
    EXPECT_FALSE(input.Clicked().click);

    input.MouseMove(true);
    EXPECT_EQ(input.MouseDown(true).draw, FaceRequest::Pressed);
    EXPECT_EQ(input.MouseUp().draw, FaceRequest::Resting);
    EXPECT_FALSE(input.Hover()) << "the next move inside shows the hover face again";
    EXPECT_TRUE(input.Clicked().click);
    // The left press is remembered after the click: Enter clicks, until the next press.
    EXPECT_TRUE(input.EnterKey().click);
    EXPECT_TRUE(input.EnterKey().click);
    input.MouseDown(false);
    EXPECT_FALSE(input.EnterKey().click);
}

}  // namespace
}  // namespace quorrin
