#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>

#include "book/auto_size.h"
#include "book/qt/frmListing.h"
#include "book/qt/frmPrint.h"
#include "book/qt/frmResolution.h"
#include "book/qt/page_drawing.h"
#include "ladder/qt/ladder_picture.h"
#include "shell/element_size.h"
#include "support/fake_book_printer.h"
#include "support/qt/application_fixture.h"

namespace veldra::testing {
namespace {

// The simulator with ten three-branch statements and one of `series` contacts in a row,
// its book made as the user makes it.
class BookSettingsTest : public ApplicationFixture {
protected:
    BookSettingsTest() {
        EleRes = 100;
        MaxLadderCols = MaxLadderRows = 0;
        std::ofstream(Path("book.mll")) << " *** Application Image Summary:\n";
    }
    ~BookSettingsTest() override {
        if (Book() != nullptr) {
            Book()->close();
        }
        EleRes = 100;
        MaxLadderCols = MaxLadderRows = 0;
    }
    void Start(int series) {
        std::ofstream source(Path("book.ml2"));
        source << "PROGRAM BOOK;\nBOOLEAN BITS\n";
        for (int i = 0; i < 40; ++i) {
            source << "    B" << i << ",\n";
        }
        for (int i = 0; i <= series; ++i) {
            source << "    W" << i << ",\n";
        }
        source << "    CPS.STATUS;\nLOGIC BEGIN\n";
        for (int i = 0; i < 10; ++i) {
            source << "    ASSIGN B" << 4 * i << "+B" << 4 * i + 1 << "+B" << 4 * i + 2 << " TO B"
                   << 4 * i + 3 << ";\n";
        }
        source << "    ASSIGN W0";
        for (int i = 1; i < series; ++i) {
            source << "*W" << i;
        }
        source << " TO W" << series << ";\nEND LOGIC\nEND PROGRAM\n";
        source.close();
        app = Started(Path("book.ml2"));
    }
    std::string Path(const char* name) const { return folder.filePath(name).toStdString(); }
    frmPrint* Book() { return app ? dynamic_cast<frmPrint*>(Main().Book()) : nullptr; }
    void CreateBook() {
        dialogs.Choose(Path("book.mll")).Answer(MsgAnswer::No);
        WhenShown<frmListing>([](frmListing& listing) { listing.cmdSave_Click(); });
        Main().CreateBook();
        ASSERT_NE(Book(), nullptr);
    }
    QAction* Entry(const char* name) { return Book()->findChild<QAction*>(name); }
    QCheckBox* Box(const char* name) { return Book()->findChild<QCheckBox*>(name); }
    std::string Stored(const char* section, const char* key) {
        return settings.GetSetting(section, key, "(none)");
    }
    // Runs the command and tells whether it built the book anew.
    template <class Command>
    bool Rebuilds(Command command) {
        QPointer<frmPrint> before = Book();
        command();
        Settle();
        return before.isNull() && Book() != nullptr;
    }
    // Chooses the size in the element size dialog and leaves it by `leave`.
    static void ChooseSize(int size, void (frmResolution::*leave)()) {
        WhenShown<frmResolution>([size, leave](frmResolution& dialog) {
            dialog.findChild<QScrollBar*>("VScroll1")->setValue(size);
            (dialog.*leave)();
        });
    }
    QSize Picture() { return Book()->PagePicture().size(); }

