// Logic that never settles inside a large application: the oscillating pair
// "ASSIGN ~B + ~B * B TO A; ASSIGN A + ~A * ~B TO B;" placed amid a generated application.
// Measured from the start button to the first "Logic Loop?" box, and from the first box
// (answered No) to the second, with the immediate window logged to a file: the time and
// the log's bytes each box costs, at 2,004, 20,004 and 200,004 statements. Then deep logic
// without feedback, whose changes come back to statements already solved or turn from
// break work to make work at every step: the time, boxes and solves of a rise and a fall.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/log_file.h"
#include "engine/program_engine.h"
#include "gen/bench_support.h"
#include "gen/generate_application.h"
#include "loader/parse_text.h"
#include "platform/clock.h"
#include "platform/platform.h"

namespace {

using namespace veldra;
using Clock = std::chrono::steady_clock;

constexpr const char* kLoopTitle = "Logic Loop?";

// The generated application of `statements` statements in all, the pair among them.
std::string ApplicationWithThePair(int statements) {
    const int generated = statements - 2;
    std::string source = bench::GenerateApplication(
        {generated, 2 * generated, std::max(2, generated / 100), 1}, 10000);
    std::size_t at = source.find("LOGIC BEGIN\r\n") + 13;
    for (int line = 0; line < generated / 2; ++line) {
        at = source.find("\r\n", at) + 2;
    }
    source.insert(at, "    ASSIGN ~B + ~B * B TO A;\r\n    ASSIGN A + ~A * ~B TO B;\r\n");
    return source;
}

// Answers the first "Logic Loop?" box No and the second Yes, noting when each came and
// how long the log was then.
class LoopBoxes final : public Platform {
public:
    MsgAnswer MsgBox(const MsgBoxRequest& request) override {
        if (request.title != kLoopTitle) {
            return MostCautiousAnswer(request.buttons);
        }
        const std::uintmax_t bytes = log ? std::filesystem::file_size(*log) : 0;
        boxes[count] = {Clock::now(), bytes};
        return ++count == 2 ? MsgAnswer::Yes : MsgAnswer::No;
    }
    void EndApplication() override {}
    void UnloadLoadingProgress() override {}

    struct Box {
        Clock::time_point at;
        std::uintmax_t logBytes = 0;
    };
    Box boxes[2];
    int count = 0;
    std::optional<std::filesystem::path> log;

private:
    PlatformScope scope_{*this};
};

// Logs to one file in the temporary folder, replaced each time.
class TemporaryLog final : public LogFileHost {
public:
    TemporaryLog()
        : path_(std::filesystem::temp_directory_path() /
                ("veldra_logic_loop_" + std::to_string(::getpid()) + ".txt")) {}
    ~TemporaryLog() override { Remove(); }
    std::optional<std::filesystem::path> SaveLogAs(const std::string&) override {
        Remove();
        return path_;
    }
    std::string LocationName() override { return "BENCH"; }
    const std::filesystem::path& Path() const { return path_; }

private:
    void Remove() {
        std::error_code error;
        std::filesystem::remove(path_, error);
    }
    std::filesystem::path path_;
};

const std::string& Source(int statements) {
    static std::string sources[3];
    std::string& source = sources[statements > 100000 ? 2 : statements > 10000 ? 1 : 0];
    if (source.empty()) {
        source = ApplicationWithThePair(statements);
    }
    return source;
}

void Run(benchmark::State& state, bool logging) {
    const int statements = int(state.range(0));
    const std::string& source = Source(statements);
    double toFirst = 0;
    double between = 0;
    double firstBytes = 0;
    double betweenBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        LoopBoxes boxes;
        bench::LoadedProgram program(source);
        ProgramEngine& engine = program.engine;
        TemporaryLog logHost;
        LogFile log(engine, logHost);
        std::uintmax_t headerBytes = 0;
        if (logging && log.Start("GENERATED_STATION")) {
            boxes.log = logHost.Path();
            headerBytes = std::filesystem::file_size(logHost.Path());
        }
        state.ResumeTiming();

        const Clock::time_point start = Clock::now();
        engine.StartStop();
        engine.RequestScan();
        engine.tmrProgram_Timer();

        state.PauseTiming();
        if (boxes.count != 2) {
            state.SkipWithError("the logic loop was not asked about twice");
            break;
        }
        const auto seconds = [](Clock::duration d) {
            return std::chrono::duration<double>(d).count();
        };
        toFirst += seconds(boxes.boxes[0].at - start);
        between += seconds(boxes.boxes[1].at - boxes.boxes[0].at);
        firstBytes +=
            double(boxes.boxes[0].logBytes - std::min(boxes.boxes[0].logBytes, headerBytes));
        betweenBytes += double(boxes.boxes[1].logBytes - boxes.boxes[0].logBytes);
        state.ResumeTiming();
    }
    const double runs = double(state.iterations());
    state.counters["s_to_first_box"] = toFirst / runs;
    state.counters["s_between_boxes"] = between / runs;
    if (logging) {
        state.counters["log_MB_to_first_box"] = firstBytes / runs / 1e6;
        state.counters["log_MB_between_boxes"] = betweenBytes / runs / 1e6;
    }
}

