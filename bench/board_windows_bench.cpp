// The generated application's 200 board windows drawn offscreen in a main window's area,
// against the same application with its boards headless: how long the windows take to
// open, and what a scan that changes many board bits costs for each one it repaints.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <memory>
#include <string>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "gen/bench_support.h"
#include "gen/generate_application.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "panels/panel_set.h"
#include "panels/qt/board_windows.h"
#include "platform/clock.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/window_registry.h"

namespace {

using namespace veldra;
using bench::CautiousPlatform;

// The application loaded, its boards drawn in an area or left headless.
class BoardProgram final : private LoaderHost {
public:
    explicit BoardProgram(bool drawn) {
        // The main window keeps out of sight while it loads, then shows every window.
        area.resize(1600, 1000);
        if (drawn) {
            windows = std::make_unique<BoardWindows>(
                Engine().InputQueue(),
                [this](QWidget& window) {
                    window.setAttribute(Qt::WA_DeleteOnClose);
                    area.addSubWindow(&window)->show();
                },
                quiet);
        } else {
            headless = std::make_unique<PanelSet>(Engine().InputQueue());
        }
        BoardWindowFactory& factory = windows ? windows->Halves() : *headless;
        ParseText(Engine(), *this, factory).GetProgramFromText(bench::DefaultApplication());
        Engine().SetShowIOUpdates(false);
        // No timer ticks in between, as in the headless figures.
        Engine().ScanTimer().SetInterval(0);
        Engine().ServiceTimer().SetInterval(0);
        area.show();
        area.cascadeSubWindows();
        QCoreApplication::processEvents();
    }
    ~BoardProgram() override {
        program.CloseWindow();
        windows.reset();
    }

    ProgramEngine& Engine() { return program.Engine(); }

    CautiousPlatform platform;
    ModalDialogs dialogs;
    WindowRegistry registry;
    SystemClock clock;
    frmProgram program{registry, dialogs, clock};
    QMdiArea area;
    bench::QuietBoardProgram quiet;
    std::unique_ptr<BoardWindows> windows;
    std::unique_ptr<PanelSet> headless;

private:
    void DoEvents() override { QCoreApplication::processEvents(); }
    void LoadFinished() override {
        program.LoadFinished(windows ? windows->Windows() : headless->Windows());
    }
};

// Argument: 1 with the windows drawn, 0 headless. The load of the whole application,
// until every window has painted.
void BM_BoardWindowsOpen(benchmark::State& state) {
    for (auto _ : state) {
        auto application = std::make_unique<BoardProgram>(state.range(0) != 0);
        state.PauseTiming();
        application.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BoardWindowsOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// Arguments: drawn or headless, and how many inputs (of 1,600 on 100 boards, away from
// the heads of the long chains) one scan changes; each comes back to its board's window
// at the scan's end, and the windows repaint before the next. Items are changed bits.
void BM_ScanChangesBoardBits(benchmark::State& state) {
    BoardProgram application(state.range(0) != 0);
    ProgramEngine& engine = application.Engine();
    engine.StartStop();
    engine.tmrProgram_Timer();
    QCoreApplication::processEvents();
    const int changed = int(state.range(1));
    std::vector<std::string> inputs;
    for (int i = 0; i < changed; ++i) {
        inputs.push_back("TC" + std::to_string(2 + i * 1597 / changed));
    }
    bool value = false;
    for (auto _ : state) {
        value = !value;
        for (const std::string& input : inputs) {
            engine.PostInput(input, value);
        }
        engine.tmrProgram_Timer();
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * changed);
}
BENCHMARK(BM_ScanChangesBoardBits)
    ->ArgsProduct({{0, 1}, {100, 1000}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
