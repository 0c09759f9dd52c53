// Saving and loading the state of the generated 40,000-bit application: the file written a
// piece at a time beside the old one and put in its place, then priced, read a piece at a
// time, every bit restored, the board windows told, and every statement solved again.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
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
#include "platform/memory_room.h"
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
    // The process's own: benchmarks run side by side must not write each other's.
    return std::filesystem::temp_directory_path() /
           ("veldra_state_bench_" + std::to_string(::getpid()) + ".sst");
}

// Written a piece at a time beside the old file, as "Save State" writes it.
void SaveState(LoadedProgram& program) {
    BesideFile file(StateFile());
    WriteStateFile(*program.engine.PrgBooleanBits(),
                   [&file](std::string_view piece) { file.Write(piece); });
    file.Commit();
}

void BM_SaveState(benchmark::State& state) {
    LoadedProgram& program = Program();
    for (auto _ : state) {
        SaveState(program);
    }
    state.counters["bits"] = program.engine.PrgBooleanBits()->Count();
    state.counters["MB"] = double(std::filesystem::file_size(StateFile())) / 1e6;
}
BENCHMARK(BM_SaveState)->Unit(benchmark::kMillisecond);

void BM_LoadState(benchmark::State& state) {
    LoadedProgram& program = Program();
    SaveState(program);
    StateLoadHost host;
    for (auto _ : state) {
        LoadStateFile(program.engine, StateFile(), host);
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

// The resident memory a step takes at its peak above what the process held before, in MB:
// the high-water mark is reset first (as root, or for one's own process, /proc allows it).
double ResidentPeakOf(const std::function<void()>& step) {
    const auto field = [](const char* name) {
        std::ifstream in("/proc/self/status");
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        return double(ProcField(text, name).value_or(0)) / double(1 << 20);
    };
    std::ofstream("/proc/self/clear_refs") << "5";
    const double before = field("VmRSS");
    step();
    return field("VmHWM") - before;
}

// Save and load of the state of the source named by VELDRA_STATE_SOURCE (a program of millions
// of bits, say), loaded headless once: what each takes at its peak beside the program.
void BM_StateOfSource(benchmark::State& state) {
    const char* source = std::getenv("VELDRA_STATE_SOURCE");
    if (source == nullptr) {
        state.SkipWithError("VELDRA_STATE_SOURCE names no source");
        return;
    }
    static LoadedProgram program{std::filesystem::path(source)};
    StateLoadHost host;
    for (auto _ : state) {
        state.counters["save MB"] = ResidentPeakOf([] { SaveState(program); });
        state.counters["read MB"] = ResidentPeakOf([] {
            ReadStateFileAt(StateFile(), *program.engine.PrgBooleanBits(),
                            [](const std::string&) {});
        });
        state.counters["load MB"] =
            ResidentPeakOf([&] { LoadStateFile(program.engine, StateFile(), host); });
    }
    state.counters["bits"] = program.engine.PrgBooleanBits()->Count();
    state.counters["file MB"] = double(std::filesystem::file_size(StateFile())) / double(1 << 20);
}
BENCHMARK(BM_StateOfSource)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
