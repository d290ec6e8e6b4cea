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
                                         int32_t heightPixels, int32_t dpi) {
    const int32_t w = std::max<int32_t>(widthPixels, 0);
    const int32_t h = std::max<int32_t>(heightPixels, 0);
    const auto scaled = [dpi](int32_t pixels) { return ScalePixels(pixels, dpi); };
    switch (shape) {
        case RegionShape::Dialog: {
            const int32_t side = scaled(kDialogRegionSidePixels);
            const int32_t corner = scaled(kDialogCornerPixels);
            RoundRect r;
            r.left = side;
            r.top = scaled(kDialogRegionTopPixels);
            r.right = std::max(r.left, w - side);
            r.bottom = std::max(r.top, h + scaled(kDialogBottomOverhangPixels));
            r.ellipseWidth = corner;
            r.ellipseHeight = corner;
            return r;
        }
        case RegionShape::Clock: {
            const int32_t corner = scaled(kClockCornerPixels);
            return RoundRect{0, 0, w, h, corner, corner};
        }
    }
    return std::nullopt;
}

}  // namespace quorrin
