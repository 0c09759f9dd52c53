#include "logic/statement_parser.h"

#include <gtest/gtest.h>

#include "logic/expression.h"
#include "logic/statement.h"
#include "support/fake_platform.h"

namespace veldra {
namespace {

using testing::FakePlatform;
using Names = std::vector<std::string>;

TEST(ConvertOperators, TurnsWordOperatorsIntoSymbolsAndDropsBlanks) {
    struct Case {
        const char* written;
        const char* normalised;
    };
    for (const Case& c : {
             Case{"A AND NOT B OR C", "A*~B+C"},
             Case{"A XOR B", "A@B"},
             Case{"(A OR B)AND (C)", "(A+B)*(C)"},
             Case{"A AND(B OR C)", "A*(B+C)"},
             Case{"(A)OR B", "(A)+B"},
             Case{"(A)XOR B", "(A)@B"},
             Case{"(NOT A)", "(~A)"},
             Case{"A*NOT(B)", "A*~(B)"},
             Case{"A + ~ B", "A+~B"},
             Case{"ORDER AND ANDY", "ORDER*ANDY"},
             // A NOT that opens the expression or an operand is a negation; a bit may be
             // named NOT.
             Case{"NOT A", "~A"},
             Case{"NOT A AND B", "~A*B"},
             Case{"A*NOT B", "A*~B"},
             Case{"NOT", "NOT"},
             Case{"NOTA", "NOTA"},
         }) {
        EXPECT_EQ(ConvertOperators(c.written), c.normalised) << c.written;
    }
}

TEST(OperandNames, ListsEachDistinctNameOnceInOrderOfFirstAppearance) {
    EXPECT_EQ(OperandNames("A*~B+C"), (Names{"A", "B", "C"}));
    EXPECT_EQ(OperandNames("A*A+A"), (Names{"A"}));
    EXPECT_EQ(OperandNames("(B+A)*~(A@C)"), (Names{"B", "A", "C"}));
    EXPECT_EQ(OperandNames("X=5*Y"), (Names{"X=5", "Y"}));
    EXPECT_EQ(OperandNames(""), (Names{""}));
}

// Names are told apart however many a statement holds: forty names, each followed by one
// read before it, so that names come again both while they are few and once they are many.
TEST(OperandNames, ManyNamesReadAgainAndAgainAreEachListedOnce) {
    std::string expression = "N0";
    Names expected{"N0"};
    for (int i = 1; i < 40; ++i) {
        const std::string name = "N" + std::to_string(i);
        expression += (i % 2 == 0 ? "+" : "*~") + name + "*(N" + std::to_string(i / 2) + "@N0)";
        expected.push_back(name);
    }
    EXPECT_EQ(OperandNames(expression), expected);
}

TEST(ContactKinds, ABitBehindTildeIsABackContactAndInsideANegatedGroupAFrontOne) {
    // Names compare exactly: A is not AB.
    EXPECT_EQ(
        (std::vector<bool>{ReadsBackContact("A*~B+C", "B"), ReadsFrontContact("A*~B+C", "B"),
                           ReadsFrontContact("A*~B+C", "A"), ReadsFrontContact("A*~B+C", "C"),
                           ReadsBackContact("~A*A", "A"), ReadsFrontContact("~A*A", "A"),
                           ReadsFrontContact("~(A+B)", "A"), ReadsBackContact("~(A+B)", "A"),
                           ReadsFrontContact("~(A+B)", "B"), ReadsBackContact("~(A+B)", "B"),
                           ReadsFrontContact("AB", "A")}),
        (std::vector<bool>{true, false, true, true, true, true, true, false, true, false, false}));
}

// The operand table, the contacts that queue a statement and the evaluator read the same
// names: only a "~" before a name or a bracket negates.
TEST(ContactKinds, ATildeInsideANameIsPartOfItForEveryReader) {
    struct Case {
        const char* expression;
        Names names;
        std::vector<bool> backFront;  // per name: read through a back, a front contact
    };
    for (const Case& c : {
             Case{"A1~B1", {"A1~B1"}, {false, true}},
             Case{"~A1~B1", {"A1~B1"}, {true, false}},
             Case{"~A~", {"A~"}, {true, false}},
             Case{"A1~B1*X+~X", {"A1~B1", "X"}, {false, true, true, true}},
             Case{"A1~B1@~A1", {"A1~B1", "A1"}, {false, true, true, false}},
             Case{"~(A~B@C)*~C~", {"A~B", "C", "C~"}, {false, true, false, true, true, false}},
         }) {
        EXPECT_EQ(OperandNames(c.expression), c.names) << c.expression;
        const std::vector<std::string_view> views = OperandViews(c.expression);
        std::vector<bool> backFront;
        for (const Contacts& contacts : ReadContacts(c.expression, views)) {
            backFront.push_back(contacts.back);
            backFront.push_back(contacts.front);
        }
        EXPECT_EQ(backFront, c.backFront) << c.expression;
        for (std::size_t i = 0; i < views.size(); ++i) {
            EXPECT_EQ(ReadsBackContact(c.expression, views[i]), bool(c.backFront[2 * i]));
            EXPECT_EQ(ReadsFrontContact(c.expression, views[i]), bool(c.backFront[2 * i + 1]));
        }
        EXPECT_TRUE(Expression::Parse(c.expression, views).Valid()) << c.expression;
    }
}

TEST(ParseStatementText, SplitsExpressionAndResults) {
    FakePlatform platform;
    struct Case {
        const char* text;
        const char* expression;
        Names results;
    };
    for (const Case& c : {
             Case{"ASSIGN A AND NOT B OR C TO X;", "A*~B+C", {"X"}},
             Case{"ASSIGN (A+B)TO X, Y;", "(A+B)", {"X", "Y"}},     // TO right behind a bracket
             Case{"assign a to  x1 ,  y 2 ;", "A", {"X1", "Y 2"}},  // inner blanks stay
             Case{"ASSIGN A TO X, Y", "A", {"X"}},  // a last result needs its semicolon
             Case{"ASSIGN A TO X", "A", {""}},
         }) {
        const ParsedStatement parsed = ParseStatementText(c.text);
        EXPECT_EQ(parsed.expression, c.expression) << c.text;
        EXPECT_EQ(parsed.results, c.results) << c.text;
    }
}

TEST(ParseStatementText, ATextWithoutToAsksTwiceAndUsesTheWholeText) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::No).Answer(MsgAnswer::No);

