#pragma once

#include <cstddef>

namespace veldra::testing {

// The allocation functions of a fault-injection executable (refused_allocation.cpp, linked
// into that executable alone, so that no other test runs under them) count, while armed,
// the allocations of at least `largeFrom` bytes, and refuse the `failAt`th of them.
struct Refusal {
    bool armed = false;
    long counted = 0;
    long failAt = 0;
    std::size_t largeFrom = 0;
    bool failed = false;  // the allocation was refused
};
extern Refusal refusal;

}  // namespace veldra::testing
