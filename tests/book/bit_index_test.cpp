#include "book/bit_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "book/page_layout.h"
#include "ladder/ladders.h"
#include "logic/boolean_bits.h"
#include "support/fake_platform.h"
#include "support/no_layout_progress.h"

namespace veldra::testing {
namespace {

std::vector<std::string> AsLines(const std::vector<IndexEntry>& entries) {
    std::vector<std::string> lines;
    for (const IndexEntry& entry : entries) {
        lines.push_back(entry.BitName + " " + entry.Pages);
    }
    return lines;
}

// The program's bits: a numeric N, and two whose names are not in the ladders' upper case.
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
    Ladders book;
    for (const char* statement :
         {"A*N>3 TO X;", "X+B TO Y;", "Y*X TO X;", "N=0*~A TO B;", "M>1+ZED TO Z;", "X TO W;"}) {
        book.Add(false, statement);
    }
    // Five rows a page: each ladder takes a page of its own.
    NoProgress layout;
    ASSERT_EQ(CreateDocument(book, {kPageMarginWidth + 15600, kPageMarginHeight + 5 * 840.0}, {},
                             &bits, layout),
              6);
    EXPECT_EQ(AsLines(clsIndex().GetIndex(book, &bits)),
              (std::vector<std::string>{
                  "A Page(s): 1, 4, ",  // a back contact is a read too
                  "apple Page(s): ", "B Page(s): 2, (4), ",
                  "M Page(s): ",  // compared, but not a numeric bit
                  "N Page(s): 1, 4, ", "W Page(s): (6), ", "X Page(s): (1), 2, (3), 6, ",
                  "Y Page(s): (2), 3, ", "Z Page(s): (5), ",
                  "Zed Page(s): ",  // the ladder's ZED is another name
              }));
}

TEST_F(BitIndexTest, APageWhereANumericBitIsACoilIsGivenOnceInBracketsAndPagesInOrder) {
    Ladders book;
    for (const auto& [statement, page] : {std::pair{"A TO N;", 4},
                                          {"N>1*N<9 TO X;", 4},
                                          {"N=1 TO Y;", 7},
                                          {"N>3 TO X;", 2},
                                          {"NN>1 TO Z;", 3}}) {
        book.Add(false, statement)->PageNumber = page;
    }
    EXPECT_EQ(AsLines(clsIndex().GetIndex(book, &bits))[4], "N Page(s): 2, (4), 7, ");
}

// The index lists the contacts as drawn: both operands of an exclusive-or contact, and the
// operands a negated bracket is carried to.
TEST_F(BitIndexTest, AnExclusiveOrContactAndANegatedBracketAreReadsOfEveryOperand) {
    Ladders book;
    book.Add(false, "A@N>3 TO X;")->PageNumber = 3;
    book.Add(false, "~(B*M) TO Y;")->PageNumber = 5;
    const std::vector<std::string> lines = AsLines(clsIndex().GetIndex(book, &bits));
    EXPECT_EQ(lines[0], "A Page(s): 3, ");
    EXPECT_EQ(lines[2], "B Page(s): 5, ");
    EXPECT_EQ(lines[3], "M Page(s): 5, ");
    EXPECT_EQ(lines[4], "N Page(s): 3, ");
}

TEST(BitIndexTexts, ThePrintedIndexEndsAPageBeforeItsFootAndFootsEveryPage) {
    const std::string footer = IndexFooterText("MILL", {"3FA9", "00C1", ""});
    EXPECT_EQ(footer, "Index Listing for: MILL  CheckSum: 00C1   CRC: 3FA9");
    // At 100 twips a line an entry takes 400 below the heading's 1860; a page 4500 high
    // ends once the text has passed 2500. A bit on no page prints nothing but is looked at.
    const std::vector<IndexEntry> entries = {{"AB", "Page(s): 3, (5), "}, {"SPARE", "Page(s): "},
                                             {"B1", "Page(s): (4), "},    {"C", "Page(s): 1, "},
                                             {"D", "Page(s): 2, "},       {"SPARE2", "Page(s): "}};
    std::vector<std::string> pages;
    for (const IndexSheet& sheet : IndexSheets(entries, footer, 4500, 100)) {
        std::string page;
        for (const IndexLine& line : sheet) {
            page += std::to_string(int(line.x)) + "," + std::to_string(int(line.y)) + " " +
                    line.text.substr(0, 13) + "|";
        }
        pages.push_back(page);
    }
    EXPECT_EQ(pages, (std::vector<std::string>{
                         "2000,1560 INDEX LISTING|2000,1860 AB|2000,1960 Page(s): 3, (|"
                         "2000,2260 B1|2000,2360 Page(s): (4)|2000,3500 Index Listing|",
                         "2000,1560 INDEX LISTING|2000,1860 C|2000,1960 Page(s): 1|2000,2260 D|"
                         "2000,2360 Page(s): 2|2000,3500 Index Listing|",
                         "2000,1560 INDEX LISTING|2000,3500 Index Listing|",
                     }));

    // The plot's columns: below eight inches with the next entry, at an inch a line two.
    const std::vector<std::string> columns = IndexColumns(entries, 1440);
    EXPECT_EQ(columns,
              (std::vector<std::string>{"AB\r\nPage(s): 3, (5)\r\n\r\nB1\r\nPage(s): (4)\r\n\r\n",
                                        "C\r\nPage(s): 1\r\n\r\nD\r\nPage(s): 2\r\n\r\n"}));
    EXPECT_EQ(IndexColumns(entries, 960).size(), 1u);
}

}  // namespace
}  // namespace veldra::testing
