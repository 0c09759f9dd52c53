// Every ladder must show the logic that runs: an engineer checks a statement, and signs a
// book off, from its drawing. Each drawing here is read back as a network and compared,
// for every input, with the evaluator the scan solves by.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "book/book_texts.h"
#include "e2e/example_fixture.h"
#include "ladder/create_ladder.h"
#include "logic/statement.h"
#include "support/drawn_logic.h"
#include "support/ladder_grid.h"

namespace veldra::testing {
namespace {

constexpr const char* kExamples[] = {"interlocking.ml2", "level_crossing.ml2", "line_end_a.ml2",
                                     "line_end_b.ml2"};

// The shapes an operand of an exclusive-or chain takes, each with names of its own.
enum class Shape {
    Plain,
    Negated,
    Product,
    NegatedProduct,
    Bracket,
    NegatedBracket,
    InnerChain,    // an exclusive or in a bracket, with a product in it
    NegatedChain,  // a negated bracket of an exclusive or
    TildeName,     // a name that holds "~"
    LongName,
};
constexpr Shape kShapes[] = {Shape::Plain,          Shape::Negated,      Shape::Product,
                             Shape::NegatedProduct, Shape::Bracket,      Shape::NegatedBracket,
                             Shape::InnerChain,     Shape::NegatedChain, Shape::TildeName,
                             Shape::LongName};

std::string OperandOf(Shape shape, int i) {
    const std::string n = std::to_string(i);
    switch (shape) {
        case Shape::Plain:
            return "N" + n;
        case Shape::Negated:
            return "~N" + n;
        case Shape::Product:
            return "P" + n + "*~Q" + n;
        case Shape::NegatedProduct:
            return "~P" + n + "*Q" + n;
        case Shape::Bracket:
            return "(P" + n + "+Q" + n + ")";
        case Shape::NegatedBracket:
            return "~(P" + n + "*~Q" + n + "+R" + n + ")";
        case Shape::InnerChain:
            return "(P" + n + "@Q" + n + "*R" + n + ")";
        case Shape::NegatedChain:
            return "~(P" + n + "@Q" + n + ")";
        case Shape::TildeName:
            return "T" + n + "~U" + n;
        case Shape::LongName:
            return "TRACK_CIRCUIT_" + n + "_WEST_OCC";
    }
    return {};
}

// Chains of 2 to 20 operands: one of each shape at every position amid plain and negated
// operands, and chains of every shape in turn, beginning with each.
std::vector<std::string> ExclusiveOrChains() {
    std::vector<std::string> chains;
    const auto chain = [&](int length, auto shapeAt) {
        std::string text;
        for (int i = 0; i < length; ++i) {
            text += (i > 0 ? "@" : "") + OperandOf(shapeAt(i), i);
        }
        chains.push_back(text + " TO X;");
    };
    constexpr int kShapeCount = int(std::size(kShapes));
    for (int length = 2; length <= 20; ++length) {
        for (const Shape shape : kShapes) {
            for (int at = 0; at < length; ++at) {
                chain(length, [&](int i) {
                    return i == at ? shape : i % 3 == 1 ? Shape::Negated : Shape::Plain;
                });
            }
        }
        for (int first = 0; first < kShapeCount; ++first) {
            chain(length, [&](int i) { return kShapes[(first + i) % kShapeCount]; });
        }
    }
    return chains;
}

// A drawing that differs somewhere differs on many inputs: a few hundred, drawn at random,
// keep the thousands of chains to a few seconds.
TEST(DrawnLogic, ExclusiveOrChainsOfEveryShapeDrawTheLogicThatRuns) {
    int wrong = 0;
    for (const std::string& statement : ExclusiveOrChains()) {
        const auto drawn = DrawsItsOwnLogic(statement, 512);
        EXPECT_TRUE(drawn);
        wrong += drawn ? 0 : 1;
        if (wrong == 5) {
            return;
        }
    }
}

// The statements of an example as the book lays them out, by their keys.
std::map<std::string, std::string> BookStatements(const std::string& example) {
    Controller program{Example(example)};
    std::map<std::string, std::string> statements;
    for (const Statement& statement : *program.engine.prgAssigns) {
        statements.emplace(statement.ResultBitName(0), BookStatementText(statement));
    }
    return statements;
}

// A statement that negates no bracket and has no exclusive or.
bool Plain(std::string_view statement) {
    return statement.find("~(") == std::string_view::npos &&
           statement.find('@') == std::string_view::npos;
}

TEST(DrawnLogic, EveryStatementOfTheExamplesDrawsTheLogicThatRuns) {
    for (const char* example : kExamples) {
        for (const auto& [key, statement] : BookStatements(example)) {
            EXPECT_TRUE(DrawsItsOwnLogic(statement)) << example << " " << key;
        }
    }
}

// The grids were taken from the builder before it learnt to redraw negated brackets and
// exclusive ors; a statement without them must lay out cell for cell as it did.
TEST(DrawnLogic, PlainStatementsOfTheExamplesLayOutAsTheyAlwaysDid) {
    std::ifstream file(std::string(VELDRA_TEST_DATA) + "/ladder/example_grids.txt");
    ASSERT_TRUE(file) << "the grids are missing";
    std::map<std::string, std::vector<std::string>> expected;
    std::vector<std::string>* cells = nullptr;
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with("# ")) {
            cells = &expected[line.substr(2)];
        } else if (!line.empty() && cells != nullptr) {
            cells->push_back(line);
        }
    }
    int compared = 0;
    for (const char* example : kExamples) {
        for (const auto& [key, statement] : BookStatements(example)) {
            if (!Plain(statement)) {
                continue;
            }
            CreateLadder ladder;
            ladder.SetStatement(statement);
            EXPECT_EQ(Grid(ladder), expected[std::string(example) + " " + key]) << statement;
            ++compared;
        }
    }
    EXPECT_EQ(compared, int(expected.size()));
}

