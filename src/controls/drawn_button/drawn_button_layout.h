// The drawn push button without windows: how its face picture is cut into nine pieces and
// stretched over the button, where the caption goes, and how the mouse moves it between its
// faces.
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

// What DrawFace is asked to draw: the resting face (normal, or disabled when the button is),
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

// Where SetText draws a caption of captionWidth x captionHeight on a width x height button:
// its top-left corner, centred both ways, halves rounded to the even neighbour.
std::array<int32_t, 2> CentredCaption(int32_t width, int32_t height, int32_t captionWidth,
                                      int32_t captionHeight);

// The mouse rules of the button's faces. The caller turns each event into a call and does
// what the answer says: draw a face, take or give back the mouse capture. Which presses
// click is the shared push button's business.
struct ButtonReaction {
    std::optional<FaceRequest> draw;
    bool capture = false;
    bool releaseCapture = false;
    bool operator==(const ButtonReaction&) const = default;
};

class ButtonInput {
  public:
    // A move, with whether the point lies on the button.
    ButtonReaction MouseMove(bool inside);
    // A press (by the left button or Space) began, or ended.
    ButtonReaction Press(bool pressed);

    bool Hover() const { return hover_; }

  private:
    bool hover_ = false;
};

}  // namespace quorrin
