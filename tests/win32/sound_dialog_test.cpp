// The sound settings dialog: what it shows, what Save writes to Config.ini and what the
// other ways of closing leave alone, the clock it hides during a show, the file dialog
// behind "浏览", the frame's look and its title-bar drag.
#include "dialogs/sound/sound_dialog_win32.h"

#include "win32/message_box_win32.h"
#include "win32/unique_handle_win32.h"
#include "win32/wide_text_win32.h"
#include "settings/ini_store.h"

#include "common_dialog_driver_win32.h"
#include "dialog_layout_check_win32.h"
#include "fake_dialog_host_win32.h"
#include "held_file_save_win32.h"
#include "message_pump_win32.h"
#include "temp_folder.h"
#include "test_window_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace quorrin {
namespace {

// The rows' controls as the kit numbers them: a file row's caption, name and 浏览, the
// check box, then the second file row. The end-to-end scripts find them by these numbers.
constexpr int kSoundDialogSoundCaptionId = kSoundDialogFirstId;
constexpr int kSoundDialogSoundLabelId = kSoundDialogFirstId + 1;
constexpr int kSoundDialogBrowseSoundId = kSoundDialogFirstId + 2;
constexpr int kSoundDialogEndWarningId = kSoundDialogFirstId + 3;
constexpr int kSoundDialogEndSoundCaptionId = kSoundDialogFirstId + 4;
constexpr int kSoundDialogEndSoundLabelId = kSoundDialogFirstId + 5;
constexpr int kSoundDialogBrowseEndSoundId = kSoundDialogFirstId + 6;

using testing::CommonDialogDriver;
using testing::PumpResult;
using testing::PumpUntil;
using testing::ReadBytes;

constexpr UINT kGbkCodePage = 936;

std::string Gbk(const std::wstring& text) {
    const int size = WideCharToMultiByte(
        kGbkCodePage, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(kGbkCodePage, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(),
                        size, nullptr, nullptr);
    return bytes;
}

// A settings file as the program writes it, with keys around the three the dialog saves.
std::string ConfigBefore(const std::wstring& endWarning) {
    return Gbk(L"[Normal]\r\nTimeMode=0\r\nEndWarning=" + endWarning +
               L"\r\nResetTime=False\r\nSameMode=True\r\nSoundFile=默认声音\r\n"
               L"endSoundFile=C:\\音乐\\结束.wav\r\nPPTCount=0\r\n"
               L"[Style]\r\nWidth=3000\r\nnumFontName=宋体\r\n");
}

class SoundDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(testing::WriteBytes(configPath_, ConfigBefore(L"True")));
        state_.General.ConfigPath = configPath_;
        state_.General.EndWarning = true;
        state_.General.WarningSound = "默认声音";
        state_.General.EndSound = "C:\\音乐\\结束.wav";
    }
    void TearDown() override { dialog_.reset(); }

    SoundDialog& Dialog() {
        if (!dialog_) {
            dialog_ = std::make_unique<SoundDialog>(state_, config_, host_);
        }
        return *dialog_;
    }
    HWND OpenDialog() {
        EXPECT_TRUE(Dialog().Open(GetModuleHandleW(nullptr)));
        return Dialog().Handle();
    }

    HWND Child(int id) const { return GetDlgItem(dialog_->Handle(), id); }
    std::wstring Text(int id) const { return testing::WindowText(Child(id)); }
    void SetText(int id, const std::wstring& text) { SetWindowTextW(Child(id), text.c_str()); }

    // Presses a button of the dialog the way the image button reports a click.
    void Press(int id) {
        PostMessageW(dialog_->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Child(id)));
    }
    // A key pressed on the control with the focus, as the keyboard delivers it.
    void Key(WPARAM key) { PostMessageW(GetFocus(), WM_KEYDOWN, key, 0); }
    bool PumpUntilClosed() {
        return PumpUntil([&](const PumpResult&) { return !dialog_->IsOpen(); }).done;
    }

    testing::TempFolder folder_;
    std::string configPath_ = folder_.EmptyFile("Config.ini");
    AppState state_;
    IniStore store_{configPath_};
    ConfigFile config_{state_, store_, [](const std::string&) {}};
    testing::FakeDialogHost host_;
    std::unique_ptr<SoundDialog> dialog_;
};

