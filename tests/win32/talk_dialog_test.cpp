// The show controls dialog on real windows: its layout in each language at every scale.
// (What it saves is driven end to end in tests/e2e/talk_controls_test.sh.)
#include "dialogs/talk/talk_dialog_win32.h"

#include "settings/ini_store.h"
#include "win32/wide_text_win32.h"

#include "dialog_layout_check_win32.h"
#include "fake_dialog_host_win32.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace quorrin {
namespace {

TEST(TalkDialogLayout, NothingOverlapsOrIsClippedInAnyLanguageAtAnyScale) {
    const testing::TempFolder folder;
    AppState state;
    IniStore store(folder.EmptyFile("Config.ini"));
    ConfigFile config(state, store, nullptr);
    testing::FakeDialogHost host;
    // Every key shown as taken, so that the marks are laid out too.
    TalkDialog dialog(state, config, host, nullptr);
    for (const Language language : testing::kDialogTestLanguages) {
        const testing::LanguageScope speaking(language);
        ASSERT_TRUE(dialog.Open(GetModuleHandleW(nullptr)));
        for (size_t row = 0; row < kTalkKeyCount; ++row) {
            SetDlgItemTextW(dialog.Handle(), dialog.KeyMarkId(row),
                            Utf8ToWide(Text(TextId::TalkKeyTaken)).c_str());
        }
        for (const int dpi : testing::kDialogTestDpis) {
            testing::LayOutAtDpi(dialog.Handle(), dpi);
            EXPECT_EQ(testing::LayoutFaults(dialog.Handle(), dpi), std::vector<std::wstring>{})
                << testing::LanguageName(language) << " " << dpi;
        }
        dialog.Close();
    }
}

}  // namespace
}  // namespace quorrin
