#include "logic/numbers.h"

#include <gtest/gtest.h>

#include "platform/runtime_error.h"

namespace veldra {
namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartAndStopsAtTheFirstStrangeCharacter) {
    EXPECT_DOUBLE_EQ(LeadingNumber("5"), 5);
    EXPECT_DOUBLE_EQ(LeadingNumber("  -12;"), -12);
    EXPECT_DOUBLE_EQ(LeadingNumber("+3.25X"), 3.25);
    EXPECT_DOUBLE_EQ(LeadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(LeadingNumber("1E3"), 1000);
    EXPECT_DOUBLE_EQ(LeadingNumber("7E"), 7);
    EXPECT_DOUBLE_EQ(LeadingNumber("=5"), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber(""), 0);
    EXPECT_DOUBLE_EQ(LeadingNumber("-"), 0);
}

TEST(ToInt16, RoundsHalfToEvenAndRefusesWhatDoesNotFit) {
    EXPECT_EQ(ToInt16(2.5), 2);
    EXPECT_EQ(ToInt16(3.5), 4);
    EXPECT_EQ(ToInt16(-0.5), 0);
    EXPECT_EQ(ToInt16(-32768), -32768);
    EXPECT_THROW(ToInt16(32768), RuntimeError);
    EXPECT_THROW(ToInt16(-32768.6), RuntimeError);
}

}  // namespace
}  // namespace veldra
