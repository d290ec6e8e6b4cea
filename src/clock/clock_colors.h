// The colours the clock is drawn in during a show: the background of each tone, and digits
// that stay readable on it. Colours are 0x00BBGGRR.
#pragma once

#include "countdown/countdown_engine.h"
#include "settings/app_state.h"

#include <cstdint>

namespace quorrin {

// The least contrast the digits keep on the clock's background (the usual bar for text).
inline constexpr double kLeastDigitContrast = 4.5;

// The contrast ratio of two colours, 1 (none) to 21 (black on white), from their relative
// luminance.
double ContrastRatio(int32_t first, int32_t second);

// The digits' colour on `background`: the style's own while it keeps kLeastDigitContrast,
// otherwise black or white, whichever stands out more.
int32_t ReadableDigitColor(int32_t background, int32_t digits);

// The background of the clock in `tone`: the style's, or the warning or overtime colour.
int32_t ToneBackground(ClockTone tone, const DisplayStyle& style, const TalkSettings& talk);

}  // namespace quorrin