TEST_F(SoundDialogTest, ShowsTheSettingsInItsControls) {
    state_.General.WarningSound = "C:\\音乐\\提示 音&1.wav";
    state_.General.EndWarning = false;
    const HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(testing::WindowText(dialog), L"声音设置");

    EXPECT_EQ(Text(kDialogCaptionId), L"声音设置");
    EXPECT_EQ(Text(kSoundDialogSoundCaptionId), L"提示音乐：");
    EXPECT_EQ(Text(kSoundDialogEndSoundCaptionId), L"结束音乐：");
    EXPECT_EQ(Text(kSoundDialogEndWarningId), L"结束提醒");
    EXPECT_EQ(Text(kSoundDialogSoundLabelId), L"C:\\音乐\\提示 音&1.wav");
    EXPECT_EQ(Text(kSoundDialogEndSoundLabelId), L"C:\\音乐\\结束.wav");
    EXPECT_EQ(IsDlgButtonChecked(dialog, kSoundDialogEndWarningId), BST_UNCHECKED);
    EXPECT_EQ(Text(kSoundDialogBrowseSoundId), L"浏览");
    EXPECT_EQ(Text(kSoundDialogBrowseEndSoundId), L"浏览");
    EXPECT_EQ(Text(kDialogSaveId), L"保存");
    EXPECT_EQ(Text(kDialogCancelId), L"取消");
    EXPECT_EQ(Text(kDialogCloseId), L"×");

    // The labels a test of the running program reads are real child controls.
    for (const int id : {kSoundDialogSoundLabelId, kSoundDialogEndSoundLabelId}) {
        wchar_t name[16] = {};
        GetClassNameW(Child(id), name, 16);
        EXPECT_EQ(_wcsicmp(name, L"Static"), 0);
    }
    wchar_t name[16] = {};
    GetClassNameW(Child(kSoundDialogEndWarningId), name, 16);
    EXPECT_EQ(_wcsicmp(name, L"Button"), 0);
}

