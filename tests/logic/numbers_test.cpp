#include "logic/numbers.h"

#include <gtest/gtest.h>

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
}  // namespace
}  // namespace veldra
