#include "loader/keywords.h"

#include <gtest/gtest.h>

namespace veldra {
namespace {

TEST(KeyWord, RejectsAKeywordThatIsOnlyPartOfAWord) {
    for (const char* piece : {"", "A, B;", "SYSTEM.OK TO X;", "COMMENTS", "XBOARD:", "TIMER BITSX",
                              "USER BITS", "ASSIGN TELECOMM TO X;"}) {
        EXPECT_FALSE(KeyWord(piece)) << piece;
    }
}

TEST(KeyWord, OnlyTheFirstKeywordFoundDecides) {
    // "BOARD:" is looked for first, and here it is glued to a name.
    EXPECT_FALSE(KeyWord("XBOARD: LOGIC BEGIN"));
    // "BOOLEAN BITS" comes before "NV.BOOLEAN BITS": pieces never hold the latter, as the
    // piece reader writes it "BOOLEAN BITS".
    EXPECT_FALSE(KeyWord("NV.BOOLEAN BITS"));
}

TEST(FindWord, FindsAWordOnlyWhereItStandsOnItsOwn) {
    EXPECT_EQ(FindWord("HAND, AND B", "AND"), 6u);
    EXPECT_EQ(FindWord("A,AND;", "AND"), 2u);
    EXPECT_EQ(FindWord("ANDOVER STAND", "AND"), std::string_view::npos);
    EXPECT_TRUE(StartsWithWord("AND:", "AND"));
    EXPECT_FALSE(StartsWithWord("AND.X", "AND"));
}

}  // namespace
}  // namespace veldra
