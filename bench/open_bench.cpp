// The generated application opened in the real program, as a user opens it from the
// command line, against the same source loaded headless in the same run: from the start
// of the open until the main window's caption names the program, every board window is
// shown and drawn and the program falls idle; then the simulator closed, as File, Exit
// closes it. Runs on whatever display Qt is given (a virtual display, for figures a user
// would see) and on the offscreen platform when there is none.
#include <benchmark/benchmark.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "engine/program_engine.h"
#include "gen/bench_support.h"
#include "gen/generate_application.h"
#include "loader/parse_text.h"
#include "platform/clock.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/ini_settings.h"
#include "shell/qt/application.h"
#include "shell/qt/frmMain.h"

namespace {

using namespace veldra;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) {
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// The processor time the process has used, in seconds: on a machine shared with other work
// it grows with the work done, where the time on the clock grows with the machine's load too.
double ProcessorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Every box answered Yes or Ok (the close asks whether to end the simulation), every
// file and input dialog cancelled.
class YesDialogs final : public Dialogs {
public:
    MsgAnswer MessageBox(const MsgBoxRequest& request) override {
        switch (request.buttons) {
            case MsgButtons::YesNo:
            case MsgButtons::YesNoCancel:
                return MsgAnswer::Yes;
            default:
                return MsgAnswer::Ok;
        }
    }
    std::optional<std::filesystem::path> FileName(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> InputBox(const InputBoxRequest&) override { return std::nullopt; }
};

// Runs the event loop until the program has nothing left to do: no event posted, no
// timer due, every window painted.
void UntilIdle() {
    QEventLoop loop;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &loop, &QEventLoop::quit, Qt::QueuedConnection);
    // A queued quit runs only once the loop has handled what was waiting before it.
    QMetaObject::invokeMethod(
        &loop, [] {}, Qt::QueuedConnection);
    loop.exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The generated source with this many statements and boards, written once to a file.
const std::filesystem::path& SourceFile(int statements, int boards) {
    static QTemporaryDir folder;
    static std::map<std::pair<int, int>, std::filesystem::path> files;
    std::filesystem::path& file = files[{statements, boards}];
    if (file.empty()) {
        file = std::filesystem::path(folder.path().toStdString()) /
               ("gen_" + std::to_string(statements) + "_" + std::to_string(boards) + ".ml2");
        std::ofstream(file, std::ios::binary)
            << bench::GenerateApplication({statements, 2 * statements, boards, 1});
    }
    return file;
}

// The source read and loaded without windows, as load_bench loads it.
// The clock's and the processor's time, added to `processor`.
double HeadlessSeconds(const std::filesystem::path& file, double& processor) {
    const Clock::time_point start = Clock::now();
    const double startProcessor = ProcessorSeconds();
    {
        bench::CautiousPlatform platform;
        SystemClock clock;
        bench::QuietWindow window;
        ProgramEngine engine{window, clock};
        bench::HeadlessLoad host{engine};
        auto source = ParseText::ReadSourceFile(file);
        ParseText(engine, host, host.Panels()).GetProgramFromText(std::move(source->text));
        benchmark::DoNotOptimize(engine.PrgBooleanBits());
    }
    processor += ProcessorSeconds() - startProcessor;
    return Seconds(start);
}

int ShownBoardWindows(const frmMain& main) {
    int shown = 0;
    for (const QMdiSubWindow* frame : main.Area().subWindowList()) {
        const QWidget* content = frame->widget();
        shown += frame->isVisible() && content != nullptr &&
                 content->objectName() != "frmProgram" && content->objectName() != "frmToggle";
    }
    return shown;
}

// Arguments: statements, boards. Manual time: the windowed open. Counters: the headless
// load of the same file, the open's multiple of it on the clock and in processor time, and
// the close on the clock and in processor time.
void BM_OpenInProgram(benchmark::State& state) {
    const int statements = int(state.range(0));
    const int boards = int(state.range(1));
    const std::filesystem::path& file = SourceFile(statements, boards);
    double headless = 0;
    double opened = 0;
    double closed = 0;
    double headlessProcessor = 0;
    double openedProcessor = 0;
    double closedProcessor = 0;
    for (auto _ : state) {
        headless += HeadlessSeconds(file, headlessProcessor);

        YesDialogs dialogs;
        IniSettings settings;
        SystemClock clock;
        const Clock::time_point start = Clock::now();
        const double startProcessor = ProcessorSeconds();
        auto app = std::make_unique<Application>(
            dialogs, settings, clock, [](const std::vector<std::string>&) {}, [] {});
        if (!app->Start(file.string())) {
            state.SkipWithError("the program did not open");
            return;
        }
        UntilIdle();
        const double open = Seconds(start);
        openedProcessor += ProcessorSeconds() - startProcessor;
        state.SetIterationTime(open);
        opened += open;
        frmMain& main = app->MainWindow();
        if (!main.windowTitle().contains("Card File: ") || ShownBoardWindows(main) < boards) {
            state.SkipWithError("the program opened without its caption or its windows");
            return;
        }

        const Clock::time_point closing = Clock::now();
        const double closingProcessor = ProcessorSeconds();
        main.close();
        UntilIdle();
        app.reset();
        closed += Seconds(closing);
        closedProcessor += ProcessorSeconds() - closingProcessor;
    }
    const double n = double(state.iterations());
    state.counters["headless_s"] = headless / n;
    state.counters["close_s"] = closed / n;
    state.counters["close_cpu_s"] = closedProcessor / n;
    state.counters["x_headless"] = opened / headless;
    state.counters["cpu_x_headless"] = openedProcessor / headlessProcessor;
}
BENCHMARK(BM_OpenInProgram)
    ->Args({2000, 20})
    ->Args({20000, 200})
    ->Args({20000, 400})
    ->Args({20000, 1000})
    ->Args({20000, 4000})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// A source file named by VELDRA_LOAD_SOURCE (a large one written by veldra_gen) opened in
// the program as from the command line, in a process of its own: the address space and the
// resident memory the open took at its peak above what the process held before it, each
// against the file's size. The memory the program asks for before it reads a source must
// cover both.
void BM_OpenSourceFile(benchmark::State& state, const std::filesystem::path& file) {
    double addressPeak = 0;
    double residentPeak = 0;
    for (auto _ : state) {
        YesDialogs dialogs;
        IniSettings settings;
        SystemClock clock;
        auto app = std::make_unique<Application>(
            dialogs, settings, clock, [](const std::vector<std::string>&) {}, [] {});
        UntilIdle();
        const double addressBefore = bench::StatusKb("VmSize");
        const double addressPeakBefore = bench::StatusKb("VmPeak");
        const double residentBefore = bench::StatusKb("VmRSS");
        if (!bench::ResetPeakMemory()) {
            state.SkipWithError("the process's peak resident memory cannot be counted afresh");
            return;
        }
        if (!app->Start(file.string()) ||
            !app->MainWindow().windowTitle().contains("Card File: ")) {
            state.SkipWithError("the program did not open");
            return;
        }
        UntilIdle();
        if (bench::StatusKb("VmPeak") <= addressPeakBefore) {
            state.SkipWithError("the open took less address space than the start had taken");
            return;
        }
        addressPeak = bench::StatusKb("VmPeak") - addressBefore;
        residentPeak = bench::StatusKb("VmHWM") - residentBefore;
        app->MainWindow().close();
        UntilIdle();
    }
    constexpr double kKbPerMb = 1024.0;
    const double sourceMegabytes = double(std::filesystem::file_size(file)) / (kKbPerMb * kKbPerMb);
    state.counters["source_MB"] = sourceMegabytes;
    state.counters["address_MB"] = addressPeak / kKbPerMb;
    state.counters["resident_MB"] = residentPeak / kKbPerMb;
    state.counters["address_per_source"] = addressPeak / kKbPerMb / sourceMegabytes;
    state.counters["resident_per_source"] = residentPeak / kKbPerMb / sourceMegabytes;
}
const bool kSourceFileRegistered = [] {
    if (const char* file = std::getenv("VELDRA_LOAD_SOURCE"); file != nullptr && *file != 0) {
        benchmark::RegisterBenchmark("BM_OpenSourceFile", BM_OpenSourceFile,
                                     std::filesystem::path(file))
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace

int main(int argc, char** argv) {
    // Without a display the windows are drawn offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The session counter and settings go to a folder of their own, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    QApplication::setApplicationName("VELDRA");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
