#include "clock/clock_layout.h"

#include <algorithm>
#include <cmath>

namespace quorrin {

namespace {

constexpr uint8_t kMaxAlphaPercent = 100;

int32_t RoundToInt(double value) { return static_cast<int32_t>(std::lround(value)); }

// Twips in one pixel at `dpi` (15 at 96 dpi, exact in binary there).
double TwipsPerPixel(int32_t dpi) { return static_cast<double>(kTwipsPerInch) / dpi; }

}  // namespace

uint8_t AlphaByte(uint8_t alphaPercent) {
    const uint8_t percent = alphaPercent > kMaxAlphaPercent ? kMaxAlphaPercent : alphaPercent;
    // percent × 2.55 in whole numbers, halves rounded up (2.55 is not exact in binary).
    return static_cast<uint8_t>((percent * 255 + 50) / 100);
}

void MapToSecondMonitor(const WorkArea& primary, const WorkArea& second, int32_t left, int32_t top,
                        int32_t width, int32_t& mappedLeft, int32_t& mappedTop,
                        const ClockDpis& dpis) {
    const double p = TwipsPerPixel(dpis.primary);
    const double s = TwipsPerPixel(dpis.second);
    const double horizontalRoom = primary.right * p - width;
    const double secondRoom = (second.right - second.left) * s - width;
    mappedLeft = horizontalRoom != 0.0
                     ? RoundToInt(left / horizontalRoom * secondRoom + second.left * s)
                     : RoundToInt(second.left * s);
    const double primaryBottom = primary.bottom * p;
    mappedTop = primaryBottom != 0.0 ? RoundToInt(top / primaryBottom * (second.bottom * s))
                                     : RoundToInt(second.top * s);
}

int32_t ClockDpi(ClockWindow which, const ClockDpis& dpis) {
    return which == ClockWindow::Copy ? dpis.second : dpis.primary;
}

PixelRect ClockPixels(const DisplayStyle& s, const ClockPlacement& placement,
                      const PixelRect& current) {
    const int32_t dpi = placement.dpi;
    const WorkArea& area = placement.area;
    PixelRect r = current;
    r.width = TwipsToPixels(s.Width, dpi);
    r.height = TwipsToPixels(s.Height, dpi);

    int32_t freeLeft = s.Left;
    int32_t freeTop = s.Top;
    if (placement.mapped) {
        MapToSecondMonitor(placement.primary, area, s.Left, s.Top, s.Width, freeLeft, freeTop,
                           ClockDpis{placement.primaryDpi, dpi});
    }
    switch (s.showPos) {
        case 0:
            r.left = area.left, r.top = area.top;
            break;
        case 1:
            r.left = area.right - r.width, r.top = area.top;
            break;
        case 2:
            r.left = area.left, r.top = area.bottom - r.height;
            break;
        case 3:
            r.left = area.right - r.width, r.top = area.bottom - r.height;
            break;
        case 4:
            r.left = TwipsToPixels(freeLeft, dpi), r.top = TwipsToPixels(freeTop, dpi);
            break;
        default:
            break;  // an unknown placement leaves the window where it is
    }
    return r;
}

PixelRect ClockWindowPixels(const AppState& state, ClockWindow which, const PixelRect& current,
                            const ClockDpis& dpis) {
    const bool copy = which == ClockWindow::Copy;
    const ClockPlacement placement{state.PrimaryWorkArea, dpis.primary,
                                   copy ? state.SecondWorkArea : state.PrimaryWorkArea,
                                   ClockDpi(which, dpis), copy};
    return ClockPixels(state.Style, placement, current);
}

int32_t FittedFontHeight(int32_t fontHeight, int32_t textWidth, int32_t textHeight,
                         int32_t boxWidth, int32_t boxHeight) {
    if (fontHeight <= 1) return 1;
    boxWidth = std::max(boxWidth, 0);  // a negative box fits nothing, as an empty one
    boxHeight = std::max(boxHeight, 0);
    if (textWidth <= boxWidth && textHeight <= boxHeight) return fontHeight;
    double ratio = 1.0;
    if (textWidth > boxWidth) ratio = std::min(ratio, static_cast<double>(boxWidth) / textWidth);
    if (textHeight > boxHeight) {
        ratio = std::min(ratio, static_cast<double>(boxHeight) / textHeight);
    }
    const auto fitted = static_cast<int32_t>(std::floor(fontHeight * ratio));
    return std::clamp(fitted, 1, fontHeight - 1);
}

}  // namespace quorrin
