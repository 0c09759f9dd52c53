#include "book/auto_size.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "ladder/ladders.h"

namespace veldra::testing {
namespace {

class NoProgress final : public LayoutProgress {
public:
    void Begin(std::string_view, int) override {}
    void Step() override {}
    void End() override {}
};

constexpr PageCanvas kA4 = {11900, 16840};
constexpr PageCanvas kPlotSheet = {24480, 15840};

// The book's extents start afresh for every test, as for a new book.
class AutoSizeTest : public ::testing::Test {
protected:
    AutoSizeTest() { MaxLadderCols = MaxLadderRows = 0; }
    ~AutoSizeTest() override { MaxLadderCols = MaxLadderRows = 0; }
};

TEST_F(AutoSizeTest, TheLargestSizeAtWhichTheWidestAndTallestStatementsFitIsChosen) {
    struct Case {
        const char* what;
        PageCanvas canvas;
        int maxCols;
        int maxRows;
        bool noWrap;
        bool noSpan;
        std::optional<int> size;
    };
    const Case cases[] = {
        {"no restriction", kA4, 30, 90, false, false, 200},
        {"4 columns + 2 on A4: 5.52 columns round to 6 at 102 %", kA4, 4, 0, true, false, 102},
        {"2 columns + 2 on A4: 3.52 round to 4 at 160 %", kA4, 2, 0, true, false, 160},
        {"2 columns + 2 on the plot sheet", kPlotSheet, 12, 0, true, false, 101},
        {"10 rows below the header on A4", kA4, 0, 10, false, true, 154},
        {"both: the smaller of the two", kA4, 2, 10, true, true, 154},
        {"too wide even at 50 %", kA4, 20, 0, true, false, std::nullopt},
        {"too tall even at 50 %", kA4, 0, 40, false, true, std::nullopt},
        {"too wide, but width left free", kA4, 20, 0, false, false, 200},
    };
    for (const Case& c : cases) {
        const std::optional<std::int16_t> size =
            AutoSize(c.canvas, c.maxCols, c.maxRows, c.noWrap, c.noSpan);
        EXPECT_EQ(size ? std::optional<int>(*size) : std::nullopt, c.size) << c.what;
    }
}

// Lays the statements out as the book does at the size given.
struct Laid {
    int ladders = 0;
    int rowsOfFirst = 0;
};

Laid LayOut(const std::vector<std::string>& statements, int size, PageCanvas canvas) {
    Ladders book(size);
    for (const std::string& text : statements) {
        book.Add(false, text);
    }
    NoProgress progress;
    CreateDocument(book, canvas, {}, nullptr, progress);
    int first = 1 << 30;
    int last = -1;
    for (const auto& cell : book.Item(1)->GetElements()) {
        first = std::min(first, cell->Row());
        last = std::max(last, cell->Row());
    }
    return {book.Count(), last - first};
}

TEST_F(AutoSizeTest, AtTheSizeFoundNothingWrapsOrSpansAndOneSizeLargerItWould) {
    const std::vector<std::string> wide = {"A*B*C*D*E*F*G TO X;", "A+B TO Y;"};
    Ladders book;
    for (const std::string& text : wide) {
        book.Add(false, text);
    }
    MeasureBook(book, nullptr);
    const std::optional<std::int16_t> width =
        AutoSize(kA4, MaxLadderCols, MaxLadderRows, true, false);
    ASSERT_TRUE(width);
    const int bareRows = LayOut(wide, *width, kA4).rowsOfFirst;
    EXPECT_GT(LayOut(wide, *width + 1, kA4).rowsOfFirst, bareRows);  // wrapped under itself

    std::string tall = "A0";
    for (int i = 1; i < 12; ++i) {
        tall += "+A" + std::to_string(i);
    }
    const std::vector<std::string> high = {tall + " TO X;"};
    MaxLadderCols = MaxLadderRows = 0;
    Ladders tallBook;
    tallBook.Add(false, high[0]);
    MeasureBook(tallBook, nullptr);
    const std::optional<std::int16_t> height =
        AutoSize(kA4, MaxLadderCols, MaxLadderRows, false, true);
    ASSERT_TRUE(height);
    EXPECT_EQ(LayOut(high, *height, kA4).ladders, 1);
    EXPECT_EQ(LayOut(high, *height + 1, kA4).ladders, 2);  // continued on the next page
}

TEST_F(AutoSizeTest, MeasuringRaisesTheExtentsToTheBareLaddersAndStopsWhenTheBookGoes) {
    Ladders book;
    book.Add(false, "A*B*C TO X;");
    book.Add(false, "A+B+C+D TO Y;");
    book.Add(false, "");  // a continuation has no statement of its own
    Ladders probe;
    const int cols = probe.Add(false, "A*B*C TO X;")->GetElements().Cols();
    const int rows = probe.Add(false, "A+B+C+D TO Y;")->GetElements().Rows();
    std::vector<std::pair<int, int>> heard;
    MeasureBook(book, [&heard](int statement, int count) {
        heard.emplace_back(statement, count);
        return true;
    });
    EXPECT_EQ(MaxLadderCols, cols);
    EXPECT_EQ(MaxLadderRows, rows);
    EXPECT_EQ(heard, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));

    MaxLadderCols = 50;  // a larger extent stays
    MeasureBook(book, nullptr);
    EXPECT_EQ(MaxLadderCols, 50);

    MaxLadderCols = MaxLadderRows = 0;
    MeasureBook(book, [](int, int) { return false; });
    EXPECT_EQ(MaxLadderCols + MaxLadderRows, 0);
}

}  // namespace
}  // namespace veldra::testing
