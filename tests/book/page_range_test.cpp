#include "book/page_range.h"

#include <gtest/gtest.h>

namespace veldra::testing {
namespace {

TEST(PageRange, RefusesPagesOutsideTheBookOrCrossingTheOtherBox) {
    struct Case {
        const char* from;
        const char* to;
        bool fromRefused;
        bool toRefused;
    };
    // A book of 10 pages.
    const Case cases[] = {
        {"1", "10", false, false}, {"4", "4", false, false},  {"1", "11", false, true},
        {"0", "5", true, false},   {"", "5", true, false},    {"11", "10", true, true},
        {"6", "5", true, true},    {"2x", "3", false, false}, {"x2", "3", true, false},
        {"3", "-1", true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RefusePageBox(PageBox::From, c.from, c.to, 10).has_value(), c.fromRefused)
            << c.from << " - " << c.to;
        EXPECT_EQ(RefusePageBox(PageBox::To, c.from, c.to, 10).has_value(), c.toRefused)
            << c.from << " - " << c.to;
    }
    EXPECT_EQ(*RefusePageBox(PageBox::To, "1", "11", 10),
              "You must enter a number greater than zero, less than the max pages and greater "
              "than the 'From' page.");
    EXPECT_EQ(PageNumberIn("  12ab"), 12);
}

}  // namespace
}  // namespace veldra::testing
