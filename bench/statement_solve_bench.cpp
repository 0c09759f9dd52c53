// How fast a statement solves against bound bits, next to the same expression written
// directly in C++ as the floor.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "logic/boolean_bits.h"
#include "logic/solve_program.h"
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

// The same expression evaluated by hand, over anything that gives the i-th operand.
template <class Value>
bool Floor(int n, Value&& value) {
    bool result = false;
    for (int i = 0; i < n; i += 3) {
        bool group = value(i);
        if (i + 1 < n) {
            group = group && !value(i + 1);
        }
        if (i + 2 < n) {
            group = group || value(i + 2);
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
        const auto& bits = fixture.pointers;
        benchmark::DoNotOptimize(
            Floor(int(bits.size()), [&](int i) { return bits[std::size_t(i)]->BitValue(); }));
    }
}
BENCHMARK(BM_Floor)->Arg(2)->Arg(10)->Arg(50);

// The statement compiled into a solve program, as the scan solves it, next to the same
// expression by hand over a plain array of bools: the fastest any solve could be. Neither
// changes a value; both read every value from memory again on every iteration.
void BM_SolveProgram(benchmark::State& state) {
    Fixture fixture(int(state.range(0)));
    veldra::SolveProgram program;
    program.Add(fixture.statement, fixture.bits);
    for (auto _ : state) {
        benchmark::ClobberMemory();
        benchmark::DoNotOptimize(program.Evaluate(0, fixture.bits.Values()));
    }
}
BENCHMARK(BM_SolveProgram)->Arg(2)->Arg(10)->Arg(50);

void BM_PlainArray(benchmark::State& state) {
    const int n = int(state.range(0));
    std::vector<char> values(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        values[std::size_t(i)] = i % 2 == 0;
    }
    for (auto _ : state) {
        benchmark::ClobberMemory();
        benchmark::DoNotOptimize(Floor(n, [&](int i) { return values[std::size_t(i)] != 0; }));
    }
}
BENCHMARK(BM_PlainArray)->Arg(2)->Arg(10)->Arg(50);

}  // namespace
