#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <vector>

#include "engine/pages_fixture.h"

namespace veldra::testing {
namespace {

class BitStatusPageTest : public PagesTest {
protected:
    void MapAndShow(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            Bit(name);
        }
        Map();
        pages.ShowPage(ProgramPage::BitStatus);
    }
    std::string Current() { return status.Rows()[std::size_t(status.CurrentRow())].name; }

    BitStatusPage& status = pages.Status();
};

TEST_F(BitStatusPageTest, AChangedBitColoursItsRowAtOnceOnlyWhileTheGridIsShown) {
    Assign("IN", "OUT");
    MapAndShow({});
    Start();
    const auto row = std::size_t(Bits().Find("OUT")->vIndex());

    Input("IN", true);
    Tick();
    EXPECT_TRUE(status.Rows()[row].value);

    pages.ShowPage(ProgramPage::ForceBit);
    Input("IN", false);
    Tick();
    EXPECT_TRUE(status.Rows()[row].value);
    pages.ShowPage(ProgramPage::BitStatus);
    EXPECT_FALSE(status.Rows()[row].value);
}

// A row's colour read alone and read with every row agree, whichever is read first.
TEST_F(BitStatusPageTest, ARowsColourReadAloneAgreesWithEveryRowRead) {
    Assign("IN", "OUT");
    MapAndShow({});
    Start();
    const auto row = std::size_t(Bits().Find("OUT")->vIndex());
    ASSERT_LT(row, status.RowCount());
    EXPECT_EQ(status.RowName(row), "OUT");

    for (const bool value : {true, false, true}) {
        Input("IN", value);
        Tick();
        EXPECT_EQ(status.RowValue(row), value);
        EXPECT_EQ(status.Rows()[row].value, value);
        Input("IN", !value);
        Tick();
        EXPECT_EQ(status.Rows()[row].value, !value);
        EXPECT_EQ(status.RowValue(row), !value);
    }
}

// The grid hears of a scan's changes of rows in sight once, and takes each changed row
// once; a change out of sight tells nothing and is read as the row comes into sight.
TEST_F(BitStatusPageTest, AScansChangesInSightReachTheGridOnceAndOutOfSightNotAtAll) {
    Assign("IN", "MID");
    Assign("MID", "OUT");
    MapAndShow({});
    Start();
    const int mid = Bits().Find("MID")->vIndex();
    const int out = Bits().Find("OUT")->vIndex();
    int waiting = 0;
    const Subscription waits = status.ChangesWaiting.Subscribe([&] { ++waiting; });
    status.SetRowsInSight(std::min(mid, out), std::max(mid, out));

    Input("IN", true);
    Tick();
    EXPECT_EQ(waiting, 1);
    std::vector<int> taken = status.TakeRowsChangedInSight();
    std::sort(taken.begin(), taken.end());
    EXPECT_EQ(taken, (std::vector<int>{std::min(mid, out), std::max(mid, out)}));
    EXPECT_TRUE(status.TakeRowsChangedInSight().empty());  // nothing new to take
    EXPECT_TRUE(status.RowValue(std::size_t(out)));

    status.SetRowsInSight(-1, -1);
    Input("IN", false);
    Tick();
    EXPECT_EQ(waiting, 1);
    EXPECT_TRUE(status.TakeRowsChangedInSight().empty());
    status.SetRowsInSight(0, int(status.RowCount()) - 1);
    EXPECT_FALSE(status.RowValue(std::size_t(out)));
    EXPECT_FALSE(status.Rows()[std::size_t(mid)].value);
}

// Leaving the page keeps each row's colour as it was; changes while away colour nothing
// until the page is entered again, when every row takes its bit's colour.
TEST_F(BitStatusPageTest, TheRowsKeepTheirColoursWhileThePageIsLeftAndTakeThemOnReturn) {
    Assign("IN", "OUT");
    MapAndShow({"OTHER"});
    Start();
    const auto out = std::size_t(Bits().Find("OUT")->vIndex());
    Input("IN", true);
    Tick();
    Bits().Find("OTHER")->SetBitValue(true);  // not forwarded: its row keeps its colour
    const auto other = std::size_t(Bits().Find("OTHER")->vIndex());
    EXPECT_FALSE(status.RowValue(other));

    pages.ShowPage(ProgramPage::ForceBit);
    Input("IN", false);
    Tick();
    EXPECT_TRUE(status.RowValue(out));
    EXPECT_FALSE(status.RowValue(other));
    EXPECT_TRUE(status.Rows()[out].value);

    pages.ShowPage(ProgramPage::BitStatus);
    EXPECT_FALSE(status.RowValue(out));
    EXPECT_TRUE(status.RowValue(other));
}

// A large program's rows lie beyond what a 16-bit row number holds.
TEST_F(BitStatusPageTest, ARowBeyondThirtyTwoThousandIsColouredAndFound) {
    for (int i = 0; i < 33000; ++i) {
        Bit("B" + std::to_string(i));
    }
    Assign("IN", "LAST");
    MapAndShow({});
    Start();
    const auto row = Bits().Find("LAST")->vIndex();
    ASSERT_GT(row, 32767);

    Input("IN", true);
    Tick();
    EXPECT_TRUE(status.Rows()[std::size_t(row)].value);
    status.Find("LAST");
    EXPECT_EQ(Current(), "LAST");
}

TEST_F(BitStatusPageTest, ANumericBitHasNoRowAndItsBooleanColoursNothing) {
    BooleanBit& speed = Bit("SPEED");
    speed.SetIsNumeric(true);
    speed.SetNumValue(5, true);
    MapAndShow({"A"});

    Bits().Item("SPEED")->SetBitValue(true, true);

    ASSERT_EQ(status.Rows().size(), 1u);
    EXPECT_FALSE(status.Rows()[0].value);
    EXPECT_EQ(status.NumericLines(), (std::vector<std::string>{"SPEED = 5"}));
}

TEST_F(BitStatusPageTest, FindShowsAnExactNameOrStepsThroughThePartialMatches) {
    MapAndShow({"TR1", "SIG1", "TR2", "TR3"});

    status.Find("tr2");
    EXPECT_EQ(status.TopRow(), 2);
    EXPECT_EQ(Current(), "TR2");

    std::vector<std::string> found;
    for (int i = 0; i < 3; ++i) {
        status.Find("TR");
        found.push_back(Current());
    }
    EXPECT_EQ(found, (std::vector<std::string>{"TR3", "TR1", "TR2"}));

    status.SetCurrentRow(0);
    status.Find("TR");
    EXPECT_EQ(Current(), "TR2");

    platform.Answer(MsgAnswer::Ok);
    status.Find("NOSUCH");
    EXPECT_EQ(platform.boxes().back().prompt, "Bit Name not found");
}

TEST_F(BitStatusPageTest, NumericMatchesTakeTheirTurnInsteadOfHidingTheRowsAfterThem) {
    Bit("TRACK1");
    Bit("TRACKCOUNT").SetIsNumeric(true);
    MapAndShow({"TRACK2"});

    status.Find("TRACK");
    EXPECT_EQ(Current(), "TRACK1");
    status.Find("TRACK");
    EXPECT_EQ(status.NumericLine(), 0);
    status.Find("TRACK");
    EXPECT_EQ(Current(), "TRACK2");
}

}  // namespace
}  // namespace veldra::testing
