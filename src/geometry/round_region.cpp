#include "geometry/round_region.h"

#include <algorithm>

namespace quorrin {

namespace {

// Corner ellipse of the dialogs' upper corners, in pixels.
constexpr int32_t kDialogCornerPixels = 15;
// The dialog region's lower edge lies this far below the window, so that its lower corners
// stay square.
constexpr int32_t kDialogBottomOverhangPixels = 15;

}  // namespace

std::optional<RoundRect> RoundRegionRect(RegionShape shape, int32_t widthPixels,
                                         int32_t heightPixels) {
    const int32_t w = std::max<int32_t>(widthPixels, 0);
    const int32_t h = std::max<int32_t>(heightPixels, 0);
    switch (shape) {
        case RegionShape::Dialog: {
            RoundRect r;
            r.left = kDialogRegionSidePixels;
            r.top = kDialogRegionTopPixels;
            r.right = std::max(r.left, w - kDialogRegionSidePixels);
            r.bottom = std::max(r.top, h + kDialogBottomOverhangPixels);
            r.ellipseWidth = kDialogCornerPixels;
            r.ellipseHeight = kDialogCornerPixels;
            return r;
        }
        case RegionShape::Clock:
            return RoundRect{0, 0, w, h, kClockCornerPixels, kClockCornerPixels};
    }
    return std::nullopt;
}

}  // namespace quorrin
