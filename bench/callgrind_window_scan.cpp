// The settle of the generated 20,000-statement application as callgrind sees it, in the real
// program window (shown offscreen on the "Bit Status" page, as window_bench runs it) or
// headless (as load_bench runs it): the load and the first start run without
// instrumentation, then RIPPLES inputs at the head of a chain are counted, each settled by
// one scan and, in the window, the desktop's turn after it. Run by
// bench/callgrind_window_scan.sh; alone it runs the same work uncounted.
//
//   callgrind_window_scan window|headless RIPPLES
#include <valgrind/callgrind.h>

#include <QApplication>
#include <QTabBar>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "engine/program_engine.h"
#include "gen/bench_support.h"
#include "loader/parse_text.h"
#include "platform/clock.h"
#include "platform/qt/dialogs.h"
#include "window_program.h"

namespace {

using namespace veldra;

// The first start's work once, then `ripples` inputs each settled by `tick`, counted.
void CountRipples(ProgramEngine& engine, int ripples, const std::function<void()>& tick) {
    engine.SetShowIOUpdates(false);
    // No timer ticks in between, as in the benchmarks.
    engine.ScanTimer().SetInterval(0);
    engine.ServiceTimer().SetInterval(0);
    engine.StartStop();
    engine.PostInput("OTHER_INPUT", true);
    tick();
    bool value = false;
    CALLGRIND_START_INSTRUMENTATION;
    for (int i = 0; i < ripples; ++i) {
        value = !value;
        engine.PostInput(bench::ChainHeadInput(), value);
        tick();
    }
    CALLGRIND_STOP_INSTRUMENTATION;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 ||
        (std::strcmp(argv[1], "window") != 0 && std::strcmp(argv[1], "headless") != 0)) {
        std::fprintf(stderr, "usage: %s window|headless RIPPLES\n", argv[0]);
        return 2;
    }
    const bool inWindow = std::strcmp(argv[1], "window") == 0;
    const int ripples = std::atoi(argv[2]);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    if (inWindow) {
        ModalDialogs dialogs;
        bench::WindowProgram program{bench::DefaultApplication(), dialogs, true};
        program.window.findChild<QTabBar*>("tbSelect")->setCurrentIndex(2);
        QCoreApplication::processEvents();
        ProgramEngine& engine = program.window.Engine();
        CountRipples(engine, ripples, [&] {
            engine.tmrProgram_Timer();
            QCoreApplication::processEvents();
        });
    } else {
        bench::CautiousPlatform platform;
        bench::QuietWindow window;
        SystemClock clock;
        ProgramEngine engine{window, clock};
        bench::HeadlessLoad host{engine};
        ParseText(engine, host, host.Panels()).GetProgramFromText(bench::DefaultApplication());
        CountRipples(engine, ripples, [&] { engine.tmrProgram_Timer(); });
    }
    std::printf("ripples %d\n", ripples);
    return 0;
}
