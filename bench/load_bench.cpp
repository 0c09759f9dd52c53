// A large generated application: how long it takes to load, to start for the first time
// (every statement solved once), and to settle after one input change.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "engine/program_engine.h"
#include "engine/program_window.h"
#include "gen/generate_application.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "panels/panel_set.h"
#include "platform/clock.h"

namespace {

using namespace veldra;

class QuietWindow final : public ProgramWindow {};

// The windows of a headless load: board windows without a display, and the program
// window finishing the load.
class HeadlessLoad final : public LoaderHost {
public:
    explicit HeadlessLoad(ProgramEngine& engine) : engine_(engine), panels_(engine.IOBits) {}
    void LoadFinished() override { engine_.LoadFinished(panels_.Windows()); }
    PanelSet& Panels() { return panels_; }

private:
    ProgramEngine& engine_;
    PanelSet panels_;
};

// A loaded, mapped application.
struct LoadedProgram {
    explicit LoadedProgram(const std::string& source) {
        ParseText(engine, host, host.Panels()).GetProgramFromText(source);
        engine.ShowIOUpdates = false;
    }
    QuietWindow window;
    SystemClock clock;
    ProgramEngine engine{window, clock};
    HeadlessLoad host{engine};
};

const std::string& Source() {
    static const std::string source = bench::GenerateApplication({});
    return source;
}

void BM_LoadGeneratedApplication(benchmark::State& state) {
    const std::string& source = Source();
    for (auto _ : state) {
        LoadedProgram program(source);
        benchmark::DoNotOptimize(program.engine.PrgBooleanBits());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(source.size()));
}
BENCHMARK(BM_LoadGeneratedApplication)->Unit(benchmark::kMillisecond);

// The first start queues every statement; the first tick with work solves them all.
void BM_FirstStart(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto program = std::make_unique<LoadedProgram>(Source());
        state.ResumeTiming();
        program->engine.StartStop();
        program->engine.IOBits.Add(bench::ChainHeadInput(), true);
        program->engine.tmrProgram_Timer();
        state.PauseTiming();
        program.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstStart)->Unit(benchmark::kMillisecond)->Iterations(5);

// One input change at the head of a 10,000-statement chain, settled by one scan.
void BM_SettleAfterOneInput(benchmark::State& state) {
    LoadedProgram program(Source());
    ProgramEngine& engine = program.engine;
    engine.StartStop();
    engine.IOBits.Add("OTHER_INPUT", true);
    engine.tmrProgram_Timer();  // the first start's work, once
    bool value = false;
    for (auto _ : state) {
        value = !value;
        engine.IOBits.Add(bench::ChainHeadInput(), value);
        engine.tmrProgram_Timer();
    }
}
BENCHMARK(BM_SettleAfterOneInput)->Unit(benchmark::kMillisecond);

}  // namespace
