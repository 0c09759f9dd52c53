#include "boards/track_board.h"

#include <gtest/gtest.h>

#include "boards/board_listener.h"
#include "logic/boolean_bits.h"
#include "support/fake_platform.h"

namespace veldra {
namespace {

using testing::BoardListener;
using testing::FakePlatform;
using testing::kDuplicateRefused;

// The coded-track window as far as its codes see it: its pending bits, and how often the
// codes reached for them.
class FakeTrackWindow final : public TrackWindow {
public:
    BooleanBits& PendingBits() override {
        ++reached;
        return pending;
    }

    BooleanBits pending;
    int reached = 0;
};

class TrackBoardTest : public ::testing::Test {
protected:
    TrAInCodes& InA() { return board.TrackA()->TrAInCode().TrAInCodes(); }
    TrAOutCodes& OutA() { return board.TrackA()->TrAOutCode().TrAOutCodes(); }
    TrBInCodes& InB() { return board.TrackB()->TrBInCode().TrBInCodes(); }
    TrBOutCodes& OutB() { return board.TrackB()->TrBOutCode().TrBOutCodes(); }

    FakePlatform platform;
    FakeTrackWindow window;
    TrackBoard board;
};

TEST_F(TrackBoardTest, AChangedInCodeReachesThePendingBitsOnce) {
    TrAInCode& code = *InA().Add("75", false, &window);
    EXPECT_EQ(window.reached, 0);

    code.SetCodeValue(true);

    EXPECT_EQ(window.reached, 1);
    ASSERT_EQ(window.pending.Count(), 1);
    EXPECT_EQ(window.pending.Item(1)->BitName(), "75");
    EXPECT_TRUE(window.pending.Item(1)->BitValue());
    EXPECT_TRUE(code.CodeValue());
}

TEST_F(TrackBoardTest, AnUnchangedInCodeLeavesThePendingBitsAlone) {
    TrAInCode& code = *InA().Add("75", false, &window);
    code.SetCodeValue(false);
    code.SetCodeValue(true);
    window.pending.Remove(1);  // the scan took it

    code.SetCodeValue(true);

    EXPECT_EQ(window.reached, 1);
    EXPECT_EQ(window.pending.Count(), 0);
}

TEST_F(TrackBoardTest, ThereAndBackBeforeTheScanLeavesOnePendingBitWithTheLastValue) {
    TrBInCode& code = *InB().Add("180", false, &window);

    code.SetCodeValue(true);
    code.SetCodeValue(false);

    ASSERT_EQ(window.pending.Count(), 1);
    EXPECT_FALSE(window.pending.Item("180")->BitValue());
}

TEST_F(TrackBoardTest, BothEndsWriteIntoTheirWindowsOnePendingList) {
    InA().Add("75", false, &window)->SetCodeValue(true);
    InB().Add("120", false, &window)->SetCodeValue(true);

    EXPECT_EQ(window.pending.Count(), 2);
    EXPECT_NE(window.pending.Item("75"), nullptr);
    EXPECT_NE(window.pending.Item("120"), nullptr);
}

TEST_F(TrackBoardTest, ACodeAddedTrueIsPendingAtOnceUnlessItIsRefused) {
    platform.Answer(MsgAnswer::No);

    InA().Add("75", true, &window);
    EXPECT_EQ(InA().Add("75", true, &window), nullptr);
    InA().Add("120", true, &window);

    EXPECT_EQ(platform.journal(), kDuplicateRefused);
    EXPECT_EQ(InA().Count(), 2);
    EXPECT_EQ(window.reached, 2);
    EXPECT_TRUE(window.pending.Item("120")->BitValue());
}

TEST_F(TrackBoardTest, OneListenerOnTheBoardHearsEachEndAndDirectionApart) {
    BoardListener listener;
    listener.Hear(board.InACodeAdded, "in A")
        .Hear(board.OutACodeAdded, "out A")
        .Hear(board.InBCodeAdded, "in B")
        .Hear(board.OutBCodeAdded, "out B");

    InB().Add("75", false, &window);
    OutA().Add("180", false, false, 0, 0);
    InA().Add("SPARE", false, &window);
    OutB().Add("270", false);

    EXPECT_EQ(listener.heard,
              (std::vector<std::string>{"in B: 75", "out A: 180", "in A: SPARE", "out B: 270"}));
}

TEST_F(TrackBoardTest, ANewEndReplacesTheOldOneAndIsHeardInstead) {
    BoardListener listener;
    listener.Hear(board.InACodeAdded, "in A").Hear(board.OutACodeAdded, "out A");
    InA().Add("75", false, &window);

    board.SetTrackA(std::make_unique<TrackA>());
    EXPECT_EQ(InA().Count(), 0);
    InA().Add("75", false, &window);
    OutA().Add("75", false);

    EXPECT_EQ(listener.heard, (std::vector<std::string>{"in A: 75", "in A: 75", "out A: 75"}));
}

TEST_F(TrackBoardTest, SpareCodesRepeatAndAreReachedOnlyByPosition) {
    OutB().Add("SPARE", false);
    OutB().Add("SPARE", true);

    EXPECT_EQ(OutB().Count(), 2);
    EXPECT_EQ(OutB().Item("SPARE"), nullptr);
    EXPECT_TRUE(OutB().Item(2)->CodeValue);
}

}  // namespace
}  // namespace veldra
