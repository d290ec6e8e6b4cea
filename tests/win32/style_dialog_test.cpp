// The display style dialog: what it shows for a stored style, the preview fitted around the
// digits, what Save writes and lays out (and in which order), what Cancel leaves alone, the
// clock it hides during a show, the colour dialog behind the drawn buttons, and the preview's
// pixels.
#include "dialogs/style/style_dialog_win32.h"

#include "win32/gdi_scope_win32.h"
#include "win32/message_box_win32.h"
#include "win32/wide_text_win32.h"
#include "settings/ini_store.h"
#include "settings/text_codec.h"

#include "common_dialog_driver_win32.h"
#include "dialog_layout_check_win32.h"
#include "fake_dialog_host_win32.h"
#include "held_file_save_win32.h"
#include "message_pump_win32.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace quorrin {
namespace {

using testing::CommonDialogDriver;
using testing::PumpResult;
using testing::PumpUntil;
using testing::ReadBytes;

constexpr TwipRect kClockRect{12900, 600, 3000, 1200};

// The clock windows as the dialog sees them; records what it asks for, and what [Style]
// held in the file when the layout was asked for.
class FakeClock final : public testing::FakeDialogHost, public ClockLayoutControl {
  public:
    explicit FakeClock(const std::string& configPath) : configPath_(configPath) {}
    TwipRect MainClockRect() const override { return kClockRect; }
    void LayOutClocks() override {
        calls.push_back("layout");
        widthAtLayout = IniStore(configPath_).ReadRaw("Style", "Width", "");
    }
    std::string widthAtLayout;

