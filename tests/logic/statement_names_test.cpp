#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "logic/boolean_bits.h"
#include "logic/solve_program.h"
#include "logic/statement.h"
#include "support/fake_platform.h"
#include "support/fake_program_host.h"

namespace veldra {
namespace {

using Names = std::vector<std::string>;

Names ResultsOf(const Statement& statement) {
    Names names;
    for (int i = 0; i <= statement.UboundResults(); ++i) {
        names.emplace_back(statement.ResultBitName(i));
    }
    return names;
}

Names OperandsOf(const Statement& statement) {
    Names names;
    for (int i = 0; i <= statement.UboundOpBit(); ++i) {
        names.emplace_back(statement.OpBitName(i));
    }
    return names;
}

TEST(StatementNames, AStatementReadsBackItsExpressionResultsAndOperands) {
    struct Case {
        const char* text;
        const char* expression;
        Names results;
        Names operands;
    };
    const std::vector<Case> cases = {
        {"ASSIGN A AND NOT B OR C TO X;", "A*~B+C", {"X"}, {"A", "B", "C"}},
        {"ASSIGN (B+A)*~(A@C) TO Y, Z;", "(B+A)*~(A@C)", {"Y", "Z"}, {"B", "A", "C"}},
        {"ASSIGN X=5*Y TO N;", "X=5*Y", {"N"}, {"X=5", "Y"}},
        {"ASSIGN A TO ;", "A", {""}, {"A"}},
    };
    for (const Case& c : cases) {
        Statement statement;
        statement.SetStrStatement(c.text);
        EXPECT_EQ(statement.strStatement(), c.expression) << c.text;
        EXPECT_EQ(ResultsOf(statement), c.results) << c.text;
        EXPECT_EQ(OperandsOf(statement), c.operands) << c.text;
        EXPECT_EQ(statement.OpBitName(99), "") << c.text;
        EXPECT_EQ(statement.ResultBitName(-1), "") << c.text;
    }
}

TEST(StatementNames, AnEmptiedStatementHasOneEmptyResultAndOperand) {
    Statement statement;
    statement.SetStrStatement("ASSIGN A*B TO X, Y;");
    statement.ResetStatement();
    EXPECT_EQ(statement.strStatement(), "");
    EXPECT_EQ(ResultsOf(statement), Names{""});
    EXPECT_EQ(OperandsOf(statement), Names{""});
}

TEST(StatementNames, AStatementCompiledForTheScanStillSolvesAndShowsItself) {
    testing::FakePlatform platform;
    testing::FakeProgramHost host;
    BooleanBits bits;
    bits.Add("A", true);
    bits.Add("B", false);
    bits.Add("X", false);
    Statement statement;
    statement.SetStrStatement("ASSIGN A*~B TO X;");
    statement.SetBits(&bits);
    SolveProgram program;

    ASSERT_TRUE(program.Add(statement, bits));

    EXPECT_TRUE(program.Evaluate(0, bits.Values()));
    EXPECT_EQ(AssignText(statement), "ASSIGN A*~B TO X;");
    EXPECT_EQ(statement.ResultBit(0), bits.Find("X"));
    EXPECT_EQ(statement.OperandBit(1), bits.Find("B"));
    ASSERT_TRUE(statement.Solve());
    EXPECT_TRUE(statement.Result());
    EXPECT_EQ(statement.SolveString(), "0*~1");
}

TEST(StatementNames, ANumericStatementComparesTheBitsNumber) {
    testing::FakePlatform platform;
    testing::FakeProgramHost host;
    BooleanBits bits;
    BooleanBit& n = *bits.Add("N", false);
    n.SetIsNumeric(true);
    Statement statement;
    statement.SetStrStatement("ASSIGN N>5 TO X;");
    statement.SetIsNumeric(true);
    statement.SetBits(&bits);

    n.SetNumValue(7, true);
    ASSERT_TRUE(statement.Solve());
    EXPECT_TRUE(statement.Result());
    EXPECT_EQ(statement.OperandBit(0), nullptr);  // a comparison reads a number, not the bit
    n.SetNumValue(3, true);
    ASSERT_TRUE(statement.Solve());
    EXPECT_FALSE(statement.Result());
}

}  // namespace
}  // namespace veldra
