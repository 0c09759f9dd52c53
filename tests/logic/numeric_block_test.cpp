#include "logic/numeric_block.h"

#include <gtest/gtest.h>

#include <new>

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

TEST_F(NumericBlockTest, ARisingEdgeMarksTheBlocksNamingTheBitAsTheirListsStandAtTheEdge) {
    BooleanBit& trig = Bit("TRIG");
    trig.SetIsTrigger(true);
    trig.SetvNumBlocks(&blocks);
    clsNumericBlock& first = Block({});
    clsNumericBlock& other = Block({}, "OTHER");
    clsNumericBlock& lower = Block({}, "trig");
    std::vector<bool> marked;
    auto edge = [&](bool value) {
        first.SetTriggered(false);
        other.SetTriggered(false);
        trig.SetBitValue(value, true);
        marked.insert(marked.end(), {first.Triggered(), other.Triggered()});
    };

    edge(true);
    edge(false);
    other.TriggerList().Add("TRIG");
    edge(true);

    EXPECT_EQ(marked, (std::vector<bool>{true, false, false, false, true, true}));
    EXPECT_FALSE(lower.Triggered());
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

// The scan is no command of the user's: memory running out in a block's solve is answered
// there, in the words of memory running out, never the library's.
TEST_F(NumericBlockTest, MemoryRunningOutInASolveIsSaidInWordsOfMemory) {
    Bit("A", true);
    Bit("OUT");
    Block({"ASSIGN A TO OUT;"}).SetTriggered(true);
    host.onUpdateStatus = [] { throw std::bad_alloc(); };
    platform.Answer(MsgAnswer::Ok);

    blocks.Solve();

    ASSERT_EQ(platform.boxes().size(), 1u);
    EXPECT_EQ(platform.boxes()[0].prompt,
              "Out of memory. Close the windows and programs you do not need, or raise the "
              "memory limit, and try again. Occurred while solving numeric assign statement");
    EXPECT_FALSE(bits.Find("OUT")->BitValue());
}

}  // namespace
}  // namespace veldra
