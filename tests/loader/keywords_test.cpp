#include "loader/keywords.h"

#include <gtest/gtest.h>

namespace veldra {
namespace {

TEST(KeyWord, RejectsAKeywordThatIsOnlyPartOfAWord) {
    for (const char* piece : {"", "A, B;", "SYSTEM.OK TO X;", "COMMENTS", "XBOARD:", "TIMER BITSX",
                              "USER BITS", "ASSIGN TELECOMM TO X;",
                              // Only the first keyword found decides: "BOARD:" is looked for
                              // first, and "BOOLEAN BITS" before "NV.BOOLEAN BITS".
                              "XBOARD: LOGIC BEGIN", "NV.BOOLEAN BITS"}) {
        EXPECT_FALSE(KeyWord(piece)) << piece;
    }
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
