#include "controls/time_field/time_field_rules.h"

#include "settings/time_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace quorrin {
namespace {

using R = TimeFieldRules;
constexpr uint32_t kKeyHome = 36;
constexpr uint32_t kKeyEnd = 35;
constexpr uint32_t kKeyDigit = 0x31;
constexpr uint32_t kKeyPadDigit = 0x61;

// Types `typed` the way the field handles a key: the character on the selected digit, then
// the release rule; returns the selected position afterwards.
int Type(std::string& text, int selected, char32_t typed, uint32_t key = kKeyDigit) {
    const int caret = R::Type(text, selected, typed).value_or(selected);
    return R::AfterKeyRelease(selected, caret, key);
}

TEST(TimeFieldRules, StepSkipsColonsWrapsForwardAndStopsBackward) {
    EXPECT_EQ(R::StepPosition(2, StepDirection::Forward), 3);
    EXPECT_EQ(R::StepPosition(5, StepDirection::Forward), 6);
    EXPECT_EQ(R::StepPosition(8, StepDirection::Forward), 0);
    EXPECT_EQ(R::StepPosition(3, StepDirection::Backward), 1);
    EXPECT_EQ(R::StepPosition(6, StepDirection::Backward), 4);
    EXPECT_EQ(R::StepPosition(0, StepDirection::Backward), 0);
}

TEST(TimeFieldRules, EachPositionTakesOnlyDigitsThatKeepTheTimeInRange) {
    const std::string t = "00:00:00";
    for (char32_t c : {U'3', U'9', U'a', U'\b', U':', U' ', U'\xff11'}) {
        EXPECT_FALSE(R::Accepts(t, 0, c)) << static_cast<int>(c);
    }
    EXPECT_TRUE(R::Accepts(t, 0, U'2'));
    EXPECT_TRUE(R::Accepts(t, 1, U'9'));
    EXPECT_TRUE(R::Accepts("20:00:00", 1, U'3'));
    EXPECT_FALSE(R::Accepts("20:00:00", 1, U'4'));
    EXPECT_TRUE(R::Accepts("19:00:00", 1, U'9'));
    for (int p : {3, 6}) {
        EXPECT_TRUE(R::Accepts(t, p, U'5'));
        EXPECT_FALSE(R::Accepts(t, p, U'6'));
    }
    EXPECT_TRUE(R::Accepts(t, 4, U'9'));
    EXPECT_TRUE(R::Accepts(t, 7, U'9'));
    EXPECT_FALSE(R::Accepts(t, 2, U'0'));  // a colon is never overwritten
    EXPECT_FALSE(R::Accepts(t, 8, U'0'));
}

TEST(TimeFieldRules, SixDigitsFillTheFieldAndTheSelectionWrapsToTheStart) {
    std::string text = "00:00:00";
    int at = 0;
    std::vector<int> positions;
    for (char32_t c : {U'1', U'2', U'3', U'4', U'5', U'6'}) {
        at = Type(text, at, c);
        positions.push_back(at);
    }
    EXPECT_EQ(text, "12:34:56");
    EXPECT_EQ(positions, (std::vector<int>{1, 3, 4, 6, 7, 0}));
    EXPECT_TRUE(R::IsFieldText(text));
}

TEST(TimeFieldRules, KeysReleasedAfterTheNextKeysCharacterStillFillTheNextDigits) {
    // 1, then 2 and 3 with 3 going down before 2 comes up, across each colon: every
    // character goes to the digit after the one before, whenever the releases come.
    for (const auto& [start, expected] : {std::pair{0, "12:30:00"}, std::pair{3, "00:12:30"}}) {
        std::string text = "00:00:00";
        int selected = start;
        std::vector<int> before;
        for (char32_t c : {U'1', U'2', U'3'}) {
            before.push_back(selected);
            selected = R::Type(text, selected, c).value();
        }
        for (int b : before) EXPECT_EQ(R::AfterKeyRelease(b, selected, kKeyDigit), selected);
        EXPECT_EQ(text, expected);
    }
}

TEST(TimeFieldRules, RefusedCharacterKeepsTextAndSelection) {
    std::string text = "12:34:56";
    EXPECT_EQ(Type(text, 3, U'7'), 3);
    EXPECT_EQ(Type(text, 0, U'x', 0x58), 0);
    EXPECT_EQ(Type(text, 4, U'\b', 0x08), 4);  // Backspace
    EXPECT_EQ(text, "12:34:56");
}

TEST(TimeFieldRules, TensOfHoursTwoOverLargeUnitsClampsToTwentyAndSelectsUnits) {
    std::string text = "08:00:00";
    EXPECT_EQ(Type(text, 0, U'2', kKeyPadDigit), 1);
    EXPECT_EQ(text, "20:00:00");
    text = "23:00:00";
    EXPECT_EQ(Type(text, 0, U'2'), 1);
    EXPECT_EQ(text, "23:00:00");  // still in range: kept
}

TEST(TimeFieldRules, ArrowsHomeAndEndMoveBetweenDigits) {
    EXPECT_EQ(R::AfterKeyRelease(3, 3, kKeyLeft), 1);
    EXPECT_EQ(R::AfterKeyRelease(0, 0, kKeyLeft), 0);
    EXPECT_EQ(R::AfterKeyRelease(1, 2, kKeyRight), 3);
    EXPECT_EQ(R::AfterKeyRelease(4, 5, kKeyRight), 6);
    EXPECT_EQ(R::AfterKeyRelease(7, 8, kKeyRight), 7);
    EXPECT_EQ(R::AfterKeyRelease(4, 0, kKeyHome), 0);
    EXPECT_EQ(R::AfterKeyRelease(4, 8, kKeyEnd), 0);
}

TEST(TimeFieldRules, ClickBeforeAColonOrBehindTheEndSelectsTheDigitToItsLeft) {
    EXPECT_EQ(R::DigitAt(2), 1);
    EXPECT_EQ(R::DigitAt(5), 4);
    EXPECT_EQ(R::DigitAt(8), 7);
    EXPECT_EQ(R::DigitAt(0), 0);
    EXPECT_EQ(R::DigitAt(6), 6);
}

TEST(TimeFieldRules, StoredTimesTheFieldCannotHoldAreShownInRange) {
    EXPECT_TRUE(R::IsFieldText("23:59:59"));
    EXPECT_FALSE(R::IsFieldText("24:00:00"));
    EXPECT_FALSE(R::IsFieldText("00:60:00"));
    EXPECT_FALSE(R::IsFieldText("00-00-00"));
    EXPECT_FALSE(R::IsFieldText("0:00:00"));
    EXPECT_EQ(R::FieldTextFor("01:02:03"), "01:02:03");
    EXPECT_EQ(R::FieldTextFor("30:00:00"), "23:59:59");
    EXPECT_EQ(R::FieldTextFor("junk"), "00:00:00");
}

// A row saves its times as seconds written back as text: for every text the field can
// hold, that is the text itself, so the file gets the bytes the user saw. Text the field
// cannot hold gives no seconds rather than 0.
TEST(TimeFieldRules, EveryFieldTimeGivesSecondsThatWriteBackAsTheSameText) {
    char text[16];
    for (int32_t seconds = 0; seconds < 24 * 3600; ++seconds) {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                      seconds % 60);
        ASSERT_TRUE(R::IsFieldText(text)) << text;
        ASSERT_EQ(R::FieldSeconds(text), seconds) << text;
        ASSERT_EQ(SecondsToTimeText(seconds), text);
    }
    for (const char* bad :
         {"24:00:00", "00:60:00", "1:00:00", "00:00:0", "00:00:00 ", "", "ab:cd:ef"}) {
        EXPECT_EQ(R::FieldSeconds(bad), std::nullopt) << bad;
    }
}

}  // namespace
}  // namespace quorrin
