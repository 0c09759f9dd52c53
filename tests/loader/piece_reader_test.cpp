#include "loader/piece_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veldra {
namespace {

using Pieces = std::vector<std::string>;

// Pieces expected, "|" between them; every test source is cut as the section readers expect.
Pieces Split(std::string_view barred) {
    Pieces pieces;
    for (std::size_t from = 0; from < barred.size();) {
        const std::size_t bar = std::min(barred.find('|', from), barred.size());
        pieces.emplace_back(barred.substr(from, bar - from));
        from = bar + 1;
    }
    return pieces;
}

TEST(PieceStream, CutsTheSourceAsTheSectionReadersExpect) {
    const std::pair<std::string, const char*> cases[] = {
        // Where pieces end, and how each is normalised.
        {"A, B;C\r\nLIMIT:250;\r\n",
         "A, B;|C|LIMIT:|250;"},  // a line end, ';' and ':' each end a piece and the marks stay
        {"A, B\nC;\nD\n", "A, B|C;|D"},                 // line feeds alone end lines as CR LF does
        {"A\rB\r", "A|B"},                              // a carriage return alone ends a line
        {"X;\r\nASSIGN A TO B;", "X;|ASSIGN A TO B;"},  // the last piece needs no line end
        {"A, B\r\nC", "A, B|C"},                        // the last piece may end without any mark
        {"  assign\ta TO b;  \r\n",
         "ASSIGN A TO B;"},  // letters are upper-cased, tabs become blanks, ends are trimmed
        {"A  ,   B\r\n", "A  ,   B"},    // inner blanks stay as written
        {"TYPE   :\r\n", "TYPE:"},       // blanks before a final colon go
        {"\r\n \t \r\n\r\nA\r\n", "A"},  // empty lines and lines of blanks are passed over
        {"A\x01\xff"
         "B\r\n",
         "A  B"},  // bytes outside printable ASCII act as blanks
        // Comments of every kind, and the places they used to swallow code.
        {"ASSIGN A TO B // note\r\n", "ASSIGN A TO B"},  // a line comment keeps the code before it
        {"X; // note: more; still\r\nY;\r\n",
         "X;|Y;"},                // a line comment runs over its ';' and ':' to the line end
        {"// note\nY;\n", "Y;"},  // a line comment ends at a line feed alone
        {"// 50%: of /* it\r\nA;\r\nB;\r\n",
         "A;|B;"},  // a '%' or '/*' inside a line comment opens nothing
        {"A /* one\r\ntwo;\r\nthree */ B;\r\n", "A|B;"},  // a block comment spans lines
        {"/* note */ X;\r\n", "X;"},                 // code after a block closed on its line stays
        {"X/* note */Y;\r\n", "X Y;"},               // a block between code keeps both sides apart
        {"% note \\ X\r\n", "X"},                    // a percent block ends at a backslash
        {"/* note \\ X\r\n% more */ Y\r\n", "X|Y"},  // either closer ends either block
        {"/* C:\\TEMP */ X;\r\n", "X;"},             // within one piece */ wins over a backslash
        {"/* a */ X // b\r\nY\r\n", "X|Y"},          // a comment after a block on the same line
        {"A;\r\n/* open\r\nB;\r\n", "A;"},  // an unclosed block swallows the rest of the file
        {"A */ B\r\n", "A */ B"},           // a stray closer outside a block is text
        {"COMMENTS\r\nA\r\n", "A"},         // a line holding only COMMENTS is passed over
        // Section keywords written over two pieces, and names that only begin like one.
        {"BOOLEAN\r\nBITS\r\nA;\r\n", "BOOLEAN BITS|A;"},  // BOOLEAN and BITS on two lines
        {"BOARD\r\n:\r\nB1\r\n", "BOARD:|B1"},             // BOARD and its colon on two lines
        {"NV.BOOLEAN BITS\r\n", "BOOLEAN BITS"},           // NV.BOOLEAN BITS reads as BOOLEAN BITS
        {"nv.numeric variables\r\n",
         "NUMERIC VARIABLES"},  // NV.NUMERIC VARIABLES reads as NUMERIC VARIABLES
        {"CONSTANTS\r\nBOOLEAN\r\n", "CONSTANTS BOOLEAN"},  // CONSTANTS waits for BOOLEAN
        {"USER\r\nNUMERIC\r\n", "USER NUMERIC"},            // USER waits for NUMERIC
        {"INPUTS\r\n:\r\n", "INPUTS:"},                     // a list header waits for its colon
        {"TYPE\r\nIN16\r\n", "TYPE IN16"},  // TYPE takes its word from the next line
        {"CHANNEL1 ENABLE\r\n:\r\n1\r\n",
         "CHANNEL1 ENABLE:|1"},                       // a trailing ENABLE waits for its colon
        {"END\r\nTABLES BEGIN\r\n", "TABLES BEGIN"},  // END and TABLES are not joined
        {"A;\r\nLOG", "A;|LOG"},  // a lone first word at the end of the file is handed on
        {"TIMER2 TO X;\r\n", "TIMER2 TO X;"},              // TIMER2 stays whole
        {"USER1, USER2\r\n", "USER1, USER2"},              // USER1 stays whole
        {"OUTPUT_RELAY, B;\r\n", "OUTPUT_RELAY, B;"},      // OUTPUT_RELAY stays whole
        {"ENABLE_X + B TO C;\r\n", "ENABLE_X + B TO C;"},  // ENABLE_X stays whole
        {"LOGIC_OK TO X;\r\n", "LOGIC_OK TO X;"},          // LOGIC_OK stays whole
        {"LOG\r\nA + BLOG TO X;\r\n",
         "LOG A + BLOG TO X;"},  // a waiting word never eats a later line
    };
    for (const auto& [text, expected] : cases) {
        PieceReader reader(text);
        Pieces pieces;
        for (std::string piece; reader.ReadPiece(piece);) {
            pieces.push_back(piece);
        }
        EXPECT_EQ(pieces, Split(expected)) << text;
    }
}

TEST(PieceReader, EachPieceKnowsTheLineItBeginsOn) {
    PieceReader reader("PROGRAM P;\r\n\r\n  A,\r\n/* x\r\n*/ B;\nC");
    std::vector<std::pair<std::string, int>> seen;
    for (std::string piece; reader.ReadPiece(piece);) {
        seen.emplace_back(piece, reader.Line());
    }
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, int>>{
                        {"PROGRAM P;", 1}, {"A,", 3}, {"B;", 5}, {"C", 6}}));
}

TEST(PieceReader, AJoinedKeywordBeginsOnTheLineOfItsFirstWord) {
    PieceReader reader("X\r\nBOOLEAN\r\n\r\nBITS\r\n");
    std::string piece;
    ASSERT_TRUE(reader.ReadPiece(piece));
    ASSERT_TRUE(reader.ReadPiece(piece));
    EXPECT_EQ(piece, "BOOLEAN BITS");
    EXPECT_EQ(reader.Line(), 2);
}

TEST(PieceReader, RewindReadsTheSameTextAgainFromScratch) {
    PieceReader reader("/* open\r\nA;\r\n*/ B;\r\n");
    std::string piece;
    ASSERT_TRUE(reader.ReadPiece(piece));
    reader.Rewind();
    ASSERT_TRUE(reader.ReadPiece(piece));
    EXPECT_EQ(piece, "B;");
}

}  // namespace
}  // namespace veldra
