#include "book/bit_index.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "book/page_layout.h"
#include "ladder/ladders.h"
#include "logic/boolean_bits.h"
#include "support/fake_platform.h"

namespace veldra::testing {
namespace {

class NoProgress final : public LayoutProgress {
public:
    void Begin(std::string_view, int) override {}
    void Step() override {}
    void End() override {}
};

class RecordedProgress final : public IndexProgress {
public:
    void Start(int names) override { started = names; }
    void Building(std::string_view status, int done) override {
        statuses.emplace_back(status);
        last = done;
    }
    int started = -1;
    int last = 0;
    std::vector<std::string> statuses;
};

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries AsPairs(const std::vector<IndexEntry>& entries) {
    Entries pairs;
    for (const IndexEntry& entry : entries) {
        pairs.emplace_back(entry.BitName, entry.Pages);
    }
    return pairs;
}

// The program's bits: a numeric N, and two whose names are not upper case as the
// ladders' are.
class BitIndexTest : public ::testing::Test {
protected:
    BitIndexTest() {
        for (const char* name : {"X", "Y", "Z", "W", "A", "B", "M", "apple", "Zed"}) {
            bits.Add(name, false);
        }
        bits.Add("N", false)->SetIsNumeric(true);
    }
    FakePlatform platform;
    BooleanBits bits;
};

TEST_F(BitIndexTest, TheIndexOfABookGivesEveryBitItsReadAndCoilPagesInNameOrder) {
    // On a page of five rows each of these ladders takes a page of its own.
    const char* statements[] = {
        "A*N>3 TO X;", "X+B TO Y;", "Y*X TO X;", "N=0*~A TO B;", "M>1+ZED TO Z;", "X TO W;",
    };
    Ladders book;
    for (const char* statement : statements) {
        book.Add(false, statement);
    }
    NoProgress layout;
    ASSERT_EQ(CreateDocument(book, {kPageMarginWidth + 10 * 1560.0, kPageMarginHeight + 5 * 840.0},
                             {}, &bits, layout),
              6);
    for (int i = 1; i <= book.Count(); ++i) {
        ASSERT_EQ(book.Item(i)->PageNumber, i);
    }

    RecordedProgress progress;
    const std::vector<IndexEntry> index = clsIndex().GetIndex(book, &bits, &progress);
    EXPECT_EQ(AsPairs(index), (Entries{
                                  {"A", "Page(s): 1, 4, "},  // a back contact is a read too
                                  {"apple", "Page(s): "},
                                  {"B", "Page(s): 2, (4), "},
                                  {"M", "Page(s): "},  // compared, but not a numeric bit
                                  {"N", "Page(s): 1, 4, "},
                                  {"W", "Page(s): (6), "},
                                  {"X", "Page(s): (1), 2, (3), 6, "},
                                  {"Y", "Page(s): (2), 3, "},
                                  {"Z", "Page(s): (5), "},
                                  {"Zed", "Page(s): "},  // the ladder's ZED is another name
                              }));
    EXPECT_EQ(progress.started, 10);
    EXPECT_EQ(progress.last, 10);
    EXPECT_EQ(progress.statuses.front(), "Building Index for A");
    EXPECT_EQ(progress.statuses.back(), "Building Index for Zed");
}

TEST_F(BitIndexTest, APageIsGivenOnceAndAPageWhereTheBitIsACoilInBrackets) {
    struct Case {
        const char* what;
        std::vector<std::pair<const char*, int>> ladders;  // statement and its page
        const char* pagesOfN;
    };
    const Case cases[] = {
        {"read on 2 and 7, a coil on 7",
         {{"N>3 TO X;", 2}, {"N=1 TO Y;", 7}, {"A TO N;", 7}},
         "Page(s): 2, (7), "},
        {"compared after its coil on the page",
         {{"A TO N;", 4}, {"N>1 TO X;", 4}},
         "Page(s): (4), "},
        {"read twice on a page", {{"N>1*N<9 TO X;", 3}, {"N TO Y;", 3}}, "Page(s): 3, "},
        {"pages met out of order", {{"N>1 TO X;", 5}, {"N<1 TO Y;", 2}}, "Page(s): 2, 5, "},
        {"a ladder not on a page", {{"N>1 TO X;", 0}}, "Page(s): "},
        {"only the bit compared counts", {{"NN>1 TO X;", 1}, {"A TO NN;", 1}}, "Page(s): "},
    };
    for (const Case& c : cases) {
        Ladders book;
        for (const auto& [statement, page] : c.ladders) {
            book.Add(false, statement)->PageNumber = page;
        }
        const std::vector<IndexEntry> index = clsIndex().GetIndex(book, &bits);
        const auto n = std::find_if(index.begin(), index.end(),
                                    [](const IndexEntry& entry) { return entry.BitName == "N"; });
        ASSERT_NE(n, index.end());
        EXPECT_EQ(n->Pages, c.pagesOfN) << c.what;
    }
}

TEST_F(BitIndexTest, WithoutAProgramTheIndexIsEmpty) {
    Ladders book;
    book.Add(false, "A TO X;")->PageNumber = 1;
    EXPECT_TRUE(clsIndex().GetIndex(book, nullptr).empty());
}

std::vector<IndexEntry> SomeEntries() {
    return {{"AB", "Page(s): 3, (5), 12, "}, {"SPARE", "Page(s): "}, {"B1", "Page(s): (4), "},
            {"C", "Page(s): 1, "},           {"D", "Page(s): 2, "},  {"E", "Page(s): 9, "}};
}

TEST(BitIndexTexts, TheSavedFileGivesEachBitOnAPageThreeLines) {
    EXPECT_EQ(IndexFileText(SomeEntries()),
              "AB\r\nPage(s): 3, (5), 12\r\n\r\n"
              "B1\r\nPage(s): (4)\r\n\r\n"
              "C\r\nPage(s): 1\r\n\r\n"
              "D\r\nPage(s): 2\r\n\r\n"
              "E\r\nPage(s): 9\r\n\r\n");
    EXPECT_EQ(IndexFileText({{"SPARE", "Page(s): "}}), "");
}

TEST(BitIndexTexts, ThePrintedIndexBreaksItsPagesBeforeTheFootAndFootsEveryPage) {
    const ListingTexts listing{"3FA9", "00C1", ""};
    const std::string footer = IndexFooterText("MILL_LANE", listing);
    EXPECT_EQ(footer, "Index Listing for: MILL_LANE  CheckSum: 00C1   CRC: 3FA9");
    const auto line = [](double y, std::string text) {
        return IndexLine{2000, y, std::move(text)};
    };
    const auto foot = [&](double pageHeight) { return line(pageHeight - 1000, footer); };

    // 100 twips a line: the heading and two empty lines end at 1860, an entry takes 400.
    // A page 4500 high takes entries while the text stands at 2500 or above its top.
    const std::vector<IndexSheet> sheets = IndexSheets(SomeEntries(), footer, 4500, 100);
    const std::vector<IndexSheet> expected = {
        {line(1560, "INDEX LISTING"), line(1860, "AB"), line(1960, "Page(s): 3, (5), 12"),
         line(2260, "B1"), line(2360, "Page(s): (4)"), foot(4500)},
        {line(1560, "INDEX LISTING"), line(1860, "C"), line(1960, "Page(s): 1"), line(2260, "D"),
         line(2360, "Page(s): 2"), foot(4500)},
        {line(1560, "INDEX LISTING"), line(1860, "E"), line(1960, "Page(s): 9"), foot(4500)},
    };
    ASSERT_EQ(sheets.size(), expected.size());
    for (std::size_t page = 0; page < sheets.size(); ++page) {
        ASSERT_EQ(sheets[page].size(), expected[page].size()) << page;
        for (std::size_t i = 0; i < sheets[page].size(); ++i) {
            EXPECT_EQ(sheets[page][i].x, expected[page][i].x);
            EXPECT_EQ(sheets[page][i].y, expected[page][i].y) << page << " " << i;
            EXPECT_EQ(sheets[page][i].text, expected[page][i].text);
        }
    }

    // A bit on no page prints nothing, but the page is still ended before it: the last
    // page then holds its heading and footer alone.
    const std::vector<IndexSheet> trailing =
        IndexSheets({{"AB", "Page(s): 1, "}, {"B1", "Page(s): 2, "}, {"SPARE", "Page(s): "}},
                    footer, 4500, 100);
    ASSERT_EQ(trailing.size(), 2u);
    EXPECT_EQ(trailing[1].size(), 2u);
    EXPECT_EQ(trailing[1].back().text, footer);
    EXPECT_EQ(IndexSheets({}, footer, 4500, 100).size(), 1u);
}

TEST(BitIndexTexts, ThePlottedIndexFillsEachColumnBelowEightInches) {
    struct Case {
        double lineHeight;
        std::vector<int> entriesPerColumn;
    };
    // At an inch a line a column of two entries and the next name and pages would be
    // eight lines, eight inches: two go in each column. At two thirds of an inch, four.
    const Case cases[] = {{1440, {2, 2, 1}}, {960, {4, 1}}, {100, {5}}};
    for (const Case& c : cases) {
        const std::vector<std::string> columns = IndexColumns(SomeEntries(), c.lineHeight);
        std::vector<int> counts;
        for (const std::string& column : columns) {
            int entries = 0;
            for (std::size_t at = 0; (at = column.find("\r\n\r\n", at)) != std::string::npos;
                 at += 4) {
                ++entries;
            }
            counts.push_back(entries);
        }
        EXPECT_EQ(counts, c.entriesPerColumn) << c.lineHeight;
    }
    EXPECT_EQ(IndexColumns(SomeEntries(), 1440).front(),
              "AB\r\nPage(s): 3, (5), 12\r\n\r\nB1\r\nPage(s): (4)\r\n\r\n");
}

}  // namespace
}  // namespace veldra::testing
