// A window's or a control's place and size: in twips in the model, in pixels on screen.
#pragma once

#include <cstdint>

namespace quorrin {

struct TwipRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const TwipRect&) const = default;
};

struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const PixelRect&) const = default;
};

}  // namespace quorrin