// A family of generated statements: which operators join terms, and how often a "~"
// stands before an operand and before a bracket.
struct Family {
    const char* name;
    const char* operators;
    int notOperandPercent;
    int notBracketPercent;
    int operands;     // drawn from A, B, C, ...
    int occurrences;  // at most, in one statement
    int depth;
    int statements;
};

void PrintTo(const Family& family, std::ostream* out) {
    *out << family.name;
}

class GeneratedStatement {
public:
    GeneratedStatement(const Family& family, unsigned seed) : family_(family), random_(seed) {}

    std::string Next() {
        left_ = family_.occurrences;
        return Chain(family_.depth) + " TO X;";
    }

private:
    int Below(int n) { return int(random_() % unsigned(n)); }
    bool Chance(int percent) { return Below(100) < percent; }

    std::string Term(int depth) {
        if (depth == 0 || left_ <= 2 || Chance(35)) {
            --left_;
            return (Chance(family_.notOperandPercent) ? "~" : "") +
                   std::string(1, char('A' + Below(family_.operands)));
        }
        return (Chance(family_.notBracketPercent) ? "~(" : "(") + Chain(depth - 1) + ")";
    }
    std::string Chain(int depth) {
        std::string text = Term(depth);
        const std::string_view operators(family_.operators);
        for (int more = 1 + Below(3); more > 0 && left_ > 0; --more) {
            text += operators[std::size_t(Below(int(operators.size())))];
            text += Term(depth);
        }
        return text;
    }

    const Family& family_;
    std::mt19937 random_;
    int left_ = 0;  // operands the statement may still take
};

class GeneratedStatements : public ::testing::TestWithParam<Family> {};

TEST_P(GeneratedStatements, DrawTheLogicThatRuns) {
    const Family& family = GetParam();
    GeneratedStatement maker(family, 20261208);
    int wrong = 0;
    for (int i = 0; i < family.statements && wrong < 5; ++i) {
        const std::string statement = maker.Next();
        const auto drawn = DrawsItsOwnLogic(statement);
        EXPECT_TRUE(drawn);
        wrong += drawn ? 0 : 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Families, GeneratedStatements,
                         ::testing::Values(Family{"NotBeforeBrackets", "*+", 0, 60, 8, 12, 4, 2000},
                                           Family{"DoubledNots", "*+", 60, 60, 8, 12, 4, 2000},
                                           Family{"ExclusiveOr", "*+@", 0, 0, 8, 10, 4, 2000},
                                           Family{"ExclusiveOrWithNots", "*+@", 40, 40, 8, 10, 4,
                                                  2000},
                                           Family{"TwelveOperands", "*+@", 30, 30, 12, 16, 5, 300},
                                           Family{"PlainStatements", "*+", 30, 0, 8, 16, 6, 1000}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace veldra::testing
