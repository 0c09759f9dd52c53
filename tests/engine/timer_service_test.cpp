#include <gtest/gtest.h>

#include "engine/engine_fixture.h"

namespace veldra::testing {
namespace {

class TimerServiceTest : public EngineTest {
protected:
    // SLOW follows IN after an on-delay; IN is raised and the scan asks for the timer.
    void RaiseSlowInput(std::int32_t onDelay) {
        TimerBit("SLOW", onDelay, 0);
        Assign("IN", "SLOW");
        Start();
        Input("IN", true);
        Tick();
    }
};

TEST_F(TimerServiceTest, AnExpiredTimerSetsItsBitQueuesItsReadersAndForcesAScan) {
    TimerBit("SLOW", 300, 0);
    Assign("IN", "SLOW");
    Assign("SLOW", "AFTER");
    Start();
    Input("IN", true);
    Tick();
    ASSERT_NE(engine.vTimeQue.Item("SLOW"), nullptr);
    EXPECT_EQ(engine.TimerCount(), 1);

    ServiceTick();
    ServiceTick();
    EXPECT_FALSE(Value("SLOW"));
    ServiceTick();

    EXPECT_TRUE(Value("SLOW"));
    EXPECT_TRUE(engine.TimerComplete);
    EXPECT_EQ(engine.vTimeQue.Count(), 0);
    EXPECT_EQ(engine.TimerCount(), 0);
    Tick();
    EXPECT_TRUE(Value("AFTER"));
}

TEST_F(TimerServiceTest, ACancelledTimerIsDroppedAtTheNextServiceTick) {
    RaiseSlowInput(3000);
    Input("IN", false);
    Tick();
    EXPECT_NE(engine.CancelledTimers.Item("SLOW"), nullptr);

    ServiceTick();

    EXPECT_EQ(engine.vTimeQue.Count(), 0);
    EXPECT_EQ(engine.CancelledTimers.Count(), 0);
    EXPECT_FALSE(Value("SLOW"));
}

TEST_F(TimerServiceTest, AFlickerWithinOneServiceTickRestartsTheTimerInsteadOfLosingIt) {
    RaiseSlowInput(300);
    Input("IN", false);
    Tick();
    Input("IN", true);
    Tick();

    EXPECT_EQ(engine.CancelledTimers.Count(), 0);
    for (int i = 0; i < 3; ++i) {
        ServiceTick();
    }
    EXPECT_TRUE(Value("SLOW"));
}

TEST_F(TimerServiceTest, ASecondRequestLeavesTheRunningTimerAlone) {
    TimerBit("SLOW", 3000, 0);
    Bit("SLOW");
    engine.TimeIt("SLOW", true);
    ServiceTick();
    engine.TimeIt("SLOW", true);
    EXPECT_FLOAT_EQ(engine.vTimeQue.Item("SLOW")->Remaining(), 2900);
}

TEST_F(TimerServiceTest, EachTickCountsDownByTheCurrentServiceInterval) {
    TimerBit("SLOW", 1000, 0);
    engine.TimeIt("SLOW", true);
    engine.StartTimer.SetInterval(500);
    ServiceTick();
    ServiceTick();
    EXPECT_TRUE(Value("SLOW"));
}

TEST_F(TimerServiceTest, TheTimeQueTextIsUpdatedByWholeBitName) {
    TimerBit("T10", 3000, 0);
    TimerBit("T1", 2000, 0);
    engine.TimeIt("T10", true);
    engine.TimeIt("T1", true);
    for (int i = 0; i < 11; ++i) {
        ServiceTick();
    }
    EXPECT_EQ(engine.TimersText(), "T1 Time Remaining: 1 Sec\r\nT10 Time Remaining: 2 Sec\r\n");

    for (int i = 0; i < 9; ++i) {
        ServiceTick();  // T1 expires on tick 20
    }
    EXPECT_TRUE(Value("T1"));
    EXPECT_EQ(engine.TimersText(), "T10 Time Remaining: 2 Sec\r\n");
}

TEST_F(TimerServiceTest, TimerLinesAreWrittenOnlyWhileTheirPageIsShown) {
    window.timeQueShown = false;
    TimerBit("T1", 3000, 0);
    engine.TimeIt("T1", true);
    for (int i = 0; i < 11; ++i) {
        ServiceTick();
    }
    EXPECT_EQ(engine.TimersText(), "");
}

TEST_F(TimerServiceTest, StartingTimersWriteTheirLines) {
    TimerBit("T1", 3000, 500);
    Bit("T1", true);
    engine.StartStop();
    engine.StartStop();
    engine.TimeIt("T1", false);

    EXPECT_NE(engine.Status().StatusText().find("Clear Timer Que: T1"), std::string::npos);
}

TEST_F(TimerServiceTest, UpDateTimersGivesDelaysToKnownBitsAndAddsTheOthersAsBoardBits) {
    Bit("KNOWN");
    BooleanBits delays;
    delays.Add("KNOWN", false, true, 1500, 0);
    delays.Add("NEW", false, true, 0, 700);

    engine.UpDateTimers(delays);

    EXPECT_EQ(Bits().Find("KNOWN")->OnTime(), 1500);
    BooleanBit* added = Bits().Find("NEW");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->OffTime(), 700);
    EXPECT_TRUE(added->IsFormBit());
    EXPECT_FALSE(added->BitValue());
}

}  // namespace
}  // namespace veldra::testing
