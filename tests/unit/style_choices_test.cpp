// The display style dialog's decisions: list items and the stored values they stand for,
// the font list, fitting the preview around the digits, and the [Style] section Save writes.
#include "dialogs/style/style_choices.h"

#include "geometry/units.h"
#include "settings/config_file.h"
#include "settings/text_codec.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quorrin {
namespace {

TEST(StyleLists, ItemsAndTheStoredValuesTheyShow) {
    const std::vector<std::string> sizes = FontSizeItems();
    ASSERT_EQ(sizes.size(), 141u);
    EXPECT_EQ(sizes.front(), "10");
    EXPECT_EQ(sizes[26], "36");
    EXPECT_EQ(sizes.back(), "150");
    EXPECT_EQ(FontSizeIndex(36), 26);
    EXPECT_EQ(FontSizeIndex(9), kNoListItem);
    EXPECT_EQ(FontSizeIndex(151), kNoListItem);

    EXPECT_EQ(AlphaIndex(0), 0);
    EXPECT_EQ(AlphaIndex(50), 5);
    EXPECT_EQ(AlphaIndex(100), 10);
    EXPECT_EQ(AlphaItems().size(), static_cast<size_t>(kAlphaItemCount));
    EXPECT_EQ(AlphaItems()[AlphaIndex(100)], "不透明");
    EXPECT_EQ(AlphaItems()[AlphaIndex(50)], "50%");
    EXPECT_EQ(AlphaIndex(55), kNoListItem);   // not a step of the list
    EXPECT_EQ(AlphaIndex(110), kNoListItem);  // past the last item

    EXPECT_EQ(PositionIndex(1), 1);
    EXPECT_EQ(PositionItems().size(), static_cast<size_t>(kPositionItemCount));
    EXPECT_EQ(PositionItems()[PositionIndex(1)], "屏幕右上角");
    EXPECT_EQ(PositionItems()[PositionIndex(4)], "自定义位置");
    EXPECT_EQ(PositionIndex(5), kNoListItem);

    // Each item stands for the value it is saved as.
    const std::vector<std::string> screens = ScreensItems();
    ASSERT_EQ(screens.size(), static_cast<size_t>(kScreensItemCount));
    EXPECT_EQ(screens[ScreensIndex(static_cast<uint8_t>(ClockScreens::Every))], "所有屏幕");
    EXPECT_EQ(screens[ScreensIndex(static_cast<uint8_t>(ClockScreens::ShowScreen))], "放映屏幕");
    EXPECT_EQ(screens[ScreensIndex(static_cast<uint8_t>(ClockScreens::OtherScreens))], "其他屏幕");
    EXPECT_EQ(ScreensIndex(3), kNoListItem);
}

TEST(StyleLists, FontListIsSortedWithoutDuplicatesOrVerticalFaces) {
    const std::vector<std::string> fonts =
        ScreenFontList({"Times New Roman", "@宋体", "Arial", "宋体", "Arial", "arial", ""});
    EXPECT_EQ(fonts, (std::vector<std::string>{"Arial", "Times New Roman", "arial", "宋体"}));
    EXPECT_EQ(FontIndex(fonts, "arial"), 2);  // case counts
    EXPECT_EQ(FontIndex(fonts, "ARIAL"), kNoListItem);
    EXPECT_EQ(FontIndex(fonts, "0"), kNoListItem);  // a missing numFontName reads as "0"
}

TEST(StylePreviewFit, BackgroundFollowsTheDigitsAndKeepsThemCentred) {
    StylePreview preview = PreviewFromStyle(DefaultStyle());
    EXPECT_EQ(preview.background, (TwipRect{0, 0, 3000, 1200}));
    EXPECT_EQ(preview.digits, (TwipRect{480, 200, 1995, 840}));
    preview.background.left = 30;
    preview.background.top = 45;

    // "12:34" in Arial 36 bold measures 123 x 55 pixels at 96 dpi: the default clock's
    // 3000 x 1200 comes back as 2845 x 1185.
    FitPreviewBackground(preview, 123, 55, 96);
    EXPECT_EQ(preview.digits, (TwipRect{500, 200, 1845, 825}));
    EXPECT_EQ(preview.background, (TwipRect{30, 45, 2845, 1185}));  // place unchanged

    // At 200 % a pixel is 7.5 twips: 245 pixels are 1837.5 twips, stored as the even 1838;
    // 109 pixels are 817.5, stored as 818. The digits are centred by their true width:
    // (2838 - 1837.5) / 2 = 500.25.
    FitPreviewBackground(preview, 245, 109, 192);
    EXPECT_EQ(preview.digits, (TwipRect{500, 200, 1838, 818}));
    EXPECT_EQ(preview.background, (TwipRect{30, 45, 2838, 1178}));
    // 243 pixels are 1822.5 twips, stored as 1822: (2822 - 1822.5) / 2 = 499.75.
    FitPreviewBackground(preview, 243, 111, 192);
    EXPECT_EQ(preview.digits, (TwipRect{500, 200, 1822, 832}));
    // At 120 dpi (12 twips a pixel) an odd margin cannot come up, but a half can at 168 dpi:
    // 7 pixels are exactly 60 twips, 1 pixel 8.57 -> 9.
    FitPreviewBackground(preview, 1, 7, 168);
    EXPECT_EQ(preview.digits.width, 9);
    EXPECT_EQ(preview.digits.height, 60);
}

// Whatever the digits measure and wherever a hand-edited style put them, the fitted clock
// holds them whole, with the same margin left and right, as the clock window shows them.
TEST(StylePreviewFit, DigitsEndInsideTheClockAtEveryScale) {
    DisplayStyle edited = DefaultStyle();
    edited.numTop = 900;
    edited.numLeft = -300;
    for (const int32_t dpi : {96, 120, 144, 168, 192}) {
        for (const int32_t textHeight : {7, 55, 111, 300}) {
            StylePreview p = PreviewFromStyle(edited);
            FitPreviewBackground(p, textHeight * 2 + 1, textHeight, dpi);
            const PixelRect digits = TwipsToPixels(p.digits, dpi);
            const PixelRect clock =
                TwipsToPixels({0, 0, p.background.width, p.background.height}, dpi);
            const int32_t rightMargin = clock.width - (digits.left + digits.width);
            EXPECT_GT(digits.top, 0) << dpi << " " << textHeight;
            EXPECT_GT(clock.height, digits.top + digits.height) << dpi << " " << textHeight;
            EXPECT_GT(digits.left, 0) << dpi << " " << textHeight;
            EXPECT_LE(std::abs(digits.left - rightMargin), 1) << dpi << " " << textHeight;
        }
    }
}

DisplayStyle EditedStyle() {
    StylePreview preview = PreviewFromStyle(DefaultStyle());
    preview.fontName = "Courier New";
    preview.fontPoints = 72;
    preview.textColor = 0x123456;
    preview.backColor = 0x00FF00;
    FitPreviewBackground(preview, 246, 109, 96);
    return StyleFromDialog(DefaultStyle(), preview, {5, 4, 2}, 12900, 600);
}

TEST(StyleSave, TakesEveryFieldFromThePreviewTheListsAndTheClock) {
    const DisplayStyle s = EditedStyle();
    EXPECT_EQ(s.Width, 3690 + 1000);
    EXPECT_EQ(s.Height, 200 + 1635 + 160);
    EXPECT_EQ(s.bgWidth, s.Width);
    EXPECT_EQ(s.bgHeight, s.Height);
    EXPECT_EQ(s.BackColor, 0x00FF00);
    EXPECT_EQ(s.bgBackColor, 0x00FF00);
    EXPECT_EQ(s.Alpha, 50);
    EXPECT_EQ(s.showPos, 4);
    EXPECT_EQ(s.Screens, static_cast<uint8_t>(ClockScreens::OtherScreens));
    EXPECT_EQ(s.Left, 12900);
    EXPECT_EQ(s.Top, 600);
    EXPECT_EQ(s.numFontName, "Courier New");
    EXPECT_EQ(s.numFontSize, 72);
    EXPECT_EQ(s.numForeColor, 0x123456);
    EXPECT_EQ(s.numWidth, 3690);
    EXPECT_EQ(s.numHeight, 1635);
    EXPECT_EQ(s.numLeft, 500);
    EXPECT_EQ(s.numTop, 200);
    EXPECT_EQ(s.bgLeft, 0);
    EXPECT_EQ(s.bgTop, 0);

    // Lists without a selection keep what was stored (a hand-edited Alpha=55, showPos=7).
    DisplayStyle odd = DefaultStyle();
    odd.Alpha = 55;
    odd.showPos = 7;
    odd.Screens = 9;
    const DisplayStyle kept = StyleFromDialog(
        odd, PreviewFromStyle(odd), {AlphaIndex(55), PositionIndex(7), kNoListItem}, 0, 0);
    EXPECT_EQ(kept.Alpha, 55);
    EXPECT_EQ(kept.showPos, 7);
    EXPECT_EQ(kept.Screens, 9);
    EXPECT_EQ(StyleFromDialog(odd, PreviewFromStyle(odd), {0, 0, 0}, 0, 0).Alpha, 0);
}

TEST(StyleSave, WritesTheWholeStyleSectionInPlaceOfTheOldOne) {
    testing::TempFolder folder;
    const std::string path = folder.File("Config.ini");
    testing::WriteBytes(path, Utf8ToGbk("[Normal]\r\nSameMode=True\r\n[Style]\r\nWidth=1\r\n"
                                        "stray=1\r\n[PPTFiles]\r\npptFiles=0\r\n"));
    AppState state;
    IniStore store(path);
    ConfigFile config(state, store, [](const std::string&) {});
    ASSERT_TRUE(config.SaveStyle(EditedStyle()));
    EXPECT_EQ(GbkToUtf8(testing::ReadBytes(path)),
              "[Normal]\r\nSameMode=True\r\n[PPTFiles]\r\npptFiles=0\r\n[Style]\r\n"
              "Width=4690\r\nHeight=1995\r\nBackColor=65280\r\nAlpha=50\r\nTop=600\r\n"
              "Left=12900\r\nshowPos=4\r\nnumFontName=Courier New\r\nnumFontSize=72\r\n"
              "numForeColor=1193046\r\nnumHeight=1635\r\nnumWidth=3690\r\nnumLeft=500\r\n"
              "numTop=200\r\nbgHeight=1995\r\nbgWidth=4690\r\nbgLeft=0\r\nbgTop=0\r\n"
              "bgBackColor=65280\r\nScreens=2\r\n");
}

}  // namespace
}  // namespace quorrin
