// The main window's program book command: the listing's texts, then the book window.
#include <QAction>
#include <QGuiApplication>
#include <fstream>
#include <memory>

#include "book/auto_size.h"
#include "book/book_texts.h"
#include "book/element_size.h"
#include "book/listing_reader.h"
#include "book/qt/frmListing.h"
#include "book/qt/frmPrint.h"
#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "logic/numeric_block.h"
#include "logic/statements.h"
#include "platform/qt/busy_cursor.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/frmStatus.h"
#include "platform/qt/keep_running.h"
#include "platform/qt/window_frame.h"
#include "platform/window_errors.h"
#include "shell/qt/frmMain.h"

namespace veldra {
namespace {

constexpr const char* kListingFilter = "Listing Files (*.mll;*.gnl)|*.mll;*.gnl";
constexpr const char* kNumericCaution =
    "Caution, this will only work properly if numeric blocks only contain Assign or NV.Assign "
    "statements.  If Numerics Blocks contain If Then blocks or Evalutate statements you should "
    "answer NO or your equivalent logic could be mis-leading.";
constexpr int kYes = 6;
constexpr int kNo = 7;

}  // namespace

void frmMain::mnuBook_Click() {
    if (!program_) {
        return;
    }
    if (program_->Engine().Running()) {
        MsgBox("You Can Not Create A Book While Program Is Running.", MsgButtons::Ok,
               MsgIcon::Information, "Create Book Failed");
        return;
    }
    KeepRunning keep;
    hide();
    WindowFrame(*program_).hide();

    std::optional<ListingTexts> accepted;
    FileDialogRequest request;
    request.title = "Open";
    request.filter = kListingFilter;
    request.kind = FileKind::Listing;
    if (const std::optional<std::filesystem::path> file = dialogs_.FileName(request)) {
        std::ifstream listing(*file, std::ios::binary);
        if (listing) {
            ListingTexts texts;
            ReadListing(listing, texts);
            frmListing dialog(texts);
            dialog.exec();
            if (!dialog.bCancel()) {
                accepted = dialog.Texts();
            }
        }
    }
    if (!accepted || !program_) {
        ShowAfterBook();
        return;
    }
    // A new book is measured afresh by its first auto size.
    *bookExtent_ = {};
    const MsgAnswer answer = MsgBox(std::string(kNumericCaution) + "\r\nPlot Numerics?",
                                    MsgButtons::YesNo, MsgIcon::None, "Plot Numerics");
    LoadBook(answer == MsgAnswer::Yes ? kYes : kNo, *accepted, ReadElementSize(settings_));
}

void frmMain::FillBook(frmPrint& book, int answer) {
    ProgramEngine& engine = program_->Engine();
    {
        frmStatus progress(windows_);
        const int count = engine.prgAssigns ? engine.prgAssigns->Count() : 0;
        progress.SetStatus("Loading Statements....");
        progress.SetProgress(0, count);
        progress.show();
        for (int i = 1; i <= count; ++i) {
            book.Add(BookStatementText(*engine.prgAssigns->Item(i)), false);
            if (i % 500 == 0) {
                progress.SetProgress(i, count);
                progress.repaint();
            }
        }
    }
    if (engine.prgNumBlks && answer == kYes) {
        for (const clsNumericBlock& block : *engine.prgNumBlks) {
            for (const Statement& statement : block.LogicStatments()) {
                book.Add(BookStatementText(statement), true);
            }
        }
    }
    book.NumPlot = answer;
    book.CreateDocument();  // the names are fitted to the ladder font as it lays out
    book.Ladder_Paint();
}

void frmMain::LoadBook(int answer, const ListingTexts& listing, std::int16_t elementSize) {
    if (!program_) {
        ShowAfterBook();
        return;
    }
    BusyCursor busy;
    QPointer<frmProgram> program = program_;
    frmPrint* made = nullptr;
    ReportWindowErrors(
        [&] {
            // A book that fails half-built goes, and then the simulator is as it was before
            // the command, before the box says why.
            const struct ShowUnlessMade {
                frmMain& main;
                frmPrint*& made;
                ~ShowUnlessMade() {
                    if (made == nullptr) {
                        main.ShowAfterBook();
                    }
                }
            } showUnlessMade{*this, made};
            std::unique_ptr<frmPrint> book(new frmPrint(
                windows_, dialogs_, settings_, programName_, listing,
                [program]() -> const BooleanBits* {
                    return program ? program->Engine().PrgBooleanBits() : nullptr;
                },
                bookExtent_, elementSize));
            book_ = book.get();
            FillBook(*book, answer);
            made = book.release();
        },
        "Create Book Failed", "The program book could not be made. ");
    if (made == nullptr) {
        return;
    }
    frmPrint* book = made;
    // The book is a window of its own and may outlive the main window at the very end.
    connect(book, &frmPrint::closedForGood, this, &frmMain::ShowAfterBook);
    connect(book, &frmPrint::rebuildAsked, this,
            [this, listing](int numPlot, std::int16_t elementSize) {
                LoadBook(numPlot, listing, elementSize);
            });
    book->show();
}

void frmMain::ShowAfterBook() {
    show();
    if (program_) {
        WindowFrame(*program_).show();
    }
}

}  // namespace veldra
