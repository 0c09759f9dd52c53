#include "links/send_buffer.h"

#include <gtest/gtest.h>

namespace veldra::links {
namespace {

TEST(SendBuffer, AWaitingRequestSurvivesARebuildAndGoesFirst) {
    SendBuffer buffer;
    buffer.Request();
    buffer.Replace("D,True\r");
    EXPECT_EQ(buffer.Text(), "Z\rD,True\r");
    buffer.Consume(2);
    buffer.Replace("D,False\r");
    EXPECT_EQ(buffer.Text(), "D,False\r");
}

// Asking the peer again must not lose our own last change, still unsent.
TEST(SendBuffer, ARequestGoesInFrontOfWhatWaits) {
    SendBuffer buffer;
    buffer.Replace("D,True\r");
    buffer.Request();
    buffer.Request();
    EXPECT_EQ(buffer.Text(), "Z\rD,True\r");
}

TEST(SendBuffer, APeerThatNeverReadsCannotGrowIt) {
    SendBuffer buffer(16);
    EXPECT_TRUE(buffer.Append("D,True\rE,True\r"));
    EXPECT_FALSE(buffer.Append("F,True\r"));
    buffer.Replace("D,True\rE,True\rF,True\r");
    EXPECT_EQ(buffer.Text(), "D,True\rE,True\r");
}

}  // namespace
}  // namespace veldra::links
