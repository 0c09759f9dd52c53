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

// The grid hears of a scan's changes once, when it takes them in, not once per change.
TEST_F(BitStatusPageTest, AScansChangesReachTheGridInOneBatchWhenTakenIn) {
    Assign("IN", "MID");
    Assign("MID", "OUT");
    MapAndShow({});
    Start();
    int waiting = 0;
    std::vector<std::vector<int>> batches;
    status.changesWaiting = [&] { ++waiting; };
    status.rowsChanged = [&](std::span<const BooleanBits::RowChange> changes) {
        std::vector<int> rows;
        for (const BooleanBits::RowChange& change : changes) {
            rows.push_back(change.row);
        }
        batches.push_back(rows);
    };

    Input("IN", true);
    Tick();
    EXPECT_EQ(waiting, 1);
    EXPECT_TRUE(batches.empty());

    status.TakeChanges();
    const int mid = Bits().Find("MID")->vIndex();
    const int out = Bits().Find("OUT")->vIndex();
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_NE(std::find(batches[0].begin(), batches[0].end(), mid), batches[0].end());
    EXPECT_NE(std::find(batches[0].begin(), batches[0].end(), out), batches[0].end());
    EXPECT_TRUE(status.Rows()[std::size_t(out)].value);
    EXPECT_EQ(batches.size(), 1u);  // nothing new to take
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
