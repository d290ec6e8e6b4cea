#include "countdown/countdown_engine.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace quorrin {
namespace {

// Records what the engine asks for, with the fake clock's time of each request.
class FakeView : public CountdownView {
  public:
    Millis now = 0;
    bool visible = false;
    std::optional<Millis> stepDue;
    bool flashTimer = false;
    std::vector<std::pair<Millis, std::string>> shown;
    std::vector<std::string> saves;  // "<mode>/<slot>/<seconds>"
    int beeps = 0;
    int closes = 0;
    int layouts = 0;
    int keepOnTop = 0;
    std::vector<std::string> played;

    void ShowTime(const std::string& text) override { shown.emplace_back(now, text); }
    void LayoutWindows() override { ++layouts; }
    void ShowWindows() override { visible = true; }
    void HideWindows() override { visible = false; }
    bool WindowsVisible() const override { return visible; }
    void SetClockUp(bool up) override { clockUp = up; }
    bool clockUp = false;
    void KeepOnTop() override { ++keepOnTop; }
    void SaveRemainingTime(bool sameMode, int32_t slot, int32_t seconds) override {
        saves.push_back((sameMode ? "N/" : "P/") + std::to_string(slot) + "/" +
                        std::to_string(seconds));
    }
    void Beep() override { ++beeps; }
    void PlaySound(const std::string& path) override { played.push_back(path); }
    void CloseSlideShow() override { ++closes; }
    void ArmStepTimer(Millis dueAt) override { stepDue = dueAt; }
    void StopStepTimer() override { stepDue.reset(); }
    void SetFlashTimer(bool on) override { flashTimer = on; }
    void SetTone(ClockTone t) override { tone = t; }
    ClockTone tone = ClockTone::Normal;

    std::string LastShown() const { return shown.empty() ? "" : shown.back().second; }
};

struct Countdown : ::testing::Test {
    AppState state;
    FakeView view;
    CountdownEngine engine{state, view};
    Millis nextFlash = 0;

    void SetUp() override {
        ResetSettings(state);
        state.Countdown.TotalSeconds = 600;
        state.Countdown.WarningSeconds = 30;
        state.Countdown.FlashOnWarning = true;
        state.Countdown.CloseAtEnd = true;
    }

    void Start() {
        engine.Start(view.now);
        nextFlash = view.now + kFlashStepMs;
    }

    // Runs the clock to `until`, delivering each timer message on time.
    void RunUntil(Millis until) {
        while (true) {
            Millis next = until + 1;
            if (view.stepDue) next = std::min(next, *view.stepDue);
            if (view.flashTimer) next = std::min(next, nextFlash);
            if (next > until) break;
            view.now = next;
            const bool flashWasOn = view.flashTimer;
            if (view.stepDue && *view.stepDue == next) engine.OnStepTimer(next);
            if (!flashWasOn) {
                nextFlash = view.now + kFlashStepMs;  // a timer starts counting when enabled
            } else if (view.flashTimer && nextFlash == next) {
                engine.OnFlashTimer();
                nextFlash += kFlashStepMs;
            }
        }
        view.now = until;
    }
    void RunSeconds(int seconds) { RunUntil(view.now + seconds * kCountdownStepMs); }
};

TEST_F(Countdown, FreshStartShowsFullTimeThenSavesEachSecond) {
    state.General.SameMode = true;
    Start();
    EXPECT_EQ(view.LastShown(), "10:00");
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.layouts, 1);
    RunSeconds(1);
    EXPECT_EQ(view.LastShown(), "09:59");
    EXPECT_EQ(view.saves, std::vector<std::string>{"N/0/599"});
    EXPECT_EQ(state.Presentations.At(0)->TimeFree, 599);
    EXPECT_GE(view.keepOnTop, 1);
}

TEST_F(Countdown, ClockShowsTotalMinutesForLongTalks) {
    EXPECT_EQ(RemainingTimeText(5400), "90:00");
    EXPECT_EQ(RemainingTimeText(3725), "62:05");
    EXPECT_EQ(RemainingTimeText(600), "10:00");
    EXPECT_EQ(RemainingTimeText(59), "00:59");
    state.Countdown.TotalSeconds = 5400;
    Start();
    EXPECT_EQ(view.LastShown(), "90:00");
    RunSeconds(1);
    EXPECT_EQ(view.saves.back(), "N/0/5399");  // written as 01:29:59
}

