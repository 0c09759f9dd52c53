#pragma once

#include "platform/clock.h"

namespace veldra::testing {

// A clock that says what the test tells it.
class FakeClock final : public Clock {
public:
    TimeOfDay Now() const override { return now; }
    TimeOfDay now{12, 0, 0};
};

}  // namespace veldra::testing
