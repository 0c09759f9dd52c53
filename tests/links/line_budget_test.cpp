#include "links/line_budget.h"

#include <gtest/gtest.h>

namespace veldra::links {
namespace {

TEST(LineBudget, AFewLinesPassInEachWindowAndTheRestAreCountedWhenItCloses) {
    LineBudget budget(5);
    int written = 0;
    for (int i = 0; i < 12; ++i)
        written += budget.Admit() ? 1 : 0;
    EXPECT_EQ(written, 5);
    EXPECT_EQ(budget.Close(), "7 more lines left out");
    EXPECT_FALSE(budget.Open());
    EXPECT_TRUE(budget.Admit());  // the next window starts afresh
    EXPECT_EQ(budget.Close(), std::nullopt);
}

TEST(LineBudget, OnlyLinesBeyondTheWindowsShareAreToldAsLeftOut) {
    struct Case {
        int lines;
        std::optional<std::string> told;
    };
    for (const Case& test : {Case{1, std::nullopt}, Case{4, std::nullopt}, Case{5, std::nullopt},
                             Case{6, "1 more line left out"}, Case{12, "7 more lines left out"}}) {
        SCOPED_TRACE(test.lines);
        LineBudget budget(5);
        for (int i = 0; i < test.lines; ++i) {
            budget.Admit();
        }
        EXPECT_EQ(budget.Close(), test.told);
    }
}

TEST(LineBudget, APeersTextIsShownPrintableAndCut) {
    EXPECT_EQ(Printable("D,\x01TRUE\xff"), "D,?TRUE?");
    EXPECT_EQ(Printable(std::string(50, 'X'), 40), std::string(40, 'X') + "...");
}

}  // namespace
}  // namespace veldra::links