  private:
    std::string configPath_;
};

class StyleDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(testing::WriteBytes(
            configPath_, Utf8ToGbk("[Normal]\r\nSameMode=True\r\n[Style]\r\nWidth=3000\r\n"
                                   "[PPTFiles]\r\npptFiles=0\r\n")));
        state_.General.ConfigPath = configPath_;
        state_.Style = DefaultStyle();
    }
    void TearDown() override { dialog_.reset(); }

    HWND OpenDialog() {
        if (!dialog_) {
            dialog_ = std::make_unique<StyleDialog>(state_, config_, clock_, clock_);
        }
        EXPECT_TRUE(dialog_->Open(GetModuleHandleW(nullptr)));
        return dialog_->Handle();
    }
    HWND Child(int id) const {
        // The preview's parts are children of the preview pane.
        const HWND child = GetDlgItem(dialog_->Handle(), id);
        return child != nullptr
                   ? child
                   : GetDlgItem(GetDlgItem(dialog_->Handle(), kStyleDialogPreviewId), id);
    }
    std::wstring Text(int id) const { return testing::WindowText(Child(id)); }
    const StylePreview& Preview() const { return dialog_->Preview().Preview(); }
    // The item of a list chosen as by the user.
    void Choose(int listId, int index) {
        SendMessageW(Child(listId), CB_SETCURSEL, index, 0);
        SendMessageW(dialog_->Handle(), WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Child(listId)));
    }
    void Press(int id) {
        PostMessageW(dialog_->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Child(id)));
    }
    bool PumpUntilClosed() {
        return PumpUntil([&](const PumpResult&) { return !dialog_->IsOpen(); }).done;
    }
    // A part of the preview in pixels of the pane.
    RECT PaneRect(int id) const {
        RECT r{};
        GetWindowRect(Child(id), &r);
        MapWindowPoints(nullptr, Child(kStyleDialogPreviewId), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // Whether a part lies where the twips of the model put it (each edge rounded on its own),
    // from the clock's top-left corner, where the background of these styles (bgLeft and
    // bgTop 0) starts.
    bool PartAt(int id, const TwipRect& place) const {
        const RECT clock = PaneRect(kStyleDialogBackgroundId);
        RECT r = PaneRect(id);
        OffsetRect(&r, -clock.left, -clock.top);
        const RECT expected{TwipsToPixels(place.left), TwipsToPixels(place.top),
                            TwipsToPixels(place.left + place.width),
                            TwipsToPixels(place.top + place.height)};
        return EqualRect(&r, &expected) != FALSE;
    }
    // The fit's margins round the digits.
    static void ExpectFitted(const StylePreview& p) {
        EXPECT_EQ(p.background.width, p.digits.width + kPreviewMarginWidthTwips);
        EXPECT_EQ(p.background.height,
                  kPreviewMarginTopTwips + p.digits.height + kPreviewMarginBottomTwips);
        EXPECT_EQ(p.digits.left, kPreviewMarginWidthTwips / 2);
        EXPECT_EQ(p.digits.top, kPreviewMarginTopTwips);
    }
    std::string Saved(const char* key) const {
        return IniStore(configPath_).ReadRaw("Style", key, "missing");
    }

    testing::TempFolder folder_;
    std::string configPath_ = folder_.EmptyFile("Config.ini");
    AppState state_;
    IniStore store_{configPath_};
    ConfigFile config_{state_, store_, [](const std::string&) {}};
    FakeClock clock_{configPath_};
    std::unique_ptr<StyleDialog> dialog_;
};

TEST_F(StyleDialogTest, DefaultStyleShowsItsItemsAndAFittedPreview) {
    const HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(testing::WindowText(dialog), L"外观设置");
    EXPECT_EQ(Text(kDialogCaptionId), L"外观设置");
    EXPECT_EQ(Text(kStyleDialogFontCaptionId), L"数字字体");
    EXPECT_EQ(Text(kStyleDialogSizeCaptionId), L"字号");
    EXPECT_EQ(Text(kStyleDialogAlphaCaptionId), L"透明度");
    EXPECT_EQ(Text(kStyleDialogPosCaptionId), L"位  置");
    EXPECT_EQ(Text(kStyleDialogScreensCaptionId), L"屏  幕");
    EXPECT_EQ(Text(kStyleDialogTextColorId), L"颜色");
    EXPECT_EQ(Text(kStyleDialogBackColorId), L"自定义背景颜色");
    EXPECT_EQ(Text(kDialogSaveId), L"保存");
    EXPECT_EQ(Text(kDialogCancelId), L"取消");
    EXPECT_EQ(Text(kDialogCloseId), L"×");
    wchar_t name[32] = {};
    GetClassNameW(Child(kStyleDialogTextColorId), name, 32);
    EXPECT_STREQ(name, kDrawnButtonClassName);
    EXPECT_TRUE(IsWindowEnabled(Child(kStyleDialogBackColorId)));

    // The selected items.
    EXPECT_EQ(Text(kStyleDialogFontListId), L"Arial");
    EXPECT_EQ(Text(kStyleDialogSizeListId), L"36");
    EXPECT_EQ(Text(kStyleDialogAlphaListId), L"不透明");
    EXPECT_EQ(Text(kStyleDialogPosListId), L"屏幕右上角");
    EXPECT_EQ(Text(kStyleDialogScreensListId), L"所有屏幕");
    EXPECT_EQ(SendMessageW(Child(kStyleDialogScreensListId), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(Child(kStyleDialogSizeListId), CB_GETCOUNT, 0, 0), 141);
    EXPECT_EQ(SendMessageW(Child(kStyleDialogAlphaListId), CB_GETCOUNT, 0, 0), 11);
    EXPECT_EQ(SendMessageW(Child(kStyleDialogPosListId), CB_GETCOUNT, 0, 0), 5);
    const LRESULT fonts = SendMessageW(Child(kStyleDialogFontListId), CB_GETCOUNT, 0, 0);
    EXPECT_GT(fonts, 3);
    for (LRESULT i = 0; i < fonts; ++i) {
        wchar_t face[LF_FACESIZE] = {};
        SendMessageW(Child(kStyleDialogFontListId), CB_GETLBTEXT, i,
                     reinterpret_cast<LPARAM>(face));
        EXPECT_NE(face[0], L'@') << "no vertical faces";
    }

    // Fitted round the digits, and so close to the default clock's 3000 x 1200; the colours
    // are the stored ones; the child windows sit where the twips say.
    const StylePreview& p = Preview();
    EXPECT_EQ(p.fontName, "Arial");
    EXPECT_EQ(p.fontPoints, 36);
    EXPECT_EQ(p.textColor, 0xFFFFFF);
    EXPECT_EQ(p.backColor, 0x33CC00);
    EXPECT_GT(p.digits.width, 1000);
    ExpectFitted(p);
    EXPECT_NEAR(p.background.width, 3000, 300);
    EXPECT_NEAR(p.background.height, 1200, 120);
    EXPECT_TRUE(PartAt(kStyleDialogBackgroundId, p.background));
    EXPECT_TRUE(PartAt(kStyleDialogDigitsId, p.digits));
}

TEST_F(StyleDialogTest, ImmediateSaveWritesTheFittedSizesThenLaysOutAndCloses) {
    OpenDialog();
    const StylePreview fitted = Preview();
    Press(kDialogSaveId);
    ASSERT_TRUE(PumpUntilClosed());
    EXPECT_EQ(clock_.closed, 1);
    EXPECT_EQ(Saved("Width"), std::to_string(fitted.background.width));
    EXPECT_EQ(Saved("Height"), std::to_string(fitted.background.height));
    EXPECT_EQ(Saved("numTop"), std::to_string(fitted.digits.top));
    EXPECT_EQ(Saved("numWidth"), std::to_string(fitted.digits.width));
    EXPECT_EQ(Saved("bgWidth"), Saved("Width"));
    EXPECT_EQ(Saved("BackColor"), "3394560");
    EXPECT_EQ(Saved("Alpha"), "100");
    EXPECT_EQ(Saved("showPos"), "1");
    EXPECT_EQ(Saved("Screens"), "0");
    // The main clock's place is stored whatever the position mode.
    EXPECT_EQ(Saved("Left"), "12900");
    EXPECT_EQ(Saved("Top"), "600");
    EXPECT_EQ(state_.Style.Width, fitted.background.width);
    EXPECT_EQ(state_.Style.BackColor, 0x33CC00);
    // The file first, then both clocks, no hiding without a show.
    EXPECT_EQ(clock_.calls, std::vector<std::string>{"layout"});
    EXPECT_EQ(clock_.widthAtLayout, Saved("Width"));
    EXPECT_EQ(IniStore(configPath_).ReadRaw("PPTFiles", "pptFiles", ""), "0");
}

TEST_F(StyleDialogTest, LargerSizeGrowsTheDigitsAndTheBackgroundFollows) {
    OpenDialog();
    const StylePreview before = Preview();
    Choose(kStyleDialogSizeListId, 72 - 10);
    const StylePreview& after = Preview();
    EXPECT_EQ(after.fontPoints, 72);
    EXPECT_GT(after.digits.width, before.digits.width * 3 / 2);
    EXPECT_GT(after.digits.height, before.digits.height * 3 / 2);
    ExpectFitted(after);
    EXPECT_TRUE(PartAt(kStyleDialogDigitsId, after.digits));
    EXPECT_TRUE(PartAt(kStyleDialogBackgroundId, after.background));

    Choose(kStyleDialogAlphaListId, 5);    // 50%
    Choose(kStyleDialogPosListId, 4);      // 自定义位置
    Choose(kStyleDialogScreensListId, 2);  // 其他屏幕
    Press(kDialogSaveId);
    ASSERT_TRUE(PumpUntilClosed());
    EXPECT_EQ(Saved("numFontSize"), "72");
    EXPECT_EQ(Saved("Alpha"), "50");
    EXPECT_EQ(Saved("showPos"), "4");
    EXPECT_EQ(Saved("Screens"), "2");
    EXPECT_EQ(state_.Style.Screens, 2);
    EXPECT_EQ(Saved("Left"), "12900");
    EXPECT_EQ(Saved("Width"), std::to_string(after.background.width));
}

TEST_F(StyleDialogTest, ColourButtonsTakeTheChosenColourAndCancelKeepsIt) {
    const HWND dialog = OpenDialog();
    const auto choose = [](int red, int green, int blue) {
        return [=](HWND colours) {
            SetDlgItemInt(colours, testing::kColorRedEditId, red, FALSE);
            SetDlgItemInt(colours, testing::kColorGreenEditId, green, FALSE);
            SetDlgItemInt(colours, testing::kColorBlueEditId, blue, FALSE);
            PostMessageW(colours, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        };
    };
    {
        CommonDialogDriver driver(testing::kColorRedEditId, choose(0x12, 0x34, 0x56));
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kStyleDialogTextColorId, BN_CLICKED), 0);
        EXPECT_TRUE(driver.Acted());
    }
    EXPECT_EQ(Preview().textColor, 0x563412);
    {
        CommonDialogDriver driver(testing::kColorRedEditId, &testing::CancelDialog);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kStyleDialogTextColorId, BN_CLICKED), 0);
    }
    EXPECT_EQ(Preview().textColor, 0x563412) << "cancelled: unchanged";
    {
        CommonDialogDriver driver(testing::kColorRedEditId, choose(255, 255, 255));
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kStyleDialogBackColorId, BN_CLICKED), 0);
    }
    EXPECT_EQ(Preview().backColor, 0xFFFFFF);
    EXPECT_EQ(Preview().textColor, 0x563412);
    Press(kDialogSaveId);
    ASSERT_TRUE(PumpUntilClosed());
    EXPECT_EQ(Saved("numForeColor"), std::to_string(0x563412));
    EXPECT_EQ(Saved("bgBackColor"), "16777215");
    EXPECT_EQ(Saved("BackColor"), "16777215");
}

