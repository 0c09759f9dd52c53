#include "loader/piece_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veldra {
namespace {

using Pieces = std::vector<std::string>;

Pieces PiecesOf(const std::string& text) {
    PieceReader reader(text);
    Pieces pieces;
    for (std::string piece; reader.ReadPiece(piece);) {
        pieces.push_back(piece);
    }
    return pieces;
}

struct PieceCase {
    const char* what;
    std::string text;
    Pieces expected;
};

void PrintTo(const PieceCase& c, std::ostream* out) {
    *out << c.what;
}

class PieceStream : public ::testing::TestWithParam<PieceCase> {};

TEST_P(PieceStream, CutsTheSourceAsTheSectionReadersExpect) {
    EXPECT_EQ(PiecesOf(GetParam().text), GetParam().expected) << GetParam().what;
}

// Where pieces end, and how each is normalised.
INSTANTIATE_TEST_SUITE_P(
    Splitting, PieceStream,
    ::testing::Values(
        PieceCase{"a line end, ';' and ':' each end a piece and the marks stay",
                  "A, B;C\r\nLIMIT:250;\r\n",
                  {"A, B;", "C", "LIMIT:", "250;"}},
        PieceCase{"line feeds alone end lines as CR LF does", "A, B\nC;\nD\n", {"A, B", "C;", "D"}},
        PieceCase{"a carriage return alone ends a line", "A\rB\r", {"A", "B"}},
        PieceCase{
            "the last piece needs no line end", "X;\r\nASSIGN A TO B;", {"X;", "ASSIGN A TO B;"}},
        PieceCase{"the last piece may end without any mark", "A, B\r\nC", {"A, B", "C"}},
        PieceCase{"letters are upper-cased, tabs become blanks, ends are trimmed",
                  "  assign\ta TO b;  \r\n",
                  {"ASSIGN A TO B;"}},
        PieceCase{"inner blanks stay as written", "A  ,   B\r\n", {"A  ,   B"}},
        PieceCase{"blanks before a final colon go", "TYPE   :\r\n", {"TYPE:"}},
        PieceCase{
            "empty lines and lines of blanks are passed over", "\r\n \t \r\n\r\nA\r\n", {"A"}},
        PieceCase{"bytes outside printable ASCII act as blanks",
                  "A\x01\xff"
                  "B\r\n",
                  {"A  B"}}));

// Comments of every kind, and the places they used to swallow code.
INSTANTIATE_TEST_SUITE_P(
    Comments, PieceStream,
    ::testing::Values(
        PieceCase{"a line comment keeps the code before it",
                  "ASSIGN A TO B // note\r\n",
                  {"ASSIGN A TO B"}},
        PieceCase{"a line comment runs over its ';' and ':' to the line end",
                  "X; // note: more; still\r\nY;\r\n",
                  {"X;", "Y;"}},
        PieceCase{"a line comment ends at a line feed alone", "// note\nY;\n", {"Y;"}},
        PieceCase{"a '%' or '/*' inside a line comment opens nothing",
                  "// 50%: of /* it\r\nA;\r\nB;\r\n",
                  {"A;", "B;"}},
        PieceCase{
            "a block comment spans lines", "A /* one\r\ntwo;\r\nthree */ B;\r\n", {"A", "B;"}},
        PieceCase{"code after a block closed on its line stays", "/* note */ X;\r\n", {"X;"}},
        PieceCase{"a block between code keeps both sides apart", "X/* note */Y;\r\n", {"X Y;"}},
        PieceCase{"a percent block ends at a backslash", "% note \\ X\r\n", {"X"}},
        PieceCase{"either closer ends either block", "/* note \\ X\r\n% more */ Y\r\n", {"X", "Y"}},
        PieceCase{"within one piece */ wins over a backslash", "/* C:\\TEMP */ X;\r\n", {"X;"}},
        PieceCase{
            "a comment after a block on the same line", "/* a */ X // b\r\nY\r\n", {"X", "Y"}},
        PieceCase{
            "an unclosed block swallows the rest of the file", "A;\r\n/* open\r\nB;\r\n", {"A;"}},
        PieceCase{"a stray closer outside a block is text", "A */ B\r\n", {"A */ B"}},
        PieceCase{"a line holding only COMMENTS is passed over", "COMMENTS\r\nA\r\n", {"A"}}));

// Section keywords written over two pieces, and names that only begin like one.
INSTANTIATE_TEST_SUITE_P(
    Keywords, PieceStream,
    ::testing::Values(
        PieceCase{
            "BOOLEAN and BITS on two lines", "BOOLEAN\r\nBITS\r\nA;\r\n", {"BOOLEAN BITS", "A;"}},
        PieceCase{"BOARD and its colon on two lines", "BOARD\r\n:\r\nB1\r\n", {"BOARD:", "B1"}},
        PieceCase{"NV.BOOLEAN BITS reads as BOOLEAN BITS", "NV.BOOLEAN BITS\r\n", {"BOOLEAN BITS"}},
        PieceCase{"NV.NUMERIC VARIABLES reads as NUMERIC VARIABLES",
                  "nv.numeric variables\r\n",
                  {"NUMERIC VARIABLES"}},
        PieceCase{"CONSTANTS waits for BOOLEAN", "CONSTANTS\r\nBOOLEAN\r\n", {"CONSTANTS BOOLEAN"}},
        PieceCase{"USER waits for NUMERIC", "USER\r\nNUMERIC\r\n", {"USER NUMERIC"}},
        PieceCase{"a list header waits for its colon", "INPUTS\r\n:\r\n", {"INPUTS:"}},
        PieceCase{"TYPE takes its word from the next line", "TYPE\r\nIN16\r\n", {"TYPE IN16"}},
        PieceCase{"a trailing ENABLE waits for its colon",
                  "CHANNEL1 ENABLE\r\n:\r\n1\r\n",
                  {"CHANNEL1 ENABLE:", "1"}},
        PieceCase{"END and TABLES are not joined", "END\r\nTABLES BEGIN\r\n", {"TABLES BEGIN"}},
        PieceCase{
            "a lone first word at the end of the file is handed on", "A;\r\nLOG", {"A;", "LOG"}},
        PieceCase{"TIMER2 stays whole", "TIMER2 TO X;\r\n", {"TIMER2 TO X;"}},
        PieceCase{"USER1 stays whole", "USER1, USER2\r\n", {"USER1, USER2"}},
        PieceCase{"OUTPUT_RELAY stays whole", "OUTPUT_RELAY, B;\r\n", {"OUTPUT_RELAY, B;"}},
        PieceCase{"ENABLE_X stays whole", "ENABLE_X + B TO C;\r\n", {"ENABLE_X + B TO C;"}},
        PieceCase{"LOGIC_OK stays whole", "LOGIC_OK TO X;\r\n", {"LOGIC_OK TO X;"}},
        PieceCase{"a waiting word never eats a later line",
                  "LOG\r\nA + BLOG TO X;\r\n",
                  {"LOG A + BLOG TO X;"}}));

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

TEST(PieceReader, TheSameSourceWithLinuxLineEndsGivesTheSamePieces) {
    const std::string crlf = "PROGRAM P;\r\nBOOLEAN\r\nBITS\r\nA B\r\n// c: d\r\nC;\r\n";
    std::string lf = crlf;
    std::erase(lf, '\r');
    EXPECT_EQ(PiecesOf(lf), PiecesOf(crlf));
}

TEST(PieceReader, RewindReadsTheSameTextAgainFromScratch) {
    PieceReader reader("/* open\r\nA;\r\n*/ B;\r\n");
    std::string piece;
    ASSERT_TRUE(reader.ReadPiece(piece));
    reader.Rewind();
    ASSERT_TRUE(reader.ReadPiece(piece));
    EXPECT_EQ(piece, "B;");
}

TEST(TrimColon, RemovesBlanksBeforeAndAfterTheLastColonOnly) {
    EXPECT_EQ(PieceReader::TrimColon("TYPE :"), "TYPE:");
    EXPECT_EQ(PieceReader::TrimColon("A B  :  "), "A B:");
    EXPECT_EQ(PieceReader::TrimColon("NO COLON "), "NO COLON ");
}

}  // namespace
}  // namespace veldra