TEST_F(SoundDialogTest, IsACentredFixedToolWindowShapedToItsClientArea) {
    const HWND dialog = OpenDialog();
    const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(dialog, GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_NE(exStyle & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(exStyle & WS_EX_APPWINDOW, 0);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr);

    // As large as its rows and buttons need.
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(testing::ChildrenOutside(dialog), std::vector<int>{});
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    EXPECT_NEAR(origin.x + client.right / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR(origin.y + client.bottom / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

    // The region cuts the frame away: what shows is the client area.
    RECT window{};
    GetWindowRect(dialog, &window);
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(dialog, region), ERROR);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    EXPECT_EQ(box.left, origin.x - window.left);
    EXPECT_EQ(box.top, origin.y - window.top);
    EXPECT_EQ(box.right, origin.x - window.left + client.right);
    EXPECT_GE(box.bottom, origin.y - window.top + client.bottom);
}

// The dialog moved to a monitor at 150 % (Wine never sends WM_DPICHANGED itself): it asks
// for its own size, takes the suggested rectangle, and places its controls, fonts and region
// again at the new DPI; back at 100 % everything is where it was.
// In each language and at every scale every caption, the default sound's name among them,
// shows whole inside the dialog. The design lets each path label touch its caption and its
// "浏览" by a pixel (the labels are transparent); English adds no overlap to those.
TEST_F(SoundDialogTest, NothingIsClippedInAnyLanguageAtAnyScale) {
    state_.General.EndSound = "默认声音";
    std::vector<std::vector<std::wstring>> chineseFaults;
    for (const Language language : testing::kDialogTestLanguages) {
        const testing::LanguageScope speaking(language);
        const HWND dialog = OpenDialog();
        for (size_t n = 0; n < std::size(testing::kDialogTestDpis); ++n) {
            const int dpi = testing::kDialogTestDpis[n];
            testing::LayOutAtDpi(dialog, dpi);
            const std::vector<std::wstring> faults = testing::LayoutFaults(dialog, dpi);
            if (language == Language::Chinese) chineseFaults.push_back(faults);
            for (const std::wstring& fault : faults) {
                const bool designed = fault.rfind(L"overlap ", 0) == 0 &&
                                      std::find(chineseFaults[n].begin(), chineseFaults[n].end(),
                                                fault) != chineseFaults[n].end();
                EXPECT_TRUE(designed)
                    << testing::LanguageName(language) << " " << dpi << ": " << WideToUtf8(fault);
            }
        }
        Dialog().Close();
    }
}

// The default sound is shown in the user's language and saved as the file has always
// held it.
TEST_F(SoundDialogTest, DefaultSoundIsShownTranslatedAndSavedAsItIs) {
    const testing::LanguageScope english(Language::English);
    OpenDialog();
    EXPECT_EQ(Text(kSoundDialogSoundLabelId), L"Default sound");
    EXPECT_EQ(Text(kSoundDialogBrowseSoundId), L"Browse");
    Press(IDOK);
    ASSERT_TRUE(PumpUntilClosed());
    EXPECT_EQ(state_.General.WarningSound, "默认声音");
    EXPECT_NE(ReadBytes(configPath_).find(Gbk(L"SoundFile=默认声音\r\n")), std::string::npos);
}

TEST_F(SoundDialogTest, FollowsADpiChange) {
    const HWND dialog = OpenDialog();
    const auto childRect = [&](int id) {
        RECT r{};
        GetWindowRect(Child(id), &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const auto fontHeight = [&](int id) {
        const auto font = reinterpret_cast<HFONT>(SendMessageW(Child(id), WM_GETFONT, 0, 0));
        const HDC dc = GetDC(nullptr);
        const HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        return metrics.tmHeight - metrics.tmInternalLeading;
    };
    RECT before{};
    GetWindowRect(dialog, &before);
    const RECT saveBefore = childRect(kDialogSaveId);
    RECT clientBefore{};
    GetClientRect(dialog, &clientBefore);

    // The client area one and a half times as large, in strips of 22 (left), 23 (right) and
    // 45 (top) pixels.
    const LONG width = clientBefore.right * 3 / 2;
    const LONG height = clientBefore.bottom * 3 / 2;
    SIZE scaled{};
    ASSERT_TRUE(SendMessageW(dialog, WM_GETDPISCALEDSIZE, 144, reinterpret_cast<LPARAM>(&scaled)));
    EXPECT_NEAR(scaled.cx, 22 + width + 23, 1);
    EXPECT_NEAR(scaled.cy, 45 + height, 1);
    RECT suggested{100, 50, 100 + scaled.cx, 50 + scaled.cy};
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT window{};
    GetWindowRect(dialog, &window);
    EXPECT_EQ(window.left, 100);
    EXPECT_EQ(window.top, 50);
    EXPECT_EQ(window.right, 100 + scaled.cx);
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, scaled.cx - 22 - 23);
    EXPECT_EQ(client.bottom, scaled.cy - 45);
    // 保存, 1215 x 495 twips, left of 取消 in the bottom-right corner, 225 twips from the edges.
    const RECT save = childRect(kDialogSaveId);
    EXPECT_NEAR(client.right - save.right, 22 + 23 + 122, 2);
    EXPECT_NEAR(client.bottom - save.bottom, 22, 1);
    EXPECT_EQ(save.right - save.left, 122);
    EXPECT_EQ(save.bottom - save.top, 50);
    for (const int id :
         {kSoundDialogSoundCaptionId, kSoundDialogSoundLabelId, kSoundDialogEndWarningId,
          kSoundDialogBrowseEndSoundId, kDialogCancelId, kDialogCloseId}) {
        const RECT r = childRect(id);
        EXPECT_GE(r.left, 0) << id;
        EXPECT_GE(r.top, 0) << id;
        EXPECT_LE(r.right, client.right) << id;
        EXPECT_LE(r.bottom, client.bottom) << id;
    }
    EXPECT_GE(fontHeight(kSoundDialogSoundCaptionId), 17);  // 9 points at 144 dpi: 18 pixels
    EXPECT_LE(fontHeight(kSoundDialogSoundCaptionId), 19);
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(dialog, region), ERROR);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    EXPECT_EQ(box.left, 22);
    EXPECT_EQ(box.top, 45);
    EXPECT_EQ(box.right, 22 + client.right);  // the region ends where the client area does

    // Back to 100 %.
    SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&before));
    RECT after{};
    GetWindowRect(dialog, &after);
    EXPECT_TRUE(EqualRect(&after, &before));
    const RECT saveAfter = childRect(kDialogSaveId);
    EXPECT_TRUE(EqualRect(&saveAfter, &saveBefore));
    EXPECT_LE(fontHeight(kSoundDialogSoundCaptionId), 13);
}

