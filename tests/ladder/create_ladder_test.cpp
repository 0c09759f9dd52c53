#include "ladder/create_ladder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ladder/drawn_expression.h"
#include "ladder/ladders.h"
#include "support/fake_platform.h"
#include "support/ladder_grid.h"
#include "support/nested_chains.h"

namespace veldra::testing {
namespace {

struct Shape {
    const char* statement;
    std::vector<std::string> cells;
};

class LadderShapes : public ::testing::TestWithParam<Shape> {};

TEST_P(LadderShapes, LayOutEveryCellWithItsKeyAndFlags) {
    CreateLadder ladder;
    ladder.SetStatement(GetParam().statement);
    EXPECT_EQ(Grid(ladder), GetParam().cells);
    for (const auto& cell : ladder.GetElements()) {
        EXPECT_TRUE(cell->WordWrap);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, LadderShapes,
    ::testing::Values(
        Shape{"A*B*C TO X;",
              {"0 0 [A]", "1 0 [B]", "2 0 [C]", "0 1 []", "3 0 [] hLine", "4 0 [X] IsOutput"}},
        Shape{"(A+B)*C TO X;",
              {"0 0 [A] IsOr LeftOrDown RightOrDown IsDrawn", "0 1 [B] LeftorUp RightOrUp IsDrawn",
               "1 0 [C]", "0 2 []", "2 0 [] hLine", "3 0 [X] IsOutput"}},
        Shape{"(A+B)*(C+D) TO X;",
              {"0 0 [A] IsOr LeftOrDown RightOrDown IsDrawn", "0 1 [B] LeftorUp RightOrUp IsDrawn",
               "1 0 [C] IsOr LeftOrDown RightOrDown IsDrawn", "1 1 [D] LeftorUp RightOrUp IsDrawn",
               "0 2 []", "2 0 [] hLine", "3 0 [X] IsOutput"}},
        // A back contact, a branch carried along by a wire, and two coils on one line.
        Shape{"A*~B+C TO X, Y;",
              {"0 0 [A] LeftOrDown", "1 0 [B] Back IsOr RightOrDown IsDrawn",
               "0 1 [C] LeftorUp IsDrawn", "1 1 [] RightOrUp hLine IsDrawn", "0 2 []", "0 3 []",
               "2 0 [] hLine", "3 0 [X] LeftOrDown IsOutput", "3 1 [Y] LeftorUp IsOutput"}},
        // A branch after an OR group takes a row of its own below the group's.
        Shape{"(A+B)*C+D TO X;",
              {"0 0 [A] IsOr LeftOrDown RightOrDown IsDrawn",
               "0 1 [B] LeftorUp LeftOrDown RightOrUp IsDrawn", "1 0 [C] IsOr RightOrDown IsDrawn",
               "0 2 [D] LeftorUp IsDrawn", "1 2 [] RightOrUp hLine IsDrawn",
               "1 1 [] RightOrUp RightOrDown", "0 3 []", "2 0 [] hLine", "3 0 [X] IsOutput"}},
        Shape{"~A TO X;", {"0 0 [A] Back", "0 1 []", "1 0 [] hLine", "2 0 [X] IsOutput"}},
        Shape{"A@B TO X;", {"0 0 [A@B]", "0 1 []", "1 0 [] hLine", "2 0 [X] IsOutput"}},
        // A NOT over a bracket is carried to the contacts inside, AND and OR exchanged; two
        // NOTs on one exclusive-or contact cancel.
        Shape{"~(A*B) TO X;",
              {"0 0 [A] Back IsOr LeftOrDown RightOrDown IsDrawn",
               "0 1 [B] Back LeftorUp RightOrUp IsDrawn", "0 2 []", "1 0 [] hLine",
               "2 0 [X] IsOutput"}},
        Shape{"~(~A+B) TO X;",
              {"0 0 [A]", "1 0 [B] Back", "0 1 []", "2 0 [] hLine", "3 0 [X] IsOutput"}},
        Shape{"~A@~B TO X;", {"0 0 [A@B]", "0 1 []", "1 0 [] hLine", "2 0 [X] IsOutput"}},
        // A "~" inside a name is part of the name, as the evaluator reads it.
        Shape{"A1~B1*C1 TO Q1;",
              {"0 0 [A1~B1]", "1 0 [C1]", "0 1 []", "2 0 [] hLine", "3 0 [Q1] IsOutput"}},
        Shape{"~A~B@C~ TO X;", {"0 0 [A~B@C~] Back", "0 1 []", "1 0 [] hLine", "2 0 [X] IsOutput"}},
        // The plain operands of a chain are one contact wherever they stand in it.
        Shape{"A*B@C@D TO X;",
              {"0 0 [A] LeftOrDown", "1 0 [B]", "2 0 [C@D] Back IsOr RightOrDown IsDrawn",
               "0 1 [A] Back IsOr LeftorUp LeftOrDown RightOrDown IsDrawn",
               "0 2 [B] Back LeftorUp RightOrUp IsDrawn", "1 1 [C@D] IsDrawn",
               "2 1 [] RightOrUp hLine IsDrawn", "0 3 []", "3 0 [] hLine", "4 0 [X] IsOutput"}},
        // A trailing "+" leaves an empty branch joined on both sides.
        Shape{"A+ TO X;",
              {"0 0 [A] IsOr LeftOrDown RightOrDown", "0 1 [] LeftorUp LeftOrDown RightOrUp",
               "0 2 []", "1 0 [] hLine", "2 0 [X] IsOutput"}},
        // Bad input: a surplus ")" closes nothing, a lone "+" leaves only the branch's
        // connector, and empty result pieces still give coils (a nameless coil is a wire).
        Shape{"A*B)) TO X;", {"0 0 [A]", "1 0 [B]", "0 1 []", "2 0 [] hLine", "3 0 [X] IsOutput"}},
        Shape{"+ TO X;",
              {"0 0 [] LeftorUp LeftOrDown", "0 1 []", "1 0 [] hLine", "2 0 [X] IsOutput"}},
        Shape{"A TO ,,;",
              {"0 0 [A]", "0 1 []", "0 2 []", "0 3 []", "1 0 [] hLine",
               "2 0 [] LeftOrDown hLine IsOutput", "2 1 [] LeftorUp hLine IsOutput"}}));

TEST(CreateLadder, TextWithoutResultsGivesContactsOnlyAsWritten) {
    CreateLadder ladder;
    ladder.SetStatement("a * b");
    EXPECT_EQ(Grid(ladder), (std::vector<std::string>{"0 0 [a]", "1 0 [b]"}));
    EXPECT_FALSE(ladder.GetElements().Item(1)->WordWrap);
}

TEST(DrawnExpression, BlanksAreLeftOutBeforeTheExpressionIsRedrawn) {
    const std::pair<const char*, const char*> cases[] = {
        {"~ (A * B)", "~A+~B"}, {"~( A*B )", "~A+~B"}, {"A @ B", "A@B"}, {" A + B ", "A+B"}};
    for (const auto& [written, drawn] : cases) {
        EXPECT_EQ(DrawnExpression(written), drawn) << written;
    }
}

TEST(CreateLadder, MalformedTextGivesWhatCouldBeLaidOut) {
    FakePlatform platform;
    CreateLadder unclosed;
    unclosed.SetStatement("(A*B TO X;");
    ASSERT_NE(unclosed.GetElements().Item(1, 0), nullptr);
    EXPECT_EQ(unclosed.GetElements().Item(1, 0)->Name, "B");
    EXPECT_TRUE(platform.boxes().empty());
}

// Would take minutes laid out whole: it stops at the grid's limit and still ends in its coil.
TEST(CreateLadder, ADeepNestOfBadInputGivesAPartialLadderQuickly) {
    std::string text = "B+C";
    for (int i = 1999; i >= 0; --i) {
        text = "(A" + std::to_string(i) + "*" + text + ")*B+C";
    }
    CreateLadder ladder;
    ladder.SetStatement(text + " TO X;");
    const Elements& cells = ladder.GetElements();
    EXPECT_LT(cells.Count(), 20000);
    ASSERT_NE(cells.Item(cells.Cols(), 0), nullptr);
    EXPECT_EQ(cells.Item(cells.Cols(), 0)->Name, "X");
}

// Spelt out, each exclusive or would double the ladder: past the grid's limit the text is
// laid out as written, quickly, and still ends in its coil.
TEST(CreateLadder, ALongExclusiveOrAfterABracketIsLaidOutQuickly) {
    std::string text = "(A+B)";
    for (int i = 0; i < 50000; ++i) {
        text += "@C" + std::to_string(i);
    }
    CreateLadder ladder;
    ladder.SetStatement(text + " TO X;");
    const Elements& cells = ladder.GetElements();
    ASSERT_NE(cells.Item(cells.Cols(), 0), nullptr);
    EXPECT_EQ(cells.Item(cells.Cols(), 0)->Name, "X");
}

// The named contacts of a ladder, in the order they were added, "~" before a back one.
std::vector<std::string> Contacts(const CreateLadder& ladder) {
    std::vector<std::string> names;
    for (const auto& cell : ladder.GetElements()) {
        if (!cell->Name.empty() && !cell->IsOutput) {
            names.push_back((cell->Back() ? "~" : "") + cell->Name);
        }
    }
    return names;
}

// A chain of products spelt out one operand at a time doubles for each: these would pass
// the grid's limit, and each operand must show about as often as there are operands.
TEST(CreateLadder, AnExclusiveOrChainGrowsWithTheSquareOfItsProductsAtMost) {
    for (int products = 2; products <= 40; products += 2) {
        std::string text = "A0*B0";
        for (int i = 1; i < products; ++i) {
            text += "@A" + std::to_string(i) + "*B" + std::to_string(i);
        }
        CreateLadder ladder;
        ladder.SetStatement(text + "@C@~D TO X;");
        const std::size_t contacts = Contacts(ladder).size();
        EXPECT_LE(contacts, std::size_t(4 * (products + 1) * (products + 1))) << text;
        EXPECT_GT(contacts, std::size_t(2 * products)) << text;
    }
    CreateLadder handful;
    handful.SetStatement("(A1*B1)@(C1@D1@E1@F1) TO X;");
    EXPECT_EQ(Contacts(handful),
              (std::vector<std::string>{"A1", "B1", "~C1@D1@E1@F1", "~A1", "~B1", "C1@D1@E1@F1"}));
}

// Each level spells out the one below twice: far past the grid's limit. Neither part of
// the rung nor its text read another way may stand for it.
TEST(CreateLadder, ARungTooLargeToDrawIsANoteBeforeItsCoils) {
    const std::string nested = NestedExclusiveOrChains(16);
    std::string deep = "B+C";
    for (int i = 1999; i >= 0; --i) {
        deep = "(A" + std::to_string(i) + "*" + deep + ")*B+C";
    }
    for (const std::string& text : {nested, deep}) {
        CreateLadder ladder;
        ladder.SetStatement(text + " TO X, Y;");
        EXPECT_TRUE(Contacts(ladder).empty());
        const Elements& cells = ladder.GetElements();
        ASSERT_NE(cells.Item(0, 0), nullptr);
        EXPECT_EQ(cells.Item(0, 0)->Note, kTooLargeNote);
        ASSERT_NE(cells.Item(cells.Cols(), 1), nullptr);
        EXPECT_EQ(cells.Item(cells.Cols(), 1)->Name, "Y");
    }
}

// The run stops at a statement in which one "~" follows another: its rung is a note saying so,
// never a contact that reads as logic that runs. A "~" inside a name, or one before a group
// that holds another, is no such statement.
TEST(CreateLadder, ARungWhoseNotStandsTwiceIsANoteAsTheRunStopsAtIt) {
    struct Case {
        const char* expression;
        bool noted;
    };
    for (const auto [expression, noted] :
         {Case{"~~A", true}, Case{"~ ~A", true}, Case{"B*~~(A+C)", true}, Case{"B@~~A", true},
          Case{"A~~B", false}, Case{"~(~A)", false}, Case{"~A+~B", false}}) {
        CreateLadder ladder;
        ladder.SetStatement(std::string(expression) + " TO X;");
        const Elements& cells = ladder.GetElements();
        ASSERT_NE(cells.Item(0, 0), nullptr) << expression;
        EXPECT_EQ(cells.Item(0, 0)->Note, noted ? kNotTwiceNote : "") << expression;
        EXPECT_EQ(ladder.Note(), noted ? kNotTwiceNote : "") << expression;
        EXPECT_EQ(Contacts(ladder).empty(), noted) << expression;
        EXPECT_EQ(cells.Item(cells.Cols(), 0)->Name, "X") << expression;
    }
}

// A series of contacts takes one cell each: the grid's limit leaves nothing out of a
// rung that fills it exactly, and a rung past it is a note.
TEST(CreateLadder, OnlyARungPastTheGridsLimitIsANote) {
    struct Series {
        int contacts;
        bool note;
    };
    for (const auto [contacts, note] :
         {Series{9999, false}, Series{10000, false}, Series{10001, true}}) {
        std::string text = "A0";
        for (int i = 1; i < contacts; ++i) {
            text += "*A" + std::to_string(i);
        }
        CreateLadder ladder;
        ladder.SetStatement(text + " TO X;");
        ASSERT_NE(ladder.GetElements().Item(0, 0), nullptr);
        EXPECT_EQ(ladder.GetElements().Item(0, 0)->Note == kTooLargeNote, note) << contacts;
        EXPECT_EQ(Contacts(ladder).size(), note ? 0u : std::size_t(contacts)) << contacts;
    }
}

TEST(Ladders, CountPagesByTheHighestPageAndSwitchWrappingEverywhere) {
    FakePlatform platform;
    Ladders book;
    EXPECT_EQ(book.Pages(), 0);
    for (const int page : {3, 1, 2}) {
        book.Add(false, "A+B TO X;")->PageNumber = page;
    }
    EXPECT_EQ(book.Pages(), 3);
    EXPECT_EQ(book.Add(false, "")->GetElements().Count(), 0);
    book.WordWrap(false);
    for (CreateLadder& ladder : book) {
        for (const auto& cell : ladder.GetElements()) {
            EXPECT_FALSE(cell->WordWrap);
        }
    }
    platform.Answer(MsgAnswer::No);
    book.Add(false, "A TO X;", "K");
    EXPECT_EQ(book.Add(false, "B TO Y;", "K"), nullptr);
    EXPECT_EQ(platform.boxes().size(), 1u);
}

// The names a too-large rung's statement reads, as its ladder would read them.
TEST(ExpressionNames, AreTheOperandsInTheirOrderWithAnInnerNotPartOfTheName) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(ExpressionNames("(A+~B)*C@D1~E TO X, Y;"), (Names{"A", "B", "C", "D1~E"}));
    EXPECT_EQ(ExpressionNames("~(N>3 + ~~M=0) TO Z;"), (Names{"N>3", "M=0"}));
    EXPECT_EQ(ExpressionNames("A * B"), (Names{"A", "B"}));
    EXPECT_TRUE(ExpressionNames(" TO X;").empty());
}

}  // namespace
}  // namespace veldra::testing
