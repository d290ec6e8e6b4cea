// Lengths on screen: twips (1/1440 inch) and points (1/72 inch) in the model, pixels at the
// edge. Every conversion to or from pixels goes through here, with the DPI of the monitor
// the window is on, and rounds one way: to the nearest whole pixel, a half going to the
// even neighbour. At 96 dpi a pixel is exactly 15 twips, so whole twips never land on a half.
#pragma once

#include "geometry/rect.h"

#include <cstdint>

namespace quorrin {

inline constexpr int32_t kTwipsPerInch = 1440;
inline constexpr int32_t kPointsPerInch = 72;
// The DPI of a display at 100 % scale. Twips are physical (1440 to an inch) at every scale;
// only at this DPI is a pixel a whole number of them.
inline constexpr int32_t kDefaultDpi = 96;
// Twips in one pixel at kDefaultDpi.
inline constexpr int32_t kTwipsPerPixelAtDefaultDpi = kTwipsPerInch / kDefaultDpi;

// numerator / denominator (denominator > 0) rounded to the nearest whole number, a half
// going to the even neighbour.
int32_t DivideRoundHalfEven(int64_t numerator, int64_t denominator);

// Twips to pixels at `dpi`, rounded as above.
int32_t TwipsToPixels(int32_t twips, int32_t dpi = kDefaultDpi);

// Pixels to twips at `dpi`, rounded as above (exact at kDefaultDpi).
int32_t PixelsToTwips(int32_t pixels, int32_t dpi = kDefaultDpi);

// A font size in points to pixels at `dpi`, rounded as above.
int32_t PointsToPixels(int32_t points, int32_t dpi = kDefaultDpi);

// A length designed in pixels at `fromDpi` (a 15-pixel frame, a 20-pixel corner) scaled to
// `dpi`, rounded as above.
int32_t ScalePixels(int32_t pixels, int32_t dpi, int32_t fromDpi = kDefaultDpi);

// A place in twips to pixels at `dpi`: each edge on its own, so that places touching in
// twips touch in pixels.
PixelRect TwipsToPixels(const TwipRect& place, int32_t dpi = kDefaultDpi);

}  // namespace quorrin