TEST_F(SoundDialogTest, TextsUseAChineseFont) {
    OpenDialog();
    for (const int id : {kDialogCaptionId, kSoundDialogSoundCaptionId, kSoundDialogSoundLabelId,
                         kSoundDialogEndWarningId}) {
        const auto font = reinterpret_cast<HFONT>(SendMessageW(Child(id), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr) << id;
        const HDC dc = GetDC(nullptr);
        const HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        // The glyph of 声 exists in the selected face (no box in its place).
        WORD glyph = 0;
        GetGlyphIndicesW(dc, L"声", 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
        SelectObject(dc, old);
        ReleaseDC(nullptr, dc);
        EXPECT_EQ(metrics.tmCharSet, GB2312_CHARSET) << id;
        EXPECT_NE(glyph, 0xFFFF) << id;
        // 9 points at the screen's resolution.
        EXPECT_GE(metrics.tmHeight - metrics.tmInternalLeading, 11) << id;
        EXPECT_LE(metrics.tmHeight - metrics.tmInternalLeading, 13) << id;
    }
}

// Enter saves, from any control that is not a button of its own.
TEST_F(SoundDialogTest, EnterSavesTheThreeSettingsAndCloses) {
    OpenDialog();
    EXPECT_EQ(GetFocus(), Child(kSoundDialogBrowseSoundId)) << "the first control has the focus";
    SetText(kSoundDialogSoundLabelId, L"C:\\音乐\\提示 音.wav");
    SendMessageW(Child(kSoundDialogEndWarningId), BM_CLICK, 0, 0);  // untick
    ASSERT_EQ(IsDlgButtonChecked(dialog_->Handle(), kSoundDialogEndWarningId), BST_UNCHECKED);
    SetFocus(Child(kSoundDialogEndWarningId));
    Key(VK_RETURN);
    ASSERT_TRUE(PumpUntilClosed());

    EXPECT_EQ(ReadBytes(configPath_),
              Gbk(L"[Normal]\r\nTimeMode=0\r\nEndWarning=False\r\nResetTime=False\r\n"
                  L"SameMode=True\r\nSoundFile=C:\\音乐\\提示 音.wav\r\n"
                  L"endSoundFile=C:\\音乐\\结束.wav\r\nPPTCount=0\r\n"
                  L"[Style]\r\nWidth=3000\r\nnumFontName=宋体\r\n"));
    EXPECT_EQ(state_.General.WarningSound, "C:\\音乐\\提示 音.wav");
    EXPECT_EQ(state_.General.EndSound, "C:\\音乐\\结束.wav");
    EXPECT_FALSE(state_.General.EndWarning);
    EXPECT_EQ(host_.closed, 1);
}

// Config.ini held open without sharing by another program: Save says so in a message box
// naming the file, the dialog stays open with the user's choice, the settings in use stay
// as they are in the file, and Save after the release saves and closes.
TEST_F(SoundDialogTest, SaveThatCannotWriteSaysSoAndStaysOpen) {
    OpenDialog();
    SetText(kSoundDialogSoundLabelId, L"C:\\音乐\\新.wav");
    SendMessageW(Child(kSoundDialogEndWarningId), BM_CLICK, 0, 0);  // untick
    const std::string before = ReadBytes(configPath_);

    const testing::SaveFailureSeen box =
        testing::SaveWhileHeld(configPath_, [&] { Press(kDialogSaveId); });
    ASSERT_TRUE(box.shown);
    EXPECT_EQ(box.caption, kMessageBoxCaption);
    EXPECT_NE(box.text.find(Utf8ToWide(configPath_)), std::wstring::npos) << box.text;
    EXPECT_TRUE(dialog_->IsOpen());
    EXPECT_EQ(Text(kSoundDialogSoundLabelId), L"C:\\音乐\\新.wav");
    EXPECT_EQ(IsDlgButtonChecked(dialog_->Handle(), kSoundDialogEndWarningId), BST_UNCHECKED);
    EXPECT_EQ(state_.General.WarningSound, "默认声音");
    EXPECT_TRUE(state_.General.EndWarning);
    EXPECT_EQ(host_.closed, 0);
    EXPECT_EQ(ReadBytes(configPath_), before);
    Press(kDialogSaveId);
    ASSERT_TRUE(PumpUntilClosed());
    EXPECT_EQ(IniStore(configPath_).Read("Normal", "SoundFile", ""), "C:\\音乐\\新.wav");
    EXPECT_FALSE(state_.General.EndWarning);
}

TEST_F(SoundDialogTest, SaveWithDefaultSoundsAndTheBoxTicked) {
    ASSERT_TRUE(testing::WriteBytes(configPath_, ConfigBefore(L"False")));
    state_.General.EndWarning = false;
    state_.General.EndSound = "默认声音";
    OpenDialog();
    CheckDlgButton(dialog_->Handle(), kSoundDialogEndWarningId, BST_INDETERMINATE);  // counts
    Press(kDialogSaveId);
    ASSERT_TRUE(PumpUntilClosed());

    const IniStore written(configPath_);
    EXPECT_EQ(written.ReadRaw("Normal", "SoundFile", ""), Gbk(L"默认声音"));
    EXPECT_EQ(written.ReadRaw("Normal", "endSoundFile", ""), Gbk(L"默认声音"));
    EXPECT_EQ(written.ReadRaw("Normal", "EndWarning", ""), "True");
    EXPECT_TRUE(state_.General.EndWarning);
}

TEST_F(SoundDialogTest, CancelCloseEscAndWmCloseWriteNothing) {
    const std::string before = ReadBytes(configPath_);
    const GeneralSettings settingsBefore = state_.General;
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"cancel", [&] { Press(kDialogCancelId); }},
        {"close button", [&] { Press(kDialogCloseId); }},
        {"Esc", [&] { Key(VK_ESCAPE); }},
        {"WM_CLOSE", [&] { PostMessageW(dialog_->Handle(), WM_CLOSE, 0, 0); }}};
    int expectedClosed = 0;
    for (const auto& [way, close] : ways) {
        OpenDialog();
        SetText(kSoundDialogSoundLabelId, L"C:\\chosen.wav");
        SetText(kSoundDialogEndSoundLabelId, L"C:\\chosen2.wav");
        CheckDlgButton(dialog_->Handle(), kSoundDialogEndWarningId, BST_UNCHECKED);
        close();
        ASSERT_TRUE(PumpUntilClosed()) << way;
        EXPECT_EQ(host_.closed, ++expectedClosed) << way;
        EXPECT_EQ(ReadBytes(configPath_), before) << way;
        EXPECT_EQ(state_.General.WarningSound, settingsBefore.WarningSound) << way;
        EXPECT_EQ(state_.General.EndSound, settingsBefore.EndSound) << way;
        EXPECT_EQ(state_.General.EndWarning, settingsBefore.EndWarning) << way;
    }
}

