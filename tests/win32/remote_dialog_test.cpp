// The timekeeper dialog on real windows: its layout with four long addresses in each
// language at every scale (the links whole in their fields), the keys it shows and saves,
// 复制, 新链接, and a port it refuses. (The keyboard and Config.ini of the running program
// are driven end to end in tests/e2e/remote_dialog_test.sh.)
#include "dialogs/remote/remote_dialog_win32.h"

#include "settings/ini_store.h"
#include "win32/gdi_scope_win32.h"
#include "win32/wide_text_win32.h"

#include "common_dialog_driver_win32.h"
#include "dialog_layout_check_win32.h"
#include "fake_dialog_host_win32.h"
#include "message_pump_win32.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace quorrin {
namespace {

using testing::PumpResult;
using testing::PumpUntil;
using testing::WindowText;

class FakeRemote final : public RemoteControl {
  public:
    std::wstring ApplyRemoteSettings() override {
        ++applied;
        return reason;
    }
    int applied = 0;
    std::wstring reason;
};

// Random bytes that are all `next`, one more for each key asked.
RandomBytes Counting(unsigned char& next) {
    return [&next](std::span<unsigned char> bytes) {
        std::fill(bytes.begin(), bytes.end(), next);
        ++next;
    };
}

std::wstring ClipboardText() {
    std::wstring text;
    if (OpenClipboard(nullptr) == FALSE) return L"(no clipboard)";
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

class RemoteDialogTest : public ::testing::Test {
  protected:
    RemoteDialog& Open(std::vector<std::string> addresses) {
        dialog_ = std::make_unique<RemoteDialog>(state_, config_, host_, remote_, Counting(next_),
                                                 [addresses] { return addresses; });
        EXPECT_TRUE(dialog_->Open(GetModuleHandleW(nullptr)));
        return *dialog_;
    }
    HWND Child(int id) const { return GetDlgItem(dialog_->Handle(), id); }
    std::wstring Text(int id) const { return WindowText(Child(id)); }
    void Press(int id) {
        PostMessageW(dialog_->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Child(id)));
    }
    // Presses `id` and answers the message box it shows; its text.
    std::wstring PressAndAnswer(int id) {
        constexpr int kMessageTextId = 0xFFFF;
        std::wstring said;
        testing::CommonDialogDriver box(kMessageTextId, [&](HWND window) {
            said = WindowText(GetDlgItem(window, kMessageTextId));
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        });
        Press(id);
        PumpUntil([&](const PumpResult&) { return box.Acted(); });
        PumpUntil([](const PumpResult&) { return true; });
        return said;
    }
    std::string Saved(const char* key) const { return IniStore(path_).Read("Remote", key, "-"); }

    testing::TempFolder folder_;
    std::string path_ = folder_.EmptyFile("Config.ini");
    AppState state_;
    IniStore store_{path_};
    ConfigFile config_{state_, store_, nullptr};
    testing::FakeDialogHost host_;
    FakeRemote remote_;
    unsigned char next_ = 0;
    std::unique_ptr<RemoteDialog> dialog_;
};

TEST_F(RemoteDialogTest, NothingOverlapsOrIsClippedAndTheLinksFitTheirFields) {
    for (const Language language : testing::kDialogTestLanguages) {
        const testing::LanguageScope speaking(language);
        RemoteDialog& dialog = Open({"255.255.255.251", "255.255.255.252", "255.255.255.253",
                                     "255.255.255.254", "255.255.255.255"});
        ASSERT_EQ(dialog.AddressCount(), kMostLinkAddresses);
        SetWindowTextW(Child(dialog.PortId()), L"65535");
        for (const int dpi : testing::kDialogTestDpis) {
            testing::LayOutAtDpi(dialog.Handle(), dpi);
            EXPECT_EQ(testing::LayoutFaults(dialog.Handle(), dpi), std::vector<std::wstring>{})
                << testing::LanguageName(language) << " " << dpi;
            const HWND link = Child(dialog.LinkId(kMostLinkAddresses - 1, LinkKind::Control));
            const std::wstring text = WindowText(link);
            ASSERT_NE(text.find(L":65535/c/"), std::wstring::npos) << text;
            WindowDcScope dc(link);
            ScopedSelectObject font(dc.Dc(),
                                    reinterpret_cast<HFONT>(SendMessageW(link, WM_GETFONT, 0, 0)));
            SIZE size{};
            GetTextExtentPoint32W(dc.Dc(), text.c_str(), static_cast<int>(text.size()), &size);
            RECT room{};
            SendMessageW(link, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
            EXPECT_LE(size.cx, room.right - room.left) << dpi << " " << text;
        }
        dialog.Close();
    }
}

TEST_F(RemoteDialogTest, ShowsWorkingLinksCopiesThemAndNewLinksReplaceBothKeysAtOnce) {
    state_.Remote.ViewKey = "too-short";  // neither key can be used: new ones are shown
    RemoteDialog& dialog = Open({"127.0.0.1", "192.168.1.20"});
    ASSERT_EQ(dialog.AddressCount(), 1u);
    const std::wstring zeros(22, L'A'), ones = L"AQEBAQEBAQEBAQEBAQEBAQ";
    EXPECT_EQ(Text(dialog.LinkId(0, LinkKind::View)), L"http://192.168.1.20:8217/v/" + zeros);
    EXPECT_EQ(Text(dialog.LinkId(0, LinkKind::Control)), L"http://192.168.1.20:8217/c/" + ones);
    EXPECT_EQ(Saved("ViewKey"), "-") << "nothing is saved by opening";

    // The links follow the port as it is typed; 复制 puts the link shown on the clipboard,
    // and a link given out must work even if the dialog is cancelled: its keys are saved
    // and served, the port typed waits for 保存.
    SetWindowTextW(Child(dialog.PortId()), L"9000");
    Press(dialog.CopyId(0, LinkKind::Control));
    ASSERT_TRUE(PumpUntil([&](const PumpResult&) { return remote_.applied == 1; }).done);
    EXPECT_EQ(ClipboardText(), L"http://192.168.1.20:9000/c/" + ones);
    EXPECT_EQ(Saved("ViewKey"), std::string(zeros.begin(), zeros.end()));
    EXPECT_EQ(Saved("ControlKey"), std::string(ones.begin(), ones.end()));
    Press(dialog.CopyId(0, LinkKind::View));
    PumpUntil([](const PumpResult&) { return true; });
    EXPECT_EQ(remote_.applied, 1) << "stored keys are not saved again";

    // 新链接: both keys new, saved at once over the stored port, and the server told.
    Press(dialog.NewLinksId());
    ASSERT_TRUE(PumpUntil([&](const PumpResult&) { return remote_.applied == 2; }).done);
    EXPECT_EQ(Saved("ViewKey"), "AgICAgICAgICAgICAgICAg");
    EXPECT_EQ(Saved("ControlKey"), "AwMDAwMDAwMDAwMDAwMDAw");
    EXPECT_EQ(Saved("Port"), "8217") << "the port typed waits for 保存";
    EXPECT_EQ(Text(dialog.LinkId(0, LinkKind::View)),
              L"http://192.168.1.20:9000/v/AgICAgICAgICAgICAgICAg");

    // 保存 with the box ticked; the reason the server gives is shown, the settings stay.
    SendMessageW(Child(dialog.EnabledId()), BM_CLICK, 0, 0);
    remote_.reason = L"端口已被占用";
    EXPECT_NE(PressAndAnswer(kDialogSaveId).find(L"端口已被占用"), std::wstring::npos);
    EXPECT_FALSE(dialog.IsOpen());
    EXPECT_EQ(remote_.applied, 3);
    EXPECT_EQ(Saved("Enabled"), "True");
    EXPECT_EQ(Saved("Port"), "9000");
    EXPECT_EQ(Saved("ControlKey"), "AwMDAwMDAwMDAwMDAwMDAw");
    EXPECT_TRUE(state_.Remote.Enabled);
}

TEST_F(RemoteDialogTest, APortOutsideOneTo65535IsRefusedAndTheDialogStaysOpen) {
    for (const wchar_t* port : {L"0", L"65536", L"", L"999999999"}) {
        RemoteDialog& dialog = Open({});
        EXPECT_EQ(Text(dialog.LinkId(0, LinkKind::View)).rfind(L"http://127.0.0.1:8217/v/", 0), 0u);
        SetWindowTextW(Child(dialog.PortId()), port);
        EXPECT_NE(PressAndAnswer(kDialogSaveId), L"") << port;
        EXPECT_TRUE(dialog.IsOpen()) << port;
        EXPECT_EQ(Saved("Port"), "-") << port;
        EXPECT_EQ(remote_.applied, 0);
        dialog.Close();
    }
}

}  // namespace
}  // namespace quorrin
