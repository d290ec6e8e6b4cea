// The row a talk leaves, with the real countdown engine driven by a fake clock and the
// recorder fed as the program feeds it: each kind of end, pauses, overtime, a resumed count.
#include "countdown/countdown_engine.h"
#include "history/talk_recorder.h"
#include "step_timer_view.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

constexpr LocalDateTime kStart{2026, 12, 8, 9, 30, 5};

struct TalkRecording : ::testing::Test {
    AppState state;
    StepTimerView view;
    CountdownEngine engine{state, view};
    TalkRecorder recorder;
    Millis now = 0;
    std::optional<HistoryRow> row;

    void SetUp() override {
        ResetSettings(state);
        state.Presentations.At(3)->File = "年终总结, 第二版";
        state.Countdown.CurrentSlot = 3;
        state.Countdown.TotalSeconds = 120;
        state.General.ResetTime = true;
        state.General.SameMode = false;
    }
    void StartShow() {
        engine.Start(now);
        recorder.Begin(now, TalkStartOf(state, kStart));
    }
    // Delivers each step on time, as the program does; a countdown that stops by itself is
    // the time running out.
    void RunFor(Millis duration) {
        const Millis until = now + duration;
        while (view.stepDue && *view.stepDue <= until) {
            now = *view.stepDue;
            engine.OnStepTimer(now);
            recorder.OnClockStep(engine.OvertimeSeconds());
            if (!engine.Counting() && !row) row = recorder.Finish(now, TalkEnd::TimeUp);
        }
        now = until;
    }
    void TogglePause() {
        engine.TogglePause(now);
        recorder.SetPaused(now, engine.Paused());
    }
    void EndShow(TalkEnd end) {
        engine.Stop();
        if (auto last = recorder.Finish(now, end)) row = last;
    }
};

TEST_F(TalkRecording, TimeRunningOutWritesTimeUpOnceEvenWhenTheShowClosesAfter) {
    state.Talk.Overtime = false;
    StartShow();
    RunFor(200'000);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->end, TalkEnd::TimeUp);
    EXPECT_EQ(row->presentation, "年终总结, 第二版");
    EXPECT_EQ(row->start, kStart);
    EXPECT_EQ(row->plannedSeconds, 120);
    EXPECT_EQ(row->actualSeconds, 121);  // 02:00 down to 00:00, then the step past zero
    EXPECT_EQ(row->overtimeSeconds, 0);
    EXPECT_FALSE(row->resumedFromSeconds);
    // The show that the end closed goes afterwards: no second row.
    EXPECT_FALSE(recorder.Finish(now, TalkEnd::ShowEnded));
}

TEST_F(TalkRecording, OvertimeAndPausesEndWithTheShow) {
    state.Talk.Overtime = true;
    StartShow();
    RunFor(30'500);
    TogglePause();
    RunFor(45'000);  // paused: the clock holds
    TogglePause();
    recorder.SetPaused(now, false);  // a repeated resume changes nothing
    RunFor(100'000);
    EndShow(TalkEnd::ShowEnded);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->end, TalkEnd::ShowEnded);
    EXPECT_EQ(row->pausedSeconds, 45);
    EXPECT_EQ(row->actualSeconds, 130);
    // The count restarts a full second after the resume: zero at 165.5 s, and the ten steps
    // from 166.5 s to 175.5 s are past it.
    EXPECT_EQ(row->overtimeSeconds, 10);
}

TEST_F(TalkRecording, AMinuteAddedInOvertimeKeepsTheOvertimeBeforeIt) {
    state.Talk.Overtime = true;
    StartShow();
    RunFor(130'000);  // 10 s over
    engine.AddTime(kAdjustStepSeconds);
    RunFor(65'000);  // the minute, then 5 s over again
    EndShow(TalkEnd::ProgramExit);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->end, TalkEnd::ProgramExit);
    EXPECT_EQ(row->overtimeSeconds, 10 + 5);
    EXPECT_EQ(row->actualSeconds, 195);
}

TEST_F(TalkRecording, ProgramExitWhilePausedCountsThePauseToTheEnd) {
    StartShow();
    RunFor(10'000);
    TogglePause();
    now += 7'999;
    EndShow(TalkEnd::ProgramExit);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->actualSeconds, 10);
    EXPECT_EQ(row->pausedSeconds, 7);
}

TEST_F(TalkRecording, ResumedCountdownAndSharedTimingAreNamedAsTheTimingList) {
    state.General.ResetTime = false;
    state.Presentations.At(3)->TimeFree = 50;
    StartShow();
    EndShow(TalkEnd::ShowEnded);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->resumedFromSeconds, 50);

    state.General.SameMode = true;
    EXPECT_EQ(TalkStartOf(state, kStart).presentation, kAllPresentationsLabel);
    state.General.SameMode = false;
    state.Countdown.CurrentSlot = 0;
    EXPECT_EQ(TalkStartOf(state, kStart).presentation, kAllPresentationsLabel);
}

TEST(TalkRecorder, NothingBegunGivesNoRowAndABeginForgetsTheLastTalk) {
    TalkRecorder recorder;
    EXPECT_FALSE(recorder.Finish(1000, TalkEnd::ShowEnded));
    recorder.Begin(0, TalkStart{kStart, "a", 60, 60});
    recorder.SetPaused(1000, true);
    recorder.OnClockStep(9);
    recorder.Begin(5000, TalkStart{kStart, "b", 60, 60});
    const auto row = recorder.Finish(8000, TalkEnd::ShowEnded);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->presentation, "b");
    EXPECT_EQ(row->actualSeconds, 3);
    EXPECT_EQ(row->pausedSeconds, 0);
    EXPECT_EQ(row->overtimeSeconds, 0);
}

}  // namespace
}  // namespace quorrin
