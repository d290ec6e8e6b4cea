// The drawn push button's face pieces, caption placement and face rules, with the sizes of
// the buttons the program has.
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

TEST(DrawnButtonPlacement, CaptionIsCentredWithHalvesToEven) {
    // "自定义背景颜色" in 9-point text: 157.5 and 97.5 go to the even neighbours.
    EXPECT_EQ(CentredCaption(1575, 375, 1260, 180), (std::array<int32_t, 2>{158, 98}));
    EXPECT_EQ(CentredCaption(1575, 375, 1290, 210), (std::array<int32_t, 2>{142, 82}));
    // Wider than the button: it starts left of the edge, still centred.
    EXPECT_EQ(CentredCaption(100, 300, 140, 180), (std::array<int32_t, 2>{-20, 60}));
}

TEST(DrawnButtonFaces, RestingIsNormalOrDisabled) {
    EXPECT_EQ(ResolveFace(FaceRequest::Resting, true), ButtonFace::Normal);
    EXPECT_EQ(ResolveFace(FaceRequest::Resting, false), ButtonFace::Disabled);
    EXPECT_EQ(ResolveFace(FaceRequest::Hover, false), ButtonFace::Hover);
    EXPECT_EQ(ResolveFace(FaceRequest::Pressed, true), ButtonFace::Pressed);
}

TEST(DrawnButtonInput, HoverIsDrawnOnceAndEndsAtTheFirstMoveOutside) {
    ButtonInput input;
    EXPECT_EQ(input.MouseMove(true), (ButtonReaction{FaceRequest::Hover, true, false}));
    // Further moves inside only keep the capture.
    EXPECT_EQ(input.MouseMove(true), (ButtonReaction{std::nullopt, true, false}));
    EXPECT_EQ(input.MouseMove(false), (ButtonReaction{FaceRequest::Resting, false, true}));
    EXPECT_FALSE(input.Hover());
    EXPECT_EQ(input.MouseMove(true).draw, FaceRequest::Hover);
}

TEST(DrawnButtonInput, PressShowsThePressedFaceAndItsEndTheRestingOne) {
    ButtonInput input;
    input.MouseMove(true);
    EXPECT_EQ(input.Press(true), (ButtonReaction{FaceRequest::Pressed, false, false}));
    EXPECT_EQ(input.Press(false), (ButtonReaction{FaceRequest::Resting, false, false}));
    EXPECT_FALSE(input.Hover()) << "the next move inside shows the hover face again";
    EXPECT_EQ(input.MouseMove(true).draw, FaceRequest::Hover);
}

}  // namespace
}  // namespace quorrin
