#include "geometry/units.h"

namespace quorrin {

int32_t DivideRoundHalfEven(int64_t numerator, int64_t denominator) {
    int64_t quotient = numerator / denominator;
    int64_t remainder = numerator % denominator;
    if (remainder < 0) {  // make the remainder non-negative: quotient rounds down
        remainder += denominator;
        --quotient;
    }
    const int64_t twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) ++quotient;
    return static_cast<int32_t>(quotient);
}

int32_t TwipsToPixels(int32_t twips, int32_t dpi) {
    return DivideRoundHalfEven(static_cast<int64_t>(twips) * dpi, kTwipsPerInch);
}

int32_t PixelsToTwips(int32_t pixels, int32_t dpi) {
    return DivideRoundHalfEven(static_cast<int64_t>(pixels) * kTwipsPerInch, dpi);
}

int32_t PointsToPixels(int32_t points, int32_t dpi) {
    return DivideRoundHalfEven(static_cast<int64_t>(points) * dpi, kPointsPerInch);
}

int32_t ScalePixels(int32_t pixels, int32_t dpi, int32_t fromDpi) {
    return DivideRoundHalfEven(static_cast<int64_t>(pixels) * dpi, fromDpi);
}

PixelRect TwipsToPixels(const TwipRect& place, int32_t dpi) {
    const int32_t left = TwipsToPixels(place.left, dpi);
    const int32_t top = TwipsToPixels(place.top, dpi);
    return {left, top, TwipsToPixels(place.left + place.width, dpi) - left,
            TwipsToPixels(place.top + place.height, dpi) - top};
}

}  // namespace quorrin
