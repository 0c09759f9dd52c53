// What one scan costs: a ripple through a chain of statements, a fan-out of one input to
// many readers, and an idle tick.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/program_engine.h"
#include "engine/program_window.h"
#include "gen/bench_support.h"
#include "platform/clock.h"

namespace {

using namespace veldra;
using bench::QuietWindow;

// A running program with the given statements, mapped as load completion maps them.
class Program {
public:
    Program() {
        engine.SetPrgBooleanBits(std::make_unique<BooleanBits>());
        engine.prgAssigns = std::make_unique<Statements>();
        engine.SetShowIOUpdates(false);
    }

    void Assign(const std::string& expression, const std::string& result) {
        Statement& statement =
            *engine.prgAssigns->Add("ASSIGN " + expression + " TO " + result + ";");
        BooleanBits& bits = *engine.PrgBooleanBits();
        statement.SetBits(&bits);
        Bit(result).SetIsAssigned(true);
        for (int i = 0; i <= statement.UboundOpBit(); ++i) {
            BooleanBit& bit = Bit(std::string(statement.OpBitName(i)));
            bit.SetRung(engine.prgAssigns.get());
            bit.Assigns(statement);
        }
    }

    // Starts the program and settles the first start's statements before anything is
    // measured.
    void Start() {
        engine.StartStop();
        engine.RequestScan();
        engine.tmrProgram_Timer();
    }

    // Changes the input and runs the scan that follows.
    void Toggle() {
        input_ = !input_;
        engine.PostInput("IN", input_);
        engine.tmrProgram_Timer();
    }

    QuietWindow window;
    SystemClock clock;
    ProgramEngine engine{window, clock};

private:
    BooleanBit& Bit(const std::string& name) {
        BooleanBits& bits = *engine.PrgBooleanBits();
        if (BooleanBit* bit = bits.Find(name)) {
            return *bit;
        }
        return *bits.Add(name, false);
    }

    bool input_ = false;
};

void BM_ChainRipple(benchmark::State& state) {
    const int length = int(state.range(0));
    Program program;
    program.Assign("IN", "S0");
    for (int i = 1; i < length; ++i) {
        program.Assign("S" + std::to_string(i - 1), "S" + std::to_string(i));
    }
    program.Start();
    for (auto _ : state) {
        program.Toggle();
    }
    state.SetItemsProcessed(state.iterations() * length);  // statements solved
}
BENCHMARK(BM_ChainRipple)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_FanOut(benchmark::State& state) {
    const int readers = int(state.range(0));
    Program program;
    for (int i = 0; i < readers; ++i) {
        program.Assign("IN", "R" + std::to_string(i));
    }
    program.Start();
    for (auto _ : state) {
        program.Toggle();
    }
    state.SetItemsProcessed(state.iterations() * readers);
}
BENCHMARK(BM_FanOut)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_IdleTick(benchmark::State& state) {
    Program program;
    program.Assign("IN", "X");
    program.Start();
    for (auto _ : state) {
        program.engine.tmrProgram_Timer();
    }
}
BENCHMARK(BM_IdleTick);

}  // namespace
