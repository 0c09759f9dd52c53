// How fast a statement solves against bound bits, next to the same expression written
// directly in C++ as the floor.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "logic/boolean_bits.h"
#include "logic/statement.h"

namespace {

// A track-circuit style expression of n operands: (B0*~B1+B2)@... built from groups of
// three, so every operator, a negation and brackets take part.
std::string Expression(int operands) {
    std::string text;
    for (int i = 0; i < operands; ++i) {
        const std::string name = "B" + std::to_string(i);
        switch (i % 3) {
            case 0:
                text += (i > 0 ? "@(" : "(") + name;
                break;
            case 1:
                text += "*~" + name;
                break;
            case 2:
                text += "+" + name + ")";
                break;
        }
    }
    if (operands % 3 != 0) {
        text += ")";
    }
    return text;
}

// The same expression evaluated by hand.
bool Floor(const std::vector<veldra::BooleanBit*>& bits) {
    bool result = false;
    const int n = int(bits.size());
    for (int i = 0; i < n; i += 3) {
        bool group = bits[std::size_t(i)]->BitValue();
        if (i + 1 < n) {
            group = group && !bits[std::size_t(i + 1)]->BitValue();
        }
        if (i + 2 < n) {
            group = group || bits[std::size_t(i + 2)]->BitValue();
        }
        result = i == 0 ? group : (result != group);
    }
    return result;
}

struct Fixture {
    explicit Fixture(int operands) {
        for (int i = 0; i < operands; ++i) {
            pointers.push_back(bits.Add("B" + std::to_string(i), i % 2 == 0));
        }
        statement.SetStrStatement("ASSIGN " + Expression(operands) + " TO X;");
        statement.SetBits(&bits);
        statement.Solve();
    }
    veldra::BooleanBits bits;
    std::vector<veldra::BooleanBit*> pointers;
    veldra::Statement statement;
};

void BM_Solve(benchmark::State& state) {
    Fixture fixture(int(state.range(0)));
    for (auto _ : state) {
        fixture.pointers[0]->SetBitValue(!fixture.pointers[0]->BitValue(), true);
        benchmark::DoNotOptimize(fixture.statement.Solve());
    }
}
BENCHMARK(BM_Solve)->Arg(2)->Arg(10)->Arg(50);

void BM_Floor(benchmark::State& state) {
    Fixture fixture(int(state.range(0)));
    for (auto _ : state) {
        fixture.pointers[0]->SetBitValue(!fixture.pointers[0]->BitValue(), true);
        benchmark::DoNotOptimize(Floor(fixture.pointers));
    }
}
BENCHMARK(BM_Floor)->Arg(2)->Arg(10)->Arg(50);

}  // namespace