TEST_F(SoundDialogTest, DuringAShowTheClockHidesAndEveryWayOfClosingShowsIt) {
    state_.Countdown.ShowActive = true;
    for (const int id : {kDialogSaveId, kDialogCancelId, kDialogCloseId, 0}) {
        host_.calls.clear();
        OpenDialog();
        EXPECT_EQ(host_.calls, std::vector<std::string>{"hide"}) << id;
        if (id != 0) {
            Press(id);
        } else {
            PostMessageW(dialog_->Handle(), WM_CLOSE, 0, 0);
        }
        ASSERT_TRUE(PumpUntilClosed()) << id;
        EXPECT_EQ(host_.calls, (std::vector<std::string>{"hide", "show"})) << id;
    }
}

TEST_F(SoundDialogTest, WithoutAShowAtClosingTheClockStaysHidden) {
    for (const int id : {kDialogSaveId, kDialogCancelId, kDialogCloseId}) {
        OpenDialog();
        Press(id);
        ASSERT_TRUE(PumpUntilClosed()) << id;
    }
    EXPECT_TRUE(host_.calls.empty());

    // The show ends while the dialog is open.
    state_.Countdown.ShowActive = true;
    OpenDialog();
    state_.Countdown.ShowActive = false;
    Press(kDialogCancelId);
    ASSERT_TRUE(PumpUntilClosed());
    EXPECT_EQ(host_.calls, std::vector<std::string>{"hide"});
}

