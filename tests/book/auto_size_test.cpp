#include "book/auto_size.h"

#include <gtest/gtest.h>

#include "ladder/ladders.h"

namespace veldra::testing {
namespace {

constexpr PageCanvas kA4 = {11900, 16840};

class AutoSizeTest : public ::testing::Test {
protected:
    // Starts afresh for every test, as for a new book.
    LadderExtent extent;
};

TEST_F(AutoSizeTest, TheLargestSizeAtWhichTheWidestAndTallestStatementsFitIsChosen) {
    struct Case {
        const char* what;
        PageCanvas canvas;
        int maxCols, maxRows;
        bool noWrap, noSpan;
        int size;  // 0: none fits
    };
    const Case cases[] = {
        {"no restriction", kA4, 30, 90, false, false, 200},
        {"4 + 2 columns: 5.52 rounds to 6 at 102 %", kA4, 4, 0, true, false, 102},
        {"2 + 2 columns: the fourth ends on the paper at 152 %, past its edge at 153 %", kA4, 2, 0,
         true, false, 152},
        {"the plot sheet", {24480, 15840}, 12, 0, true, false, 101},
        {"10 rows below the header", kA4, 0, 10, false, true, 154},
        {"both: the smaller", kA4, 2, 10, true, true, 152},
        {"too wide even at 50 %", kA4, 20, 0, true, false, 0},
        {"too tall even at 50 %", kA4, 0, 40, false, true, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AutoSize(c.canvas, c.maxCols, c.maxRows, c.noWrap, c.noSpan).value_or(0), c.size)
            << c.what;
    }
}

TEST_F(AutoSizeTest, MeasuringTakesTheBareLaddersOfStatementsAndStopsWhenTheBookGoes) {
    Ladders book;
    const int rows = book.Add(false, "A+B+C+D TO Y;")->GetElements().Rows();
    book.Add(false, "");  // a continuation has no statement of its own
    MeasureBook(book, extent, [](int statement, int count) { return statement <= count; });
    EXPECT_EQ(extent.MaxLadderRows, rows);
    extent.MaxLadderRows = 0;
    MeasureBook(book, extent, [](int, int) { return false; });
    EXPECT_EQ(extent.MaxLadderRows, 0);
}

}  // namespace
}  // namespace veldra::testing
