#include "book/qt/frmPrint.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <regex>
#include <sstream>

#include "book/qt/book_fixture.h"
#include "book/qt/frmListing.h"
#include "book/qt/frmPrintPgs.h"
#include "engine/program_engine.h"
#include "platform/qt/window_frame.h"
#include "support/fake_book_printer.h"

namespace veldra::testing {
namespace {

int PdfPages(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    const std::regex page("/Type\\s*/Page[^s]");
    return int(std::distance(std::sregex_iterator(text.begin(), text.end(), page),
                             std::sregex_iterator()));
}

// The simulator with a program of twenty three-branch statements, several book pages.
class BookTest : public BookFixture {
protected:
    BookTest() { StartOn("book", ParallelProgram("BOOK", 20, false), kListing); }
    QWidget& ProgramFrame() { return WindowFrame(*Main().Program()); }
    // Lays the book out for the plot's sheet and plots it whole, unwatched, with its index,
    // into the file the script chooses.
    void PlotWithItsIndex() {
        Book()->findChild<QAction*>("mnuSetVisio")->trigger();
        Settle();
        ASSERT_NE(Book(), nullptr);
        dialogs.Type("")
            .Type("")
            .Answer(MsgAnswer::No)   // "Watch Visio Plot?"
            .Answer(MsgAnswer::Yes)  // "Generate Index?"
            .Answer(MsgAnswer::Ok);  // "Document Ready"
        WhenShown<frmPrintPgs>([](frmPrintPgs& range) { range.OKButton_Click(); });
        Book()->mnuPlot_Click();
    }