    QTemporaryDir folder;
    // A4 paper whatever printers this machine has.
    FakeBookPrinter printer;
    BookPrinterScope installed{printer};
};

TEST_F(BookSettingsTest, TheBoxesAndTheirMenuEntriesStoreShowAsLadderAndWordWrap) {
    Start(3);
    CreateBook();
    for (const auto& [box, entry, key] : {std::tuple("chkLadder", "mnuLadder", "LADDER"),
                                          std::tuple("chkWrap", "mnuWordWrap", "WordWrap")}) {
        EXPECT_TRUE(Box(box)->isChecked() && Entry(entry)->isChecked()) << box;
        EXPECT_EQ(Stored("VIEW", key), "1");
        Entry(entry)->trigger();
        EXPECT_FALSE(Box(box)->isChecked() || Entry(entry)->isChecked()) << box;
        EXPECT_EQ(Stored("VIEW", key), "0");
        Box(box)->setChecked(true);
        EXPECT_TRUE(Entry(entry)->isChecked()) << box;
        EXPECT_EQ(Stored("VIEW", key), "1");
    }
}

TEST_F(BookSettingsTest, RelaySymbolsRedrawTheSamePagesAndWordWrapWaitsForTheNextBuild) {
    Start(3);
    CreateBook();
    const int pages = Book()->TotalPages();
    const QImage ladder = Book()->PagePicture();
    const auto everyCell = [this](auto test) {
        for (CreateLadder& rung : Book()->Book()) {
            for (const auto& cell : rung.GetElements()) {
                if (!test(*cell)) {
                    return false;
                }
            }
        }
        return true;
    };
    Box("chkLadder")->setChecked(false);
    EXPECT_TRUE(everyCell([](const Element& cell) { return cell.IsRelay; }));
    EXPECT_EQ(Book()->TotalPages(), pages);
    EXPECT_NE(Book()->PagePicture(), ladder);

    Entry("mnuWordWrap")->trigger();
    EXPECT_TRUE(everyCell([](const Element& cell) { return cell.WordWrap; }));
    ChooseSize(100, &frmResolution::OKButton_Click);
    EXPECT_TRUE(Rebuilds([this] { Entry("mnuRes")->trigger(); }));
    EXPECT_TRUE(everyCell([](const Element& cell) { return !cell.WordWrap && cell.IsRelay; }));
    EXPECT_FALSE(Box("chkWrap")->isChecked() || Entry("mnuWordWrap")->isChecked());
    EXPECT_FALSE(Box("chkLadder")->isChecked() || Entry("mnuLadder")->isChecked());
}

TEST_F(BookSettingsTest, TheElementSizeDialogStoresTheSizeOnOkAndRebuildsTheBook) {
    struct Case {
        int spinner;
        void (frmResolution::*leave)();
        int size;
        const char* stored;
        bool rebuilt;
    };
    const Case cases[] = {
        {150, &frmResolution::OKButton_Click, 150, "150", true},
        {100, &frmResolution::OKButton_Click, 100, "100", true},
        {0, &frmResolution::OKButton_Click, 1, "1", true},
        {120, &frmResolution::CancelButton_Click, 1, "1", false},
        {180, &frmResolution::reject, 1, "1", false},  // closed by its frame
    };
    Start(3);
    CreateBook();
    for (const Case& c : cases) {
        const int before = EleRes;
        WhenShown<frmResolution>([&c, before](frmResolution& dialog) {
            auto* spinner = dialog.findChild<QScrollBar*>("VScroll1");
            EXPECT_EQ(spinner->value(), before);
            spinner->setValue(c.spinner);
            EXPECT_EQ(dialog.findChild<QLineEdit*>("Text1")->text(), QString::number(c.spinner));
            (dialog.*c.leave)();
        });
        EXPECT_EQ(Rebuilds([this] { Book()->mnuRes_Click(); }), c.rebuilt) << c.spinner;
        EXPECT_EQ(EleRes, c.size) << c.spinner;
        EXPECT_EQ(Stored("VIEW", "EleRes"), c.stored) << c.spinner;
        EXPECT_DOUBLE_EQ(Book()->Book().Item(1)->GetElements().Item(1)->d_1560(), 15.6 * c.size);
    }
}

TEST_F(BookSettingsTest, TheElementSizeDialogDrawsItsSampleInTheBooksSymbolsAtTheChosenSize) {
    Start(3);
    CreateBook();
    Box("chkLadder")->setChecked(false);
    WhenShown<frmResolution>([](frmResolution& dialog) {
        for (const auto& cell : dialog.Sample()) {
            EXPECT_TRUE(cell->IsRelay) << cell->Name;
        }
        auto* spinner = dialog.findChild<QScrollBar*>("VScroll1");
        spinner->setValue(200);
        const int wide = dialog.Picture().WidthTwips();
        EXPECT_GT(wide, 4 * 2 * 1560);  // four cells at twice their size
        EXPECT_GT(dialog.findChild<QScrollBar*>("HSLD")->maximum(), 0);
        dialog.CancelButton_Click();
    });
    Book()->mnuRes_Click();
}

TEST_F(BookSettingsTest, AutoSizeStoresTheLargestSizeThatFitsAndMeasuresEachBookOnce) {
    Start(3);
    CreateBook();
    // No restriction at all: the largest size.
    dialogs.Answer(MsgAnswer::No).Answer(MsgAnswer::No);
    EXPECT_TRUE(Rebuilds([this] { Entry("mnuAutoSize")->trigger(); }));
    EXPECT_EQ(EleRes, 200);
    EXPECT_EQ(Stored("VIEW", "EleRes"), "200");
    EXPECT_TRUE(Book()->isVisible());

    // The widest statement, three contacts in a row and their coil, reaches column 4; with
    // the indent of two, A4 holds its six columns up to 102 %.
    dialogs.Answer(MsgAnswer::Yes).Answer(MsgAnswer::Yes);
    EXPECT_TRUE(Rebuilds([this] { Book()->mnuAutoSize_Click(); }));
    EXPECT_EQ(EleRes, 102);
    EXPECT_EQ(Stored("VIEW", "EleRes"), "102");

    // The same book is not measured again; a new one is.
    MaxLadderCols = 1000;
    dialogs.Answer(MsgAnswer::Yes).Answer(MsgAnswer::No).Answer(MsgAnswer::Ok);
    Book()->mnuAutoSize_Click();
    EXPECT_EQ(dialogs.boxes().back().title, "Auto Size Fail");
    Settle();
    Book()->close();
    Settle();
    CreateBook();
    EXPECT_EQ(MaxLadderCols, 0);
}

TEST_F(BookSettingsTest, AutoSizeSaysWhenNoSizeFitsAndBuildsTheBookAtItsNormalSize) {
    Start(14);  // fourteen contacts in a row cannot stand on A4 even at 50 %
    CreateBook();
    EleRes = 130;
    dialogs.Answer(MsgAnswer::Yes).Answer(MsgAnswer::No).Answer(MsgAnswer::Ok);
    EXPECT_TRUE(Rebuilds([this] { Book()->mnuAutoSize_Click(); }));
    const MsgBoxRequest& box = dialogs.boxes().back();
    EXPECT_EQ(box.title + ": " + box.prompt,
              "Auto Size Fail: Unable to Auto Size, Try Larger Paper");
    EXPECT_EQ(box.icon, MsgIcon::Information);
    EXPECT_EQ(dialogs.boxes()[dialogs.boxes().size() - 3].title, "Graphic Width Restriction");
    EXPECT_EQ(dialogs.boxes()[dialogs.boxes().size() - 2].title, "Graphic Height Restriction");
    EXPECT_EQ(EleRes, 100);
    EXPECT_EQ(Stored("VIEW", "EleRes"), "(none)");
    EXPECT_DOUBLE_EQ(Book()->Book().Item(1)->GetElements().Item(1)->d_1560(), 1560);
}

TEST_F(BookSettingsTest, PrintSetupStoresThePrinterAndLaysTheBookOutForItsPaper) {
    Start(3);
    CreateBook();
    EXPECT_GT(Picture().height(), Picture().width());
    EXPECT_FALSE(Rebuilds([this] { Entry("mnuPrintSetup")->trigger(); }));  // cancelled
    EXPECT_EQ(printer.setups, 1);
    EXPECT_EQ(Stored("Print", "PrinterName"), "(none)");

    PrinterChoice landscape = printer.preset;
    landscape.printerName = "Plotter";
    landscape[PrinterOption::Orientation] = 1;
    landscape[PrinterOption::Copies] = 2;
    printer.choice = landscape;
    EXPECT_TRUE(Rebuilds([this] { Book()->mnuPrintSetup_Click(); }));
    EXPECT_GT(Picture().width(), Picture().height());
    EXPECT_EQ(Stored("Print", "PrinterName"), "Plotter");
    EXPECT_EQ(Stored("Print", "Orientation"), "1");
    EXPECT_EQ(Stored("Print", "Copies"), "2");
    EXPECT_EQ(printer.FontName(), "Arial");

    // The next book's window selects the stored printer and applies its options.
    printer.name = "Start-up Printer";
    printer.options = FakeBookPrinter::kDefaults;
    Book()->close();
    Settle();
    CreateBook();
    EXPECT_EQ(printer.name, "Plotter");
    EXPECT_GT(Picture().width(), Picture().height());
}

TEST_F(BookSettingsTest, ChangeFontStoresTheFontAndFitsTheNamesOnTheSamePages) {
    Start(3);
    CreateBook();
    const int pages = Book()->TotalPages();
    const QImage before = Book()->PagePicture();
    const auto nameWidth = [this] {
        return Book()->Book().Item(1)->GetElements().Item(1)->NameWidth();
    };
    const int narrow = nameWidth();
    WhenShown<QFontDialog>([](QFontDialog& dialog) { dialog.reject(); });
    Entry("mnuFont")->trigger();
    EXPECT_EQ(Stored("LADDER_FONT", "NAME"), "(none)");

    WhenShown<QFontDialog>([](QFontDialog& dialog) {
        QFont large("DejaVu Sans Mono", 12);
        large.setBold(true);
        dialog.setCurrentFont(large);
        dialog.accept();
    });
    Entry("mnuFont")->trigger();
    EXPECT_EQ(Stored("LADDER_FONT", "NAME"), "DejaVu Sans Mono");
    EXPECT_EQ(Stored("LADDER_FONT", "SIZE"), "12");
    EXPECT_EQ(Stored("LADDER_FONT", "BOLD"), "True");
    EXPECT_LT(nameWidth(), narrow);
    EXPECT_EQ(Book()->TotalPages(), pages);
    EXPECT_NE(Book()->PagePicture(), before);

    // A size between whole points is stored as chosen; a new book and the printed pages
    // take the whole size nearest.
    QFont between("DejaVu Sans Mono");
    between.setPointSizeF(9.75);
    Book()->ApplyFont(between);
    EXPECT_EQ(Stored("LADDER_FONT", "SIZE"), "9.75");
    EXPECT_EQ(Stored("LADDER_FONT", "BOLD"), "False");
    EXPECT_EQ(LadderFont(settings).pointSize(), 10);
}

// Counts the requests to end the application that reach it.
class QuitRequests final : public QObject {
public:
    QuitRequests() { qApp->installEventFilter(this); }
    ~QuitRequests() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* target, QEvent* event) override {
        if (target == qApp && event->type() == QEvent::Quit) {
            ++count;
            return true;  // the test ends the loop itself
        }
        return false;
    }
    int count = 0;
};

TEST_F(BookSettingsTest, ClosingTheBookToBuildItAgainNeverEndsTheSimulator) {
    Start(3);
    CreateBook();
    QuitRequests quit;
    QTimer::singleShot(0, [this] {
        ChooseSize(90, &frmResolution::OKButton_Click);
        Book()->mnuRes_Click();
        QTimer::singleShot(0, [] { QCoreApplication::exit(7); });
    });
    EXPECT_EQ(QApplication::exec(), 7);
    EXPECT_EQ(quit.count, 0);
    ASSERT_NE(Book(), nullptr);
    EXPECT_TRUE(Book()->isVisible());
}

}  // namespace
}  // namespace veldra::testing
