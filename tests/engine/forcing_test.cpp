#include <gtest/gtest.h>

#include "engine/pages_fixture.h"

namespace veldra::testing {
namespace {

using ForcingTest = PagesTest;

TEST_F(ForcingTest, CheckListsShowTheBitsAsTheyAreWhenTheirPageIsEntered) {
    Bit("zeta");
    Bit("ALPHA");
    Bit("SPEED").SetIsNumeric(true);
    engine.prgUserBits.Add("UB2", 0);
    engine.prgUserBits.Add("UB1", 1);
    engine.LoadFinished({});
    pages.DisplaysChanged();
    Bit("zeta", true);
    engine.TimerComplete = false;

    pages.ShowPage(ProgramPage::ForceBit);

    const auto& force = pages.ForceBitList();
    EXPECT_EQ(force.front().name, "ALPHA");
    EXPECT_EQ(force.back().name, "zeta");  // sorted without regard to case; no numeric bits
    EXPECT_TRUE(force.back().checked);
    EXPECT_EQ(Names(pages.UserBitList()), (std::vector<std::string>{"UB2", "UB1"}));
    EXPECT_TRUE(pages.UserBitList()[1].checked);
    // Ticking the lines forced nothing.
    EXPECT_FALSE(engine.TimerComplete);
}

TEST_F(ForcingTest, ForcingWhileStoppedChangesTheBitAndTheStartSolvesItsReaders) {
    AddStatement("IN", "OUT");
    Map();
    pages.ShowPage(ProgramPage::ForceBit);

    pages.CheckForceBit(LineOf(pages.ForceBitList(), "IN"), true);

    EXPECT_TRUE(Value("IN"));
    EXPECT_EQ(engine.Status().StatusText(), "12:00:00\r\nSetting bit: IN\r\n");
    EXPECT_FALSE(Value("OUT"));
    Start();
    Tick();
    EXPECT_TRUE(Value("OUT"));
}

TEST_F(ForcingTest, ForcingABitToItsOwnValueStillQueuesItsReadersAndForcesAScan) {
    AddStatement("~IN", "OUT");
    Map();
    Start();

    pages.ForceBit("IN", false);

    EXPECT_TRUE(engine.TimerComplete);
    Tick();
    EXPECT_TRUE(Value("OUT"));
}

TEST_F(ForcingTest, ForcingATimerBitThatIsTimingCancelsItsTimer) {
    TimerBit("SLOW", 3000, 0);
    Map();
    engine.TimeIt("SLOW", true);

    pages.ForceBit("SLOW", true);
    ServiceTick();

    EXPECT_TRUE(Value("SLOW"));
    EXPECT_EQ(engine.vTimeQue.Count(), 0);
}

TEST_F(ForcingTest, NothingFailsWithoutAProgram) {
    engine.ReleaseProgram();
    pages.DisplaysChanged();
    for (ProgramPage page : {ProgramPage::ForceBit, ProgramPage::BitStatus, ProgramPage::UserBits,
                             ProgramPage::UserNumeric, ProgramPage::TimeQue}) {
        pages.ShowPage(page);
    }
    pages.ForceBit("A", true);
    platform.Answer(MsgAnswer::Ok);  // "Bit Name not found"
    pages.Status().Find("A");
    EXPECT_TRUE(pages.ForceBitList().empty());
}

}  // namespace
}  // namespace veldra::testing
