#include "engine/numeric_report.h"

#include <gtest/gtest.h>

#include "engine/engine_fixture.h"

namespace veldra::testing {
namespace {

class NumericReportTest : public EngineTest {
protected:
    clsNumericBlocks blocks;
};

TEST_F(NumericReportTest, EachBlockShowsItsTriggersAndItsStatements) {
    clsNumericBlock& block = *blocks.Add(1);
    block.TriggerList().Add("A");
    block.TriggerList().Add("B");
    block.LogicStatments().Add("ASSIGN speed > 5 TO FAST;", "", true);

    EXPECT_EQ(NumericBlocksReport(&blocks),
              "Loaded Numeric Blocks.....\r\n"
              "Total number of blocks = 1\r\n"
              "\r\n"
              "Block 1 Details...\r\n"
              "\r\n"
              "Trigger List\r\n"
              "A, B;\r\n"
              "\r\n"
              "Logic for Block 1\r\n"
              "\r\n"
              "ASSIGN SPEED>5 TO FAST;\r\n"
              "\r\n");
}

TEST_F(NumericReportTest, ABlockWithoutTriggersOrStatementsStillHasItsHeadings) {
    blocks.Add(1);
    blocks.Add(2)->TriggerList().Add("T");

    const std::string report = NumericBlocksReport(&blocks);

    EXPECT_NE(report.find("Block 1 Details...\r\n\r\nTrigger List;\r\n\r\nLogic for Block 1\r\n\r\n"
                          "Block 2 Details..."),
              std::string::npos);
    EXPECT_NE(report.find("Trigger List\r\nT;\r\n"), std::string::npos);
    EXPECT_EQ(NumericBlocksReport(nullptr),
              "Loaded Numeric Blocks.....\r\nTotal number of blocks = 0\r\n\r\n");
}

}  // namespace
}  // namespace veldra::testing
