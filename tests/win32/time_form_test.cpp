// The main window: hidden, no task-bar button, a slide-show watch on its timer, and the
// ways it is ended.
#include "app/time_form_win32.h"

#include "message_pump_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace quorrin {
namespace {

using testing::PumpResult;
using testing::PumpUntil;

constexpr WindowId kShowId = 0x5150;
constexpr WindowId kPlainId = 0x5160;

// A scripted desktop: the windows the test puts there, and a count of detection passes.
class ScriptedWalk final : public WindowWalk {
  public:
    std::vector<std::pair<WindowId, std::string>> windows;
    int passes = 0;

    WindowId First() override {
        ++passes;
        return windows.empty() ? 0 : windows.front().first;
    }
    WindowId Next(WindowId window) override {
        for (size_t i = 0; i + 1 < windows.size(); ++i) {
            if (windows[i].first == window) return windows[i + 1].first;
        }
        return 0;
    }
    std::string Title(WindowId window) override {
        for (const auto& [id, title] : windows) {
            if (id == window) return title;
        }
        return {};
    }
};

class TimeFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state_.General.SameMode = true;
        PresentationSlot shared;
        shared.TimeCnt = 600;
        state_.Presentations.Store(0, shared);
        ASSERT_TRUE(form_.Create(GetModuleHandleW(nullptr)));
    }

    // Lets the timer run `count` more detection passes.
    PumpResult RunPasses(int count) {
        const int target = walk_.passes + count;
        return PumpUntil([&](const PumpResult&) { return walk_.passes >= target; });
    }

    AppState state_;
    ScriptedWalk walk_;
    TimeForm form_{state_, walk_};
};

TEST_F(TimeFormTest, IsAHiddenToolWindow) {
    const HWND window = form_.Handle();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
    EXPECT_NE(GetWindowLongPtrW(window, GWL_STYLE) & WS_POPUP, 0);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    EXPECT_STREQ(className, kTimeFormClassName);
}

TEST_F(TimeFormTest, FollowsAShowAppearingAndGoing) {
    walk_.windows = {{kPlainId, "notes.txt - Editor"}};
    ASSERT_TRUE(RunPasses(2).done);
    EXPECT_FALSE(state_.Countdown.ShowActive);

    walk_.windows.insert(walk_.windows.begin(), {kShowId, "PowerPoint 幻灯片放映 - a.pptx"});
    ASSERT_TRUE(RunPasses(1).done);
    EXPECT_TRUE(state_.Countdown.ShowActive);
    EXPECT_EQ(state_.Countdown.SlideShowWindow, kShowId);
    EXPECT_EQ(state_.Countdown.TotalSeconds, 600);

    ASSERT_TRUE(RunPasses(2).done);
    EXPECT_TRUE(state_.Countdown.ShowActive);

    walk_.windows.erase(walk_.windows.begin());
    ASSERT_TRUE(RunPasses(1).done);
    EXPECT_FALSE(state_.Countdown.ShowActive);
}

TEST_F(TimeFormTest, WatchesAboutTenTimesASecond) {
    ASSERT_TRUE(RunPasses(1).done);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(RunPasses(10).done);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(800));
    EXPECT_LE(elapsed, std::chrono::milliseconds(3000));
}

TEST_F(TimeFormTest, CloseEndsTheMessageLoop) {
    PostMessageW(form_.Handle(), WM_CLOSE, 0, 0);
    const PumpResult result = PumpUntil([](const PumpResult& r) { return r.quit; });
    ASSERT_TRUE(result.done);
    EXPECT_EQ(result.quitCode, 0u);
    EXPECT_EQ(form_.Handle(), nullptr);
}

TEST_F(TimeFormTest, EndOfSessionEndsIt) {
    const HWND window = form_.Handle();
    SendMessageW(window, WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(IsWindow(window)) << "a cancelled end of session must not end the program";

    SendMessageW(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(PumpUntil([](const PumpResult& r) { return r.quit; }).done);
}

}  // namespace
}  // namespace quorrin
