// How long the desktop waits during a long scan tick in the real program window, offscreen:
// the longest time between two turns the desktop is given (a click, a repaint or a menu
// waits at most that long), and how long after a Stop asked in the middle of the tick the
// tick ends. Two shapes whose every tick is one long wave without feedback: a chain of
// exclusive-or links, each reading both contacts of the link before it and of the input,
// listed last link first (n²/2 solves a tick), and a random exclusive-or network. Beside
// them, work that is not statements: many state tables triggered together, and one numeric
// block of many statements.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <optional>
#include <string>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "engine/qt/frmTable.h"
#include "platform/qt/dialogs.h"
#include "window_program.h"
#include "xor_logic.h"

namespace {

using namespace veldra;
using bench::XorChain;
using bench::XorNetwork;
using Steady = std::chrono::steady_clock;

double Milliseconds(Steady::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// The processor time this thread has taken, in milliseconds: on a shared machine the
// program's own time, which the wall clock stretches.
double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Stands for the user: an event posted again each time the desktop delivers it, so that
// the time between two deliveries is how long anything the user did waited. After
// `stopAfter` it clicks Stop.
class Desktop final : public QObject {
public:
    static constexpr QEvent::Type kPing = QEvent::User;

    Desktop(ProgramEngine& engine, std::chrono::milliseconds stopAfter)
        : engine_(engine), stopAfter_(stopAfter) {}

    void Begin() {
        begun_ = last_ = Steady::now();
        lastProcessor_ = ThreadMilliseconds();
        longest = {};
        longestProcessor = 0;
        stoppedAt.reset();
        QCoreApplication::postEvent(this, new QEvent(kPing));
    }
    void End() {
        Turn();
        QCoreApplication::removePostedEvents(this, kPing);
    }
    bool event(QEvent* event) override {
        if (event->type() != kPing) {
            return QObject::event(event);
        }
        Turn();
        if (!stoppedAt && stopAfter_.count() > 0 && last_ - begun_ >= stopAfter_) {
            stoppedAt = last_;
            engine_.StartStop();
        }
        QCoreApplication::postEvent(this, new QEvent(kPing));
        return true;
    }

    Steady::duration longest{};
    double longestProcessor = 0;  // milliseconds of the thread's processor time
    std::optional<Steady::time_point> stoppedAt;

private:
    void Turn() {
        const Steady::time_point now = Steady::now();
        longest = std::max(longest, now - last_);
        last_ = now;
        const double processor = ThreadMilliseconds();
        longestProcessor = std::max(longestProcessor, processor - lastProcessor_);
        lastProcessor_ = processor;
    }

    ProgramEngine& engine_;
    std::chrono::milliseconds stopAfter_;
    Steady::time_point begun_;
    Steady::time_point last_;
    double lastProcessor_ = 0;
};

// One rise of X in a settled program: the tick's time and the desktop's longest wait in it;
// with `stopAfter`, the time from the Stop to the tick's end.
// `tableWindows`: the state tables' windows stay open, each following its table once as the
// tick ends; without them the wait is the scan's own.
void MeasureRise(benchmark::State& state, const std::string& source,
                 std::chrono::milliseconds stopAfter, bool tableWindows = true) {
    ModalDialogs dialogs;
    bench::WindowProgram program(source, dialogs, true);
    if (!tableWindows) {
        for (QWidget* widget : QApplication::allWidgets()) {
            if (auto* table = qobject_cast<frmTable*>(widget)) {
                table->hide();
            }
        }
    }
    ProgramEngine& engine = program.window.Engine();
    engine.SetShowIOUpdates(false);
    engine.StartStop();
    engine.PostInput("X", false);
    engine.tmrProgram_Timer();  // the first start's queue of every statement
    Desktop desktop(engine, stopAfter);
    double longest = 0;
    double longestProcessor = 0;
    double tick = 0;
    double stopToEnd = 0;
    double repaint = 0;
    bool value = false;
    for (auto _ : state) {
        if (!engine.Running()) {
            engine.StartStop();
        }
        value = !value;
        engine.PostInput("X", value);
        // The desktop runs between two ticks, as the application's event loop runs it
        // between two firings of the tick's timer: the repaint of what the last tick
        // changed is made there, not in the first turn of this one.
        const double repaintBegun = ThreadMilliseconds();
        QCoreApplication::processEvents();
        repaint = std::max(repaint, ThreadMilliseconds() - repaintBegun);
        const Steady::time_point begun = Steady::now();
        desktop.Begin();
        engine.tmrProgram_Timer();
        const Steady::time_point ended = Steady::now();
        desktop.End();
        longest = std::max(longest, Milliseconds(desktop.longest));
        longestProcessor = std::max(longestProcessor, desktop.longestProcessor);
        tick = std::max(tick, Milliseconds(ended - begun));
        if (desktop.stoppedAt) {
            stopToEnd = std::max(stopToEnd, Milliseconds(ended - *desktop.stoppedAt));
        }
    }
    state.counters["longest_wait_ms"] = longest;
    state.counters["longest_wait_cpu_ms"] = longestProcessor;
    state.counters["tick_ms"] = tick;
    state.counters["repaint_between_cpu_ms"] = repaint;
    if (stopAfter.count() > 0) {
        state.counters["stop_to_end_ms"] = stopToEnd;
    }
}

void BM_XorChainRise(benchmark::State& state) {
    MeasureRise(state, XorChain(int(state.range(0))), std::chrono::milliseconds(0));
}
BENCHMARK(BM_XorChainRise)
    ->Arg(300)
    ->Arg(3000)
    ->Arg(10010)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

void BM_XorNetworkRise(benchmark::State& state) {
    MeasureRise(state, XorNetwork(int(state.range(0))), std::chrono::milliseconds(0));
}
BENCHMARK(BM_XorNetworkRise)->Arg(8000)->Unit(benchmark::kMillisecond)->Iterations(4);

// A program is loaded with its logic: one statement, which X's change queues.
constexpr const char* kCopyLogic = "LOGIC BEGIN\r\nASSIGN X TO COPY;\r\nEND LOGIC\r\n";

// `tables` state tables, each triggered by X either way and copying it to its own output.
std::string CopyTables(int tables) {
    std::string bits = "BOOLEAN BITS X";
    std::string source = "TABLES BEGIN\r\n";
    for (int i = 1; i <= tables; ++i) {
        const std::string out = "T" + std::to_string(i);
        bits += ", " + out;
        source += "TABLE " + std::to_string(i) + "\r\nTRIGGERS ON X AND\r\nINPUTS: X\r\n" +
                  "OUTPUTS: " + out + ";\r\nSTATE: 1 YIELDS: 1;\r\nSTATE: ? YIELDS: 0;\r\n" +
                  "END TABLE\r\n";
    }
    return bits + ";\r\n" + source + "END TABLES\r\n" + kCopyLogic;
}

// One numeric block of `statements` statements, solved on X's rise, each copying X to an
// output of its own.
std::string CopyBlock(int statements) {
    std::string bits = "BOOLEAN BITS X";
    std::string source = "NUMERIC BEGIN\r\nBLOCK 1\r\nTRIGGERS ON X AND\r\n";
    for (int i = 1; i <= statements; ++i) {
        const std::string out = "N" + std::to_string(i);
        bits += ", " + out;
        source += "ASSIGN X TO " + out + ";\r\n";
    }
    return bits + ";\r\n" + source + "END BLOCK\r\nEND NUMERIC\r\n" + kCopyLogic;
}

void BM_TablesTriggered(benchmark::State& state) {
    MeasureRise(state, CopyTables(int(state.range(0))), std::chrono::milliseconds(0));
}
BENCHMARK(BM_TablesTriggered)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_TablesTriggeredWindowsHidden(benchmark::State& state) {
    MeasureRise(state, CopyTables(int(state.range(0))), std::chrono::milliseconds(0), false);
}
BENCHMARK(BM_TablesTriggeredWindowsHidden)
    ->Arg(1000)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

// Two iterations: the block is solved on the rise, not on the fall.
void BM_NumericBlockTriggered(benchmark::State& state) {
    MeasureRise(state, CopyBlock(int(state.range(0))), std::chrono::milliseconds(0));
}
BENCHMARK(BM_NumericBlockTriggered)->Arg(35000)->Unit(benchmark::kMillisecond)->Iterations(2);

// Stop clicked 200 ms into the tick of the 10,010-link chain.
void BM_XorChainStopped(benchmark::State& state) {
    MeasureRise(state, XorChain(int(state.range(0))), std::chrono::milliseconds(200));
}
BENCHMARK(BM_XorChainStopped)->Arg(10010)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
