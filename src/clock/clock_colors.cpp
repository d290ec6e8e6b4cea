#include "clock/clock_colors.h"

#include <algorithm>
#include <cmath>

namespace quorrin {

namespace {

constexpr int32_t kBlack = 0x000000;
constexpr int32_t kWhite = 0xFFFFFF;

// One sRGB channel (0..255) as linear light.
double LinearChannel(int32_t channel) {
    const double value = channel / 255.0;
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(int32_t color) {
    return 0.2126 * LinearChannel(color & 0xFF) + 0.7152 * LinearChannel((color >> 8) & 0xFF) +
           0.0722 * LinearChannel((color >> 16) & 0xFF);
}

}  // namespace

double ContrastRatio(int32_t first, int32_t second) {
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

int32_t ReadableDigitColor(int32_t background, int32_t digits) {
    if (ContrastRatio(background, digits) >= kLeastDigitContrast) return digits;
    return ContrastRatio(background, kBlack) >= ContrastRatio(background, kWhite) ? kBlack : kWhite;
}

int32_t ToneBackground(ClockTone tone, const DisplayStyle& style, const TalkSettings& talk) {
    switch (tone) {
        case ClockTone::Warning:
            return talk.WarningColor;
        case ClockTone::Overtime:
            return talk.OvertimeColor;
        case ClockTone::Normal:
            break;
    }
    return style.bgBackColor;
}

}  // namespace quorrin
