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
    EXPECT_EQ((std::vector<std::size_t>{FindWord("HAND, AND B", "AND"), FindWord("A,AND;", "AND"),
                                        FindWord("ANDOVER STAND", "AND")}),
              (std::vector<std::size_t>{6, 2, std::string_view::npos}));
    EXPECT_TRUE(StartsWithWord("AND:", "AND") && !StartsWithWord("AND.X", "AND"));
}

}  // namespace
}  // namespace veldra
