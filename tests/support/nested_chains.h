#pragma once

#include <string>

namespace veldra::testing {

// An expression of exclusive-or chains each nested inside a product of the one around it,
// `levels` deep. Each level is spelt out in both senses around the one below, doubling the
// drawing: 16 levels are far past the ladder grid's limit.
inline std::string NestedExclusiveOrChains(int levels) {
    std::string nested = "A0*B0";
    for (int level = 1; level <= levels; ++level) {
        const std::string n = std::to_string(level);
        nested = "(" + nested + "@C" + n + "*D" + n + ")*E" + n;
    }
    return nested;
}

}  // namespace veldra::testing
