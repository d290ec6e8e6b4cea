#include "clock/clock_colors.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

TEST(ClockColors, DigitsStayReadableOnEveryToneTheyAreDrawnOn) {
    const TalkSettings talk;
    const DisplayStyle style = DefaultStyle();
    for (const ClockTone tone : {ClockTone::Warning, ClockTone::Overtime}) {
        const int32_t back = ToneBackground(tone, style, talk);
        EXPECT_NE(back, style.bgBackColor);
        // The default white digits keep their colour on the default tones.
        EXPECT_EQ(ReadableDigitColor(back, style.numForeColor), style.numForeColor);
        EXPECT_GE(ContrastRatio(back, style.numForeColor), kLeastDigitContrast);
    }
    // Yellow digits on a chosen yellow background turn black; on dark blue they stay.
    EXPECT_EQ(ReadableDigitColor(0x00FFFF, 0x00E0FF), 0x000000);
    EXPECT_EQ(ReadableDigitColor(0x800000, 0x00FFFF), 0x00FFFF);
    EXPECT_NEAR(ContrastRatio(0x000000, 0xFFFFFF), 21.0, 1e-9);
}

}  // namespace
}  // namespace quorrin
