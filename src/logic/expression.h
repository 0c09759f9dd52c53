#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veldra {

// A statement's normalised expression, parsed once so that solving touches no text.
// Precedence as the controller evaluates: "~" on an operand or a bracket group, then
// "*" (AND), then "@" (XOR), then "+" (OR), each left to right.
//
// The parse is kept as a short postfix program over a small stack of values. Alongside
// it are the solve string (the expression with every operand name replaced by its
// operand index) and the cost of one evaluation in evaluation steps: one per operand,
// one per binary operator, one per bracket group.
class Expression {
public:
    // Parses the expression; operand names are given their index in `operandNames`.
    // Text that does not form an expression gives an expression that is not Valid().
    static Expression Parse(std::string_view text,
                            const std::vector<std::string_view>& operandNames);

    bool Valid() const { return error_.empty(); }
    // Why the text does not form an expression.
    const std::string& Error() const { return error_; }

    const std::string& SolveString() const { return solveString_; }
    int Cost() const { return cost_; }

    // Evaluates the expression. `readOperand(index, negated)` gives an operand's value;
    // `groupChanged(inside, value)` hears each negated bracket group with its inside in
    // solve-string form and its value before negation, innermost first. Every operand is
    // read, as the controller does: no short cut hides an operand that cannot be read.
    template <class ReadOperand, class GroupChanged>
    bool Evaluate(ReadOperand&& readOperand, GroupChanged&& groupChanged) const {
        return Run(program_.data(), program_.data() + program_.size(), stack_.data(), readOperand,
                   [&](const Step& step, bool value) {
                       groupChanged(
                           std::string_view(solveString_).substr(step.argument, step.length),
                           value);
                   });
    }

    enum class Code : std::uint8_t {
        Push,        // an operand's value
        AndOperand,  // the top value combined with an operand's value
        OrOperand,
        XorOperand,
        And,  // the two top values combined into one
        Or,
        Xor,
        NegateGroup,  // the top value is a negated group's inside
        // An operand's value pushed and combined with a second operand's at once. The
        // parser never writes these: a SolveProgram fuses steps so, with steps that carry
        // the second operand as `argument2` and `negated2`.
        PushAndOperand,
        PushOrOperand,
        PushXorOperand,
        // A fused push whose value is at once combined with the one below it: the top
        // value or'ed with two operands' values and'ed (a sum of products' next term), or
        // and'ed with two or'ed.
        OrAndOperands,
        AndOrOperands,
    };
    struct Step {
        Code code;
        bool negated = false;        // operand steps: a back contact
        std::uint32_t argument = 0;  // operand steps: the operand index; NegateGroup: where
                                     // the inside starts in the solve string
        std::uint32_t length = 0;    // NegateGroup: the inside's length
    };

    // The postfix program, and how deep a stack it needs.
    const std::vector<Step>& Steps() const { return program_; }
    int StackDepth() const { return static_cast<int>(stack_.size()); }

    // Runs a postfix program over `stack`, as deep as StackDepth() says. `readOperand(
    // argument, negated)` gives an operand step's value, `negateGroup(step, value)` hears a
    // NegateGroup step with the value before negation. The topmost value is kept apart
    // from the stack, so that most steps touch no memory but their operand.
    // Any step type with the fields `code`, `negated` and `argument` serves, bit fields
    // included.
    template <class AnyStep, class ReadOperand, class NegateGroup>
    static bool Run(const AnyStep* first, const AnyStep* last, unsigned char* stack,
                    ReadOperand&& readOperand, NegateGroup&& negateGroup) {
        unsigned char top = 0;
        unsigned char* below = stack;  // one past the value under the top
        for (const AnyStep* step = first; step != last; ++step) {
            switch (static_cast<Code>(step->code)) {
                case Code::Push:
                    *below++ = top;
                    top = readOperand(step->argument, step->negated);
                    break;
                case Code::AndOperand:
                    top &= readOperand(step->argument, step->negated);
                    break;
                case Code::OrOperand:
                    top |= readOperand(step->argument, step->negated);
                    break;
                case Code::XorOperand:
                    top ^= readOperand(step->argument, step->negated);
                    break;
                case Code::And:
                    top &= *--below;
                    break;
                case Code::Or:
                    top |= *--below;
                    break;
                case Code::Xor:
                    top ^= *--below;
                    break;
                case Code::NegateGroup:
                    negateGroup(*step, top != 0);
                    top ^= 1;
                    break;
                case Code::PushAndOperand:
                    *below++ = top;
                    top =
                        readOperand(step->argument, step->negated) & ReadSecond(*step, readOperand);
                    break;
                case Code::PushOrOperand:
                    *below++ = top;
                    top =
                        readOperand(step->argument, step->negated) | ReadSecond(*step, readOperand);
                    break;
                case Code::PushXorOperand:
                    *below++ = top;
                    top =
                        readOperand(step->argument, step->negated) ^ ReadSecond(*step, readOperand);
                    break;
                case Code::OrAndOperands:
                    top |=
                        readOperand(step->argument, step->negated) & ReadSecond(*step, readOperand);
                    break;
                case Code::AndOrOperands:
                    top &=
                        readOperand(step->argument, step->negated) | ReadSecond(*step, readOperand);
                    break;
                default:
                    __builtin_unreachable();  // every code is handled above
            }
        }
        return first != last && top != 0;
    }

private:
    template <class AnyStep, class ReadOperand>
    static unsigned char ReadSecond(const AnyStep& step, ReadOperand& readOperand) {
        if constexpr (requires { step.argument2; }) {
            return readOperand(step.argument2, step.negated2);
        } else {
            __builtin_unreachable();  // only fused steps have a second operand
        }
    }

    class Parser;

    std::vector<Step> program_;
    // Scratch for Evaluate, as deep as the program needs; values are 0 or 1.
    mutable std::vector<unsigned char> stack_;
    std::string solveString_;
    int cost_ = 0;
    std::string error_;
};

}  // namespace veldra
