#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "logic/boolean_bits.h"
#include "logic/solve_program.h"
#include "logic/statement.h"
#include "support/fake_platform.h"
#include "support/fake_program_host.h"

namespace veldra {
namespace {

using testing::FakePlatform;
using testing::FakeProgramHost;

class SolveTest : public ::testing::Test {
protected:
    void Set(const std::string& name, bool value) {
        BooleanBit* bit = bits.Find(name);
        if (bit == nullptr) {
            bit = bits.Add(name, false);
        }
        bit->SetBitValue(value, true);
    }

    // Gives B0..B5 random values and makes an expression over them with its expected value.
    template <typename Generator>
    auto RandomCase(std::mt19937& random, Generator& generate) {
        constexpr int kBits = 6;
        std::vector<bool> values(kBits);
        for (int i = 0; i < kBits; ++i) {
            values[std::size_t(i)] = random() & 1;
            Set("B" + std::to_string(i), values[std::size_t(i)]);
        }
        return generate.MakePart(1 + int(random() % 4), values);
    }

    // A statement over `bits`, parsed from "ASSIGN expression TO X;".
    Statement& Make(const std::string& expression, bool numeric = false) {
        auto statement = std::make_unique<Statement>();
        statement->SetStrStatement("ASSIGN " + expression + " TO X;");
        statement->SetIsNumeric(numeric);
        statement->SetBits(&bits);
        made.push_back(std::move(statement));
        return *made.back();
    }

    // Solves and expects a good solve.
    bool Value(const std::string& expression, bool numeric = false) {
        Statement& statement = Make(expression, numeric);
        EXPECT_TRUE(statement.Solve()) << expression << " did not solve";
        return statement.Result();
    }

