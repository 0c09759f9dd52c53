// The program book of the generated 20,000-statement application: laid out and shown at
// its first preview page, paged forward, printed whole to a PDF file, and its bit index
// saved and printed, offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "book/book_texts.h"
#include "book/element_size.h"
#include "book/qt/frmPrint.h"
#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "gen/bench_support.h"
#include "gen/generate_application.h"
#include "logic/statements.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/ini_settings.h"
#include "window_program.h"

namespace {

using namespace veldra;

// Every file dialog names a new PDF file in the folder; every other question is cancelled.
class PdfDialogs final : public Dialogs {
public:
    explicit PdfDialogs(std::filesystem::path folder) : folder_(std::move(folder)) {}
    MsgAnswer MessageBox(const MsgBoxRequest& request) override {
        return MostCautiousAnswer(request.buttons);
    }
    std::optional<std::filesystem::path> FileName(const FileDialogRequest&) override {
        return folder_ / ("book" + std::to_string(++files_) + ".pdf");
    }
    std::optional<std::string> InputBox(const InputBoxRequest&) override { return std::nullopt; }

private:
    std::filesystem::path folder_;
    int files_ = 0;
};

// The generated application loaded into a program window.
struct WindowProgram {
    QTemporaryDir folder;
    PdfDialogs dialogs{folder.path().toStdString()};
    IniSettings settings;
    bench::WindowProgram program{bench::DefaultApplication(), dialogs};
    frmProgram& window = program.window;
    WindowRegistry& registry = program.registry;
};

// Made on first use and let go in main, while the application object still stands.
std::unique_ptr<WindowProgram> loaded;

WindowProgram& Program() {
    if (!loaded) {
        loaded = std::make_unique<WindowProgram>();
    }
    return *loaded;
}

// The book as the book command builds it, shown at its first page.
std::unique_ptr<frmPrint> OpenBook() {
    WindowProgram& program = Program();
    auto book = std::make_unique<frmPrint>(
        program.registry, program.dialogs, program.settings, "GENERATED", ListingTexts{},
        [&program] { return program.window.Engine().PrgBooleanBits(); },
        std::make_shared<LadderExtent>(), ReadElementSize(program.settings));
    book->setAttribute(Qt::WA_DeleteOnClose, false);
    for (const Statement& statement : *program.window.Engine().prgAssigns) {
        book->Add(BookStatementText(statement), false);
    }
    book->CreateDocument();
    book->Ladder_Paint();
    book->show();
    QApplication::processEvents();  // the first page on screen
    return book;
}

void BM_BookToFirstPage(benchmark::State& state) {
    Program();
    for (auto _ : state) {
        std::unique_ptr<frmPrint> book = OpenBook();
        state.PauseTiming();
        state.counters["pages"] = book->TotalPages();
        book.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_BookToFirstPage)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_NextPage(benchmark::State& state) {
    std::unique_ptr<frmPrint> book = OpenBook();
    for (auto _ : state) {
        if (book->ShownPage() == book->TotalPages()) {
            state.PauseTiming();
            while (book->ShownPage() > 1) {
                book->cmdUp_Click();
            }
            state.ResumeTiming();
        }
        book->cmdPgDown_Click();
    }
}
BENCHMARK(BM_NextPage)->Unit(benchmark::kMillisecond);

void BM_PrintWholeBookToPdf(benchmark::State& state) {
    std::unique_ptr<frmPrint> book = OpenBook();
    for (auto _ : state) {
        book->PrintPages(1, book->TotalPages());
    }
    state.counters["pages"] = book->TotalPages();
}
BENCHMARK(BM_PrintWholeBookToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_SaveBitIndex(benchmark::State& state) {
    std::unique_ptr<frmPrint> book = OpenBook();
    for (auto _ : state) {
        book->mnuSaveIndex_Click();
    }
    state.counters["bits"] = Program().window.Engine().PrgBooleanBits()->Count();
}
BENCHMARK(BM_SaveBitIndex)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PrintBitIndexToPdf(benchmark::State& state) {
    std::unique_ptr<frmPrint> book = OpenBook();
    for (auto _ : state) {
        book->mnuPrintIndex_Click();
    }
}
BENCHMARK(BM_PrintBitIndexToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    loaded.reset();
    return 0;
}
