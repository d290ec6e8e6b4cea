// The state the timekeeper's pages show, read from the real engine on a fake clock.
#include "app/clock_snapshot.h"
#include "step_timer_view.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

struct ClockSnapshotTest : ::testing::Test {
    AppState state;
    StepTimerView view;
    CountdownEngine engine{state, view};

    void SetUp() override {
        ResetSettings(state);
        state.Presentations.At(2)->File = "答辩";
        state.Countdown.CurrentSlot = 2;
        state.Countdown.TotalSeconds = 90;
        state.Countdown.WarningSeconds = 30;
        state.Talk.Overtime = true;
        state.Countdown.ShowActive = true;
    }
    // Runs `steps` seconds, each delivered when due.
    void Step(int steps) {
        for (int n = 0; n < steps && view.stepDue; ++n) engine.OnStepTimer(*view.stepDue);
    }
    RemoteSnapshot Now() const { return ClockSnapshot(state, engine, "请总结"); }
};

TEST_F(ClockSnapshotTest, FollowsTheCountdownThroughWarningAndOvertime) {
    EXPECT_FALSE(Now().show);  // found, but not yet counting
    engine.Start(0);
    RemoteSnapshot now = Now();
    EXPECT_TRUE(now.show);
    EXPECT_EQ(now.presentation, "答辩");
    EXPECT_EQ(now.plannedSeconds, 90);
    EXPECT_EQ(now.remainingSeconds, 90);
    EXPECT_FALSE(now.warning);
    EXPECT_EQ(now.message, "请总结");

    Step(60);
    now = Now();
    EXPECT_EQ(now.remainingSeconds, 30);
    EXPECT_TRUE(now.warning);  // whether or not the clock shows the warning colour
    EXPECT_FALSE(now.overtime);

    Step(35);
    now = Now();
    EXPECT_TRUE(now.overtime);
    EXPECT_FALSE(now.warning);
    EXPECT_EQ(now.remainingSeconds, -5);

    engine.TogglePause(0);
    engine.ToggleHidden();
    now = Now();
    EXPECT_TRUE(now.paused);
    EXPECT_TRUE(now.hidden);

    engine.Stop();
    now = Now();
    EXPECT_FALSE(now.show);
    EXPECT_EQ(now.presentation, "");
    EXPECT_EQ(now.message, "请总结");  // the message outlives the show
}

}  // namespace
}  // namespace quorrin
