#pragma once

#include <chrono>

#include "platform/clock.h"

namespace veldra {

// When a scan tick owes the desktop a turn: once its work has kept the desktop waiting for
// kWait, inside a pass, a table's evaluation or a numeric block's solve. A solve can take a
// tenth of a microsecond, and a look at the clock about as long, so the clock is looked at
// only once in kUnitsPerLook units of work (a solve of a statement, of the scan's or of a
// numeric block): the count is all a solve pays. The slowest solves (a long statement, or
// one whose change is written to the immediate window) take a few microseconds, so a wait
// overruns kWait by a few milliseconds at most. A table's evaluation takes as long as a
// round of solves, and counts as one.
class DesktopTurns {
public:
    static constexpr int kUnitsPerLook = 256;
    static constexpr std::chrono::milliseconds kWait{10};

    explicit DesktopTurns(const Clock& clock) : clock_(clock) {}

    // The desktop has just had its turn: the wait starts again from now.
    void Taken() {
        last_ = clock_.Steady();
        left_ = kUnitsPerLook;
    }

    // Counts `units` units of work; true when the desktop's turn is due.
    bool Due(int units = 1) {
        left_ -= units;
        return left_ <= 0 && Look();
    }

private:
    bool Look() {
        left_ = kUnitsPerLook;
        return clock_.Steady() - last_ >= kWait;
    }

    const Clock& clock_;
    std::chrono::nanoseconds last_{0};
    int left_ = kUnitsPerLook;
};

}  // namespace veldra
