// When the slide-show watch runs its passes: reported changes that share one pass, the least
// gap between the passes they cause, and the fallback pass.
#include "detection/watch_schedule.h"

#include <gtest/gtest.h>

namespace quorrin {
namespace {

using Kind = WatchRequest::Kind;

constexpr WatchRequest kNone{};
constexpr WatchRequest kNow{.kind = Kind::PassNow};
constexpr WatchRequest In(int64_t delayMs) { return {.kind = Kind::PassIn, .delayMs = delayMs}; }

// An arbitrary monotonic time, far from zero as the system's clock is.
constexpr int64_t kT0 = 5'000'000;

TEST(WatchSchedule, TheFirstChangeIsPassedAtOnceAndTheOnesWhileItWaitsShareIt) {
    WatchSchedule schedule(true);
    EXPECT_EQ(schedule.OnChange(kT0), kNow) << "the start-up pass is not held back";
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(schedule.OnChange(kT0 + i), kNone) << i;
    EXPECT_TRUE(schedule.OnQueuedPassDue(kT0 + 6));
    EXPECT_FALSE(schedule.OnQueuedPassDue(kT0 + 7)) << "one request, one pass";
}

TEST(WatchSchedule, ChangesSoonAfterAPassWaitForTheGapAndTheLaterOnesDoNot) {
    WatchSchedule schedule(true);
    ASSERT_EQ(schedule.OnChange(kT0), kNow);
    ASSERT_TRUE(schedule.OnQueuedPassDue(kT0));

    EXPECT_EQ(schedule.OnChange(kT0 + 30), In(kMinWatchGapMs - 30));
    EXPECT_EQ(schedule.OnChange(kT0 + 60), kNone) << "shares the held-back pass";
    ASSERT_TRUE(schedule.OnQueuedPassDue(kT0 + kMinWatchGapMs));

    // The gap counts from when the pass started, not from when it was asked for.
    EXPECT_EQ(schedule.OnChange(kT0 + kMinWatchGapMs + 1), In(kMinWatchGapMs - 1));
    ASSERT_TRUE(schedule.OnQueuedPassDue(kT0 + 3 * kMinWatchGapMs));
    EXPECT_EQ(schedule.OnChange(kT0 + 4 * kMinWatchGapMs), kNow) << "exactly the gap";
}

TEST(WatchSchedule, AChangeDuringAPassIsOneMorePassAfterIt) {
    WatchSchedule schedule(true);
    ASSERT_EQ(schedule.OnChange(kT0), kNow);
    ASSERT_TRUE(schedule.OnQueuedPassDue(kT0));
    // The pass itself reports a change (the walk saw one): it is not lost in the running pass.
    EXPECT_EQ(schedule.OnChange(kT0 + 2), In(kMinWatchGapMs - 2));
    EXPECT_TRUE(schedule.OnQueuedPassDue(kT0 + kMinWatchGapMs));
}

TEST(WatchSchedule, BusyDesktopCostsNoMorePassesThanTheShortInterval) {
    WatchSchedule schedule(true);
    int passes = 0;
    int64_t dueAt = -1;
    // A change every 5 ms for two seconds; a request is served when it falls due.
    for (int64_t now = kT0; now < kT0 + 2000; now += 5) {
        if (dueAt >= 0 && now >= dueAt) {
            passes += schedule.OnQueuedPassDue(now) ? 1 : 0;
            dueAt = -1;
        }
        const WatchRequest request = schedule.OnChange(now);
        if (request.kind != Kind::None) dueAt = now + request.delayMs;
    }
    EXPECT_GE(passes, 19);
    EXPECT_LE(passes, 2000 / kMinWatchGapMs);
}

TEST(WatchSchedule, FallbackPassesAreFastOnlyWithoutReportsAndDoNotCountForTheGap) {
    EXPECT_EQ(WatchSchedule(true).FallbackIntervalMs(), kFallbackWatchIntervalMs);
    EXPECT_EQ(WatchSchedule(false).FallbackIntervalMs(), kWatchIntervalMs);

    WatchSchedule schedule(true);
    ASSERT_EQ(schedule.OnChange(kT0), kNow);
    ASSERT_TRUE(schedule.OnQueuedPassDue(kT0));
    EXPECT_TRUE(schedule.OnFallbackDue());
    // A change just after the fallback pass still waits only for the queued pass's gap.
    EXPECT_EQ(schedule.OnChange(kT0 + kMinWatchGapMs + 10), kNow);
}

TEST(WatchSchedule, AFailedQueueIsAskedForAgainAndAStoppedWatchAsksForNothing) {
    WatchSchedule schedule(true);
    ASSERT_EQ(schedule.OnChange(kT0), kNow);
    schedule.QueueFailed();
    EXPECT_FALSE(schedule.OnQueuedPassDue(kT0 + 1)) << "nothing was queued";
    EXPECT_EQ(schedule.OnChange(kT0 + 2), kNow) << "the next change asks again";

    schedule.Stop();
    EXPECT_FALSE(schedule.OnQueuedPassDue(kT0 + 3)) << "a pass already queued is dropped";
    EXPECT_EQ(schedule.OnChange(kT0 + 4), kNone);
    EXPECT_FALSE(schedule.OnFallbackDue());
}

}  // namespace
}  // namespace quorrin
