#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace veldra {

// The statements on feedback loops that one pass of the scan has solved, by their index in
// the scan map. Logic that oscillates shows itself first by solving such a statement again
// before its queue is drained, so a pass ends there: the pass limit then counts the
// oscillation's own turns, whatever else the program holds. A mark is the number of the
// pass that last solved the statement, so a new pass forgets the old marks without a look
// at them; a byte a statement keeps the marks in few cache lines, and they are wiped once
// in 255 passes.
class SolvePass {
public:
    // A new pass: nothing solved in it yet.
    void Begin() {
        if (++pass_ == 0) {
            // Wrapped round: an old mark could pass for this pass's.
            std::fill(marks_.begin(), marks_.end(), 0);
            pass_ = 1;
        }
    }

    // Marks the statement solved in this pass; false, marking nothing, when it already was.
    bool Take(std::uint32_t statement) {
        if (statement >= marks_.size()) {
            marks_.resize(statement + 1, 0);
        }
        if (marks_[statement] == pass_) {
            return false;
        }
        marks_[statement] = pass_;
        return true;
    }

    // Room for `statements` marks, made when the statements are laid out rather than as a
    // scan meets them.
    void Reserve(std::uint32_t statements) {
        if (marks_.size() < statements) {
            marks_.resize(statements, 0);
        }
    }

private:
    std::vector<std::uint8_t> marks_;
    std::uint8_t pass_ = 0;  // 0 before the first pass, which no mark holds then
};

}  // namespace veldra
