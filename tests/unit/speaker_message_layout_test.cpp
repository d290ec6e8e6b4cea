#include "clock/speaker_message_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace quorrin {
namespace {

constexpr WorkArea kWork{0, 0, 1280, 760};
constexpr int32_t kGap = 6;

TEST(SpeakerMessageText, SpacesControlsAndTheLengthLimit) {
    EXPECT_EQ(MessageText("  请总结\r\n\tthanks  "), "请总结 thanks");
    EXPECT_EQ(MessageText("a\x01\x7F"
                          "b"),
              "ab");
    EXPECT_EQ(MessageText(" \r\n\t "), "");
    // 80 characters stay whole.
    const std::string full = std::string(79, 'x') + "结";
    EXPECT_EQ(MessageText(full), full);
}

TEST(SpeakerMessageText, ALongTextEndsInAnEllipsisAfterAWholeWord) {
    const auto repeated = [](const std::string& part, int times) {
        std::string s;
        for (int i = 0; i < times; ++i) s += part;
        return s;
    };
    // Sixteen words take 79 characters: the seventeenth goes, the sixteenth stays.
    EXPECT_EQ(MessageText(repeated("word ", 20)), repeated("word ", 15) + "word…");
    // A word cut by the limit goes as a whole.
    const std::string as(70, 'a');
    EXPECT_EQ(MessageText(as + " " + std::string(20, 'b')), as + "…");
    // Without spaces the cut falls between two characters, never inside one.
    EXPECT_EQ(MessageText(repeated("字", 90)), repeated("字", 79) + "…");
    EXPECT_EQ(MessageText(std::string(100, 'x')), std::string(79, 'x') + "…");
}

TEST(SpeakerMessageFont, ShrinksToThreeLinesButNotBelowTheLeast) {
    // A text 30 pixels wide for each pixel of font height, wrapped as plain lines.
    const auto measure = [](int32_t fontHeight, int32_t wrapWidth) {
        const int32_t width = 1200 * fontHeight / 40;
        const int32_t lines = (width + wrapWidth - 1) / wrapWidth;
        return MeasuredText{std::min(width, wrapWidth), lines * fontHeight, lines};
    };
    EXPECT_EQ(MessageFontHeight(measure, 37, 24, 600), 37);  // 1110 wide: two lines
    EXPECT_EQ(MessageFontHeight(measure, 37, 24, 400), 37);  // three lines
    EXPECT_EQ(MessageFontHeight(measure, 37, 24, 300), 30);  // 900 wide fits in three
    EXPECT_EQ(MessageFontHeight(measure, 37, 24, 100), 24);  // the least, on more lines
}

TEST(SpeakerMessagePlace, BelowTheClockWhenThereIsRoomElseAbove) {
    const PixelRect topLeftClock{0, 0, 200, 80};
    EXPECT_EQ(MessageBesideClock(topLeftClock, kWork, 500, 100, kGap),
              (PixelRect{0, 80 + kGap, 500, 100}));
    const PixelRect bottomRightClock{1080, 680, 200, 80};
    EXPECT_EQ(MessageBesideClock(bottomRightClock, kWork, 500, 100, kGap),
              (PixelRect{1280 - 500, 680 - kGap - 100, 500, 100}));
    // Exactly enough room below still goes below.
    EXPECT_EQ(MessageBesideClock({0, 554, 200, 100}, kWork, 500, 100, kGap).top, 660);
}

TEST(SpeakerMessagePlace, StaysInsideTheWorkAreaOfAnyMonitor) {
    // A monitor left of the primary one, with a task bar on top.
    const WorkArea left{-1920, 40, 0, 1080};
    // A clock overhanging the area's left edge: the message starts at the edge.
    EXPECT_EQ(MessageBesideClock({-1950, 100, 200, 80}, left, 500, 100, kGap),
              (PixelRect{-1920, 180 + kGap, 500, 100}));
    // A clock in the middle of a short area: neither side fits whole, so the roomier one,
    // pushed inside the area.
    const WorkArea shortArea{0, 0, 800, 300};
    EXPECT_EQ(MessageBesideClock({300, 140, 200, 80}, shortArea, 500, 150, kGap),
              (PixelRect{300, 0, 500, 150}));
    EXPECT_EQ(MessageBesideClock({300, 80, 200, 80}, shortArea, 500, 150, kGap),
              (PixelRect{300, 150, 500, 150}));
    // The message is never wider than half the area.
    EXPECT_EQ(MaxMessageWidth(left), 960);
}

}  // namespace
}  // namespace quorrin