// (Every way of closing is 取消's: see the sound settings dialog's tests.)
TEST_F(StyleDialogTest, CancelWritesNothingAndLaysOutNothing) {
    const std::string before = ReadBytes(configPath_);
    OpenDialog();
    Choose(kStyleDialogSizeListId, 100);
    Choose(kStyleDialogAlphaListId, 0);
    Press(kDialogCancelId);
    ASSERT_TRUE(PumpUntilClosed());
    EXPECT_EQ(ReadBytes(configPath_), before);
    EXPECT_EQ(state_.Style, DefaultStyle());
    EXPECT_EQ(clock_.closed, 1);
    EXPECT_TRUE(clock_.calls.empty());
    // Reopened, the dialog shows the stored style again, not the cancelled edits.
    OpenDialog();
    EXPECT_EQ(Text(kStyleDialogSizeListId), L"36");
    EXPECT_EQ(Preview().fontPoints, 36);
}

// The clock comes back after the new style is laid out.
TEST_F(StyleDialogTest, DuringAShowTheClockHidesAndComesBackLaidOut) {
    state_.Countdown.ShowActive = true;
    for (const int id : {kDialogSaveId, kDialogCancelId}) {
        clock_.calls.clear();
        OpenDialog();
        EXPECT_EQ(clock_.calls, std::vector<std::string>{"hide"}) << id;
        Press(id);
        ASSERT_TRUE(PumpUntilClosed()) << id;
        const std::vector<std::string> expected =
            id == kDialogSaveId ? std::vector<std::string>{"hide", "layout", "show"}
                                : std::vector<std::string>{"hide", "show"};
        EXPECT_EQ(clock_.calls, expected) << id;
    }
}

