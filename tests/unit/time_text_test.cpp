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

TEST(TimeText, FieldsAreCountedInCharactersNotBytes) {
    // Full-width colons as a Chinese input method types them: three bytes each in UTF-8.
    EXPECT_EQ(TimeTextToSeconds("00：25：00"), 25 * 60);
    EXPECT_EQ(TimeTextToSeconds("01：30：05"), 5405);
    // Any one character separates, whatever its width.
    EXPECT_EQ(TimeTextToSeconds("00时25分00秒"), 25 * 60);
    EXPECT_EQ(TimeTextToSeconds("00·25😀07"), 25 * 60 + 7);
    EXPECT_EQ(TimeTextToSeconds("00：25:00"), 25 * 60);
    // Still not numbers: a part of one digit, full-width digits, a wide character in a part,
    // a missing part.
    EXPECT_FALSE(TimeTextToSeconds("0：25：00"));
    EXPECT_FALSE(TimeTextToSeconds("００：２５：００"));
    EXPECT_FALSE(TimeTextToSeconds("00：2五：00"));
    EXPECT_FALSE(TimeTextToSeconds("00：25"));
    EXPECT_FALSE(TimeTextToSeconds("00：25："));
    // A byte that starts no character counts as one, as before.
    EXPECT_EQ(TimeTextToSeconds("00\xFF"
                                "25\xE4"
                                "00"),
              25 * 60);
    EXPECT_FALSE(
        TimeTextToSeconds("00:\xE4"
                          "25:00"));
}

TEST(TimeText, RoundTripsEveryTimeBelowOneHundredHours) {
    for (int32_t s = 0; s < 100 * 3600; s += 997) {
        ASSERT_EQ(TimeTextToSeconds(SecondsToTimeText(s)), s) << s;
    }
}

TEST(TimeText, TheFileKeepsEveryTimeAFileCanHold) {
    // "99:99:99" or "-1:30:00" typed into Config.ini loaded, then came back from the next
    // save as "100:40:39" or "00:-30:00", which failed to read and reset every setting.
    for (int32_t s = kFileTimeMinSeconds; s <= kFileTimeMaxSeconds; ++s) {
        ASSERT_EQ(TimeTextToSeconds(SecondsToFileTimeText(s)), s) << s;
    }
    EXPECT_EQ(SecondsToFileTimeText(3725), SecondsToTimeText(3725));
    EXPECT_EQ(SecondsToFileTimeText(360000), "99:60:00");
    EXPECT_EQ(SecondsToFileTimeText(INT32_MAX), "99:99:99");
    EXPECT_EQ(SecondsToFileTimeText(INT32_MIN), "-9:-9:-9");
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