TEST_F(Countdown, ResumesListSlotFromItsSavedTime) {
    state.General.ResetTime = false;
    state.General.SameMode = false;
    PresentationSlot slot2;
    slot2.TimeCnt = 1200;
    slot2.TimeFree = 125;
    state.Presentations.Store(2, slot2);
    state.Countdown.CurrentSlot = 2;
    state.Countdown.TotalSeconds = 1200;
    Start();
    EXPECT_EQ(view.LastShown(), "02:05");
    RunSeconds(1);
    EXPECT_EQ(view.saves, std::vector<std::string>{"P/2/124"});
    EXPECT_EQ(state.Presentations.At(2)->TimeFree, 124);
}

TEST_F(Countdown, SharedTimingResumesOnlyTheSameTitleAndNeverFromZero) {
    state.General.ResetTime = false;
    state.General.SameMode = true;
    state.Presentations.At(0)->TimeFree = 200;
    state.Countdown.TitleChanged = false;
    Start();
    EXPECT_EQ(state.Countdown.RemainingSeconds, 200);
    engine.Stop();
    state.Countdown.TitleChanged = true;
    Start();
    EXPECT_EQ(state.Countdown.RemainingSeconds, 600);
    engine.Stop();
    state.Countdown.TitleChanged = false;
    state.Presentations.At(0)->TimeFree = 0;
    Start();
    EXPECT_EQ(state.Countdown.RemainingSeconds, 600);
}

TEST_F(Countdown, HeldTimeModeShowsTheStartAndNeverCounts) {
    state.General.TimeMode = 1;
    Start();
    EXPECT_EQ(view.LastShown(), "10:00");
    EXPECT_TRUE(view.visible);
    EXPECT_FALSE(view.stepDue);
    engine.OnStepTimer(view.now + 5000);
    EXPECT_EQ(view.LastShown(), "10:00");
    EXPECT_TRUE(view.saves.empty());
}

TEST_F(Countdown, WarningFlashesThreeSecondsWithTheSoundFileOnce) {
    state.General.WarningSound = "C:\\warn.wav";
    state.Countdown.TotalSeconds = 10;
    state.Countdown.WarningSeconds = 7;
    Start();
    RunSeconds(3);  // 00:07, the warning second
    EXPECT_EQ(view.played, std::vector<std::string>{"C:\\warn.wav"});
    EXPECT_TRUE(engine.Flashing());
    RunUntil(view.now + 500);
    EXPECT_FALSE(view.visible);  // blinking
    EXPECT_TRUE(view.clockUp);   // blinking keeps the clock up
    RunUntil(view.now + 500);
    EXPECT_TRUE(view.visible);
    RunUntil(view.now + 1500);  // 2.5 s after the warning: still blinking
    EXPECT_TRUE(engine.Flashing());
    EXPECT_FALSE(view.visible);
    RunUntil(view.now + 500);  // three seconds after the warning, shown again: flash ends
    EXPECT_FALSE(engine.Flashing());
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.beeps, 0);  // a sound file gives no beeps
    EXPECT_EQ(view.played.size(), 1u);
}

TEST_F(Countdown, DefaultWarningBeepsOnceASecondAndStopsAlsoWithoutFlashing) {
    state.Countdown.TotalSeconds = 20;
    state.Countdown.WarningSeconds = 10;
    state.Countdown.FlashOnWarning = false;
    Start();
    RunSeconds(10);
    ASSERT_TRUE(engine.Flashing());
    RunSeconds(5);
    EXPECT_FALSE(engine.Flashing());
    EXPECT_TRUE(view.visible);
    EXPECT_GE(view.beeps, 2);
    EXPECT_LE(view.beeps, 4);
    const int beepsAfterWarning = view.beeps;
    RunSeconds(4);
    EXPECT_EQ(view.beeps, beepsAfterWarning);
}

