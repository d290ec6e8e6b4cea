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

std::array<int32_t, 2> CentredCaption(int32_t width, int32_t height, int32_t captionWidth,
                                      int32_t captionHeight) {
    return {DivideRoundHalfEven(static_cast<int64_t>(width) - captionWidth, 2),
            DivideRoundHalfEven(static_cast<int64_t>(height) - captionHeight, 2)};
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

ButtonReaction ButtonInput::Press(bool pressed) {
    ButtonReaction reaction;
    if (pressed) {
        reaction.draw = FaceRequest::Pressed;
    } else {
        // The resting face; the next move inside shows the hover face again.
        reaction.draw = FaceRequest::Resting;
        hover_ = false;
    }
    return reaction;
}

}  // namespace quorrin
