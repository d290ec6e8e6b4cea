// The open-file and colour pickers over the real common dialogs: the path comes back whole
// and in UTF-8 (characters GBK lacks, paths longer than the old 254-byte buffer), cancel
// gives "" or -1, and the owner is disabled while the dialog is open.
#include "dialogs/common/pickers_win32.h"

#include "win32/wide_text_win32.h"
#include "dialogs/sound/sound_choices.h"

#include "common_dialog_driver_win32.h"
#include "temp_folder.h"
#include "test_window_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace quorrin {
namespace {

using testing::CommonDialogDriver;

// Creates the folders and an empty file at `relative` (backslash-separated) in `folder`.
std::wstring MakeFile(const testing::TempFolder& folder, const std::wstring& relative) {
    return Utf8ToWide(folder.EmptyFile(WideToUtf8(relative)));
}

size_t GbkBytes(const std::wstring& text) {
    return static_cast<size_t>(WideCharToMultiByte(
        936, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr));
}

const std::string kFilter = SoundFileFilter();

std::string PickWhileDriving(const std::wstring& path, HWND owner = nullptr) {
    CommonDialogDriver driver(testing::kFileNameControlId,
                              [&](HWND dialog) { testing::ChooseFile(dialog, path); });
    const std::string picked = PickOpenFile(kFilter, "选择声音文件", owner);
    EXPECT_TRUE(driver.Acted());
    return picked;
}

TEST(PickOpenFile, ReturnsTheChosenPathWholeInUtf8) {
    const testing::TempFolder folder;
    // Korean and a musical note: no GBK form, which the ANSI dialog could not return.
    const std::wstring korean = MakeFile(folder, L"노래 \u266B\\끝.wav");
    EXPECT_EQ(PickWhileDriving(korean), WideToUtf8(korean));

    // Longer than the old 254-byte buffer once in GBK, still below MAX_PATH characters.
    std::wstring deep;
    for (int i = 0; i < 12; ++i) deep += L"演示文稿的提示声音目录" + std::to_wstring(i) + L"\\";
    const std::wstring longPath = MakeFile(folder, deep + L"提示.wav");
    ASSERT_GT(GbkBytes(longPath), 254u);
    ASSERT_LT(longPath.size(), static_cast<size_t>(MAX_PATH));
    EXPECT_EQ(PickWhileDriving(longPath), WideToUtf8(longPath));
}

TEST(PickOpenFile, CancelGivesNothing) {
    CommonDialogDriver driver(testing::kFileNameControlId, &testing::CancelDialog);
    EXPECT_EQ(PickOpenFile(kFilter, "选择声音文件"), "");
    EXPECT_TRUE(driver.Acted());
}

TEST(PickOpenFile, ShowsTitleAndFilterAndDisablesItsOwner) {
    const testing::TempFolder folder;
    const std::wstring file = MakeFile(folder, L"a.wav");
    const UniqueWindow owner = testing::MakeTestWindow(L"owner", true);
    std::wstring title;
    std::wstring filter;
    bool ownerEnabled = true;
    CommonDialogDriver driver(testing::kFileNameControlId, [&](HWND dialog) {
        title = testing::WindowText(dialog);
        filter = testing::WindowText(GetDlgItem(dialog, testing::kFileTypeControlId));
        ownerEnabled = IsWindowEnabled(owner.Get()) != FALSE;
        testing::ChooseFile(dialog, file);
    });
    EXPECT_EQ(PickOpenFile(kFilter, "选择声音文件", owner.Get()), WideToUtf8(file));
    EXPECT_EQ(title, L"选择声音文件");
    EXPECT_EQ(filter, L"声音文件(*.wav;*.mp3,*.wma)");
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner.Get()));
}

TEST(PickOpenFile, AMissingFileIsNotAccepted) {
    const testing::TempFolder folder;
    const std::wstring missing = MakeFile(folder, L"x.wav") + L".gone";
    // The dialog refuses the name and stays open; the test then cancels it.
    CommonDialogDriver driver(testing::kFileNameControlId, [&](HWND dialog) {
        testing::ChooseFile(dialog, missing);
        SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            // Close the "file not found" message, then the dialog itself.
            EnumThreadWindows(
                GetCurrentThreadId(),
                [](HWND window, LPARAM) -> BOOL {
                    wchar_t name[16] = {};
                    GetClassNameW(window, name, 16);
                    if (std::wstring(name) == L"#32770" && IsWindowVisible(window) != FALSE) {
                        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                    }
                    return TRUE;
                },
                0);
        });
    });
    EXPECT_EQ(PickOpenFile(kFilter, "选择声音文件"), "");
    EXPECT_TRUE(driver.Acted());
}

// Sets the colour dialog's red, green and blue fields and presses OK.
void ChooseRgb(HWND dialog, int red, int green, int blue) {
    SetDlgItemInt(dialog, testing::kColorRedEditId, red, FALSE);
    SetDlgItemInt(dialog, testing::kColorGreenEditId, green, FALSE);
    SetDlgItemInt(dialog, testing::kColorBlueEditId, blue, FALSE);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST(PickColor, ReturnsTheColourAsBgr) {
    const UniqueWindow owner = testing::MakeTestWindow(L"owner", true);
    {
        CommonDialogDriver driver(testing::kColorRedEditId,
                                  [](HWND dialog) { ChooseRgb(dialog, 255, 255, 255); });
        EXPECT_EQ(PickColor(owner.Get()), 16777215);
        EXPECT_TRUE(driver.Acted());
    }
    {
        CommonDialogDriver driver(testing::kColorRedEditId,
                                  [](HWND dialog) { ChooseRgb(dialog, 0x12, 0x34, 0x56); });
        EXPECT_EQ(PickColor(owner.Get()), 0x563412);
    }
}

TEST(PickColor, CancelGivesMinusOne) {
    const UniqueWindow owner = testing::MakeTestWindow(L"owner", true);
    CommonDialogDriver driver(testing::kColorRedEditId, &testing::CancelDialog);
    EXPECT_EQ(PickColor(owner.Get()), kNoColor);
    EXPECT_TRUE(driver.Acted());
}

}  // namespace
}  // namespace quorrin
