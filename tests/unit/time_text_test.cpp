#include "settings/time_text.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

TEST(TimeText, FormatsHoursMinutesSecondsWithTwoDigitsAtLeast) {
    EXPECT_EQ(SecondsToTimeText(0), "00:00:00");
    EXPECT_EQ(SecondsToTimeText(59), "00:00:59");
    EXPECT_EQ(SecondsToTimeText(600), "00:10:00");
    EXPECT_EQ(SecondsToTimeText(3600), "01:00:00");
    EXPECT_EQ(SecondsToTimeText(3725), "01:02:05");
    EXPECT_EQ(SecondsToTimeText(5399), "01:29:59");
    EXPECT_EQ(SecondsToTimeText(360000), "100:00:00");
}

TEST(TimeText, ParsesTheThreeFixedFields) {
    EXPECT_EQ(TimeTextToSeconds("01:30:00"), 5400);
    EXPECT_EQ(TimeTextToSeconds("00:02:05"), 125);
    EXPECT_EQ(TimeTextToSeconds("99:59:59"), 99 * 3600 + 59 * 60 + 59);
    // The separators are not looked at.
    EXPECT_EQ(TimeTextToSeconds("00-10-00"), 600);
}

TEST(TimeText, RejectsTextsWhoseFieldsAreNotNumbers) {
    EXPECT_FALSE(TimeTextToSeconds(""));
    EXPECT_FALSE(TimeTextToSeconds("1:30:00"));  // "1:" is not a number
    EXPECT_FALSE(TimeTextToSeconds("01:30"));    // no seconds
    EXPECT_FALSE(TimeTextToSeconds("ab:cd:ef"));
    EXPECT_FALSE(TimeTextToSeconds("01:3x:00"));
    // Three hour digits, as written for 100 hours or more, do not read back.
    EXPECT_FALSE(TimeTextToSeconds(SecondsToTimeText(360000)));
}

TEST(TimeText, RoundTripsEveryTimeBelowOneHundredHours) {
    for (int32_t s = 0; s < 100 * 3600; s += 997) {
        ASSERT_EQ(TimeTextToSeconds(SecondsToTimeText(s)), s) << s;
    }
}

TEST(TimeText, TrimAtNulNeedsANul) {
    using namespace std::string_literals;
    EXPECT_EQ(TrimAtNul("abc\0def"s), "abc");
    EXPECT_EQ(TrimAtNul("\0"s), "");
    EXPECT_FALSE(TrimAtNul("abc"));
    EXPECT_FALSE(TrimAtNul(""));
}

}  // namespace
}  // namespace quorrin
