#pragma once

#include <chrono>

#include "platform/clock.h"

namespace veldra::testing {

// A clock that says what the test tells it.
class FakeClock final : public Clock {
public:
    TimeOfDay Now() const override { return now; }
    // Each look at the steady reading moves it on by `steadyStep` (still by default).
    std::chrono::nanoseconds Steady() const override {
        ++steadyLooks;
        return steady += steadyStep;
    }
    TimeOfDay now{12, 0, 0};
    mutable std::chrono::nanoseconds steady{0};
    std::chrono::nanoseconds steadyStep{0};
    mutable int steadyLooks = 0;
};

}  // namespace veldra::testing
