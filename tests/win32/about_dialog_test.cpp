// 关于 Quorrin on the dialog kit without 保存: the texts it shows and its layout at every
// scale (the keyboard is checked end to end, in dialog_keyboard_test).
#include "dialogs/about/about_dialog_win32.h"

#include "quorrin_version.h"
#include "win32/wide_text_win32.h"

#include "common_dialog_driver_win32.h"
#include "dialog_layout_check_win32.h"
#include "fake_dialog_host_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace quorrin {
namespace {

class AboutDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { state_.General.ConfigPath = "C:\\程序\\Quorrin\\Config.ini"; }

    HWND OpenDialog() {
        EXPECT_TRUE(dialog_.Open(GetModuleHandleW(nullptr)));
        return dialog_.Handle();
    }
    HWND Child(int id) const { return GetDlgItem(dialog_.Handle(), id); }

    AppState state_;
    testing::FakeDialogHost host_;
    AboutDialog dialog_{state_, host_};
};

TEST_F(AboutDialogTest, ShowsTheVersionAndConfigIniLaidOutInBothLanguagesAtAnyScale) {
    for (const Language language : testing::kDialogTestLanguages) {
        const testing::LanguageScope speaking(language);
        const HWND dialog = OpenDialog();
        EXPECT_EQ(testing::WindowText(Child(kAboutVersionId)), Utf8ToWide(QUORRIN_VERSION_TEXT));
        EXPECT_EQ(testing::WindowText(Child(kAboutConfigId)), L"C:\\程序\\Quorrin\\Config.ini");
        EXPECT_FALSE(testing::WindowText(Child(kAboutFolderId)).empty());
        for (const int dpi : testing::kDialogTestDpis) {
            testing::LayOutAtDpi(dialog, dpi);
            EXPECT_EQ(testing::LayoutFaults(dialog, dpi), std::vector<std::wstring>{})
                << testing::LanguageName(language) << " " << dpi;
        }
        dialog_.Close();
    }
}

TEST_F(AboutDialogTest, TheValuesLineUpWithTheButtonUnderConfigIniBetweenItsRows) {
    OpenDialog();
    const auto place = [&](int id) {
        RECT rect{};
        GetWindowRect(Child(id), &rect);
        return rect;
    };
    const RECT config = place(kAboutConfigId);
    const RECT button = place(kAboutShowConfigId);
    const RECT autostart = place(kAboutAutostartId);
    EXPECT_EQ(place(kAboutVersionId).left, config.left);
    EXPECT_EQ(button.left, config.left);
    EXPECT_EQ(autostart.left, config.left);
    EXPECT_GE(button.top, config.bottom);
    EXPECT_GE(autostart.top, button.bottom);
    EXPECT_LT(place(kAboutAutostartCaptionId).right, autostart.left);
}

TEST_F(AboutDialogTest, WithoutAConfigPathThereIsNoFolderToOpen) {
    state_.General.ConfigPath.clear();
    OpenDialog();
    EXPECT_FALSE(IsWindowEnabled(Child(kAboutShowConfigId)));
}

}  // namespace
}  // namespace quorrin