TEST_F(Countdown, NoWarningAtZeroOrAtOrAboveTheStart) {
    for (int32_t warning : {0, 5, 6}) {
        view = FakeView{};
        state.Countdown.TotalSeconds = 5;
        state.Countdown.WarningSeconds = warning;
        Start();
        RunSeconds(7);
        EXPECT_TRUE(view.played.empty()) << warning;
        EXPECT_FALSE(engine.Flashing()) << warning;
        EXPECT_EQ(view.beeps, 1) << warning;  // only the end
    }
}

TEST_F(Countdown, EndHidesBeepsAndClosesOneSecondAfterZero) {
    state.Countdown.TotalSeconds = 3;
    state.Countdown.WarningSeconds = 0;
    Start();
    RunSeconds(3);
    EXPECT_EQ(view.LastShown(), "00:00");
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.closes, 0);
    EXPECT_TRUE(view.clockUp);
    RunSeconds(1);
    EXPECT_FALSE(view.visible);
    EXPECT_FALSE(view.clockUp);
    EXPECT_EQ(view.beeps, 1);
    EXPECT_EQ(view.closes, 1);
    EXPECT_FALSE(engine.Counting());
    EXPECT_EQ(view.saves.back(), "N/0/0");  // -1 is never saved
    EXPECT_EQ(state.Presentations.At(0)->TimeFree, 0);
    RunSeconds(5);
    EXPECT_EQ(view.closes, 1);
}

TEST_F(Countdown, EndSignalFollowsItsSettings) {
    struct Case {
        bool endWarning;
        const char* endSound;
        bool closeAtEnd;
        int beeps, closes;
        size_t played;
    };
    for (const Case& k :
         {Case{false, kDefaultSound, true, 0, 0, 0}, Case{true, "D:\\end.mp3", false, 0, 0, 1},
          Case{true, kDefaultSound, false, 1, 0, 0}}) {
        view = FakeView{};
        state.General.EndWarning = k.endWarning;
        state.General.EndSound = k.endSound;
        state.Countdown.CloseAtEnd = k.closeAtEnd;
        state.Countdown.TotalSeconds = 1;
        Start();
        RunSeconds(2);
        EXPECT_FALSE(view.visible);
        EXPECT_EQ(view.beeps, k.beeps);
        EXPECT_EQ(view.closes, k.closes);
        EXPECT_EQ(view.played.size(), k.played);
    }
}

TEST_F(Countdown, StoppedCountdownIgnoresLateTimerMessages) {
    Start();
    RunSeconds(2);
    engine.Stop();
    EXPECT_FALSE(view.visible);
    EXPECT_FALSE(view.stepDue);
    const size_t saves = view.saves.size();
    engine.OnStepTimer(view.now + 10000);
    engine.OnFlashTimer();
    EXPECT_EQ(view.saves.size(), saves);
    EXPECT_FALSE(view.visible);
}

// Two hours with every timer message late by a random 0..900 ms: each second is shown no
// later than its own message's delay after it was due, and the end comes on step 7200.
TEST_F(Countdown, TwoHoursOfLateTimerMessagesAccumulateNoDelay) {
    constexpr int32_t kTwoHours = 7200;
    state.Countdown.TotalSeconds = kTwoHours;
    state.Countdown.WarningSeconds = 120;
    state.Countdown.CloseAtEnd = true;
    std::mt19937 random(20261207);
    std::uniform_int_distribution<Millis> lateBy(0, 900);
    const Millis start = 5'000;
    view.now = start;
    engine.Start(start);
    int steps = 0;
    while (view.stepDue) {
        const Millis due = *view.stepDue;
        const Millis delay = lateBy(random);
        view.now = due + delay;
        const size_t before = view.shown.size();
        engine.OnStepTimer(view.now);
        if (!engine.Counting()) break;
        ++steps;
        ASSERT_EQ(view.shown.size(), before + 1) << "step " << steps;
        ASSERT_EQ(due, start + steps * kCountdownStepMs);
        ASSERT_EQ(view.LastShown(), RemainingTimeText(kTwoHours - steps));
        ASSERT_LE(view.now - due, 900);
    }
    EXPECT_EQ(steps, kTwoHours);  // 00:00 on step 7200 ...
    EXPECT_EQ(view.LastShown(), "00:00");
    EXPECT_EQ(view.closes, 1);  // ... and the end one second later
    EXPECT_EQ(view.saves.size(), static_cast<size_t>(kTwoHours));
}

