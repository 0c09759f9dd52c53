// State tables whose windows stand open in a main window's area, offscreen, all following
// one input: what a scan tick that changes every table costs in the program window, the
// windows' repaint after it included, against the same tick headless. Each table steps
// through its states one statement at a time, so a tick chooses its state `steps` + 1
// times; with no steps it chooses once.
#include <benchmark/benchmark.h>

#include <time.h>

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <string>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "engine/qt/program_window_host.h"
#include "gen/bench_support.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "panels/panel_set.h"
#include "platform/clock.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/window_registry.h"

namespace {

using namespace veldra;

// `tables` tables triggered by X. Table t reads X and its steps' bits R<t>_<s>: on X it
// sets Q<t>_1, whose statement sets R<t>_1, which triggers the table again to set Q<t>_2,
// and so on; without X every output falls. With no steps the table copies X to Q<t>.
std::string SteppingTables(int tables, int steps) {
    std::string bits = "BOOLEAN BITS\n    X, Y, CPS.STATUS";
    std::string logic = "LOGIC BEGIN\n";
    std::string body = "TABLES BEGIN\n";
    for (int t = 1; t <= tables; ++t) {
        const std::string n = std::to_string(t);
        std::string triggers = "X";
        std::string inputs = "X";
        std::string outputs;
        for (int s = 1; s <= std::max(steps, 1); ++s) {
            const std::string q = "Q" + n + "_" + std::to_string(s);
            bits += ", " + q;
            outputs += (s > 1 ? ", " : "") + q;
            if (steps > 0) {
                const std::string r = "R" + n + "_" + std::to_string(s);
                bits += ", " + r;
                triggers += ", " + r;
                inputs += ", " + r;
                logic += "    ASSIGN " + q + " TO " + r + ";\n";
            }
        }
        body += "    TABLE " + n + "\n    TRIGGERS ON " + triggers + " AND\n    INPUTS: " + inputs +
                "\n    OUTPUTS: " + outputs + ";\n";
        // Step s: X and the first s - 1 steps' bits set, step s's not; then all set.
        for (int s = 1; s <= steps + 1; ++s) {
            std::string state = "    STATE: 1";
            std::string yields;
            for (int i = 1; i <= steps; ++i) {
                state += i < s ? " 1" : i == s ? " 0" : " ?";
            }
            for (int i = 1; i <= std::max(steps, 1); ++i) {
                yields += std::string(i > 1 ? ", " : "") + (i <= s ? "1" : "0");
            }
            body += state + " YIELDS: " + yields + ";\n";
        }
        std::string off = "    STATE: 0";
        std::string zeros;
        for (int i = 1; i <= std::max(steps, 1); ++i) {
            off += i <= steps ? " ?" : "";
            zeros += std::string(i > 1 ? ", " : "") + "0";
        }
        body += off + " YIELDS: " + zeros + ";\n    END TABLE\n";
    }
    if (steps == 0) {
        logic += "    ASSIGN X TO Y;\n";  // a program has logic
    }
    return "PROGRAM TABLES;\n" + bits + ";\n" + logic + "END LOGIC\n" + body +
           "END TABLES\nEND PROGRAM\n";
}

// The processor time of this thread, which runs the scan and paints, in milliseconds.
double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The main window's area, where the program window places the table windows it opens.
class Area final : public ProgramWindowHost {
public:
    Area() { area.resize(1600, 1000); }
    void PlaceChild(QWidget& window) override { area.addSubWindow(&window)->show(); }
    QMdiArea area;
};

// The program loaded into a program window of the area, every table's window open.
class TableProgram final : private LoaderHost {
public:
    explicit TableProgram(const std::string& source) {
        area.area.show();
        ParseText(window.Engine(), *this, boards).GetProgramFromText(source);
        area.area.cascadeSubWindows();
        window.Engine().SetShowIOUpdates(false);
        QCoreApplication::processEvents();
    }
    ~TableProgram() override { window.CloseWindow(); }

    bench::CautiousPlatform platform;
    ModalDialogs dialogs;
    WindowRegistry registry;
    SystemClock clock;
    Area area;
    frmProgram window{registry, dialogs, clock, MainWindowServices{&area, nullptr, nullptr}};
    PanelSet boards{window.Engine().InputQueue()};

private:
    void DoEvents() override { QCoreApplication::processEvents(); }
    void LoadFinished() override { window.LoadFinished(boards.Windows()); }
};

// X rises and falls, one tick each, after the first start's tick.
template <class Tick>
void Alternate(benchmark::State& state, ProgramEngine& engine, Tick&& tick) {
    engine.StartStop();
    engine.tmrProgram_Timer();
    bool value = false;
    for (auto _ : state) {
        value = !value;
        engine.PostInput("X", value);
        tick();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Arguments: tables, steps. Items are tables.
void BM_TablesTickHeadless(benchmark::State& state) {
    bench::LoadedProgram program(SteppingTables(int(state.range(0)), int(state.range(1))));
    Alternate(state, program.engine, [&] { program.engine.tmrProgram_Timer(); });
}
BENCHMARK(BM_TablesTickHeadless)->ArgsProduct({{200, 2000}, {0, 4}})->Unit(benchmark::kMillisecond);

// The same tick in the program window, then the desktop's turn that repaints the windows;
// the counters split the thread's processor time between the two.
void BM_TablesTickWindows(benchmark::State& state) {
    TableProgram program(SteppingTables(int(state.range(0)), int(state.range(1))));
    ProgramEngine& engine = program.window.Engine();
    double tick = 0;
    double repaint = 0;
    Alternate(state, engine, [&] {
        const double begun = ThreadMilliseconds();
        engine.tmrProgram_Timer();
        const double ticked = ThreadMilliseconds();
        QCoreApplication::processEvents();
        tick += ticked - begun;
        repaint += ThreadMilliseconds() - ticked;
    });
    state.counters["tick_ms"] = benchmark::Counter(tick / double(state.iterations()));
    state.counters["repaint_ms"] = benchmark::Counter(repaint / double(state.iterations()));
}
BENCHMARK(BM_TablesTickWindows)->ArgsProduct({{200, 2000}, {0, 4}})->Unit(benchmark::kMillisecond);

}  // namespace