    FakePlatform platform;
    FakeProgramHost host;
    BooleanBits bits;
    std::vector<std::unique_ptr<Statement>> made;
};

// A is True, Y a True bit that is not numeric, X a numeric bit and "X=5" a True bit.
TEST_F(SolveTest, OperandsAndComparisonsReadTheirBits) {
    Set("A", true);
    Set("Y", true);
    Set("X", false);
    Set("X=5", true);
    BooleanBit& x = *bits.Find("X");
    x.SetIsNumeric(true);
    const struct {
        int x;
        const char* expression;
        bool numeric;
        bool value;
    } cases[] = {
        {0, "NOBIT", false, false},   {0, "~NOBIT", false, false},  // no bit reads False
        {0, "A+~NOBIT", false, true}, {6, "X>5", false, false},     // not numeric: no comparison
        {6, "X=5", true, true},                                     // the bit of that name
        {5, "X>5", true, false},      {5, "X<5", true, false},
        {6, "X>5", true, true},       {4, "X<5", true, true},
        {4, "X=4.0", true, true},     {4, "~X<5", true, true},  // "~" does not negate a comparison
        {0, "Y=0", true, true},  // a bit that is not numeric compares the number it holds
    };
    for (const auto& c : cases) {
        x.SetNumValue(std::int16_t(c.x), true);
        EXPECT_EQ(Value(c.expression, c.numeric), c.value) << c.expression << " with X " << c.x;
    }
}

// The ladder hears each negated group's inside and its value before negation, and every
// solve, changed or not, under the first result bit.
TEST_F(SolveTest, ASolveReportsItsNegatedGroupsItsResultAndItsOperandsByIndex) {
    Set("A", true);
    Set("B", false);
    auto& statement = *made.emplace_back(std::make_unique<Statement>());
    statement.SetStrStatement("ASSIGN ~(A*~(B))+~(B)+C*A TO OUT1, OUT2;");
    statement.SetBits(&bits);
    std::vector<std::string> heard;
    Subscription groups =
        statement.GroupChanged().Subscribe([&](std::string_view group, bool value) {
            heard.push_back(std::string(group) + (value ? "=1" : "=0"));
        });
    Subscription results =
        statement.StatementChanged().Subscribe([&](bool result, std::string_view name) {
            heard.push_back(std::string(name) + (result ? " on" : " off"));
        });
    EXPECT_EQ(statement.SolveString(), "");

    statement.Solve();
    EXPECT_EQ(statement.SolveString(), "~(0*~(1))+~(1)+2*0");
    heard.clear();
    statement.Solve();

    EXPECT_EQ(heard, (std::vector<std::string>{"1=0", "0*~(1)=1", "1=0", "OUT1 on"}));
    statement.Initialize();
    EXPECT_EQ(statement.SolveString(), "");
}

TEST_F(SolveTest, BitsAddedOrRemovedAfterTheFirstSolveAreSeen) {
    Statement& statement = Make("LATE");
    statement.Solve();
    EXPECT_FALSE(statement.Result());

    Set("LATE", true);
    statement.Solve();
    EXPECT_TRUE(statement.Result());

    ModelCollection<BooleanBit>& plain = bits;  // removed through any path
    plain.Remove("LATE");
    statement.Solve();
    EXPECT_FALSE(statement.Result());
}

// Text that does not form an expression, or a comparison with no bit of its name, stops
// the run and goes to the editor.
TEST_F(SolveTest, MalformedExpressionsAreFaulty) {
    Set("X", true);
    for (const char* expression :
         {"A+", "(A", "A)", "~~A", "A(B)", "()", "A+*B", "*A", "(A)B", "X>=5"}) {
        host.journal.clear();
        Statement& statement = Make(expression, expression == std::string("X>=5"));
        EXPECT_FALSE(statement.Solve()) << expression;
        EXPECT_TRUE(statement.Disable()) << expression;
        EXPECT_EQ(host.journal, (std::vector<std::string>{"stop", "edit: X"})) << expression;
    }
    Statement& empty = Make("");
    EXPECT_FALSE(empty.Solve());
}

std::string Chain(int operands) {
    std::string text = "B0";
    for (int i = 1; i < operands; ++i) {
        text += "+B" + std::to_string(i);
    }
    return text;
}

TEST_F(SolveTest, TheRunawayGuardLetsAThousandOperandsThroughButNotOneMore) {
    Set("B999", true);
    Statement& thousand = Make(Chain(1000));
    EXPECT_TRUE(thousand.Solve() && thousand.Result() && host.journal.empty());

    Set("B1000", true);
    Statement& tooLong = Make(Chain(1001));
    std::vector<bool> heard;
    Subscription s =
        tooLong.StatementChanged().Subscribe([&](bool r, std::string_view) { heard.push_back(r); });

    EXPECT_EQ(
        (std::vector<bool>{tooLong.Solve(), tooLong.Disable(), tooLong.Result(), heard.empty()}),
        (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(host.journal, (std::vector<std::string>{"stop", "edit: X"}));

    // Disabled, it is not solved again until corrected.
    EXPECT_FALSE(tooLong.Solve());
    EXPECT_EQ(host.journal.size(), 2u);
}

TEST_F(SolveTest, BracketsCountTowardsTheGuardAndDeepNestingIsFaultyNotFatal) {
    Set("A", true);
    EXPECT_TRUE(Make(std::string(1999, '(') + "A" + std::string(1999, ')')).Solve());
    EXPECT_FALSE(Make(std::string(2000, '(') + "A" + std::string(2000, ')')).Solve());
    EXPECT_FALSE(Make(std::string(100000, '(') + "A" + std::string(100000, ')')).Solve());
}

TEST_F(SolveTest, ADisabledStatementKeepsItsResultAndStaysQuiet) {
    Set("A", true);
    Statement& statement = Make("A");
    statement.Solve();
    statement.SetDisable(true);
    Set("A", false);
    int events = 0;
    Subscription s =
        statement.StatementChanged().Subscribe([&](bool, std::string_view) { ++events; });

    EXPECT_FALSE(statement.Solve());

    EXPECT_TRUE(statement.Result());
    EXPECT_EQ(events, 0);
}

TEST_F(SolveTest, ACorrectionSavedInTheEditorIsSolvedFromThenOn) {
    Set("A", true);
    Statement& statement = Make("A+");
    host.onEdit = [](Statement& faulty) {
        faulty.ResetStatement();
        faulty.SetStrStatement("ASSIGN A TO X;");
        faulty.SetEdited(true);
        faulty.ForceSolve();
        faulty.SetDisable(false);
    };

    EXPECT_FALSE(statement.Solve());  // this solve's result is not to be applied
    EXPECT_FALSE(statement.Disable());
    EXPECT_TRUE(statement.Solve());
    EXPECT_TRUE(statement.Result());
}

TEST_F(SolveTest, AnEditedStatementReadsFalseUntilItIsSolvedAgain) {
    Set("A", true);
    Statement& statement = Make("A");
    statement.Solve();

    statement.ResetStatement();  // as an editor does before it sets the edited text
    statement.SetStrStatement("ASSIGN A TO X;");
    const bool afterEdit = statement.Result();
    statement.Solve();

    EXPECT_FALSE(afterEdit);
    EXPECT_TRUE(statement.Result());
}

// An independent reference: random expression trees, printed with the precedence rules
// ("*" over "@" over "+", "~" on an operand or a group) and with redundant brackets
// thrown in, must solve to the value the tree itself computes.
class RandomExpression {
public:
    explicit RandomExpression(std::mt19937& random) : random_(random) {}

    // A printed subexpression with its value and the binding strength of its top
    // operator: 0 "+", 1 "@", 2 "*", 3 an operand or a group.
    struct Part {
        std::string text;
        bool value;
        int strength;
    };

    Part MakePart(int depth, const std::vector<bool>& bits) {
        if (depth == 0 || Chance(25)) {
            const int index = Pick(int(bits.size()));
            const bool negated = Chance(30);
            const char* negation = Chance(30) ? "NOT " : "~";
            Part leaf{(negated ? negation : "") + std::string("B") + std::to_string(index),
                      bits[std::size_t(index)] != negated, 3};
            return Chance(10) ? Bracket(leaf) : leaf;
        }
        const int op = Pick(3);
        const int operands = 2 + Pick(3);
        Part result{};
        for (int i = 0; i < operands; ++i) {
            Part operand = MakePart(depth - 1, bits);
            // A looser operator inside must be bracketed; a redundant bracket sometimes.
            if (operand.strength < op || (operand.strength == op && i > 0 && Chance(50)) ||
                Chance(10)) {
                operand = Bracket(operand, Chance(25));
            }
            if (i == 0) {
                result = operand;
                continue;
            }
            if (Chance(20)) {
                result.text += op == 0 ? " OR " : op == 1 ? " XOR " : " AND ";
            } else {
                result.text += op == 0 ? "+" : op == 1 ? "@" : "*";
            }
            result.text += operand.text;
            result.value = op == 0   ? (result.value || operand.value)
                           : op == 1 ? (result.value != operand.value)
                                     : (result.value && operand.value);
        }
        result.strength = op;
        return result;
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool Chance(int percent) { return Pick(100) < percent; }

    static Part Bracket(const Part& inner, bool negated = false) {
        return {(negated ? "~(" : "(") + inner.text + ")", inner.value != negated, 3};
    }

    std::mt19937& random_;
};

TEST_F(SolveTest, AgreesWithAReferenceOnThousandsOfRandomExpressions) {
    std::mt19937 random(20261206);
    RandomExpression generate(random);
    for (int round = 0; round < 4000; ++round) {
        const auto expression = RandomCase(random, generate);
        Statement& statement = Make(expression.text);
        ASSERT_TRUE(statement.Solve()) << expression.text;
        ASSERT_EQ(statement.Result(), expression.value) << expression.text;
    }
    EXPECT_TRUE(host.journal.empty());
}

// The scan's compiled program folds sums of products and products of sums into fewer
// steps: it must still agree with the reference, whatever the shape.
TEST_F(SolveTest, TheCompiledProgramAgreesWithAReferenceOnThousandsOfRandomExpressions) {
    std::mt19937 random(20261207);
    RandomExpression generate(random);
    SolveProgram program;
    for (std::uint32_t round = 0; round < 4000; ++round) {
        const auto expression = RandomCase(random, generate);
        Statement& statement = Make(expression.text);
        ASSERT_TRUE(program.Add(statement, bits)) << expression.text;
        ASSERT_EQ(program.Evaluate(round, bits.Values()), expression.value) << expression.text;
    }
}

}  // namespace
}  // namespace veldra
