#include "dialogs/sound/sound_choices.h"

#include "settings/config_file.h"
#include "texts/texts.h"

#include "language_scope.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorrin {
namespace {

// A path of exactly `bytes` bytes in GBK, made of two-byte Chinese characters after "C:\".
std::string ChinesePathOfGbkBytes(size_t bytes) {
    std::string path = "C:\\";
    size_t gbk = path.size();
    while (gbk + 2 <= bytes) {
        path += "声";  // two bytes in GBK, three in UTF-8
        gbk += 2;
    }
    if (gbk < bytes) path += "a";
    return path;
}

TEST(SoundChoices, FilterIsDescriptionAndPatternsEachEndedByNul) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : SoundFileFilter()) {
        if (c == '\0') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    EXPECT_TRUE(part.empty()) << "text after the last NUL: " << part;
    EXPECT_EQ(parts,
              (std::vector<std::string>{"声音文件(*.wav;*.mp3,*.wma)", "*.wav;*.mp3;*.wma"}));
}

// The default sound is shown in the user's language and stands for the stored value again;
// a file is shown and taken as it is.
TEST(SoundChoices, DefaultSoundIsShownTranslatedAndMappedBack) {
    for (const Language language : {Language::Chinese, Language::English}) {
        const testing::LanguageScope speaking(language);
        const std::string shown = SoundSettingToShow(kDefaultSound);
        EXPECT_EQ(shown, Text(TextId::DefaultSound));
        EXPECT_EQ(SoundSettingFromShown(shown), kDefaultSound);
        EXPECT_EQ(SoundSettingFromShown(SoundSettingToShow("C:\\a.wav")), "C:\\a.wav");
    }
    const testing::LanguageScope english(Language::English);
    EXPECT_EQ(SoundSettingToShow(kDefaultSound), "Default sound");
}

TEST(SoundChoices, WhatTheSettingsFileCanHold) {
    EXPECT_TRUE(ValueFitsSettings("默认声音"));
    EXPECT_TRUE(ValueFitsSettings(""));
    // A value GBK can hold is measured in GBK bytes, whatever its UTF-8 length.
    const std::string longest = ChinesePathOfGbkBytes(kMaxSettingLength);
    ASSERT_GT(longest.size(), kMaxSettingLength);
    EXPECT_TRUE(ValueFitsSettings(longest));
    EXPECT_FALSE(ValueFitsSettings(ChinesePathOfGbkBytes(kMaxSettingLength + 1)));
    // Any other script is held (the file then becomes UTF-16), measured in UTF-16 code
    // units: a character beyond the basic plane takes two.
    EXPECT_TRUE(ValueFitsSettings("C:\\노래\\끝.wav"));
    std::string korean = "C:\\";
    while (korean.size() < 3 + 3 * (kMaxSettingLength - 3)) korean += "끝";
    EXPECT_TRUE(ValueFitsSettings(korean));
    EXPECT_FALSE(ValueFitsSettings(korean + "a"));
    EXPECT_FALSE(ValueFitsSettings(korean.substr(0, korean.size() - 3) + "\xF0\x9F\x8E\xB5"));
    EXPECT_FALSE(ValueFitsSettings(std::string("C:\\a\0b.wav", 10)));
}

TEST(SoundChoices, PickedPathIsKeptOrReplacedByAStorableName) {
    int asked = 0;
    const AlternatePathName shortName = [&](const std::string&) {
        ++asked;
        return std::string("C:\\MUSIC~1\\END~1.WAV");
    };
    EXPECT_EQ(SoundPathToKeep("C:\\音乐\\结束.wav", shortName), "C:\\音乐\\结束.wav");
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(SoundPathToKeep("", shortName), "");
    EXPECT_EQ(asked, 0);

    // Any script is kept as it is; only a path too long for the reader takes the other name.
    EXPECT_EQ(SoundPathToKeep("C:\\노래\\끝.wav", shortName), "C:\\노래\\끝.wav");
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(SoundPathToKeep(ChinesePathOfGbkBytes(300), shortName), "C:\\MUSIC~1\\END~1.WAV");
    EXPECT_EQ(asked, 1);
}

TEST(SoundChoices, UnstorablePathWithoutAStorableNameIsDropped) {
    const std::string tooLong = ChinesePathOfGbkBytes(300);
    EXPECT_EQ(SoundPathToKeep(tooLong, nullptr), "");
    EXPECT_EQ(SoundPathToKeep(tooLong, [](const std::string&) { return std::string(); }), "");
    // A short name as long as the path (8.3 names switched off).
    EXPECT_EQ(SoundPathToKeep(tooLong, [](const std::string& p) { return p; }), "");
}

}  // namespace
}  // namespace quorrin
