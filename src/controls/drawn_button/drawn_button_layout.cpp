#include "controls/drawn_button/drawn_button_layout.h"

#include "geometry/units.h"

#include <algorithm>

namespace quorrin {

ButtonFace ResolveFace(FaceRequest request, bool enabled) {
    switch (request) {
        case FaceRequest::Hover:
            return ButtonFace::Hover;
        case FaceRequest::Pressed:
            return ButtonFace::Pressed;
        case FaceRequest::Resting:
            break;
    }
    return enabled ? ButtonFace::Normal : ButtonFace::Disabled;
}

std::array<FacePiece, 9> FacePieces(int32_t width, int32_t height, int32_t corner,
                                    int32_t faceWidth, int32_t faceHeight, int32_t faceCorner) {
    const int32_t c = corner;
    const int32_t f = faceCorner;
    const int32_t edgeWidth = std::max(0, width - 2 * c);
    const int32_t edgeHeight = std::max(0, height - 2 * c);
    const int32_t faceEdgeWidth = faceWidth - 2 * f;
    const int32_t faceEdgeHeight = faceHeight - 2 * f;
    const int32_t right = width - c;
    const int32_t bottom = height - c;
    const int32_t faceRight = faceWidth - f;
    const int32_t faceBottom = faceHeight - f;
    return {{
        {{0, 0, c, c}, {0, 0, f, f}},                                           // top-left
        {{right, 0, c, c}, {faceRight, 0, f, f}},                               // top-right
        {{right, bottom, c, c}, {faceRight, faceBottom, f, f}},                 // bottom-right
        {{0, bottom, c, c}, {0, faceBottom, f, f}},                             // bottom-left
        {{c, 0, edgeWidth, c}, {f, 0, faceEdgeWidth, f}},                       // top
        {{right, c, c, edgeHeight}, {faceRight, f, f, faceEdgeHeight}},         // right
        {{0, c, c, edgeHeight}, {0, f, f, faceEdgeHeight}},                     // left
        {{c, bottom, edgeWidth, c}, {f, faceBottom, faceEdgeWidth, f}},         // bottom
        {{c, c, edgeWidth, edgeHeight}, {f, f, faceEdgeWidth, faceEdgeHeight}}  // centre
    }};
}

CaptionPlacement PlaceCaption(int32_t width, int32_t height, bool hasPicture, int32_t pictureWidth,
                              int32_t pictureHeight, bool captionEmpty, int32_t captionWidth,
                              int32_t captionHeight, int32_t style) {
    const auto half = [](int64_t value) { return DivideRoundHalfEven(value, 2); };
    const int32_t pw = pictureWidth;
    const int32_t ph = pictureHeight;
    const int32_t tw = captionWidth;
    const int32_t th = captionHeight;
    CaptionPlacement placed;
    if (!hasPicture && captionEmpty) return placed;
    if (captionEmpty) {
        placed.picture = {{half(width - pw), half(height - ph)}};
        return placed;
    }
    if (!hasPicture) {
        placed.caption = {{half(width - tw), half(height - th)}};
        return placed;
    }
    if (style == 0) {
        // Gap g = (W - pw - tw) / 3 before the picture, between the two and after the caption.
        const int64_t freeWidth = static_cast<int64_t>(width) - pw - tw;
        placed.picture = {{DivideRoundHalfEven(freeWidth, 3), half(height - ph)}};
        placed.caption = {{DivideRoundHalfEven(3LL * pw + 2 * freeWidth, 3), half(height - th)}};
    } else if (style == 1) {
        const int64_t freeHeight = static_cast<int64_t>(height) - ph - th;
        placed.picture = {{half(width - pw), DivideRoundHalfEven(freeHeight, 3)}};
        placed.caption = {{half(width - tw), DivideRoundHalfEven(3LL * ph + 2 * freeHeight, 3)}};
    }
    return placed;
}

ButtonReaction ButtonInput::MouseMove(bool inside) {
    ButtonReaction reaction;
    if (!inside) {
        reaction.draw = FaceRequest::Resting;
        reaction.releaseCapture = true;
        hover_ = false;
        return reaction;
    }
    if (!hover_) {
        reaction.draw = FaceRequest::Hover;
        hover_ = true;
    }
    // On every move inside, so that the move which leaves the button still comes here.
    reaction.capture = true;
    return reaction;
}

ButtonReaction ButtonInput::MouseDown(bool leftButton) {
    ButtonReaction reaction;
    leftPressed_ = leftButton;
    if (leftButton) reaction.draw = FaceRequest::Pressed;
    return reaction;
}

ButtonReaction ButtonInput::MouseUp() {
    hover_ = false;
    ButtonReaction reaction;
    reaction.draw = FaceRequest::Resting;
    return reaction;
}

ButtonReaction ButtonInput::Clicked() const {
    ButtonReaction reaction;
    reaction.click = leftPressed_;
    return reaction;
}

ButtonReaction ButtonInput::EnterKey() const { return Clicked(); }

}  // namespace quorrin
