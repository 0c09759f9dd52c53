#include "boards/io_board.h"

#include <gtest/gtest.h>

#include "boards/board_listener.h"
#include "support/fake_platform.h"

namespace veldra {
namespace {

using testing::BoardListener;
using testing::FakePlatform;
using testing::kDuplicateRefused;

// A mixed board as the loader sets it up, with its window listening from the start.
class IOBoardTest : public ::testing::Test {
protected:
    IOBoardTest() {
        window.Hear(board.InputBitAdded, "in").Hear(board.OutputBitAdded, "out");
        board.SetBoardInput(std::make_unique<BoardInput>());
        board.SetBoardOutput(std::make_unique<BoardOutput>());
    }

    BoardInputs& Inputs() { return board.BoardInput()->BoardInputs(); }
    BoardOutputs& Outputs() { return board.BoardOutput()->BoardOutputs(); }

    FakePlatform platform;
    IOBoard board;
    BoardListener window;
};

TEST_F(IOBoardTest, TheWindowHearsEveryAdditionInOrderWithItsName) {
    Inputs().Add("TR1", false);
    Outputs().Add("S1HR", false, false, 0, 0);
    Inputs().Add("SPARE", false);
    Inputs().Add("TR2", true);

    EXPECT_EQ(window.heard,
              (std::vector<std::string>{"in: TR1", "out: S1HR", "in: SPARE", "in: TR2"}));
    EXPECT_TRUE(Inputs().Item("tr2")->InputState);
    EXPECT_EQ(Inputs().Item(2)->InputName, "SPARE");
}

TEST_F(IOBoardTest, TheWindowFindsTheNewItemWhenItHearsOfIt) {
    std::vector<int> countsSeen;
    Subscription s = board.OutputBitAdded.Subscribe([&](std::string_view name) {
        ASSERT_NE(Outputs().Item(name), nullptr);
        countsSeen.push_back(Outputs().Count());
    });

    Outputs().Add("S1HR", false);
    Outputs().Add("S2HR", false);

    EXPECT_EQ(countsSeen, (std::vector<int>{1, 2}));
}

TEST_F(IOBoardTest, SparePositionsRepeatAndAreReachedOnlyByPosition) {
    Inputs().Add("SPARE", false);
    Inputs().Add("SPARE", true);

    EXPECT_EQ(Inputs().Count(), 2);
    EXPECT_EQ(Inputs().Item("SPARE"), nullptr);
    EXPECT_TRUE(Inputs().Item(2)->InputState);
    EXPECT_EQ(window.heard, (std::vector<std::string>{"in: SPARE", "in: SPARE"}));
}

TEST_F(IOBoardTest, ANameAlreadyListedInAnyCaseIsRefusedAndTheBoardGoesOn) {
    platform.Answer(MsgAnswer::No);
    Inputs().Add("TR1", false);

    EXPECT_EQ(Inputs().Add("tr1", true), nullptr);

    EXPECT_EQ(platform.journal(), kDuplicateRefused);
    EXPECT_EQ(Inputs().Count(), 1);
    EXPECT_FALSE(Inputs().Item("TR1")->InputState);
    EXPECT_EQ(window.heard, (std::vector<std::string>{"in: TR1"}));
    EXPECT_NE(Inputs().Add("TR2", false), nullptr);
}

TEST_F(IOBoardTest, OnlyTheExactWordSpareIsUnkeyed) {
    platform.Answer(MsgAnswer::No);
    Outputs().Add("Spare", false);

    EXPECT_EQ(Outputs().Add("spare", false), nullptr);
    EXPECT_EQ(Outputs().Item("SPARE")->OutputName, "Spare");
    EXPECT_EQ(Outputs().Count(), 1);
}

TEST_F(IOBoardTest, AHolderKeepsOneListAndAnItemAnswersTheListItIsIn) {
    BoardInput& holder = *board.BoardInput();
    EXPECT_EQ(holder.BoardInputs().Count(), 0);
    EXPECT_EQ(&holder.BoardInputs(), &holder.BoardInputs());

    BoardInput& input = *holder.BoardInputs().Add("TR1", false);
    EXPECT_EQ(&input.BoardInputs(), &holder.BoardInputs());
}

TEST(IOBoard, HasNoHoldersUntilTheLoaderGivesThem) {
    IOBoard board;
    EXPECT_EQ(board.BoardInput(), nullptr);
    EXPECT_EQ(board.BoardOutput(), nullptr);
}

TEST_F(IOBoardTest, ANewHolderReplacesTheOldOneAndIsHeardInstead) {
    Inputs().Add("TR1", false);

    board.SetBoardInput(std::make_unique<BoardInput>());
    Inputs().Add("TR1", false);

    EXPECT_EQ(Inputs().Count(), 1);
    EXPECT_EQ(window.heard, (std::vector<std::string>{"in: TR1", "in: TR1"}));
}

}  // namespace
}  // namespace veldra
