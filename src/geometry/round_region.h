// The rounded window regions of the program's windows, as plain rectangles: the clock
// windows are rounded all round, the settings dialogs lose the strip where a system caption
// would be and keep their own title bar with rounded upper corners.
#pragma once

#include "geometry/units.h"

#include <cstdint>
#include <optional>

namespace quorrin {

// The shape codes the windows use.
enum class RegionShape : uint8_t {
    Dialog = 5,  // settings dialogs: 15 pixels off left and right, 30 off the top
    Clock = 15,  // countdown windows: the whole window
};

// Arguments of a rounded-rectangle region in window pixels (right and bottom exclusive),
// with the width and height of the corner ellipse.
struct RoundRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t ellipseWidth = 0;
    int32_t ellipseHeight = 0;
    bool operator==(const RoundRect&) const = default;
};

// The pixel sizes below are at 96 dpi; at another DPI each is scaled by dpi / 96 (rounded
// half to even), so the shapes keep their physical size.

// Corner ellipse of the clock windows' rounded region, in pixels.
inline constexpr int32_t kClockCornerPixels = 20;

// Where the dialog shape cuts into the window, in pixels: what is left is the dialog's own
// client area (its frame is sized to match, see the dialog frame).
inline constexpr int32_t kDialogRegionSidePixels = 15;
inline constexpr int32_t kDialogRegionTopPixels = 30;

// The region of `shape` for a window of the given size in pixels at `dpi`; nothing for a
// code that is not a shape. A window too small for the cut gets an empty rectangle rather
// than an inverted one.
std::optional<RoundRect> RoundRegionRect(RegionShape shape, int32_t widthPixels,
                                         int32_t heightPixels, int32_t dpi = kDefaultDpi);

}  // namespace quorrin
