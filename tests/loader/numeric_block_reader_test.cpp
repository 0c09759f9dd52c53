#include "loader/numeric_block_reader.h"

#include <gtest/gtest.h>

#include "loader/loader_fixture.h"

namespace veldra::testing {
namespace {

using NumericBlockReaderTest = LoaderTest;
using Lines = std::vector<std::string>;

Lines TriggersOf(const clsNumericBlock& block) {
    Lines names;
    for (const Trigger& trigger : block.TriggerList()) {
        names.push_back(trigger.BitName);
    }
    return names;
}

Lines StatementsOf(const clsNumericBlock& block) {
    Lines texts;
    for (const Statement& statement : block.LogicStatments()) {
        texts.push_back(AssignText(statement));
    }
    return texts;
}

TEST_F(NumericBlockReaderTest, BlocksAreNumberedInOrderWithTheirTriggersAndStatements) {
    LoadFile("numeric_blocks.ml2");
    ASSERT_NE(engine.prgNumBlks, nullptr);
    ASSERT_EQ(engine.prgNumBlks->Count(), 2);
    const clsNumericBlock& first = *engine.prgNumBlks->Item(1);
    EXPECT_EQ(first.BlockNumer(), 1);
    EXPECT_EQ(TriggersOf(first), (Lines{"SPEED", "LIMIT"}));
    EXPECT_EQ(StatementsOf(first),
              (Lines{"ASSIGN SPEED>LIMIT TO OVERSPEED;", "ASSIGN SPEED<10 TO CRAWL;"}));
    EXPECT_TRUE(first.LogicStatments().Find(1)->IsNumeric());
    const clsNumericBlock& second = *engine.prgNumBlks->Item(2);
    EXPECT_EQ(second.BlockNumer(), 2);
    EXPECT_EQ(TriggersOf(second), (Lines{"HAND"}));
    EXPECT_EQ(engine.prgAssigns, nullptr);
    EXPECT_TRUE(engine.NumericMenusEnabled());
}

TEST_F(NumericBlockReaderTest, BlockZeroMakesNoBlock) {
    Load(Source({"PROGRAM P;", "NUMERIC BEGIN", "BLOCK 0", "END NUMERIC"}));
    EXPECT_EQ(engine.prgNumBlks, nullptr);
}

TEST_F(NumericBlockReaderTest, OnlyAWordAndEndsTheTriggerList) {
    Load(Source({"PROGRAM P;", "NUMERIC BEGIN", "BLOCK 1", "TRIGGERS ON STANDBY, ANDOVER",
                 "HAND AND", "ASSIGN HAND TO X;", "END BLOCK", "END NUMERIC"}));
    EXPECT_EQ(TriggersOf(*engine.prgNumBlks->Item(1)), (Lines{"STANDBY", "ANDOVER", "HAND"}));
}

TEST_F(NumericBlockReaderTest, AStatementMayFollowTheTriggerListOnItsLine) {
    Load(Source({"PROGRAM P;", "NUMERIC BEGIN", "BLOCK 1", "TRIGGERS ON X AND ASSIGN X TO Y;",
                 "END BLOCK", "END NUMERIC"}));
    EXPECT_EQ(TriggersOf(*engine.prgNumBlks->Item(1)), (Lines{"X"}));
    EXPECT_EQ(StatementsOf(*engine.prgNumBlks->Item(1)), (Lines{"ASSIGN X TO Y;"}));
}

// The run stops at a block's statement in which one "~" follows another: the load names it
// with its line and keeps it.
TEST_F(NumericBlockReaderTest, AStatementWhoseNotStandsTwiceIsNamedWithItsLineAndKept) {
    platform.Answer(MsgAnswer::No);
    Load(Source({"PROGRAM P;", "NUMERIC BEGIN", "BLOCK 1", "TRIGGERS ON X AND", "ASSIGN ~~X TO Y;",
                 "ASSIGN X>5 TO Z;", "END BLOCK", "END NUMERIC"}));
    EXPECT_EQ(Boxes(), (Lines{"Error: The statement ASSIGN ~~X TO Y; stops the run: \"~\" "
                              "stands twice (line 5): End Program?"}));
    EXPECT_EQ(StatementsOf(*engine.prgNumBlks->Item(1)),
              (Lines{"ASSIGN ~~X TO Y;", "ASSIGN X>5 TO Z;"}));
}

TEST_F(NumericBlockReaderTest, ATriggerListWithoutAndEndsAtTheFirstStatement) {
    Load(Source({"PROGRAM P;", "NUMERIC BEGIN", "BLOCK 1", "TRIGGERS ON X, Y", "ASSIGN X TO Z;",
                 "END BLOCK", "END NUMERIC"}));
    EXPECT_EQ(TriggersOf(*engine.prgNumBlks->Item(1)), (Lines{"X", "Y"}));
    EXPECT_EQ(StatementsOf(*engine.prgNumBlks->Item(1)), (Lines{"ASSIGN X TO Z;"}));
}

TEST_F(NumericBlockReaderTest, ASecondSectionGoesOnCountingBlocks) {
    Load(Source({"PROGRAM P;", "NUMERIC BEGIN", "BLOCK 5", "END BLOCK", "END NUMERIC",
                 "BOOLEAN BITS A;", "NUMERIC BEGIN", "BLOCK 5", "END BLOCK", "END NUMERIC"}));
    EXPECT_EQ(engine.prgNumBlks->Count(), 2);
    EXPECT_EQ(engine.prgNumBlks->Item(2)->BlockNumer(), 2);
}

TEST_F(NumericBlockReaderTest, ABlockLeftOpenIsClosedByTheNextBlockHeader) {
    Load(Source({"PROGRAM P;", "NUMERIC BEGIN", "BLOCK 1", "TRIGGERS ON X AND", "ASSIGN X TO Y;",
                 "BLOCK 2", "TRIGGERS ON Z AND", "END BLOCK", "END NUMERIC"}));
    ASSERT_EQ(engine.prgNumBlks->Count(), 2);
    EXPECT_EQ(TriggersOf(*engine.prgNumBlks->Item(2)), (Lines{"Z"}));
}

TEST_F(NumericBlockReaderTest, ABlockHeaderWithoutANumberEndsTheLoad) {
    platform.Answer(MsgAnswer::Ok);
    Load(Source({"PROGRAM P;", "NUMERIC BEGIN", "BLOCK X", "END NUMERIC"}));
    EXPECT_EQ(Boxes(), (Lines{"Ostrel: Type mismatch: a block number is expected in BLOCK X "
                              "(line 3): Error In Text Parser"}));
    EXPECT_TRUE(platform.ended());
    EXPECT_EQ(std::count(host.journal.begin(), host.journal.end(), "load finished"), 0);
}

}  // namespace
}  // namespace veldra::testing
