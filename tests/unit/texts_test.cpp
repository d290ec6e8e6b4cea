#include "texts/language_choice.h"
#include "texts/texts.h"

#include "language_scope.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorrin {
namespace {

// Loading settings sets the language the program speaks, for the user the test stands for:
// every test starts in Chinese, the language the other tests' expected texts are written in.
class ChineseAtEachTestStart : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { SetCurrentLanguage(Language::Chinese); }
};
const bool kChineseAtEachTestStart = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new ChineseAtEachTestStart);
    return true;
}();

TEST(Texts, EveryIdHasItsOwnTextInBothLanguages) {
    std::vector<int> missing;
    for (size_t n = 0; n < kTextCount; ++n) {
        const auto id = static_cast<TextId>(n);
        for (const Language language : {Language::Chinese, Language::English}) {
            const char* text = OwnText(language, id);
            if (text == nullptr || *text == '\0') missing.push_back(static_cast<int>(n));
        }
    }
    EXPECT_EQ(missing, std::vector<int>{}) << "ids without a text in one of the languages";
}

TEST(Texts, CurrentLanguageDecidesAndFormatFillsNumberedPlaces) {
    {
        const testing::LanguageScope chinese(Language::Chinese);
        EXPECT_EQ(Text(TextId::DialogSave), "保存");
        EXPECT_EQ(FormatText(TextId::SaveFailed, {"C:\\Config.ini", "拒绝访问。"}),
                  "设置未能保存到文件：\nC:\\Config.ini\n\n拒绝访问。");
    }
    const testing::LanguageScope english(Language::English);
    EXPECT_EQ(Text(TextId::DialogSave), "Save");
    // An argument holding "{2}" is taken as it is, not filled again.
    EXPECT_EQ(FormatText(TextId::SaveFailed, {"{2}", "x"}),
              "The settings could not be saved to the file:\n{2}\n\nx");
    // A place without an argument stays as written.
    EXPECT_EQ(FormatText(TextId::SaveFailed, {"p"}),
              "The settings could not be saved to the file:\np\n\n{2}");
}

TEST(LanguageChoice, SettingDecidesElseTheFirstPreferredUiLanguage) {
    using L = Language;
    using S = LanguageSetting;
    const std::vector<std::string> chinese{"zh-CN", "en-US"};
    const std::vector<std::string> english{"en-US", "zh-CN"};
    EXPECT_EQ(ChooseLanguage(S::Chinese, english), L::Chinese);
    EXPECT_EQ(ChooseLanguage(S::English, chinese), L::English);
    EXPECT_EQ(ChooseLanguage(S::Auto, chinese), L::Chinese);
    EXPECT_EQ(ChooseLanguage(S::Auto, english), L::English);
    for (const char* tag : {"zh", "zh-TW", "zh-Hans-CN", "ZH_cn"}) {
        EXPECT_EQ(ChooseLanguage(S::Auto, std::vector<std::string>{tag}), L::Chinese) << tag;
    }
    // Only Chinese itself: not a language whose tag merely starts with "zh", nor other ones.
    for (const char* tag : {"zha", "ja-JP", "de-DE", "", "z"}) {
        EXPECT_EQ(ChooseLanguage(S::Auto, std::vector<std::string>{tag}), L::English) << tag;
    }
    EXPECT_EQ(ChooseLanguage(S::Auto, {}), L::English);
}

TEST(LanguageChoice, SettingTextsReadBackAndUnknownOnesAreRefused) {
    for (const LanguageSetting setting :
         {LanguageSetting::Auto, LanguageSetting::Chinese, LanguageSetting::English}) {
        EXPECT_EQ(TextToLanguageSetting(LanguageSettingText(setting)), setting);
    }
    EXPECT_EQ(TextToLanguageSetting(" EN-us "), LanguageSetting::English);
    EXPECT_EQ(TextToLanguageSetting("zh-cn"), LanguageSetting::Chinese);
    for (const char* text : {"", "en", "zh", "English", "zh-CN-x"}) {
        EXPECT_EQ(TextToLanguageSetting(text), std::nullopt) << text;
    }
}

}  // namespace
}  // namespace quorrin
