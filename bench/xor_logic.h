#pragma once

// Sources of logic whose every change is one long wave without feedback, built of
// exclusive-or statements whose operands are each read through both contacts.

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace veldra::bench {

inline std::string EitherContact(const std::string& bit) {
    return "(" + bit + " + " + bit + " * ~" + bit + ")";
}

// B(i) = B(i-1) @ X, B(1) = X @ X, listed last link first: a change of X reaches every
// link at once and again through each link before it, some n²/2 solves.
inline std::string XorChain(int links) {
    std::string source = "BOOLEAN BITS X;\r\nLOGIC BEGIN\r\n";
    for (int i = links; i >= 1; --i) {
        const std::string before = i == 1 ? "X" : "B" + std::to_string(i - 1);
        source += "ASSIGN " + EitherContact(before) + " @ " + EitherContact("X") + " TO B" +
                  std::to_string(i) + ";\r\n";
    }
    return source + "END LOGIC\r\n";
}

// `statements` statements N(i) = a @ b, a and b drawn from the input X, 15 other inputs and
// the statements before i, listed in a shuffled order; the same network every time.
inline std::string XorNetwork(int statements) {
    std::mt19937 random(60);
    std::string source = "BOOLEAN BITS X";
    for (int i = 1; i < 16; ++i) {
        source += ", I" + std::to_string(i);
    }
    source += ";\r\nLOGIC BEGIN\r\n";
    const auto name = [](int i) {
        return i == 0   ? std::string("X")
               : i < 16 ? "I" + std::to_string(i)
                        : "N" + std::to_string(i);
    };
    std::vector<std::string> lines;
    for (int i = 16; i < 16 + statements; ++i) {
        // Most operands are recent statements, so that a change travels far.
        std::uniform_int_distribution<int> near(std::max(0, i - 8), i - 1);
        std::uniform_int_distribution<int> any(0, i - 1);
        const int a = near(random);
        const int b = random() % 2 == 0 ? 0 : any(random);
        lines.push_back("ASSIGN " + EitherContact(name(a)) + " @ " + EitherContact(name(b)) +
                        " TO " + name(i) + ";\r\n");
    }
    std::shuffle(lines.begin(), lines.end(), random);
    for (const std::string& line : lines) {
        source += line;
    }
    return source + "END LOGIC\r\n";
}

}  // namespace veldra::bench
