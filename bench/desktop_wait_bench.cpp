// How long the desktop waits during a long scan tick in the real program window, offscreen:
// the longest time between two turns the desktop is given (a click, a repaint or a menu
// waits at most that long), and how long after a Stop asked in the middle of the tick the
// tick ends. Two shapes whose every tick is one long wave without feedback: a chain of
// exclusive-or links, each reading both contacts of the link before it and of the input,
// listed last link first (n²/2 solves a tick), and a random exclusive-or network.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <algorithm>
#include <chrono>
#include <optional>
#include <string>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "platform/qt/dialogs.h"
#include "window_program.h"
#include "xor_logic.h"

namespace {

using namespace veldra;
using bench::XorChain;
using bench::XorNetwork;
using Steady = std::chrono::steady_clock;

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
        longest = {};
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
    std::optional<Steady::time_point> stoppedAt;

private:
    void Turn() {
        const Steady::time_point now = Steady::now();
        longest = std::max(longest, now - last_);
        last_ = now;
    }

    ProgramEngine& engine_;
    std::chrono::milliseconds stopAfter_;
    Steady::time_point begun_;
    Steady::time_point last_;
};

double Milliseconds(Steady::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// One rise of X in a settled program: the tick's time and the desktop's longest wait in it;
// with `stopAfter`, the time from the Stop to the tick's end.
void MeasureRise(benchmark::State& state, const std::string& source,
                 std::chrono::milliseconds stopAfter) {
    ModalDialogs dialogs;
    bench::WindowProgram program(source, dialogs, true);
    ProgramEngine& engine = program.window.Engine();
    engine.SetShowIOUpdates(false);
    engine.StartStop();
    engine.PostInput("X", false);
    engine.tmrProgram_Timer();  // the first start's queue of every statement
    Desktop desktop(engine, stopAfter);
    double longest = 0;
    double tick = 0;
    double stopToEnd = 0;
    bool value = false;
    for (auto _ : state) {
        if (!engine.Running()) {
            engine.StartStop();
        }
        value = !value;
        engine.PostInput("X", value);
        const Steady::time_point begun = Steady::now();
        desktop.Begin();
        engine.tmrProgram_Timer();
        const Steady::time_point ended = Steady::now();
        desktop.End();
        longest = std::max(longest, Milliseconds(desktop.longest));
        tick = std::max(tick, Milliseconds(ended - begun));
        if (desktop.stoppedAt) {
            stopToEnd = std::max(stopToEnd, Milliseconds(ended - *desktop.stoppedAt));
        }
    }
    state.counters["longest_wait_ms"] = longest;
    state.counters["tick_ms"] = tick;
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

// Stop clicked 200 ms into the tick of the 10,010-link chain.
void BM_XorChainStopped(benchmark::State& state) {
    MeasureRise(state, XorChain(int(state.range(0))), std::chrono::milliseconds(200));
}
BENCHMARK(BM_XorChainStopped)->Arg(10010)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