TEST_F(SoundDialogTest, OpeningTwiceGivesOneWindowAndReopeningReloads) {
    const HWND first = OpenDialog();
    SetText(kSoundDialogSoundLabelId, L"C:\\not saved.wav");
    const HWND second = OpenDialog();
    EXPECT_EQ(first, second);
    int windows = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM count) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (std::wstring(name) == kSoundDialogClassName) ++*reinterpret_cast<int*>(count);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    EXPECT_EQ(windows, 1);
    EXPECT_EQ(Text(kSoundDialogSoundLabelId), L"C:\\not saved.wav") << "brought forward as it was";

    Press(kDialogCancelId);
    ASSERT_TRUE(PumpUntilClosed());
    EXPECT_EQ(host_.closed, 1);

    state_.General.EndSound = "C:\\音乐\\新的.wav";
    OpenDialog();
    EXPECT_EQ(Text(kSoundDialogSoundLabelId), L"默认声音");
    EXPECT_EQ(Text(kSoundDialogEndSoundLabelId), L"C:\\音乐\\新的.wav");
    Press(kDialogCloseId);
    ASSERT_TRUE(PumpUntilClosed());
    EXPECT_EQ(host_.closed, 2);
}

// A sound file of its own in a temporary folder, removed afterwards.
class SoundFile {
  public:
    explicit SoundFile(const std::wstring& name)
        : path_(Utf8ToWide(folder_.EmptyFile(WideToUtf8(name)))) {}
    const std::wstring& Path() const { return path_; }

  private:
    testing::TempFolder folder_;
    std::wstring path_;
};

TEST_F(SoundDialogTest, BrowsePutsTheChosenFileIntoItsLabelAndCancelKeepsIt) {
    const SoundFile sound(L"提示音.wav");
    OpenDialog();
    const HWND dialog = dialog_->Handle();
    {
        CommonDialogDriver driver(testing::kFileNameControlId, &testing::CancelDialog);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kSoundDialogBrowseEndSoundId, BN_CLICKED), 0);
        EXPECT_TRUE(driver.Acted());
    }
    EXPECT_EQ(Text(kSoundDialogEndSoundLabelId), L"C:\\音乐\\结束.wav") << "cancelled: kept";

    bool dialogEnabled = true;
    std::wstring title;
    {
        CommonDialogDriver driver(testing::kFileNameControlId, [&](HWND files) {
            dialogEnabled = IsWindowEnabled(dialog) != FALSE;
            title = testing::WindowText(files);
            testing::ChooseFile(files, sound.Path());
        });
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kSoundDialogBrowseEndSoundId, BN_CLICKED), 0);
        EXPECT_TRUE(driver.Acted());
    }
    EXPECT_EQ(title, L"选择声音文件");
    EXPECT_FALSE(dialogEnabled) << "the file dialog is modal to the settings dialog";
    EXPECT_TRUE(IsWindowEnabled(dialog));
    EXPECT_EQ(Text(kSoundDialogEndSoundLabelId), sound.Path());
    EXPECT_EQ(Text(kSoundDialogSoundLabelId), L"默认声音");
    EXPECT_EQ(state_.General.EndSound, "C:\\音乐\\结束.wav") << "only Save takes it";

    {
        CommonDialogDriver driver(testing::kFileNameControlId,
                                  [&](HWND files) { testing::ChooseFile(files, sound.Path()); });
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kSoundDialogBrowseSoundId, BN_CLICKED), 0);
    }
    EXPECT_EQ(Text(kSoundDialogSoundLabelId), sound.Path());
    Press(kDialogSaveId);
    ASSERT_TRUE(PumpUntilClosed());
    EXPECT_EQ(IniStore(configPath_).ReadRaw("Normal", "SoundFile", ""), Gbk(sound.Path()));
    EXPECT_EQ(IniStore(configPath_).ReadRaw("Normal", "endSoundFile", ""), Gbk(sound.Path()));
}

