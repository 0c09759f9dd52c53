#include <gtest/gtest.h>

#include "engine/pages_fixture.h"

namespace veldra::testing {
namespace {

using ForcingTest = PagesTest;

TEST_F(ForcingTest, UserBitsAreListedAsDeclaredAndTickedWithoutBeingForced) {
    engine.prgUserBits.Add("UB2", 0);
    engine.prgUserBits.Add("UB1", 1);
    engine.LoadFinished({});
    pages.DisplaysChanged();
    engine.TimerComplete = false;

    pages.ShowPage(ProgramPage::UserBits);

    EXPECT_EQ(Names(pages.UserBitList()), (std::vector<std::string>{"UB2", "UB1"}));
    EXPECT_TRUE(pages.UserBitList()[1].checked);
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
