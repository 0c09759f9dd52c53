// "Cascade" over a main window's area of board-sized windows beside a program window, for
// growing numbers of windows: the arrangement's cost should grow in step with them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

#include "shell/qt/cascade.h"

namespace {

void BM_Cascade(benchmark::State& state) {
    QMdiArea area;
    area.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area.resize(1600, 1000);
    auto* program = new QWidget;
    program->setObjectName("frmProgram");
    area.addSubWindow(program)->resize(475, 468);
    for (int i = 0; i < state.range(0); ++i) {
        auto* board = new QWidget;
        board->setObjectName("frmIOBoard");
        area.addSubWindow(board)->resize(223, 366);
    }
    area.show();
    QCoreApplication::processEvents();
    const QList<QMdiSubWindow*> windows = area.subWindowList();
    for (auto _ : state) {
        state.PauseTiming();
        // Every window has somewhere to go (moved without the area's scroll bars, which
        // it would work out again, over every window, after each move).
        area.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        for (QMdiSubWindow* window : windows) {
            window->move(0, 0);
        }
        area.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        area.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        state.ResumeTiming();
        veldra::CascadeWindows(area);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Cascade)
    ->RangeMultiplier(4)
    ->Range(16, 1024)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
