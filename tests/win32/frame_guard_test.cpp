// The exception boundary at the Win32 frames: a handler that throws neither unwinds through
// the system nor stops the window; the failure is logged with its place, and a settings
// dialog whose handler threw closes as 取消 does.
#include "dialogs/kit/settings_dialog_win32.h"
#include "win32/debug_log_win32.h"
#include "win32/window_base_win32.h"

#include "fake_dialog_host_win32.h"
#include "log_capture_win32.h"
#include "message_pump_win32.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace quorrin {
namespace {

constexpr UINT kThrowMessage = WM_APP + 7;
constexpr UINT kPingMessage = WM_APP + 8;
constexpr LRESULT kPong = 42;

using testing::LogCapture;

class ThrowingWindow : public WindowBase {
  public:
    bool Create() {
        WindowClassSpec windowClass;
        windowClass.className = L"Quorrin.FrameGuardTest";
        WindowPlacement placement;
        placement.width = 100;
        placement.height = 50;
        return CreateFromSpec(GetModuleHandleW(nullptr), windowClass, placement);
    }
    int throws = 0;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kThrowMessage) {
            ++throws;
            throw std::runtime_error("handler failed on purpose");
        }
        if (message == kPingMessage) return kPong;
        return DefaultHandling(message, wParam, lParam);
    }
};

// The place comes from the caller, not from the log's own file; the last error is read
// before anything can change it.
TEST(LogLastError, NamesTheCallersFileAndLineThenTheCallAndTheSystemsCode) {
    LogCapture log;
    SetLastError(ERROR_ACCESS_DENIED);
    const std::wstring line = std::to_wstring(__LINE__ + 1);
    LogLastError(L"OpenThing for a test");
    ASSERT_EQ(log.Logged().size(), 1u);
    const std::wstring& text = log.Logged()[0];
    EXPECT_NE(
        text.find(L"frame_guard_test.cpp:" + line + L": OpenThing for a test: failed, error 5: "),
        std::wstring::npos)
        << text;
    EXPECT_EQ(text.find(L"debug_log"), std::wstring::npos) << text;
    EXPECT_GT(text.size(), text.find(L"error 5: ") + 9) << "the system's text follows";
}

TEST(FrameGuardTest, AWindowWhoseHandlerThrowsCarriesOn) {
    LogCapture log;
    ThrowingWindow window;
    ASSERT_TRUE(window.Create());

    // Sent: the exception would otherwise come out of SendMessageW into this test.
    EXPECT_EQ(SendMessageW(window.Handle(), kThrowMessage, 0, 0), 0);
    EXPECT_TRUE(log.Holds(L"window procedure: stopped an exception: handler failed on purpose"));

    // Posted: the loop that dispatched it goes on to the next message.
    PostMessageW(window.Handle(), kThrowMessage, 0, 0);
    PostMessageW(window.Handle(), kThrowMessage, 0, 0);
    EXPECT_TRUE(
        testing::PumpUntil([&](const testing::PumpResult&) { return window.throws == 3; }).done);
    ASSERT_TRUE(IsWindow(window.Handle()));
    EXPECT_EQ(SendMessageW(window.Handle(), kPingMessage, 0, 0), kPong);
}

// A settings dialog with one control, whose notification throws.
class ThrowingDialog : public SettingsDialog {
  public:
    explicit ThrowingDialog(DialogHost& host) : SettingsDialog(&host, nullptr) {}
    static constexpr int kFaultyId = 300;
    HWND Faulty() const { return GetDlgItem(Handle(), kFaultyId); }

  protected:
    DialogFrameSpec Frame() const override {
        return {.className = L"Quorrin.FrameGuardDialog",
                .clientWidthTwips = 3000,
                .clientHeightTwips = 2000,
                .closeLeftTwips = 2700,
                .buttonsTopTwips = 1400,
                .saveLeftTwips = 300,
                .cancelLeftTwips = 1600};
    }
    void MakeControls() override {
        AddButton(kFaultyId, L"Faulty", TwipRect{300, 500, 1200, 400}, kDefaultOverColor);
    }
    void LoadValues() override {}
    void OnControl(int id, int code) override {
        if (id == kFaultyId && code == BN_CLICKED) throw std::logic_error("dialog handler");
    }
};

TEST(FrameGuardTest, ASettingsDialogWhoseHandlerThrowsCloses) {
    LogCapture log;
    testing::FakeDialogHost host;
    ThrowingDialog dialog(host);
    ASSERT_TRUE(dialog.Open(GetModuleHandleW(nullptr)));
    ASSERT_NE(dialog.Faulty(), nullptr);

    SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(ThrowingDialog::kFaultyId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(dialog.Faulty()));
    EXPECT_TRUE(log.Holds(L"dialog handler"));
    EXPECT_TRUE(
        testing::PumpUntil([&](const testing::PumpResult&) { return !dialog.IsOpen(); }).done);
    EXPECT_EQ(host.closed, 1);
}

}  // namespace
}  // namespace quorrin
