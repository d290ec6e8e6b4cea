// 关于 Quorrin on the dialog kit without 保存: its layout at every scale, the one 关闭
// button that Enter and Esc press, and the texts it shows.
#include "dialogs/about/about_dialog_win32.h"

#include "quorrin_version.h"
#include "win32/wide_text_win32.h"

#include "common_dialog_driver_win32.h"
#include "dialog_layout_check_win32.h"
#include "fake_dialog_host_win32.h"
#include "message_pump_win32.h"

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
    bool PumpUntilClosed() {
        return testing::PumpUntil([&](const testing::PumpResult&) { return !dialog_.IsOpen(); })
            .done;
    }

    AppState state_;
    testing::FakeDialogHost host_;
    AboutDialog dialog_{state_, host_};
};

TEST_F(AboutDialogTest, ShowsTheVersionAndConfigIniAndNothingOverlapsAtAnyScale) {
    const HWND dialog = OpenDialog();
    EXPECT_EQ(testing::WindowText(Child(kAboutVersionId)), Utf8ToWide(QUORRIN_VERSION_TEXT));
    EXPECT_EQ(testing::WindowText(Child(kAboutConfigId)), L"C:\\程序\\Quorrin\\Config.ini");
    EXPECT_FALSE(testing::WindowText(Child(kAboutFolderId)).empty());
    for (const int dpi : testing::kDialogTestDpis) {
        testing::LayOutAtDpi(dialog, dpi);
        EXPECT_EQ(testing::OverlappingControls(dialog), std::vector<std::wstring>{}) << dpi;
    }
}

TEST_F(AboutDialogTest, OneCloseButtonHasTheFocusAndEnterOrEscClosesIt) {
    for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        OpenDialog();
        EXPECT_EQ(GetFocus(), Child(kAboutDoneId)) << key;
        EXPECT_EQ(testing::WindowText(Child(kAboutDoneId)), L"关闭");
        PostMessageW(GetFocus(), WM_KEYDOWN, key, 0);
        EXPECT_TRUE(PumpUntilClosed()) << key;
    }
    EXPECT_EQ(host_.closed, 2);
}

TEST_F(AboutDialogTest, WithoutAConfigPathThereIsNoFolderToOpen) {
    state_.General.ConfigPath.clear();
    OpenDialog();
    EXPECT_FALSE(IsWindowEnabled(Child(kAboutShowConfigId)));
}

}  // namespace
}  // namespace quorrin
