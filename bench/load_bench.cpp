// Large generated applications: how long they take to load, to start for the first time
// (every statement solved once) and to settle after one input change, how that grows with
// the application, and how long one statement of very many operands takes to load.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/program_engine.h"
#include "engine/program_window.h"
#include "gen/bench_support.h"
#include "gen/generate_application.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "loader/source_census.h"
#include "loader/source_memory.h"
#include "panels/panel_set.h"
#include "platform/clock.h"

namespace {

using namespace veldra;
using bench::LoadedProgram;

// The applications measured, by the benchmarks' argument: the standard one, one of the
// same size with 4,000 boards and twice the contacts per statement, and one 8 times the
// standard one whose chains are 8 times as long.
struct Variant {
    const char* label;
    bench::ApplicationSize size;
    int chainLength;
};
constexpr std::array kVariants = {
    Variant{"20k statements, 200 boards", {20000, 40000, 200, 1}, 10000},
    Variant{"20k statements, 4000 boards, twice the contacts", {20000, 60000, 4000, 2}, 10000},
    Variant{"160k statements, 1600 boards", {160000, 320000, 1600, 1}, 80000},
};

const std::string& Source(std::int64_t variant) {
    static std::array<std::string, kVariants.size()> sources;
    std::string& source = sources[std::size_t(variant)];
    if (source.empty()) {
        const Variant& chosen = kVariants[std::size_t(variant)];
        source = bench::GenerateApplication(chosen.size, chosen.chainLength);
    }
    return source;
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void BM_LoadGeneratedApplication(benchmark::State& state) {
    const std::string& source = Source(state.range(0));
    for (auto _ : state) {
        LoadedProgram program(source);
        benchmark::DoNotOptimize(program.engine.PrgBooleanBits());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(source.size()));
    state.SetLabel(kVariants[std::size_t(state.range(0))].label);
    state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_LoadGeneratedApplication)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The first start queues every statement; the first tick with work solves them all.
void BM_FirstStart(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto program = std::make_unique<LoadedProgram>(Source(state.range(0)));
        state.ResumeTiming();
        program->engine.StartStop();
        program->engine.PostInput(bench::ChainHeadInput(), true);
        program->engine.tmrProgram_Timer();
        state.PauseTiming();
        program.reset();
        state.ResumeTiming();
    }
    state.SetLabel(kVariants[std::size_t(state.range(0))].label);
}
BENCHMARK(BM_FirstStart)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(5);

// One input change at the head of a chain, settled by one scan.
void BM_SettleAfterOneInput(benchmark::State& state) {
    LoadedProgram program(Source(state.range(0)));
    ProgramEngine& engine = program.engine;
    engine.StartStop();
    engine.PostInput("OTHER_INPUT", true);
    engine.tmrProgram_Timer();  // the first start's work, once
    bool value = false;
    for (auto _ : state) {
        value = !value;
        engine.PostInput(bench::ChainHeadInput(), value);
        engine.tmrProgram_Timer();
    }
    state.SetLabel(kVariants[std::size_t(state.range(0))].label);
}
BENCHMARK(BM_SettleAfterOneInput)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// One statement ORing the given number of operands, none of them declared.
void BM_LoadLongStatement(benchmark::State& state) {
    std::string source = "PROGRAM LONG;\r\nLOGIC BEGIN\r\n    ASSIGN B0";
    for (std::int64_t i = 1; i < state.range(0); ++i) {
        source += i % 2 == 0 ? " + ~B" : " * B";
        source += std::to_string(i);
    }
    source += " TO X;\r\nEND LOGIC\r\nEND PROGRAM\r\n";
    for (auto _ : state) {
        LoadedProgram program(source);
        benchmark::DoNotOptimize(program.engine.PrgBooleanBits());
    }
}
BENCHMARK(BM_LoadLongStatement)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A source file named by VELDRA_LOAD_SOURCE (a large one written by veldra_gen), loaded
// once as the program opens a file: the process's peak against the file's size. Run it in
// a process of its own, as the peak is the process's.
void BM_LoadSourceFile(benchmark::State& state, const std::filesystem::path& file) {
    for (auto _ : state) {
        LoadedProgram program(file);
        benchmark::DoNotOptimize(program.engine.PrgBooleanBits());
    }
    const double sourceMegabytes = double(std::filesystem::file_size(file)) / (1024.0 * 1024.0);
    state.counters["source_MB"] = sourceMegabytes;
    state.counters["peak_MB"] = PeakMegabytes();
    state.counters["peak_per_source"] = PeakMegabytes() / sourceMegabytes;
}
// The same file counted as the check before reading counts it: the time, and the resident
// memory the count adds to the process's peak.
void BM_CountSourceFile(benchmark::State& state, const std::filesystem::path& file) {
    const double peakBefore = bench::StatusKb("VmHWM");
    SourceCensus census;
    for (auto _ : state) {
        census = CountSourceFile(file).value_or(SourceCensus{});
        benchmark::DoNotOptimize(census);
    }
    const double sourceBytes = double(std::filesystem::file_size(file));
    state.SetBytesProcessed(std::int64_t(sourceBytes) * state.iterations());
    state.counters["declarations"] = double(census.declarations);
    state.counters["names"] = double(census.names);
    state.counters["declared_name_bytes"] = double(census.declaredNameBytes);
    state.counters["statements"] = double(census.statements);
    state.counters["boards"] = double(census.boards);
    state.counters["comment_bytes"] = double(census.commentBytes);
    state.counters["longer_name_bytes"] = double(census.longerNameBytes);
    const MemoryNeed need = MemoryToLoad(census);
    state.counters["address_MB"] = double(need.address) / (1024.0 * 1024.0);
    state.counters["resident_MB"] = double(need.resident) / (1024.0 * 1024.0);
    state.counters["peak_added_MB"] = (bench::StatusKb("VmHWM") - peakBefore) / 1024.0;
}
const bool kSourceFileRegistered = [] {
    if (const char* file = std::getenv("VELDRA_LOAD_SOURCE"); file != nullptr && *file != 0) {
        benchmark::RegisterBenchmark("BM_CountSourceFile", BM_CountSourceFile,
                                     std::filesystem::path(file))
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_LoadSourceFile", BM_LoadSourceFile,
                                     std::filesystem::path(file))
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
