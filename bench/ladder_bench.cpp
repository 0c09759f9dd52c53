// Ladders: every statement of the generated 20,000-statement application laid out as the
// program book does, and a statement viewer opened offscreen on a statement of 200
// operands (its ladder built, valued, measured and drawn), and exclusive-or chains of
// products laid out.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "engine/program_engine.h"
#include "engine/program_window.h"
#include "engine/qt/frmProgram.h"
#include "engine/qt/statement_view_host.h"
#include "gen/bench_support.h"
#include "gen/generate_application.h"
#include "ladder/create_ladder.h"
#include "ladder/ladders.h"
#include "ladder/qt/frmShowAssign.h"
#include "ladder/qt/show_bit_assign.h"
#include "logic/text_helpers.h"
#include "platform/qt/dialogs.h"
#include "window_program.h"

namespace {

using namespace veldra;

// A program loaded into a program window.
struct WindowProgram {
    explicit WindowProgram(const std::string& source) : program(source, dialogs) {}

    ModalDialogs dialogs;
    bench::WindowProgram program;
    frmProgram& window = program.window;
};

// Each statement's text as the hosts hand it to the builder.
std::vector<std::string> LadderTexts(ProgramEngine& engine) {
    std::vector<std::string> texts;
    for (const Statement& statement : *engine.prgAssigns) {
        texts.push_back(TrimUpper(TextAfter(AssignText(statement), "ASSIGN")));
    }
    return texts;
}

void BM_BuildEveryLadder(benchmark::State& state) {
    static const std::vector<std::string> texts = [] {
        WindowProgram program(bench::GenerateApplication({}));
        return LadderTexts(program.window.Engine());
    }();
    for (auto _ : state) {
        Ladders book;
        for (const std::string& text : texts) {
            book.Add(false, text);
        }
        benchmark::DoNotOptimize(book.Count());
    }
    state.counters["statements"] = double(texts.size());
}
BENCHMARK(BM_BuildEveryLadder)->Unit(benchmark::kMillisecond);

// An exclusive-or chain of products ("A0*B0@A1*B1@...@C@~D"), which spelt out one operand
// at a time doubled for each product.
void BM_BuildExclusiveOrChain(benchmark::State& state) {
    const auto products = int(state.range(0));
    std::string text = "A0*B0";
    for (int i = 1; i < products; ++i) {
        text += "@A" + std::to_string(i) + "*B" + std::to_string(i);
    }
    text += "@C@~D TO X;";
    int contacts = 0;
    for (auto _ : state) {
        CreateLadder ladder;
        ladder.SetStatement(text);
        contacts = 0;
        for (const auto& cell : ladder.GetElements()) {
            contacts += !cell->Name.empty() && !cell->IsOutput ? 1 : 0;
        }
        benchmark::DoNotOptimize(contacts);
    }
    state.counters["contacts"] = contacts;
}
BENCHMARK(BM_BuildExclusiveOrChain)->Arg(10)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond);

// Groups of three operands, most in series, every fifth one on a branch of its own.
std::string WideStatementSource(int operands) {
    std::string bits;
    std::string expression;
    for (int i = 0; i < operands; ++i) {
        bits += "B" + std::to_string(i) + ", ";
    }
    for (int group = 0; group * 3 + 2 < operands; ++group) {
        const int first = group * 3;
        if (group > 0) {
            expression += group % 5 == 0 ? " + " : " * ";
        }
        expression += "(B" + std::to_string(first) + " * ~B" + std::to_string(first + 1) + " + B" +
                      std::to_string(first + 2) + ")";
    }
    return "PROGRAM WIDE;\nBOOLEAN BITS\n    " + bits + "R, CPS.STATUS;\nLOGIC BEGIN\n    ASSIGN " +
           expression + " TO R;\nEND LOGIC\nEND PROGRAM\n";
}

void BM_OpenViewerOnWideStatement(benchmark::State& state) {
    WindowProgram program(WideStatementSource(int(state.range(0))));
    Statement& statement = *program.window.Engine().prgAssigns->Find(1);
    const StatementViewHost host = program.window.ViewHost();
    for (auto _ : state) {
        frmShowAssign& viewer = ShowStatement(host, statement);
        QApplication::processEvents();  // painted once
        state.PauseTiming();
        delete &viewer;
        state.ResumeTiming();
    }
    state.counters["operands"] = double(statement.UboundOpBit() + 1);
}
BENCHMARK(BM_OpenViewerOnWideStatement)->Arg(201)->Unit(benchmark::kMillisecond);

}  // namespace
