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
        compiled = bit != nullptr;
        slots.push_back(compiled ? bit->Slot() : 0);
    }
    if (compiled) {
        for (const Expression::Step& step : expression->Steps()) {
            const bool operand = step.code <= Expression::Code::XorOperand;
            steps_.push_back(
                Step{step.code, step.negated, operand ? slots[step.argument] : step.argument});
        }
        stack_.resize(std::max(stack_.size(), std::size_t(expression->StackDepth())));
    }
    begins_.push_back(std::uint32_t(steps_.size()));
    return compiled;
}

}  // namespace veldra
