#include "engine/numeric_report.h"

#include <gtest/gtest.h>

#include "engine/engine_fixture.h"

namespace veldra::testing {
namespace {

class NumericReportTest : public EngineTest {
protected:
    clsNumericBlocks blocks;
};

TEST_F(NumericReportTest, EveryBlockHasItsHeadingsAndItsTriggersJoined) {
    blocks.Add(1);
    clsNumericBlock& second = *blocks.Add(2);
    second.TriggerList().Add("T");
    second.TriggerList().Add("U");

    const std::string report = NumericBlocksReport(&blocks);

    EXPECT_NE(report.find("Block 1 Details...\r\n\r\nTrigger List;\r\n\r\nLogic for Block 1\r\n\r\n"
                          "Block 2 Details..."),
              std::string::npos);
    EXPECT_NE(report.find("Trigger List\r\nT, U;\r\n"), std::string::npos);
    EXPECT_EQ(NumericBlocksReport(nullptr),
              "Loaded Numeric Blocks.....\r\nTotal number of blocks = 0\r\n\r\n");
}

}  // namespace
}  // namespace veldra::testing