TEST_F(Countdown, BlockedThreadCatchesUpEveryMissedSecondOnce) {
    state.Countdown.TotalSeconds = 8;
    state.Countdown.WarningSeconds = 5;
    state.General.WarningSound = "C:\\warn.wav";
    Start();
    RunSeconds(1);  // 00:07
    // The user-interface thread is blocked for five seconds: the next timer message
    // arrives 5.2 s after the previous step.
    view.now += 5200;
    engine.OnStepTimer(view.now);
    std::vector<std::string> texts;
    for (const auto& [at, text] : view.shown) texts.push_back(text);
    EXPECT_EQ(texts, (std::vector<std::string>{"00:08", "00:07", "00:06", "00:05", "00:04", "00:03",
                                               "00:02"}));
    EXPECT_EQ(view.saves.size(), 6u);
    EXPECT_EQ(view.played.size(), 1u);  // the warning at 00:05, once
    EXPECT_EQ(*view.stepDue, 7000);     // step 7 keeps its own deadline
    view.now += 20000;
    engine.OnStepTimer(view.now);
    EXPECT_EQ(view.closes, 1);
    EXPECT_EQ(view.saves.size(), 8u);
    EXPECT_FALSE(engine.Counting());
}

// The settings were saved while counting: a countdown whose presentation is gone (no slot),
// or whose slot belongs to the other mode, counts on and stores no resume point.
TEST_F(Countdown, CountdownWithoutAStoredSlotWritesNoResumePoint) {
    state.General.SameMode = false;
    state.Countdown.CurrentSlot = 2;
    Start();
    RunSeconds(1);
    state.Countdown.CurrentSlot = -1;
    RunSeconds(1);
    state.General.SameMode = true;
    state.Countdown.CurrentSlot = 2;
    RunSeconds(1);
    EXPECT_EQ(view.saves, std::vector<std::string>{"P/2/599"});
    EXPECT_EQ(view.LastShown(), "09:57");
}

// The controls during a show: overtime, the colours, pause and one minute more or less.
struct TalkCountdown : Countdown {
    void SetUp() override {
        Countdown::SetUp();
        state.General.SameMode = true;
        state.General.EndWarning = true;
        state.Countdown.CloseAtEnd = false;
        state.Countdown.TotalSeconds = 40;
        state.Countdown.WarningSeconds = 30;
        state.Talk.Overtime = true;
        state.Talk.Colors = true;
    }
};

TEST_F(TalkCountdown, OvertimeCountsOnPastZeroInItsToneWithTheSavedTimeAtZero) {
    Start();
    EXPECT_EQ(view.tone, ClockTone::Normal);
    RunSeconds(10);
    EXPECT_EQ(view.LastShown(), "00:30");
    EXPECT_EQ(view.tone, ClockTone::Warning);  // from the warning second on
    RunSeconds(30);
    EXPECT_EQ(view.LastShown(), "00:00");
    EXPECT_EQ(view.beeps, 3);  // the warning's, each second of the flash
    RunSeconds(2);
    EXPECT_EQ(view.LastShown(), "-00:02");
    EXPECT_EQ(view.tone, ClockTone::Overtime);
    EXPECT_EQ(view.beeps, 4);  // the end signal, once
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.closes, 0);
    EXPECT_EQ(view.saves.back(), "N/0/0");
    EXPECT_EQ(view.saves.size(), 40u);  // nothing saved past zero
    RunSeconds(100 * 60);
    EXPECT_EQ(view.LastShown(), "-100:02");  // total minutes, as the countdown
    EXPECT_TRUE(engine.Counting());

    // One minute less does nothing past zero; one minute more counts that minute down.
    engine.AddTime(-kAdjustStepSeconds);
    EXPECT_EQ(view.LastShown(), "-100:02");
    engine.AddTime(kAdjustStepSeconds);
    EXPECT_EQ(view.LastShown(), "01:00");
    EXPECT_EQ(view.saves.back(), "N/0/60");
}