    const ParsedStatement parsed = ParseStatementText("ASSIGN A B;");

    ASSERT_EQ(platform.boxes().size(), 2u);
    for (const MsgBoxRequest& box : platform.boxes()) {
        EXPECT_EQ(box.title + ": " + box.prompt, "Unable to locate keyword 'TO': Close Program?");
        EXPECT_TRUE(box.buttons == MsgButtons::YesNo && box.icon == MsgIcon::Critical);
    }
    EXPECT_EQ(platform.journal().front(), "unload progress");
    EXPECT_EQ(parsed.results, (Names{"ASSIGN A B"}));
    EXPECT_EQ(parsed.expression, "AB;");
    EXPECT_FALSE(platform.ended());
}

TEST(ParseStatementText, YesToTheMissingToQuestionEndsTheProgram) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::Yes).Answer(MsgAnswer::Yes);
    ParseStatementText("ASSIGN A");
    EXPECT_TRUE(platform.ended());
}

TEST(StatementText, TablesAnswerEmptyPastTheirEndAndResetToOneEmptyEntry) {
    FakePlatform platform;
    Statement statement;
    statement.SetStrStatement("ASSIGN A*B TO X, Y;");
    EXPECT_EQ(statement.UboundResults(), 1);
    EXPECT_EQ((std::vector<std::string_view>{statement.ResultBitName(1), statement.ResultBitName(2),
                                             statement.OpBitName(1), statement.OpBitName(5)}),
              (std::vector<std::string_view>{"Y", "", "B", ""}));
    EXPECT_EQ(
        (std::vector<bool>{statement.BitUsed("Y"), statement.BitUsed("A"), statement.BitUsed("a")}),
        (std::vector<bool>{true, true, false}));

    statement.ResetStatement();
    EXPECT_EQ((std::vector<int>{statement.UboundResults(), statement.UboundOpBit()}),
              (std::vector<int>{0, 0}));
    EXPECT_EQ(std::string(statement.ResultBitName(0)) + std::string(statement.strStatement()), "");
}

TEST(StatementText, TheStatementsWindowRowSpacesOperatorsAndColoursTheResult) {
    FakePlatform platform;
    Statement statement;
    statement.SetStrStatement("ASSIGN A@B*C TO X, Y;");

    StatementRow row = statement.LoadFrmStatements();
    EXPECT_EQ(row.assign + "|" + row.expression + "|" + row.results, "ASSIGN|A @ B * C| TO X, Y;");
    EXPECT_EQ(row.expressionColour, StatementRow::Colour::Black);

    statement.SetIsFiltered(true);
    EXPECT_EQ(statement.LoadFrmStatements().expressionColour, StatementRow::Colour::Unchanged);
}

}  // namespace
}  // namespace veldra