TEST_F(SoundDialogTest, APathInAnyScriptIsSavedWholeAndMakesConfigIniUtf16) {
    // Hangul has no GBK form: Config.ini is written as UTF-16 from then on.
    const SoundFile sound(L"끝 소리.wav");
    OpenDialog();
    {
        CommonDialogDriver driver(testing::kFileNameControlId,
                                  [&](HWND files) { testing::ChooseFile(files, sound.Path()); });
        SendMessageW(dialog_->Handle(), WM_COMMAND,
                     MAKEWPARAM(kSoundDialogBrowseEndSoundId, BN_CLICKED), 0);
        EXPECT_TRUE(driver.Acted());
    }
    EXPECT_EQ(Text(kSoundDialogEndSoundLabelId), sound.Path());
    Press(kDialogSaveId);
    ASSERT_TRUE(PumpUntilClosed());
    const IniSnapshot stored = IniStore(configPath_).Snapshot();
    EXPECT_EQ(stored.Encoding(), FileEncoding::Utf16Le);
    EXPECT_EQ(stored.Read("Normal", "endSoundFile", ""), WideToUtf8(sound.Path()));
    EXPECT_EQ(stored.Read("Normal", "SoundFile", ""), "默认声音");
}

TEST_F(SoundDialogTest, ClosingWhileTheFileDialogIsOpenEndsBoth) {
    const SoundFile sound(L"a.wav");
    OpenDialog();
    const HWND dialog = dialog_->Handle();
    {
        // Closed from elsewhere (the program ending) while the user is choosing.
        CommonDialogDriver driver(testing::kFileNameControlId, [&](HWND files) {
            SendMessageW(dialog, WM_CLOSE, 0, 0);
            if (IsWindow(files) != FALSE) testing::ChooseFile(files, sound.Path());
        });
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kSoundDialogBrowseSoundId, BN_CLICKED), 0);
        EXPECT_TRUE(driver.Acted());
    }
    EXPECT_FALSE(dialog_->IsOpen());
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(host_.closed, 1);
    EXPECT_EQ(state_.General.WarningSound, "默认声音");
}

// Counts the system move loops the dialog enters.
int gMoveLoops = 0;
WNDPROC gDialogProc = nullptr;
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENTERSIZEMOVE) ++gMoveLoops;
    return CallWindowProcW(gDialogProc, window, message, wParam, lParam);
}

void SendMouse(DWORD flags, POINT at = {}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if ((flags & MOUSEEVENTF_ABSOLUTE) != 0) {
        input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &input, sizeof(input));
}

// Ends a move loop that should not have started (it would otherwise wait for a click).
void CALLBACK EscapeStrayMoveLoop(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

// The rest of a drag, sent from a timer while the system's move loop runs.
POINT gDragEnd{};
void CALLBACK FinishDrag(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, gDragEnd);
    SendMouse(MOUSEEVENTF_LEFTUP);
}

TEST_F(SoundDialogTest, DraggingTheTitleBarMovesTheDialogAndHoveringDoesNot) {
    const HWND dialog = OpenDialog();
    gMoveLoops = 0;
    gDialogProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    RECT before{};
    GetWindowRect(dialog, &before);
    POINT title{200, 16};
    ClientToScreen(dialog, &title);
    const auto pump = [] { PumpUntil([n = 0](const PumpResult&) mutable { return ++n > 5; }); };

    // The pointer passing over the title bar with no button held.
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, title);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {title.x + 30, title.y + 2});
    const UINT_PTR escape = SetTimer(nullptr, 0, 500, &EscapeStrayMoveLoop);
    pump();
    KillTimer(nullptr, escape);
    RECT hovered{};
    GetWindowRect(dialog, &hovered);
    EXPECT_EQ(gMoveLoops, 0);
    EXPECT_EQ(hovered.left, before.left);
    EXPECT_EQ(hovered.top, before.top);

    // Pressed on the title bar, the first move starts the drag; the dialog then follows the
    // pointer from there until the button is released.
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, title);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {title.x + 5, title.y + 3});
    gDragEnd = {title.x + 45, title.y + 33};
    SetTimer(nullptr, 0, 100, &FinishDrag);
    pump();
    RECT after{};
    GetWindowRect(dialog, &after);
    EXPECT_EQ(gMoveLoops, 1);
    EXPECT_EQ(after.left - before.left, 40);
    EXPECT_EQ(after.top - before.top, 30);
    SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gDialogProc));
}

}  // namespace
}  // namespace quorrin
