#pragma once

#include <cstdint>
#include <vector>

#include "logic/expression.h"

namespace veldra {

class BooleanBits;
class Statement;

// Many statements' prepared expressions laid end to end in one program whose operands are
// the slots of the bits' dense values (BooleanBits::Values): a solve walks a few steps
// of one array and reads each operand from another, with no pointer to follow.
class SolveProgram {
public:
    void Clear();

    // Adds the statement as the next entry. The entry is empty, and false is returned, when
    // the values alone cannot solve it: its expression does not parse or would trip the
    // runaway guard, it compares numbers, or an operand names no bit of `bits`. Its own
    // Solve then does the work, faults included.
    bool Add(Statement& statement, const BooleanBits& bits);

    bool Compiled(std::uint32_t entry) const { return begins_[entry] != begins_[entry + 1]; }
    // Asks the processor to fetch the entry's first steps.
    void Prefetch(std::uint32_t entry) const { __builtin_prefetch(steps_.data() + begins_[entry]); }

    // The entry's value over the bits' values. Every operand is read, as Statement::Solve
    // reads them; nothing is announced.
    bool Evaluate(std::uint32_t entry, const std::uint8_t* values) const {
        return Expression::Run(
            steps_.data() + begins_[entry], steps_.data() + begins_[entry + 1], stack_.data(),
            [values](std::uint32_t slot, bool negated) {
                return values[slot] ^ std::uint8_t(negated);
            },
            [](const Step&, bool) {});
    }

private:
    // A step without a negated group's place in the solve string, as nobody hears groups
    // here, but with room for a second operand: a push and the operand step behind it are
    // fused into one step, and with it an or (an and) that combines its value at once
    // with the one below. Eight bytes: on a large program the steps are most of what a
    // scan reads, and a third less of them stays in the cache it shares.
    struct Step {
        std::uint64_t code : 4;
        std::uint64_t negated : 1;
        std::uint64_t negated2 : 1;
        std::uint64_t argument : 29;
        std::uint64_t argument2 : 29;
    };
    // The most slots or step arguments a step can hold; a statement reading a bit past
    // them solves itself.
    static constexpr std::uint32_t kArgumentLimit = std::uint32_t(1) << 29;
    static_assert(sizeof(Step) == 8);
    static_assert(std::uint32_t(Expression::Code::AndOrOperands) < 16);
    std::vector<Step> steps_;
    std::vector<std::uint32_t> begins_{0};  // entry i is steps_[begins_[i], begins_[i + 1])
    mutable std::vector<unsigned char> stack_;
};

}  // namespace veldra
