#include <gtest/gtest.h>

#include "engine/pages_fixture.h"
#include "engine/typed_numbers.h"

namespace veldra::testing {
namespace {

TEST(DelayBox, OnlyAPlainWholeNumberIsADelay) {
    const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
        {"7", 7},    {"-7", -7},  {"007", {}}, {"+7", {}},         {" 7", {}},
        {"7.0", {}}, {"7ms", {}}, {"", {}},    {"2147483648", {}}, {"1e3", {}},
    };
    for (const auto& [text, delay] : cases) {
        EXPECT_EQ(DelayBoxNumber(text), delay) << '"' << text << '"';
    }
}

class TimerPageTest : public PagesTest {
protected:
    TimerPageTest() {
        TimerBit("ZSLOW", 1500, 200);
        TimerBit("AFAST", 100, 0);
        Bit("PLAIN");
        Map();
        pages.ShowPage(ProgramPage::TimeQue);
    }

    TimerPage& timers = pages.Timers();
};

TEST_F(TimerPageTest, TheChosenTimerBitsDelaysCanBeChanged) {
    EXPECT_EQ(timers.TimerBits(), (std::vector<std::string>{"AFAST", "ZSLOW"}));
    timers.Select(1);
    EXPECT_EQ(timers.SetTimeText(), "1500");
    EXPECT_EQ(timers.ClearTimeText(), "200");

    EXPECT_TRUE(timers.EnterSetTime("2500"));
    EXPECT_TRUE(timers.EnterClearTime("-1"));
    timers.StoreDelays();

    EXPECT_EQ(Bits().Find("ZSLOW")->OnTime(), 2500);
    EXPECT_EQ(Bits().Find("ZSLOW")->OffTime(), -1);
}

TEST_F(TimerPageTest, ForceRunsTheChosenBitsTimerOutAtTheNextServiceTick) {
    engine.TimeIt("ZSLOW", true);
    timers.Select(1);

    timers.ForceTimer();
    engine.StartTimer_Timer();  // the next service tick

    EXPECT_TRUE(Value("ZSLOW"));
}

TEST_F(TimerPageTest, TheServiceIntervalTakesWholeMillisecondsTheTimerAccepts) {
    EXPECT_EQ(timers.IntervalText(), "100");
    timers.SetIntervalText(" 250 ");
    timers.ApplyInterval();
    EXPECT_EQ(driver.ServiceInterval(), 250);

    for (const char* refused : {"quick", "70000", "-5"}) {
        timers.SetIntervalText(refused);
        platform.Answer(MsgAnswer::Ok);
        timers.ApplyInterval();
        EXPECT_EQ(platform.boxes().back().title, "Veldra") << refused;
        EXPECT_EQ(driver.ServiceInterval(), 250) << refused;
    }
}

}  // namespace
}  // namespace veldra::testing
