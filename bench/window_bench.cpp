// The generated application run in the real program window, shown offscreen on the "Bit
// Status" page: the figures to hold against load_bench's headless ones, and how long
// the status grid of its 40,000 bits takes to open.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <memory>
#include <string>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "gen/bench_support.h"
#include "gen/generate_application.h"
#include "ladder/qt/frmStatements.h"
#include "platform/qt/dialogs.h"
#include "window_program.h"

namespace {

using namespace veldra;

// The application loaded into a program window, shown on the "Bit Status" page.
class WindowProgram {
public:
    WindowProgram() {
        ProgramEngine& engine = program.window.Engine();
        engine.SetShowIOUpdates(false);
        // The headless figures run no timer ticks in between: neither does this.
        engine.ScanTimer().SetInterval(0);
        engine.ServiceTimer().SetInterval(0);
        ShowPage(2);
    }

    void ShowPage(int tab) {
        program.window.findChild<QTabBar*>("tbSelect")->setCurrentIndex(tab);
        QCoreApplication::processEvents();
    }

    ModalDialogs dialogs;
    bench::WindowProgram program{bench::DefaultApplication(), dialogs, true};
    frmProgram& window = program.window;
};

void BM_WindowFirstStart(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto program = std::make_unique<WindowProgram>();
        ProgramEngine& engine = program->window.Engine();
        state.ResumeTiming();
        engine.StartStop();
        engine.PostInput(bench::ChainHeadInput(), true);
        engine.tmrProgram_Timer();
        QCoreApplication::processEvents();  // the repaint of every changed cell
        state.PauseTiming();
        program.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WindowFirstStart)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_WindowSettleAfterOneInput(benchmark::State& state) {
    WindowProgram program;
    ProgramEngine& engine = program.window.Engine();
    engine.StartStop();
    engine.PostInput("OTHER_INPUT", true);
    engine.tmrProgram_Timer();
    bool value = false;
    for (auto _ : state) {
        value = !value;
        engine.PostInput(bench::ChainHeadInput(), value);
        engine.tmrProgram_Timer();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_WindowSettleAfterOneInput)->Unit(benchmark::kMillisecond);

// From another page to the grid of every Boolean bit, coloured and painted.
void BM_StatusGridOpens(benchmark::State& state) {
    WindowProgram program;
    for (auto _ : state) {
        state.PauseTiming();
        program.ShowPage(0);
        state.ResumeTiming();
        program.ShowPage(2);
    }
}
BENCHMARK(BM_StatusGridOpens)->Unit(benchmark::kMillisecond);

// The grid built afresh for the program's bits (as mapping the bits again does), then shown.
void BM_StatusGridRebuilt(benchmark::State& state) {
    WindowProgram program;
    for (auto _ : state) {
        program.window.Engine().MapBits();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_StatusGridRebuilt)->Unit(benchmark::kMillisecond)->Iterations(3);

// The "Force Bit" list of every Boolean bit put in order, ticked and shown the first time its
// page is chosen after the lists were built (as they are when a program opens).
void BM_ForceBitListFirstShown(benchmark::State& state) {
    WindowProgram program;
    for (auto _ : state) {
        state.PauseTiming();
        program.ShowPage(0);
        program.window.Engine().MapBits();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        program.ShowPage(1);
    }
}
BENCHMARK(BM_ForceBitListFirstShown)->Unit(benchmark::kMillisecond)->Iterations(3);

// The statements list of every statement filled, laid out to its width and painted, then
// a filter that hides all but a few rows laid out again.
void BM_StatementsListOpens(benchmark::State& state) {
    WindowProgram program;
    for (auto _ : state) {
        frmStatements list(program.program.registry, program.window);
        list.resize(1200, 800);
        list.show();
        list.Fill();
        list.tmrFixWindow.Fire();
        QCoreApplication::processEvents();
        list.findChild<QLineEdit*>("txtFilter")->setText("99 ");
        list.optFilter_Click(1);
        list.tmrFixWindow.Fire();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_StatementsListOpens)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
