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
