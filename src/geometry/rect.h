// A place and size on screen: left and top edge, width and height, in the unit the name of
// the variable or alias says (twips in the model, pixels at the edge).
#pragma once

#include <cstdint>

namespace quorrin {

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const Rect&) const = default;
};

// A window's or a control's place in twips (the model), and on screen in pixels.
using TwipRect = Rect;
using PixelRect = Rect;

}  // namespace quorrin
