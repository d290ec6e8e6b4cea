#include "clock/clock_layout.h"

#include <cmath>

namespace quorrin {

namespace {

constexpr uint8_t kMaxAlphaPercent = 100;

int32_t RoundToInt(double value) { return static_cast<int32_t>(std::lround(value)); }

}  // namespace

uint8_t AlphaByte(uint8_t alphaPercent) {
    const uint8_t percent = alphaPercent > kMaxAlphaPercent ? kMaxAlphaPercent : alphaPercent;
    // percent × 2.55 in whole numbers, halves rounded up (2.55 is not exact in binary).
    return static_cast<uint8_t>((percent * 255 + 50) / 100);
}

void MapToSecondMonitor(const WorkArea& primary, const WorkArea& second, int32_t left, int32_t top,
                        int32_t width, int32_t& mappedLeft, int32_t& mappedTop) {
    const double k = kTwipsPerPixelAtDefaultDpi;
    const double horizontalRoom = primary.right * k - width;
    const double secondRoom = (second.right - second.left) * k - width;
    mappedLeft = horizontalRoom != 0.0
                     ? RoundToInt(left / horizontalRoom * secondRoom + second.left * k)
                     : RoundToInt(second.left * k);
    const double primaryBottom = primary.bottom * k;
    mappedTop = primaryBottom != 0.0 ? RoundToInt(top / primaryBottom * (second.bottom * k))
                                     : RoundToInt(second.top * k);
}

TwipRect ClockWindowRect(const AppState& state, ClockWindow which, const TwipRect& current) {
    const DisplayStyle& s = state.Style;
    TwipRect r = current;
    r.width = s.Width;
    r.height = s.Height;

    WorkArea area = state.PrimaryWorkArea;
    int32_t freeLeft = s.Left;
    int32_t freeTop = s.Top;
    if (which == ClockWindow::Copy) {
        area = state.SecondWorkArea;
        MapToSecondMonitor(state.PrimaryWorkArea, area, s.Left, s.Top, s.Width, freeLeft, freeTop);
    }
    const int32_t left = area.left * kTwipsPerPixelAtDefaultDpi;
    const int32_t top = area.top * kTwipsPerPixelAtDefaultDpi;
    const int32_t right = area.right * kTwipsPerPixelAtDefaultDpi;
    const int32_t bottom = area.bottom * kTwipsPerPixelAtDefaultDpi;
    switch (s.showPos) {
        case 0:
            r.left = left, r.top = top;
            break;
        case 1:
            r.left = right - s.Width, r.top = top;
            break;
        case 2:
            r.left = left, r.top = bottom - s.Height;
            break;
        case 3:
            r.left = right - s.Width, r.top = bottom - s.Height;
            break;
        case 4:
            r.left = freeLeft, r.top = freeTop;
            break;
        default:
            break;  // an unknown placement leaves the window where it is
    }
    return r;
}

}  // namespace quorrin
