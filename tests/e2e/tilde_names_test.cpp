// Names that hold a "~" are whole names to every reader of a statement: generated
// applications of such names are scanned, and after every scan each statement's result
// must be what the evaluator gives for the bits as they stand. A bit whose readers were
// not queued by its change leaves a stale result behind.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "logic/expression.h"
#include "logic/statement_parser.h"
#include "support/scenario.h"

namespace veldra::testing {
namespace {

// A name with a "~" after its first character, in one of three places.
std::string TildeName(char letter, int n) {
    const std::string number = std::to_string(n);
    switch (n % 3) {
        case 0:
            return letter + number + "~K";
        case 1:
            return std::string(1, letter) + "~" + number;
        default:
            return letter + number + "~";
    }
}

// Statements over inputs I and the results Q of earlier statements, so that the logic
// settles in one scan, with every operator, back contacts and negated brackets.
class TildeApplication {
public:
    TildeApplication(unsigned seed, int inputs, int statements)
        : random_(seed), inputs_(inputs), statements_(statements) {}

    std::string Source() {
        std::string out = "LOGIC BEGIN\n";
        for (current_ = 0; current_ < statements_; ++current_) {
            out += "ASSIGN " + Chain(2) + " TO " + TildeName('Q', current_) + ";\n";
        }
        return out + "END LOGIC\n";
    }

private:
    int Below(int n) { return int(random_() % unsigned(n)); }

    std::string Operand() {
        if (current_ == 0 || Below(2) == 0) {
            return TildeName('I', Below(inputs_));
        }
        return TildeName('Q', Below(current_));
    }

    std::string Term(int depth) {
        const int kind = Below(6);
        if (depth > 0 && kind == 0) {
            return "(" + Chain(depth - 1) + ")";
        }
        if (depth > 0 && kind == 1) {
            return "~(" + Chain(depth - 1) + ")";
        }
        return (kind < 4 ? "~" : "") + Operand();
    }

    std::string Chain(int depth) {
        static constexpr const char* kOperators[] = {" + ", " * ", " @ "};
        std::string text = Term(depth);
        for (int more = Below(4); more > 0; --more) {
            text += kOperators[Below(3)] + Term(depth);
        }
        return text;
    }

    std::mt19937 random_;
    int inputs_;
    int statements_;
    int current_ = 0;
};

// The statements whose result bit differs from what the evaluator gives now.
std::vector<std::string> StaleResults(Controller& controller) {
    std::vector<std::string> stale;
    const BooleanBits& bits = *controller.engine.PrgBooleanBits();
    for (const Statement& statement : *controller.engine.prgAssigns) {
        const std::string_view expression = statement.strStatement();
        const std::vector<std::string_view> names = OperandViews(expression);
        const Expression evaluator = Expression::Parse(expression, names);
        if (!evaluator.Valid()) {
            stale.push_back(std::string(expression) + ": " + evaluator.Error());
            continue;
        }
        const bool expected = evaluator.Evaluate(
            [&](std::uint32_t index, bool negated) {
                const BooleanBit* bit = bits.Find(names[index]);
                return (bit != nullptr && bit->BitValue()) != negated;
            },
            [](std::string_view, bool) {});
        const BooleanBit* result = bits.Find(statement.ResultBitName(0));
        if (result == nullptr || result->BitValue() != expected) {
            stale.push_back(std::string(statement.ResultBitName(0)) + " = " +
                            std::string(expression));
        }
    }
    return stale;
}

TEST(NamesHoldingTilde, EveryScanLeavesEachResultAsTheEvaluatorGivesIt) {
    constexpr int kInputs = 12;
    for (const unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        ScenarioPlayer player(TildeApplication(seed, kInputs, 60).Source().c_str());
        Controller& controller = player.controller();
        ASSERT_TRUE(controller.engine.Running());
        // The first start's statements are solved by the first tick with work.
        controller.Change(TildeName('I', 0), false);
        EXPECT_EQ(StaleResults(controller), std::vector<std::string>{}) << "at the first start";
        std::mt19937 inputs(seed);
        for (int step = 0; step < 60; ++step) {
            for (int changes = 1 + int(inputs() % 3); changes > 0; --changes) {
                controller.Set(TildeName('I', int(inputs() % kInputs)), inputs() % 2 == 1);
            }
            controller.Scan();
            ASSERT_EQ(StaleResults(controller), std::vector<std::string>{}) << "step " << step;
        }
    }
}

}  // namespace
}  // namespace veldra::testing
