#include "logic/timer_que.h"

#include <gtest/gtest.h>

#include "logic/boolean_bits.h"
#include "support/fake_platform.h"
#include "support/fake_program_host.h"

namespace veldra {
namespace {

using testing::FakePlatform;
using testing::FakeProgramHost;

// What one tick of the timer service does with one timer: "refresh S" when its line is
// due (S the seconds shown), "expire" when it runs out, "" otherwise.
std::string ServiceTick(TimerQue& timer) {
    const std::string seconds = timer.TimeLeft();
    if (timer.UpDateDisplay()) {
        return "refresh " + seconds;
    }
    return timer.TimeFinished() ? "expire" : "";
}

// Ticks until the timer expires; returns the ticks on which something happened.
std::vector<std::string> RunOut(TimerQue& timer, int limit = 1000) {
    std::vector<std::string> events;
    for (int tick = 1; tick <= limit; ++tick) {
        const std::string what = ServiceTick(timer);
        if (!what.empty()) {
            events.push_back(std::to_string(tick) + ": " + what);
        }
        if (what == "expire") {
            break;
        }
    }
    return events;
}

class TimerTest : public ::testing::Test {
protected:
    TimerQue& Started(float delay, std::string_view name = "T1", bool value = true) {
        TimerQue& timer = *timers.Add(delay, name, value);
        timer.StartTime();
        return timer;
    }

    FakePlatform platform;
    FakeProgramHost host;
    clsTimers timers;
    CancelTimers cancelled;
};

TEST_F(TimerTest, ThreeSecondsAtTheUsualIntervalRefreshOnTicksElevenAndTwentyOneAndExpireOnThirty) {
    EXPECT_EQ(RunOut(Started(3000)),
              (std::vector<std::string>{"11: refresh 2", "21: refresh 1", "30: expire"}));
}

TEST_F(TimerTest, ATimerUnderASecondIsNeverRefreshed) {
    EXPECT_EQ(RunOut(Started(500)), (std::vector<std::string>{"5: expire"}));
}

TEST_F(TimerTest, ATimerUsedUpOnARefreshTickExpiresOnTheNextTick) {
    EXPECT_EQ(RunOut(Started(1050)), (std::vector<std::string>{"11: refresh 0", "12: expire"}));
}

TEST_F(TimerTest, EachTickCountsDownByTheIntervalOfThatTick) {
    TimerQue& timer = Started(1000);
    ServiceTick(timer);  // 900 left
    host.interval = 450;
    EXPECT_EQ(RunOut(timer), (std::vector<std::string>{"2: expire"}));
}

TEST_F(TimerTest, TimeLeftGivesWholeSecondsBeforeTheStep) {
    TimerQue& timer = Started(2500);
    EXPECT_EQ(timer.TimeLeft(), "2");
    EXPECT_FLOAT_EQ(timer.Remaining(), 2400);

    timer.ForceTimer();
    EXPECT_EQ(timer.TimeLeft(), "0");
    EXPECT_FLOAT_EQ(timer.Remaining(), 0);
}

TEST_F(TimerTest, AForcedTimerExpiresOnTheNextTick) {
    TimerQue& timer = Started(3000);
    ServiceTick(timer);
    timer.ForceTimer();
    EXPECT_EQ(RunOut(timer), (std::vector<std::string>{"1: expire"}));
}

TEST_F(TimerTest, ATimerNeverStartedExpiresOnTheNextTick) {
    TimerQue& timer = *timers.Add(3000, "T1", true);
    EXPECT_EQ(RunOut(timer), (std::vector<std::string>{"1: expire"}));
}

TEST_F(TimerTest, StartingWritesTheTimerLineAndExpiryGivesTheBitItsValue) {
    BooleanBits bits;
    BooleanBit& bit = *bits.Add("S1HR", false);
    TimerQue& timer = Started(3000, "S1HR", true);

    timer.UpdateBitValue(bit);

    EXPECT_TRUE(bit.BitValue());
    EXPECT_EQ(host.journal,
              (std::vector<std::string>{"timer: S1HR on", "status: S1HR on", "que: S1HR"}));
}

TEST_F(TimerTest, ABitGetsOneTimerAndTheRunningOneIsLeftAlone) {
    TimerQue& first = Started(3000);
    ServiceTick(first);
    EXPECT_EQ(host.timerCount, 1);
    host.timerCount = -1;

    EXPECT_EQ(timers.Add(5000, "T1", false), nullptr);

    EXPECT_FLOAT_EQ(first.Remaining(), 2900);
    EXPECT_TRUE(first.vValue());
    EXPECT_EQ(host.timerCount, -1);
    EXPECT_EQ(timers.Count(), 1);

    timers.Remove("T1");
    EXPECT_EQ(host.timerCount, 0);
}

TEST_F(TimerTest, ACancellationIsRecordedOnce) {
    EXPECT_NE(cancelled.Add("T1"), nullptr);
    EXPECT_EQ(cancelled.Add("T1"), nullptr);
    EXPECT_EQ(cancelled.Count(), 1);
    EXPECT_TRUE(platform.boxes().empty());
}

TEST_F(TimerTest, ARequestForARunningTimerLeavesItAlone) {
    TimerQue& running = Started(3000);
    ServiceTick(running);

    EXPECT_EQ(StartDelayTimer(timers, cancelled, "T1", 3000, true), nullptr);

    EXPECT_FLOAT_EQ(running.Remaining(), 2900);
    EXPECT_EQ(host.journal, (std::vector<std::string>{"timer: T1 on"}));
}

TEST_F(TimerTest, ARequestWhileTheCancellationIsPendingRestartsTheTimer) {
    TimerQue& running = Started(3000, "T1", true);
    ServiceTick(running);
    cancelled.Add("T1");

    TimerQue* restarted = StartDelayTimer(timers, cancelled, "T1", 2000, false);

    ASSERT_EQ(restarted, &running);
    EXPECT_EQ(cancelled.Count(), 0);
    EXPECT_FLOAT_EQ(running.Remaining(), 2000);
    EXPECT_FALSE(running.vValue());
    EXPECT_EQ(host.journal, (std::vector<std::string>{"timer: T1 on", "timer: T1 off"}));
    EXPECT_EQ(RunOut(running), (std::vector<std::string>{"11: refresh 1", "20: expire"}));
}

TEST_F(TimerTest, ARequestForABitWithoutATimerStartsOne) {
    TimerQue* timer = StartDelayTimer(timers, cancelled, "T2", 1500, true);

    ASSERT_NE(timer, nullptr);
    EXPECT_FLOAT_EQ(timer->Remaining(), 1500);
    EXPECT_EQ(host.journal, (std::vector<std::string>{"timer: T2 on"}));
}

}  // namespace
}  // namespace veldra
