// The drawn push button without windows: how its face picture is cut into nine pieces and
// stretched over the button, where the optional picture and the caption go, and how mouse
// and keys move it between its faces and decide a click.
#pragma once

#include "geometry/rect.h"

#include <array>
#include <cstdint>
#include <optional>

namespace quorrin {

// The stored faces, 18 x 21 pixels each, with 3-pixel corners that are never stretched.
enum class ButtonFace : int32_t { Disabled = 0, Normal = 1, Hover = 2, Pressed = 3 };
inline constexpr int32_t kButtonFaceCount = 4;
inline constexpr int32_t kFaceWidthPixels = 18;
inline constexpr int32_t kFaceHeightPixels = 21;
inline constexpr int32_t kFaceCornerPixels = 3;
// The corner's size on the button, in twips (3 pixels at 96 dpi).
inline constexpr int32_t kFaceCornerTwips = 45;

// What PrintB is asked to draw: the resting face (normal, or disabled when the button is),
// the hover face or the pressed face.
enum class FaceRequest : int32_t { Resting = 1, Hover = 2, Pressed = 3 };
ButtonFace ResolveFace(FaceRequest request, bool enabled);

// A piece's place in pixels, in the face picture or on the button.
using PieceRect = Rect;

// One piece of the face: copied from `source` (in the face picture) to `target` (on the
// button), stretched when the sizes differ.
struct FacePiece {
    PieceRect target;
    PieceRect source;
    bool operator==(const FacePiece&) const = default;
};

// The nine pieces in drawing order: the four corners (top-left, top-right, bottom-right,
// bottom-left), the top, right, left and bottom edges, and the centre. `width` x `height` is
// the button, `corner` the corner's size on it; `faceWidth` x `faceHeight` the picture with
// corners of `faceCorner`. All in one unit (twips or pixels). On a button narrower or lower
// than two corners the edges and the centre get no size (never a negative, mirrored one);
// the corners keep theirs and overlap.
std::array<FacePiece, 9> FacePieces(int32_t width, int32_t height, int32_t corner,
                                    int32_t faceWidth, int32_t faceHeight, int32_t faceCorner);

// Where SetText draws the picture and the caption, top-left corners in the button's unit.
struct CaptionPlacement {
    std::optional<std::array<int32_t, 2>> picture;
    std::optional<std::array<int32_t, 2>> caption;
    bool operator==(const CaptionPlacement&) const = default;
};

// `hasPicture` with its size pw x ph, the caption's size tw x th (`captionEmpty` when there
// is none), on a width x height button. Style 0 puts the picture left of the caption, 1
// above it, each with the free space split into three equal gaps; any other style draws
// neither when there are both. Halves round to the even neighbour.
CaptionPlacement PlaceCaption(int32_t width, int32_t height, bool hasPicture, int32_t pictureWidth,
                              int32_t pictureHeight, bool captionEmpty, int32_t captionWidth,
                              int32_t captionHeight, int32_t style);

// The mouse and key rules of the button. The caller turns each event into a call and does
// what the answer says: draw a face, take or give back the mouse capture, raise Click.
struct ButtonReaction {
    std::optional<FaceRequest> draw;
    bool capture = false;
    bool releaseCapture = false;
    bool click = false;
    bool operator==(const ButtonReaction&) const = default;
};

class ButtonInput {
  public:
    // A move, with whether the point lies on the button.
    ButtonReaction MouseMove(bool inside);
    ButtonReaction MouseDown(bool leftButton);
    ButtonReaction MouseUp();
    // A completed click (press and release on the button), and the Enter key: both click
    // only when the last press on the button was with the left button.
    ButtonReaction Clicked() const;
    ButtonReaction EnterKey() const;

    bool Hover() const { return hover_; }
    bool LeftPressed() const { return leftPressed_; }

  private:
    bool hover_ = false;
    bool leftPressed_ = false;
};

}  // namespace quorrin
