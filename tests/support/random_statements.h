#pragma once

#include <random>
#include <string>

namespace veldra::testing {

// Statements of products, sums, exclusive ors, back contacts and brackets over names of
// `shortest` to `longest` characters, the same for the same seed.
class RandomStatements {
public:
    RandomStatements(unsigned seed, int shortest, int longest)
        : random_(seed), length_(shortest, longest) {}

    std::string Name() {
        static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_";
        std::string name(1, kLetters[Pick(26)]);
        for (int n = length_(random_); int(name.size()) < n;) {
            name += kLetters[Pick(int(sizeof kLetters) - 1)];
        }
        return name;
    }

    std::string Expression(int depth = 0) {
        std::string text = Operand(depth);
        for (int more = Pick(3); more > 0; --more) {
            static constexpr const char* kJoins[] = {" * ", " + ", " @ "};
            text += kJoins[Pick(3)] + Operand(depth);
        }
        return text;
    }

    // "expression TO result, result;", as the book and the viewer's box hold it.
    std::string Statement() {
        std::string text = Expression() + " TO " + Name();
        for (int more = Pick(3); more > 0; --more) {
            text += ", " + Name();
        }
        return text + ";";
    }

private:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    std::string Operand(int depth) {
        const std::string back = Pick(4) == 0 ? "~" : "";
        if (depth < 2 && Pick(4) == 0) {
            return back + "(" + Expression(depth + 1) + ")";
        }
        return back + Name();
    }

    std::mt19937 random_;
    std::uniform_int_distribution<int> length_;
};

}  // namespace veldra::testing
