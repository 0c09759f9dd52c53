#include "logic/numeric_block.h"

#include <gtest/gtest.h>

#include "logic/boolean_bits.h"
#include "support/fake_platform.h"
#include "support/fake_program_host.h"

namespace veldra {
namespace {

using testing::FakePlatform;
using testing::FakeProgramHost;

class NumericBlockTest : public ::testing::Test {
protected:
    NumericBlockTest() { host.bits = &bits; }

    clsNumericBlock& Block(std::initializer_list<const char*> statements,
                           const char* trigger = "TRIG") {
        clsNumericBlock& block = *blocks.Add(std::int16_t(blocks.Count() + 1));
        block.TriggerList().Add(trigger);
        for (const char* text : statements) {
            block.LogicStatments().Add(text, "", true)->SetBits(&bits);
        }
        return block;
    }

    BooleanBit& Bit(const char* name, bool value = false, std::int32_t onTime = 0,
                    std::int32_t offTime = 0) {
        return *bits.Add(name, value, false, onTime, offTime);
    }

    FakePlatform platform;
    FakeProgramHost host;
    BooleanBits bits;
    clsNumericBlocks blocks;
};

TEST_F(NumericBlockTest, OnlyARisingTriggerMarksABlock) {
    clsNumericBlock& block = Block({});
    EXPECT_FALSE(block.Triggered());
    EXPECT_EQ(host.numericBlocksAdded, 1);
    BooleanBit& trig = Bit("TRIG", true);
    trig.SetIsTrigger(true);
    trig.SetvNumBlocks(&blocks);

    trig.SetBitValue(false, true);
    EXPECT_FALSE(block.Triggered());

    trig.SetBitValue(true, true);
    EXPECT_TRUE(block.Triggered());
}

TEST_F(NumericBlockTest, SolvesTriggeredBlocksWritingResultsInStatementOrder) {
    BooleanBit& speed = Bit("SPEED");
    speed.SetIsNumeric(true);
    speed.SetNumValue(60, true);
    Bit("FAST");
    Bit("SLOW", true);
    Block({"ASSIGN SPEED>50 TO FAST, X;", "ASSIGN SPEED<50 TO SLOW;", "ASSIGN 1 TO X;"})
        .SetTriggered(true);
    Bit("X");
    Bit("1", true);
    Block({"ASSIGN SPEED=60 TO NEVER;"});  // not triggered
    host.journal.clear();

    blocks.Solve();

    EXPECT_TRUE(bits.Find("FAST")->BitValue());
    EXPECT_FALSE(bits.Find("SLOW")->BitValue());
    EXPECT_EQ(host.journal, (std::vector<std::string>{
                                "table: NUMERIC BLOCK 1 Triggered", "status: FAST on", "que: FAST",
                                "status: X on", "que: X", "status: SLOW off", "que: SLOW"}));
}

TEST_F(NumericBlockTest, TheLastStatementWritingABitWins) {
    Bit("A", true);
    Bit("OUT");
    Block({"ASSIGN A TO OUT;", "ASSIGN ~A TO OUT;"}).SetTriggered(true);

    blocks.Solve();

    EXPECT_FALSE(bits.Find("OUT")->BitValue());
}

TEST_F(NumericBlockTest, TimerBitsAreCancelledAndStartedOnceAllBlocksAreDone) {
    Bit("A", true);
    Bit("ON_DELAY", false, 2000, 0);  // result True with a delay: started
    Bit("ZERO_ON", false, 0, 3000);   // result True without an on-delay: set at once
    Bit("STEADY", true, 1000, 1000);  // result equals the value: cancelled
    Block({"ASSIGN A TO ON_DELAY, ZERO_ON, STEADY;"}).SetTriggered(true);
    host.journal.clear();

    blocks.Solve();

    EXPECT_FALSE(bits.Find("ON_DELAY")->BitValue());
    EXPECT_TRUE(bits.Find("ZERO_ON")->BitValue());
    EXPECT_EQ(host.journal,
              (std::vector<std::string>{"table: NUMERIC BLOCK 1 Triggered", "status: ZERO_ON on",
                                        "que: ZERO_ON", "cancel: ZERO_ON", "cancel: STEADY",
                                        "time: ON_DELAY on"}));
}

TEST_F(NumericBlockTest, ADelayedWriteAfterAnImmediateOneWithdrawsItsCancellation) {
    Bit("A", true);
    Bit("T", false, 0, 1000);
    Block({"ASSIGN A TO T;", "ASSIGN ~A TO T;"}).SetTriggered(true);
    host.journal.clear();

    blocks.Solve();

    // The first sets T at once (no on-delay) and asks for a cancellation; the second
    // clears it again after the off-delay, which withdraws that cancellation.
    EXPECT_EQ(host.journal, (std::vector<std::string>{"table: NUMERIC BLOCK 1 Triggered",
                                                      "status: T on", "que: T", "time: T off"}));
}

TEST_F(NumericBlockTest, AMissingResultBitStopsTheSolveAndLeavesLaterBlocksTriggered) {
    Bit("A", true);
    Bit("OK");
    Bit("T", false, 1000, 0);
    Block({"ASSIGN A TO T;", "ASSIGN A TO MISSING;"}).SetTriggered(true);
    clsNumericBlock& later = Block({"ASSIGN A TO OK;"});
    later.SetTriggered(true);
    platform.Answer(MsgAnswer::Ok);

    blocks.Solve();

    ASSERT_EQ(platform.boxes().size(), 1u);
    EXPECT_EQ(platform.boxes()[0].prompt,
              "Bit MISSING not found Occurred while solving numeric assign statement");
    EXPECT_EQ(platform.boxes()[0].title, "Logic Problem!");
    EXPECT_EQ(platform.boxes()[0].icon, MsgIcon::Information);
    EXPECT_TRUE(later.Triggered());
    EXPECT_FALSE(bits.Find("OK")->BitValue());
    // The collected start for T is dropped.
    for (const std::string& line : host.journal) {
        EXPECT_NE(line, "time: T on");
    }
}

TEST_F(NumericBlockTest, AFaultyStatementIsNotAppliedAndStopsTheRun) {
    Bit("OUT", true);
    Block({"ASSIGN (A TO OUT;"}).SetTriggered(true);
    host.journal.clear();

    blocks.Solve();

    EXPECT_TRUE(bits.Find("OUT")->BitValue());
    EXPECT_EQ(host.journal,
              (std::vector<std::string>{"table: NUMERIC BLOCK 1 Triggered", "stop", "edit: OUT"}));
}

TEST_F(NumericBlockTest, BlocksAreKeyedByTheirNumber) {
    clsNumericBlock& first = Block({});
    EXPECT_EQ(blocks.Item("1"), &first);
    EXPECT_EQ(blocks.Add(1), nullptr);
    EXPECT_EQ(blocks.Count(), 1);
    EXPECT_EQ(host.numericBlocksAdded, 1);
    EXPECT_EQ(first.ParentBlocks(), &blocks);
}

}  // namespace
}  // namespace veldra
