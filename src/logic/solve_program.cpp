#include "logic/solve_program.h"

#include <algorithm>

#include "logic/boolean_bits.h"
#include "logic/statement.h"

namespace veldra {

void SolveProgram::Clear() {
    steps_.clear();
    begins_.assign(1, 0);
    stack_.clear();
}

bool SolveProgram::Add(Statement& statement, const BooleanBits& bits) {
    const Expression* expression = statement.Prepared();
    bool compiled = expression != nullptr && statement.Bits() == &bits;
    std::vector<std::uint32_t> slots;
    for (int i = 0; compiled && i <= statement.UboundOpBit(); ++i) {
        const BooleanBit* bit = statement.OperandBit(i);
        compiled = bit != nullptr && bit->Slot() < kArgumentLimit;
        slots.push_back(compiled ? bit->Slot() : 0);
    }
    if (compiled) {
        using Code = Expression::Code;
        const std::vector<Expression::Step>& steps = expression->Steps();
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const Expression::Step& step = steps[i];
            const bool operand = step.code <= Code::XorOperand;
            Step out{};
            out.code = std::uint64_t(step.code);
            out.negated = step.negated;
            out.argument = operand ? slots[step.argument] : 0;  // groups are heard elsewhere
            const Code next = i + 1 < steps.size() ? steps[i + 1].code : Code::Push;
            if (step.code == Code::Push && next >= Code::AndOperand && next <= Code::XorOperand) {
                out.code = std::uint64_t(next == Code::AndOperand  ? Code::PushAndOperand
                                         : next == Code::OrOperand ? Code::PushOrOperand
                                                                   : Code::PushXorOperand);
                out.negated2 = steps[i + 1].negated;
                out.argument2 = slots[steps[i + 1].argument];
                ++i;
                const Code then = i + 1 < steps.size() ? steps[i + 1].code : Code::Push;
                if ((next == Code::AndOperand && then == Code::Or) ||
                    (next == Code::OrOperand && then == Code::And)) {
                    out.code =
                        std::uint64_t(then == Code::Or ? Code::OrAndOperands : Code::AndOrOperands);
                    ++i;
                }
            }
            steps_.push_back(out);
        }
        stack_.resize(std::max(stack_.size(), std::size_t(expression->StackDepth())));
        statement.ReleasePrepared();
    }
    begins_.push_back(std::uint32_t(steps_.size()));
    return compiled;
}

}  // namespace veldra