TEST_F(StyleDialogTest, StoredValuesNoListShowsAreKept) {
    // Hand-edited: an opacity and a position no item stands for, a font the system lacks
    // and a size outside the list.
    state_.Style.Alpha = 55;
    state_.Style.showPos = 7;
    state_.Style.Screens = 9;
    state_.Style.numFontName = "No Such Face";
    state_.Style.numFontSize = 8;
    OpenDialog();
    for (const int id : {kStyleDialogFontListId, kStyleDialogSizeListId, kStyleDialogAlphaListId,
                         kStyleDialogPosListId, kStyleDialogScreensListId}) {
        EXPECT_EQ(SendMessageW(Child(id), CB_GETCURSEL, 0, 0), CB_ERR) << id;
    }
    // Nothing was chosen, so nothing was fitted: the preview is the stored one.
    EXPECT_EQ(Preview(), PreviewFromStyle(state_.Style));
    EXPECT_TRUE(PartAt(kStyleDialogBackgroundId, TwipRect{0, 0, 3000, 1200}));

    // A release on the digits fits the background around them.
    const HWND digits = Child(kStyleDialogDigitsId);
    SendMessageW(digits, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(digits, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ExpectFitted(Preview());
    EXPECT_LT(Preview().background.width, 3000);

    Press(kDialogSaveId);
    ASSERT_TRUE(PumpUntilClosed());
    EXPECT_EQ(Saved("Alpha"), "55");
    EXPECT_EQ(Saved("showPos"), "7");
    EXPECT_EQ(Saved("Screens"), "9");
    EXPECT_EQ(Saved("numFontName"), "No Such Face");
    EXPECT_EQ(Saved("numFontSize"), "8");
}

TEST_F(StyleDialogTest, PreviewShowsTheBackgroundAndTheDigitsInTheirColours) {
    state_.Style.numForeColor = 0x0000FF;  // red digits
    OpenDialog();
    const HWND pane = Child(kStyleDialogPreviewId);
    RECT client{};
    GetClientRect(pane, &client);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    {
        ScopedSelectObject select(dc.Get(), bitmap.Get());
        SendMessageW(pane, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    }
    const auto* pixels = static_cast<const uint32_t*>(bits);
    const auto at = [&](int x, int y) { return pixels[y * client.right + x] & 0xFFFFFF; };
    // In DIB order (blue low): the green 0x33CC00 is 0x00CC33, red is 0xFF0000.
    const RECT shape = PaneRect(kStyleDialogBackgroundId);
    EXPECT_EQ(at(shape.left + 5, (shape.top + shape.bottom) / 2), 0x00CC33u)
        << "inside the shape, left of the digits";
    int red = 0;
    int greenOutside = 0;
    int captionInk = 0;  // the dark text of the frame's caption 模拟显示, above the shape
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            const bool inShape = PtInRect(&shape, POINT{x, y}) != FALSE;
            if (at(x, y) == 0xFF0000u && inShape) ++red;
            if (at(x, y) == 0x00CC33u && !inShape) ++greenOutside;
            if (y < shape.top && (at(x, y) & 0x808080u) == 0) ++captionInk;
        }
    }
    EXPECT_GT(red, 200) << "the digits";
    EXPECT_EQ(greenOutside, 0);
    EXPECT_GT(captionInk, 20);
}

// At every scale no two controls cover each other, and the lists of the dialog's own items
// show the longest one whole (the font list holds whatever faces the system has).
TEST_F(StyleDialogTest, NothingOverlapsOrIsClippedInAnyLanguageAtAnyScale) {
    for (const Language language : testing::kDialogTestLanguages) {
        const testing::LanguageScope speaking(language);
        const HWND dialog = OpenDialog();
        for (const int dpi : testing::kDialogTestDpis) {
            testing::LayOutAtDpi(dialog, dpi);
            EXPECT_EQ(testing::LayoutFaults(dialog, dpi), std::vector<std::wstring>{})
                << testing::LanguageName(language) << " " << dpi;
            for (const int id : {kStyleDialogSizeListId, kStyleDialogAlphaListId,
                                 kStyleDialogPosListId, kStyleDialogScreensListId}) {
                EXPECT_EQ(testing::ClippedItems(Child(id)), std::vector<std::wstring>{})
                    << testing::LanguageName(language) << " " << dpi;
            }
        }
        dialog_->Close();
    }
}

// Config.ini held by another program: Save names the file and stays open with the user's
// choice; the clocks keep the style the file holds until a Save gets through.
TEST_F(StyleDialogTest, SaveThatCannotWriteSaysSoAndStaysOpen) {
    OpenDialog();
    const std::string before = ReadBytes(configPath_);
    const DisplayStyle inUse = state_.Style;
    Choose(kStyleDialogAlphaListId, 5);
    const testing::SaveFailureSeen box =
        testing::SaveWhileHeld(configPath_, [&] { Press(kDialogSaveId); });
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(box.caption, kMessageBoxCaption);
    EXPECT_NE(box.text.find(Utf8ToWide(configPath_)), std::wstring::npos) << box.text;
    EXPECT_TRUE(dialog_->IsOpen());
    EXPECT_EQ(SendMessageW(Child(kStyleDialogAlphaListId), CB_GETCURSEL, 0, 0), 5);
    EXPECT_EQ(state_.Style.Alpha, inUse.Alpha);
    EXPECT_EQ(ReadBytes(configPath_), before);
    EXPECT_EQ(std::count(clock_.calls.begin(), clock_.calls.end(), "layout"), 0);

    Press(kDialogSaveId);
    ASSERT_TRUE(PumpUntilClosed());
    EXPECT_NE(state_.Style.Alpha, inUse.Alpha);
    EXPECT_EQ(IniStore(configPath_).Read("Style", "Alpha", ""), std::to_string(state_.Style.Alpha));
}

}  // namespace
}  // namespace quorrin