void BM_LogicLoopBox(benchmark::State& state) {
    Run(state, false);
}
BENCHMARK(BM_LogicLoopBox)
    ->Arg(2004)
    ->Arg(20004)
    ->Arg(200004)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void BM_LogicLoopBoxLogged(benchmark::State& state) {
    Run(state, true);
}
BENCHMARK(BM_LogicLoopBoxLogged)
    ->Arg(2004)
    ->Arg(20004)
    ->Arg(200004)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// --- Deep logic without feedback: it settles without a box, in the solves the queues give.

// A chain whose link i reads link i - 1 and the links `back` further back, written last
// link first, so that a change reaches each link again after the wave went past it.
std::string ReconvergentChain(int links, std::initializer_list<int> back) {
    const auto link = [](int i) { return "L" + std::to_string(std::max(i, 0)); };
    std::string source = "LOGIC BEGIN\n";
    for (int i = links; i >= 1; --i) {
        source += "ASSIGN " + link(i - 1);
        for (const int b : back) {
            source += " + " + link(i - b);
        }
        source += " TO " + link(i) + ";\n";
    }
    return source + "END LOGIC\n";
}

// The chain of `ReconvergentChain(links, {3})` with every link written by a second
// statement too, to the same value, listed before the link's own: its write queues the
// link's own statement again.
std::string ReconvergentChainAssignedTwice(int links) {
    const auto link = [](int i) { return "L" + std::to_string(std::max(i, 0)); };
    std::string source = "LOGIC BEGIN\n";
    for (int i = links; i >= 1; --i) {
        const std::string expression = link(i - 1) + " + " + link(i - 3);
        source += "ASSIGN " + expression + " TO M" + std::to_string(i) + ", " + link(i) +
                  ";\nASSIGN " + expression + " TO " + link(i) + ";\n";
    }
    return source + "END LOGIC\n";
}

// Diamonds one after the other whose second arm is a statement longer than the first.
std::string LateDiamonds(int diamonds) {
    std::string source = "LOGIC BEGIN\n";
    for (int i = 1; i <= diamonds; ++i) {
        const std::string n = std::to_string(i);
        const std::string top = "L" + std::to_string(i - 1);
        source += "ASSIGN " + top + " TO A" + n + ";\nASSIGN " + top + " TO B" + n + ";\nASSIGN B" +
                  n + " TO C" + n + ";\nASSIGN A" + n + " + C" + n + " TO L" + n + ";\n";
    }
    return source + "END LOGIC\n";
}

// Each link the inverse of the one before: break work and make work by turns.
std::string InverterChain(int links) {
    std::string source = "LOGIC BEGIN\n";
    for (int i = 1; i <= links; ++i) {
        source += "ASSIGN ~L" + std::to_string(i - 1) + " TO L" + std::to_string(i) + ";\n";
    }
    return source + "END LOGIC\n";
}

const std::string& SettlingSource(int shape) {
    static std::string sources[5];
    std::string& source = sources[shape];
    if (source.empty()) {
        source = shape == 0   ? ReconvergentChain(10002, {3})
                 : shape == 1 ? ReconvergentChain(160000, {3, 5})
                 : shape == 2 ? LateDiamonds(5000)
                 : shape == 3 ? InverterChain(12000)
                              : ReconvergentChainAssignedTwice(10002);
    }
    return source;
}

// Counts the "Logic Loop?" boxes, each answered No.
class CountedBoxes final : public Platform {
public:
    MsgAnswer MsgBox(const MsgBoxRequest& request) override {
        if (request.title == kLoopTitle) {
            ++count;
        }
        return MostCautiousAnswer(request.buttons);
    }
    void EndApplication() override {}
    void UnloadLoadingProgress() override {}

    int count = 0;

private:
    PlatformScope scope_{*this};
};

// Started and settled, then the chain's head raised and dropped, a scan tick each: the
// time of the two ticks, the boxes they asked and the statements they solved (counted in a
// run of their own, as a listener makes every solve slower).
void BM_SettlingWithoutFeedback(benchmark::State& state) {
    const std::string& source = SettlingSource(int(state.range(0)));
    const auto riseAndFall = [](ProgramEngine& engine) {
        for (const bool value : {true, false}) {
            engine.PostInput("L0", value);
            engine.tmrProgram_Timer();
        }
    };
    double boxes = 0;
    double statements = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CountedBoxes platform;
        bench::LoadedProgram program(source);
        ProgramEngine& engine = program.engine;
        statements = engine.prgAssigns->Count();
        engine.StartStop();
        engine.RequestScan();
        engine.tmrProgram_Timer();
        platform.count = 0;
        state.ResumeTiming();

        riseAndFall(engine);

        state.PauseTiming();
        boxes += platform.count;
        state.ResumeTiming();
    }
    CountedBoxes platform;
    bench::LoadedProgram program(source);
    ProgramEngine& engine = program.engine;
    engine.StartStop();
    engine.RequestScan();
    engine.tmrProgram_Timer();
    long long solves = 0;
    const Subscription counting =
        engine.prgAssigns->StatementChanged.Subscribe([&](std::string_view, bool) { ++solves; });
    riseAndFall(engine);
    state.counters["statements"] = statements;
    state.counters["boxes"] = boxes / double(state.iterations());
    state.counters["solves"] = double(solves);
    state.counters["solves_per_statement"] = double(solves) / statements;
}
BENCHMARK(BM_SettlingWithoutFeedback)
    ->ArgName("shape")
    ->DenseRange(0, 4)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
