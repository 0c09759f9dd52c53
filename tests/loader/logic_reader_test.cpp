#include "loader/logic_reader.h"

#include <gtest/gtest.h>

#include "loader/loader_fixture.h"

namespace veldra::testing {
namespace {

using LogicReaderTest = LoaderTest;
using Lines = std::vector<std::string>;

TEST_F(LogicReaderTest, EachStatementIsKeyedByItsFirstResultBit) {
    LoadFile("logic.ml2");
    EXPECT_EQ(StatementTexts(), (Lines{"ASSIGN A*B TO X;", "ASSIGN A TO Y, Z;"}));
    EXPECT_NE(engine.prgAssigns->Find("Y"), nullptr);
    EXPECT_EQ(engine.prgAssigns->Find("Z"), nullptr);
    EXPECT_FALSE(engine.prgAssigns->Find("X")->IsNumeric());
}

TEST_F(LogicReaderTest, AStatementOverTwoLinesIsJoinedWithOneBlank) {
    Load(Source({"PROGRAM P;", "LOGIC BEGIN", "ASSIGN A", "TO B;"}));
    EXPECT_EQ(StatementTexts(), (Lines{"ASSIGN A TO B;"}));
}

TEST_F(LogicReaderTest, TheLastStatementNeedsNoLineEndAfterIt) {
    Load("PROGRAM P;\r\nLOGIC BEGIN\r\nASSIGN A TO B;\r\nASSIGN B TO C;");
    EXPECT_EQ(StatementTexts(), (Lines{"ASSIGN A TO B;", "ASSIGN B TO C;"}));
}

TEST_F(LogicReaderTest, ColonsInsideAStatementStayInItsText) {
    Load(Source({"PROGRAM P;", "LOGIC BEGIN", "ASSIGN A:1 TO B;"}));
    EXPECT_EQ(StatementTexts(), (Lines{"ASSIGN A:1 TO B;"}));
}

TEST_F(LogicReaderTest, TwoStatementsForOneBitAreReportedNamingTheBitAndLine) {
    platform.Answer(MsgAnswer::No);
    Load(Source(
        {"PROGRAM P;", "LOGIC BEGIN", "ASSIGN A TO X;", "ASSIGN", "B TO X, Y;", "ASSIGN C TO Z;"}));
    EXPECT_EQ(Boxes(), (Lines{"Error: The bit X is already assigned by another statement "
                              "(line 4): End Program?"}));
    EXPECT_EQ(StatementTexts(), (Lines{"ASSIGN A TO X;", "ASSIGN C TO Z;"}));
}

// The run would stop at a statement in which one "~" follows another: the load names it and
// its line, and keeps it as written for the user to mend. One inside a name is no such one.
TEST_F(LogicReaderTest, AStatementWhoseNotStandsTwiceIsNamedWithItsLineAndKept) {
    platform.Answer(MsgAnswer::No).Answer(MsgAnswer::No);
    Load(Source({"PROGRAM P;", "LOGIC BEGIN", "ASSIGN A~~B TO X;", "ASSIGN ~ ~A TO Y;",
                 "ASSIGN B *", "~~(A + C) TO Z;", "END LOGIC"}));
    EXPECT_EQ(Boxes(),
              (Lines{"Error: The statement ASSIGN ~ ~A TO Y; stops the run: \"~\" stands twice "
                     "(line 4): End Program?",
                     "Error: The statement ASSIGN B * ~~(A + C) TO Z; stops the run: \"~\" "
                     "stands twice (line 5): End Program?"}));
    EXPECT_EQ(StatementTexts(),
              (Lines{"ASSIGN A~~B TO X;", "ASSIGN ~~A TO Y;", "ASSIGN B*~~(A+C) TO Z;"}));
    EXPECT_FALSE(platform.ended());
}

TEST_F(LogicReaderTest, AStatementWithThousandsOfResultsKeepsEveryOneInOrder) {
    constexpr int kResults = 20000;
    std::string statement = "ASSIGN A TO ";
    for (int i = 0; i < kResults; ++i) {
        statement += (i == 0 ? "R" : ", R") + std::to_string(i);
    }
    Load(Source({"PROGRAM P;", "LOGIC BEGIN", statement + ";", "END LOGIC"}));
    EXPECT_EQ(Boxes(), Lines{});
    const Statement* loaded = engine.prgAssigns->Find("R0");
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->UboundResults(), kResults - 1);
    EXPECT_EQ(loaded->ResultBitName(1), "R1");
    EXPECT_EQ(loaded->ResultBitName(kResults - 1), "R" + std::to_string(kResults - 1));
}

TEST_F(LogicReaderTest, AStatementWithoutToAsksWhetherToCloseTheProgram) {
    platform.Answer(MsgAnswer::No).Answer(MsgAnswer::No);
    Load(Source({"PROGRAM P;", "LOGIC BEGIN", "ASSIGN A B;", "END LOGIC"}));
    EXPECT_EQ(Boxes(), (Lines{"Unable to locate keyword 'TO': Close Program?",
                              "Unable to locate keyword 'TO': Close Program?"}));
    EXPECT_FALSE(platform.ended());
}

TEST_F(LogicReaderTest, AStatementLeftOpenAtTheSectionEndIsReportedNotGluedToTheNext) {
    platform.Answer(MsgAnswer::No);
    Load(Source({"PROGRAM P;", "LOGIC BEGIN", "ASSIGN A TO B", "END LOGIC", "LOGIC BEGIN",
                 "ASSIGN C TO D;"}));
    EXPECT_EQ(Boxes(), (Lines{"Error: The statement ASSIGN A TO B has no closing \";\" "
                              "(line 3): End Program?"}));
    EXPECT_EQ(StatementTexts(), (Lines{"ASSIGN C TO D;"}));
}

TEST_F(LogicReaderTest, AFileCutOffInsideAStatementIsReported) {
    platform.Answer(MsgAnswer::No);
    Load("PROGRAM P;\r\nLOGIC BEGIN\r\nASSIGN A TO B;\r\nASSIGN B +");
    EXPECT_EQ(Boxes(), (Lines{"Error: The statement ASSIGN B + has no closing \";\" (line 4): "
                              "End Program?"}));
    EXPECT_EQ(StatementTexts(), (Lines{"ASSIGN A TO B;"}));
}

}  // namespace
}  // namespace veldra::testing
