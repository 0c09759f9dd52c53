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
    driver.ClearScanRequest();

    pages.ShowPage(ProgramPage::UserBits);

    EXPECT_EQ(Names(pages.UserBitList()), (std::vector<std::string>{"UB2", "UB1"}));
    EXPECT_TRUE(pages.UserBitList()[1].checked);
    EXPECT_FALSE(driver.ScanRequested());
}

TEST_F(ForcingTest, TheForceBitListHoldsEveryBitInListOrderTickedAsTheBitsStandWhenEntered) {
    Bit("TR2", true);
    Bit("Tr1");
    Bit("ab");
    Map();
    Bit("Tr1", true);
    pages.ShowPage(ProgramPage::ForceBit);

    EXPECT_EQ(Names(pages.ForceBitList()), (std::vector<std::string>{"ab", "Tr1", "TR2"}));
    const auto ticked = [&](std::size_t line) { return pages.ForceBitList()[line].checked; };
    EXPECT_FALSE(ticked(0));
    EXPECT_TRUE(ticked(1));
    EXPECT_TRUE(ticked(2));

    Bit("TR2", false);
    EXPECT_TRUE(ticked(2));  // the tick of the moment the page was entered
    pages.ShowPage(ProgramPage::ImmediateWindow);
    pages.ShowPage(ProgramPage::ForceBit);
    EXPECT_FALSE(ticked(2));
}

TEST_F(ForcingTest, ABitMadeAfterTheListsWereBuiltTicksNoLineOfAnother) {
    Bit("A");
    Bit("B");
    Map();
    Bit("NEW", true);
    pages.ShowPage(ProgramPage::ForceBit);

    for (const ProgramPages::CheckLine& line : pages.ForceBitList()) {
        EXPECT_EQ(line.checked, Value(line.name)) << line.name;
    }
    EXPECT_EQ(Names(pages.ForceBitList()), (std::vector<std::string>{"A", "B"}));
}

TEST_F(ForcingTest, ALineTickedOnTheForceListForcesItsBit) {
    Bit("B");
    Bit("A");
    Map();
    pages.CheckForceBit(0, true);  // "A": the list is put in order when first used

    EXPECT_TRUE(Value("A"));
    EXPECT_FALSE(Value("B"));
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