TEST_F(TalkCountdown, EndThatClosesTheShowTakesTheClockEvenWithOvertime) {
    state.Countdown.CloseAtEnd = true;
    Start();
    RunSeconds(41);
    EXPECT_EQ(view.closes, 1);
    EXPECT_FALSE(view.visible);
    EXPECT_FALSE(engine.Counting());
}

TEST_F(TalkCountdown, ColoursOffKeepTheStyleUntilOvertime) {
    state.Talk.Colors = false;
    Start();
    RunSeconds(40);
    EXPECT_EQ(view.tone, ClockTone::Normal);
    RunSeconds(1);
    EXPECT_EQ(view.tone, ClockTone::Overtime);
}

TEST_F(TalkCountdown, PauseHoldsTimeAndSaveAndMarksTheClock) {
    Start();
    RunSeconds(5);
    engine.TogglePause(view.now + 300);
    view.now += 300;
    EXPECT_EQ(view.LastShown(), "||00:35");
    EXPECT_EQ(view.saves.back(), "N/0/35");
    const size_t saves = view.saves.size();
    RunSeconds(120);
    EXPECT_EQ(view.LastShown(), "||00:35");
    EXPECT_EQ(view.saves.size(), saves);
    engine.TogglePause(view.now);
    EXPECT_EQ(view.LastShown(), "00:35");
    RunSeconds(1);
    EXPECT_EQ(view.LastShown(), "00:34");
    EXPECT_EQ(view.saves.back(), "N/0/34");
}

TEST_F(TalkCountdown, MinuteMoreOrLessMovesTheClockAndTheWarning) {
    EXPECT_EQ(AdjustedRemainingSeconds(100, -60), 40);
    EXPECT_EQ(AdjustedRemainingSeconds(30, -60), 1);  // never below 00:00:01
    EXPECT_EQ(AdjustedRemainingSeconds(0, -60), 0);   // nor raised by "less"
    Start();
    RunSeconds(11);  // warned at 00:30, flashing
    EXPECT_TRUE(view.flashTimer);
    EXPECT_EQ(view.tone, ClockTone::Warning);
    engine.AddTime(-kAdjustStepSeconds);
    EXPECT_EQ(view.LastShown(), "00:01");
    EXPECT_EQ(view.saves.back(), "N/0/1");
    engine.AddTime(kAdjustStepSeconds);  // 61 s: above the warning again
    EXPECT_EQ(view.LastShown(), "01:01");
    EXPECT_EQ(view.tone, ClockTone::Normal);
    EXPECT_FALSE(view.flashTimer);
    EXPECT_TRUE(view.visible);
    RunSeconds(30);
    EXPECT_EQ(view.LastShown(), "00:31");
    EXPECT_FALSE(view.flashTimer);
    RunSeconds(1);
    EXPECT_TRUE(view.flashTimer);  // warns again at 00:30
    RunSeconds(5);
    EXPECT_FALSE(view.flashTimer);
    engine.AddTime(-20);  // 00:05, below a warning already given
    RunSeconds(3);
    EXPECT_FALSE(view.flashTimer);
    EXPECT_EQ(view.LastShown(), "00:02");
}

TEST_F(TalkCountdown, ClockHiddenByThePresenterStaysDownThroughTheFlash) {
    Start();
    engine.ToggleHidden();
    EXPECT_FALSE(view.visible);
    RunSeconds(12);  // warned and flashing
    EXPECT_FALSE(view.visible);
    EXPECT_TRUE(view.clockUp);  // hidden, not down: the timekeeper's message stays
    engine.ToggleHidden();
    EXPECT_TRUE(view.visible);
    engine.Stop();
    EXPECT_FALSE(view.clockUp);
    engine.ToggleHidden();  // no show: nothing to hide or show
    EXPECT_FALSE(view.visible);
}

}  // namespace
}  // namespace quorrin
