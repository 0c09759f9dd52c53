// Saving and loading the state of the generated 40,000-bit application: the file written
// beside the old one and put in its place, then read, every bit restored, the board windows
// told, and every statement solved again.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "engine/program_engine.h"
#include "engine/program_window.h"
#include "gen/bench_support.h"
#include "gen/generate_application.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "panels/panel_set.h"
#include "platform/clock.h"
#include "platform/file_replacement.h"
#include "shell/state_file.h"
#include "shell/state_load.h"

namespace {

using namespace veldra;
using bench::LoadedProgram;

LoadedProgram& Program() {
    static LoadedProgram program(bench::GenerateApplication({20000, 40000, 200, 1}));
    return program;
}

std::filesystem::path StateFile() {
    return std::filesystem::temp_directory_path() / "veldra_state_bench.sst";
}

void BM_SaveState(benchmark::State& state) {
    LoadedProgram& program = Program();
    for (auto _ : state) {
        ReplaceFile(StateFile(), StateFileText(*program.engine.PrgBooleanBits()));
    }
    state.counters["bits"] = program.engine.PrgBooleanBits()->Count();
    state.counters["MB"] = double(std::filesystem::file_size(StateFile())) / 1e6;
}
BENCHMARK(BM_SaveState)->Unit(benchmark::kMillisecond);

void BM_LoadState(benchmark::State& state) {
    LoadedProgram& program = Program();
    ReplaceFile(StateFile(), StateFileText(*program.engine.PrgBooleanBits()));
    BooleanBits& bits = *program.engine.PrgBooleanBits();
    StateLoadHost host;
    for (auto _ : state) {
        const std::string bytes = ReadWholeFile(StateFile(), StateFileSizeLimit(bits.Count()));
        ApplyState(program.engine, ReadStateFile(bytes, bits, [](const std::string&) {}), host);
    }
    state.counters["statements"] = program.engine.prgAssigns->Count();
}
BENCHMARK(BM_LoadState)->Unit(benchmark::kMillisecond);

// Every bit turned over by each load: the two files alternate, one with every bit as the
// program has it, the other with every bit set.
void BM_LoadChangedState(benchmark::State& state) {
    LoadedProgram& program = Program();
    BooleanBits& bits = *program.engine.PrgBooleanBits();
    const std::string asLoaded = StateFileText(bits);
    std::string allSet = asLoaded;
    const std::string off = "<BitValue>False</BitValue>";
    for (std::size_t at = allSet.find(off); at != std::string::npos; at = allSet.find(off, at)) {
        allSet.replace(at, off.size(), "<BitValue>True</BitValue>");
    }
    StateLoadHost host;
    bool set = false;
    for (auto _ : state) {
        set = !set;
        ApplyState(program.engine,
                   ReadStateFile(set ? allSet : asLoaded, bits, [](const std::string&) {}), host);
    }
}
BENCHMARK(BM_LoadChangedState)->Unit(benchmark::kMillisecond);

}  // namespace
