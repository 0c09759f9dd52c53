// Logic that never settles inside a large application: the oscillating pair
// "ASSIGN ~B + ~B * B TO A; ASSIGN A + ~A * ~B TO B;" placed amid a generated application.
// Measured from the start button to the first "Logic Loop?" box, and from the first box
// (answered No) to the second, with the immediate window logged to a file: the time and
// the log's bytes each box costs, at 2,004, 20,004 and 200,004 statements.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

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

}  // namespace
