// The timekeeper's message beside the real clock windows, driven through the countdown
// engine as a show drives it: placed next to the clock inside the work area, never taking
// the keyboard, kept through the presenter's hide key, dismissed by a click.
#include "clock/clock_view_win32.h"
#include "clock/main_clock_window_win32.h"
#include "clock/monitors_win32.h"
#include "clock/speaker_message_layout.h"
#include "settings/ini_store.h"
#include "win32/wide_text_win32.h"

#include "temp_folder.h"
#include "test_window_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace quorrin {
namespace {

class NoEvents final : public MainClockEvents {
  public:
    void OnClockTimer(ClockTimer) override {}
    bool OnProgramMessage(UINT, WPARAM, LPARAM) override { return false; }
    void OnMenuRequested(POINT) override {}
    void OnClockDragged() override {}
    void OnDisplaySettingsChanged() override {}
    void OnClockClosing() override {}
};

BOOL CALLBACK AddVisibleMessage(HWND window, LPARAM list) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) == kSpeakerMessageClassName && IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

std::vector<HWND> VisibleMessages() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), AddVisibleMessage, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

RECT RectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

class SpeakerMessageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state_.Style = DefaultStyle();
        state_.Countdown.TotalSeconds = 600;
        state_.General.TimeMode = 1;  // the clock holds its time: no step timer in the test
        RecordMonitorWorkAreas(state_);
        ASSERT_TRUE(clock_.Create(GetModuleHandleW(nullptr), nullptr, MonitorDpis(state_)));
        view_.OnMessageDismissed([this] { ++dismissed_; });
    }

    // The one message (one monitor), checked to lie beside the main clock inside the work
    // area: below it or above it, flush with its left or right edge.
    HWND CheckedMessage() {
        const std::vector<HWND> shown = VisibleMessages();
        EXPECT_EQ(shown.size(), 1u);
        if (shown.size() != 1) return nullptr;
        const RECT message = RectOf(shown[0]);
        const RECT clock = RectOf(clock_.Handle());
        const WorkArea& work = state_.PrimaryWorkArea;
        EXPECT_GE(message.left, work.left);
        EXPECT_GE(message.top, work.top);
        EXPECT_LE(message.right, work.right);
        EXPECT_LE(message.bottom, work.bottom);
        EXPECT_LE(message.right - message.left, MaxMessageWidth(work));
        const int32_t gap = TwipsToPixels(kMessageGapTwips, clock_.Dpi());
        EXPECT_TRUE(message.top == clock.bottom + gap || message.bottom == clock.top - gap);
        EXPECT_TRUE(message.left == clock.left || message.right == clock.right);
        return shown[0];
    }

    testing::TempFolder folder_;
    std::string configPath_ = folder_.EmptyFile("Config.ini");
    AppState state_;
    IniStore store_{configPath_};
    ConfigFile config_{state_, store_, [](const std::string&) {}};
    NoEvents events_;
    MainClockWindow clock_{state_, events_};
    ClockView view_{state_, config_, clock_, clock_.Copies()};
    CountdownEngine engine_{state_, view_};
    int dismissed_ = 0;
};

TEST_F(SpeakerMessageTest, WaitsForTheShowAndNeverTakesTheKeyboard) {
    const UniqueWindow show = testing::MakeTestWindow(testing::UniqueTag(L"show"), true);
    SetForegroundWindow(show.Get());
    const HWND foreground = GetForegroundWindow();

    view_.ShowMessage("请总结");
    EXPECT_TRUE(VisibleMessages().empty()) << "no show yet";
    engine_.Start(0);
    const HWND message = CheckedMessage();
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(TextOf(message), L"请总结");
    const LONG_PTR exStyle = GetWindowLongPtrW(message, GWL_EXSTYLE);
    const LONG_PTR needed = WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    EXPECT_EQ(exStyle & needed, needed);
    EXPECT_EQ(SendMessageW(message, WM_MOUSEACTIVATE, 0, 0), MA_NOACTIVATE);
    EXPECT_EQ(GetForegroundWindow(), foreground);

    // The presenter hides the clock: the message stays where it was.
    const RECT before = RectOf(message);
    engine_.ToggleHidden();
    EXPECT_FALSE(IsWindowVisible(clock_.Handle()));
    ASSERT_EQ(VisibleMessages().size(), 1u);
    EXPECT_EQ(RectOf(message).top, before.top);
    // A dialog on its monitor takes the message away while it is open; the clock the
    // presenter hid stays hidden after.
    view_.HidePrimaryClock();
    EXPECT_TRUE(VisibleMessages().empty());
    view_.ShowPrimaryClock(false);
    EXPECT_EQ(VisibleMessages().size(), 1u);
    EXPECT_FALSE(IsWindowVisible(clock_.Handle()));

    // The show ends: the message goes, and comes back with the next show's clock.
    engine_.Stop();
    EXPECT_TRUE(VisibleMessages().empty());
    engine_.Start(0);
    EXPECT_EQ(TextOf(CheckedMessage()), L"请总结");
    EXPECT_EQ(GetForegroundWindow(), foreground);
    EXPECT_EQ(dismissed_, 0);
}

TEST_F(SpeakerMessageTest, AClickDismissesItAndAnEmptyMessageHidesIt) {
    engine_.Start(0);
    view_.ShowMessage("Please wrap up");
    const HWND message = CheckedMessage();
    ASSERT_NE(message, nullptr);
    SendMessageW(message, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(IsWindowVisible(message)) << "gone only at the release";
    SendMessageW(message, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(VisibleMessages().empty());
    EXPECT_EQ(dismissed_, 1);
    // A release without a press on it (a drag that ended there) is no click.
    view_.ShowMessage("Five minutes left");
    ASSERT_EQ(VisibleMessages().size(), 1u);
    SendMessageW(VisibleMessages()[0], WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(VisibleMessages().size(), 1u);
    view_.ShowMessage(" ");
    EXPECT_TRUE(VisibleMessages().empty());
    EXPECT_EQ(dismissed_, 1) << "the timekeeper's own clearing is no dismissal";
}

TEST_F(SpeakerMessageTest, LongTextWrapsBesideAClockInEveryCorner) {
    const std::string longText =
        "The next speaker is waiting: please take the last two questions and close the "
        "session now";  // cut short after "the"
    view_.ShowMessage(longText);
    for (const uint8_t corner : {0, 1, 2, 3}) {
        state_.Style.showPos = corner;
        engine_.Start(0);
        const HWND message = CheckedMessage();
        ASSERT_NE(message, nullptr) << int(corner);
        EXPECT_EQ(TextOf(message), Utf8ToWide(MessageText(longText)));
        EXPECT_TRUE(TextOf(message).ends_with(L"the…"));
        // Wrapped onto more than one line, even of the least font.
        const int32_t dpi = clock_.Dpi();
        const int32_t twoLines = 2 * PointsToPixels(kLeastMessageFontPoints, dpi) +
                                 2 * TwipsToPixels(kMessageMarginTwips, dpi);
        EXPECT_GT(RectOf(message).bottom - RectOf(message).top, twoLines) << int(corner);
        engine_.Stop();
    }
}

}  // namespace
}  // namespace quorrin