    RecordingViewer viewer;
    DocumentViewerScope viewing{viewer};
};

TEST_F(BookTest, NoBookIsMadeWhileTheProgramRuns) {
    dialogs.Answer(MsgAnswer::No);  // "SET CPS.STATUS?"
    Main().findChild<QAction*>("mnuStop")->trigger();
    ASSERT_TRUE(Main().Program()->Engine().Running());
    dialogs.Answer(MsgAnswer::Ok);
    Main().CreateBook();
    EXPECT_EQ(LastBox(), "Create Book Failed: You Can Not Create A Book While Program Is Running.");
    EXPECT_EQ(Book(), nullptr);
    EXPECT_TRUE(Main().isVisible());
}

TEST_F(BookTest, TheBookPagesPreviewsAndPrintsTheChosenPagesToPdf) {
    CreateBook();
    frmPrint* book = Book();
    ASSERT_NE(book, nullptr);
    EXPECT_FALSE(Main().isVisible());
    EXPECT_GE(book->TotalPages(), 4);
    EXPECT_EQ(book->windowTitle(), "Print Preview: Page 1");
    QImage blank(book->PagePicture().size(), book->PagePicture().format());
    blank.fill(Qt::white);
    EXPECT_NE(book->PagePicture(), blank);

    book->cmdPgDown_Click();
    const QString of = QString(" Of %1").arg(book->TotalPages());
    EXPECT_EQ(book->windowTitle(), "Print Preview: Page 2" + of);
    QKeyEvent pageUp(QEvent::KeyRelease, Qt::Key_PageUp, Qt::NoModifier);
    QApplication::sendEvent(book, &pageUp);
    EXPECT_EQ(book->windowTitle(), "Print Preview: Page 1" + of);
    book->cmdUp_Click();  // already at the first page
    EXPECT_EQ(book->ShownPage(), 1);

    dialogs.Choose(Path("book.pdf"));
    WhenShown<frmPrintPgs>([](frmPrintPgs& range) {
        range.optPrint_Click(2);
        range.txtFrom()->setText("2");
        range.txtTo()->setText("4");
        range.OKButton_Click();
    });
    book->mnuPrint_Click();
    EXPECT_EQ(PdfPages(Path("book.pdf")), 3);
    EXPECT_EQ(book->windowTitle(), "Print Preview: Page 1" + of);

    // The listing page; a file that cannot be written is reported; a cancelled name is not.
    dialogs.Choose(Path("listing.pdf"));
    book->mnuPrintListing_Click();
    EXPECT_EQ(PdfPages(Path("listing.pdf")), 1);
    const std::size_t boxes = dialogs.boxes().size();
    dialogs.Choose(Path("no/such/folder/book.pdf")).Answer(MsgAnswer::Ok);
    book->PrintPages(1, 1);
    EXPECT_NE(LastBox().find("VELDRA: The book could not be printed."), std::string::npos);
    dialogs.CancelFile();
    book->PrintPages(1, 1);
    EXPECT_EQ(dialogs.boxes().size(), boxes + 1);

    book->CloseWindow();
    QApplication::processEvents();
    EXPECT_TRUE(Main().isVisible());
    EXPECT_TRUE(ProgramFrame().isVisible());
}

// A user who accepts what each dialog proposes: the pages, the listing, the bit index and
// the plot each go to a PDF of their own beside the program, none replacing another; once
// one is saved elsewhere, the next opens there.
TEST_F(BookTest, EachPartOfTheBookProposesAPdfOfItsOwnBesideTheProgram) {
    CreateBook();
    ASSERT_NE(Book(), nullptr);
    const int pages = Book()->TotalPages();
    dialogs.AcceptProposal();
    WhenShown<frmPrintPgs>([](frmPrintPgs& range) { range.OKButton_Click(); });
    Book()->mnuPrint_Click();
    dialogs.AcceptProposal();
    Book()->mnuPrintListing_Click();
    dialogs.AcceptProposal();
    Book()->findChild<QAction*>("mnuPrintIndex")->trigger();
    dialogs.AcceptProposal();
    PlotWithItsIndex();

    std::vector<std::string> proposed;
    for (const FileDialogRequest& request : dialogs.fileDialogs()) {
        if (request.kind == FileKind::Pdf) {
            EXPECT_EQ(request.folder.string(), folder.path().toStdString());
            proposed.push_back(request.proposedName);
        }
    }
    EXPECT_EQ(proposed, (std::vector<std::string>{"BOOK.pdf", "BOOK listing.pdf", "BOOK index.pdf",
                                                  "BOOK plot.pdf"}));
    EXPECT_EQ(PdfPages(Path("BOOK.pdf")), pages);
    EXPECT_EQ(PdfPages(Path("BOOK listing.pdf")), 1);
    EXPECT_GE(PdfPages(Path("BOOK index.pdf")), 1);
    EXPECT_GT(PdfPages(Path("BOOK plot.pdf")), Book()->TotalPages());
    for (const MsgBoxRequest& box : dialogs.boxes()) {
        EXPECT_NE(box.title, "File Exists") << box.prompt;
    }

    ASSERT_TRUE(QDir(folder.path()).mkdir("prints"));
    dialogs.Choose(Path("prints/first.pdf")).AcceptProposal();
    Book()->PrintPages(1, 1);
    Book()->findChild<QAction*>("mnuPrintIndex")->trigger();
    EXPECT_EQ(dialogs.fileDialogs().back().folder.string(), Path("prints"));
    EXPECT_GE(PdfPages(Path("prints/BOOK index.pdf")), 1);
    // The next book's listing is looked for beside the program still.
    Book()->findChild<QAction*>("mnuSetVisio")->trigger();
    Settle();
    Book()->CloseWindow();
    Settle();
    CreateBook();
    EXPECT_EQ(dialogs.fileDialogs().back().kind, FileKind::Listing);
    EXPECT_EQ(dialogs.fileDialogs().back().folder.string(), folder.path().toStdString());
}

// A shipped example made into a book with the listing shipped beside it, as a new user
// makes one: opened, the book made, printed whole with its listing page, its bit index
// saved, and plotted with the index.
TEST_F(BookTest, AnExampleBookFromItsShippedListingPrintsPlotsAndIndexes) {
    struct Case {
        const char* example;
        const char* usedBit;
        bool numerics;
    };
    for (const Case& c :
         {Case{"interlocking", "P1_FREE", true}, Case{"level_crossing", "BAR_DN_KR", false}}) {
        const std::string source = std::string(VELDRA_EXAMPLES "/") + c.example;
        dialogs.Answer(MsgAnswer::Ok).Choose(source + ".ml2");
        Main().findChild<QAction*>("mnuOpen")->trigger();
        Settle();
        ListingTexts shipped;
        std::ifstream listing(source + ".mll", std::ios::binary);
        ReadListing(listing, shipped);
        ASSERT_EQ(shipped.CRC.size(), 4u) << c.example;
        ASSERT_EQ(shipped.ChkSum.size(), 4u) << c.example;

        dialogs.Choose(source + ".mll").Answer(c.numerics ? MsgAnswer::Yes : MsgAnswer::No);
        ListingTexts accepted;
        WhenShown<frmListing>([&accepted](frmListing& dialog) {
            accepted = dialog.Texts();
            dialog.cmdSave_Click();
        });
        Main().CreateBook();
        ASSERT_NE(Book(), nullptr) << c.example;
        EXPECT_EQ(accepted.CRC + " " + accepted.ChkSum, shipped.CRC + " " + shipped.ChkSum);
        EXPECT_EQ(accepted.Jumpers, shipped.Jumpers);
        // Every statement, and the numeric blocks' ladders on the pages that follow.
        const int statements = Main().Program()->Engine().prgAssigns->Count();
        EXPECT_EQ(Book()->Book().Count() > statements, c.numerics) << c.example;
        EXPECT_EQ(Book()->Book().Item(Book()->Book().Count())->IsNumeric, c.numerics);

        const std::string name = Path(c.example);
        dialogs.Choose(name + ".pdf");
        WhenShown<frmPrintPgs>([](frmPrintPgs& range) { range.OKButton_Click(); });
        Book()->mnuPrint_Click();
        EXPECT_EQ(PdfPages(name + ".pdf"), Book()->TotalPages()) << c.example;
        dialogs.Choose(name + "-listing.pdf");
        Book()->mnuPrintListing_Click();
        EXPECT_EQ(PdfPages(name + "-listing.pdf"), 1) << c.example;
        dialogs.Choose(name + ".txt");
        Book()->findChild<QAction*>("mnuSaveIndex")->trigger();
        std::ifstream index(name + ".txt");
        const std::string indexed((std::istreambuf_iterator<char>(index)), {});
        EXPECT_NE(indexed.find(c.usedBit), std::string::npos) << c.example;

        // Laid out for the plot's sheet and plotted whole, with the index; then opened.
        dialogs.Choose(name + "-plot.pdf");
        PlotWithItsIndex();
        ASSERT_NE(Book(), nullptr);
        EXPECT_EQ(LastBox(), "Plot Complete: Document Ready") << c.example;
        EXPECT_GT(PdfPages(name + "-plot.pdf"), Book()->TotalPages()) << c.example;
        EXPECT_EQ(viewer.opened.back(), name + "-plot.pdf");
        Book()->findChild<QAction*>("mnuSetVisio")->trigger();  // back to the paper
        Settle();
        Book()->CloseWindow();
        Settle();
    }
}

TEST_F(BookTest, AFailingBuildSaysWhyAndGivesTheSimulatorBack) {
    {
        FakeBookPrinter postcard;  // no page this small holds a ladder
        postcard.paper = PageCanvas{2000, 2000};
        const BookPrinterScope installed{postcard};
        dialogs.Choose(Path("book.mll")).Answer(MsgAnswer::No).Answer(MsgAnswer::Ok);
        WhenShown<frmListing>([](frmListing& listing) { listing.cmdSave_Click(); });
        Main().CreateBook();
    }
    EXPECT_NE(LastBox().find("Create Book Failed: "), std::string::npos);
    EXPECT_NE(LastBox().find("too small"), std::string::npos);
    EXPECT_EQ(Book(), nullptr);
    EXPECT_TRUE(Main().isVisible() && ProgramFrame().isVisible());
    for (QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(window->objectName() == "frmStatus" && window->isVisible());
    }

    // A cancelled listing makes no book either.
    dialogs.Choose(Path("book.mll"));
    WhenShown<frmListing>([](frmListing& listing) { listing.cmdClose_Click(); });
    Main().CreateBook();
    EXPECT_EQ(Book(), nullptr);
    EXPECT_TRUE(Main().isVisible());
}

}  // namespace
}  // namespace veldra::testing

namespace veldra::testing {
namespace {

TEST(PageRangeDialog, ARefusedBoxKeepsTheRangeFromBeingConfirmed) {
    ScriptedDialogs dialogs;
    frmPrintPgs range;
    range.EndPage = 5;
    range.CurrentPage = 3;
    range.Form_Load();
    range.optPrint_Click(1);
    EXPECT_EQ(range.txtFrom()->text(), "3");
    EXPECT_FALSE(range.txtTo()->isEnabled());
    range.optPrint_Click(2);
    EXPECT_EQ(range.txtTo()->text(), "5");
    EXPECT_TRUE(range.txtTo()->isEnabled());

    range.txtTo()->setText("6");
    dialogs.Answer(MsgAnswer::Ok);
    range.OKButton_Click();
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].title, "PAGE NUMBER MUST BE VALID TO CONTINUE");
    EXPECT_EQ(range.EndPage, 5);  // nothing taken from the refused box

    range.txtFrom()->setText("2");
    range.txtTo()->setText("4");
    range.OKButton_Click();
    EXPECT_FALSE(range.Cancel);
    EXPECT_EQ(range.StartPage, 2);
    EXPECT_EQ(range.EndPage, 4);
}

}  // namespace
}  // namespace veldra::testing
