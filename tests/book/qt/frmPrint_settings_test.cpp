#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLineEdit>
#include <QPageLayout>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <regex>
#include <set>

#include "book/auto_size.h"
#include "book/qt/book_fixture.h"
#include "book/qt/book_printer.h"
#include "book/qt/frmListing.h"
#include "book/qt/frmPrint.h"
#include "book/qt/frmResolution.h"
#include "book/qt/page_drawing.h"
#include "platform/qt/qt_text.h"
#include "support/drawn_boxes.h"
#include "support/fake_book_printer.h"

namespace veldra::testing {
namespace {

// The book of ten three-branch statements and one of three contacts in a row, made as the
// user makes it, on the A4 sheet of a printer of the test's own.
class BookSettingsTest : public BookFixture {
protected:
    BookSettingsTest() {
        StartOn("book",
                ParallelProgram("BOOK", 10, false, "    W0, W1, W2, W3,\n",
                                "    ASSIGN W0*W1*W2 TO W3;\n"),
                " *** Application Image Summary:\n");
        CreateBook();
    }
    ~BookSettingsTest() override {
        if (Book() != nullptr) {
            Book()->close();
        }
    }
    void CreateBook() {
        BookFixture::CreateBook();
        ASSERT_NE(Book(), nullptr);
    }
    QAction* Entry(const char* name) { return Book()->findChild<QAction*>(name); }
    QCheckBox* Box(const char* name) { return Book()->findChild<QCheckBox*>(name); }
    bool EveryCell(bool (*test)(const Element&)) {
        for (CreateLadder& ladder : Book()->Book()) {
            for (const auto& cell : ladder.GetElements()) {
                if (!test(*cell)) {
                    return false;
                }
            }
        }
        return true;
    }
    double Pitch() { return Book()->Book().Item(1)->GetElements().Item(1)->d_1560(); }

    FakeBookPrinter printer;
    BookPrinterScope installed{printer};
};

TEST_F(BookSettingsTest, ShowAsLadderAndWordWrapAreStoredAndTheirMenuEntriesFollowTheBoxes) {
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
    // Relay symbols redraw the same pages at once; word wrap waits for the next build.
    const int pages = Book()->TotalPages();
    const QImage ladder = Book()->PagePicture();
    Box("chkLadder")->setChecked(false);
    Box("chkWrap")->setChecked(false);
    EXPECT_TRUE(EveryCell([](const Element& cell) { return cell.IsRelay && cell.WordWrap; }));
    EXPECT_EQ(Book()->TotalPages(), pages);
    EXPECT_NE(Book()->PagePicture(), ladder);
    WhenShown<frmResolution>([](frmResolution& dialog) {
        EXPECT_TRUE(dialog.Sample().Item(1)->IsRelay);  // the sample in the book's symbols
        dialog.OKButton_Click();
    });
    EXPECT_TRUE(Rebuilds([this] { Entry("mnuRes")->trigger(); }));
    EXPECT_TRUE(EveryCell([](const Element& cell) { return cell.IsRelay && !cell.WordWrap; }));
    EXPECT_FALSE(Box("chkWrap")->isChecked() || Entry("mnuWordWrap")->isChecked());
}

TEST_F(BookSettingsTest, TheElementSizeDialogStoresTheSizeOnOkAndRebuildsTheBook) {
    struct Case {
        int spinner;
        void (frmResolution::*leave)();
        int size;
        const char* stored;
    };
    const Case cases[] = {
        {150, &frmResolution::OKButton_Click, 150, "150"},
        {0, &frmResolution::OKButton_Click, 1, "1"},
        {120, &frmResolution::CancelButton_Click, 1, "1"},
        {180, &frmResolution::reject, 1, "1"},  // closed by its frame
    };
    for (const Case& c : cases) {
        const int before = Book()->ElementSize();
        WhenShown<frmResolution>([&c, before](frmResolution& dialog) {
            auto* spinner = dialog.findChild<QScrollBar*>("VScroll1");
            EXPECT_EQ(spinner->value(), before);
            spinner->setValue(c.spinner);
            EXPECT_EQ(dialog.findChild<QLineEdit*>("Text1")->text(), QString::number(c.spinner));
            (dialog.*c.leave)();
        });
        const bool ok = c.leave == &frmResolution::OKButton_Click;
        EXPECT_EQ(Rebuilds([this] { Book()->mnuRes_Click(); }), ok) << c.spinner;
        EXPECT_EQ(Book()->ElementSize(), c.size) << c.spinner;
        EXPECT_EQ(Stored("VIEW", "EleRes"), c.stored) << c.spinner;
        EXPECT_DOUBLE_EQ(Pitch(), 15.6 * c.size);
    }
    // The next book, and the dialog, open on the size stored.
    settings.SaveSetting("VIEW", "EleRes", "140");
    Book()->close();
    Settle();
    CreateBook();
    EXPECT_DOUBLE_EQ(Pitch(), 15.6 * 140);
    WhenShown<frmResolution>([](frmResolution& dialog) {
        EXPECT_EQ(dialog.findChild<QScrollBar*>("VScroll1")->value(), 140);
        dialog.reject();
    });
    Book()->mnuRes_Click();
    // At 200 % the sample grows beyond its frame, which scrolls to reach it.
    WhenShown<frmResolution>([](frmResolution& dialog) {
        dialog.findChild<QScrollBar*>("VScroll1")->setValue(200);
        EXPECT_GT(dialog.findChild<QScrollBar*>("HSLD")->maximum(), 0);
        dialog.reject();
    });
    Book()->mnuRes_Click();
}

TEST_F(BookSettingsTest, TheSpinnersUpperArrowMakesElementsLargerAndItsLowerSmaller) {
    WhenShown<frmResolution>([](frmResolution& dialog) {
        auto* spinner = dialog.findChild<QScrollBar*>("VScroll1");
        auto* size = dialog.findChild<QLineEdit*>("Text1");
        // A click on one of the spinner's parts, where the style draws it; the size shown.
        const auto click = [spinner, size](QStyle::SubControl part) {
            QStyleOptionSlider option;
            option.initFrom(spinner);
            option.orientation = spinner->orientation();
            option.minimum = spinner->minimum();
            option.maximum = spinner->maximum();
            option.sliderPosition = option.sliderValue = spinner->value();
            option.singleStep = spinner->singleStep();
            option.pageStep = spinner->pageStep();
            option.upsideDown = spinner->invertedAppearance();
            const QRect area =
                spinner->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, spinner);
            QTest::mouseClick(spinner, Qt::LeftButton, {}, area.center());
            return size->text().toStdString();
        };
        EXPECT_EQ(size->text(), "100");
        EXPECT_EQ(click(QStyle::SC_ScrollBarSubLine), "101");  // the upper arrow
        EXPECT_EQ(click(QStyle::SC_ScrollBarSubLine), "102");
        EXPECT_EQ(click(QStyle::SC_ScrollBarAddLine), "101");  // the lower arrow
        // The keyboard's arrows run the same way.
        QTest::keyClick(spinner, Qt::Key_Up);
        EXPECT_EQ(size->text(), "102");
        QTest::keyClick(spinner, Qt::Key_Down);
        EXPECT_EQ(size->text(), "101");
        dialog.OKButton_Click();
    });
    EXPECT_TRUE(Rebuilds([this] { Entry("mnuRes")->trigger(); }));
    EXPECT_EQ(Book()->ElementSize(), 101);
    EXPECT_EQ(Stored("VIEW", "EleRes"), "101");
}

TEST_F(BookSettingsTest, AutoSizeStoresTheLargestSizeThatFitsOrSaysNoneDoes) {
    dialogs.Answer(MsgAnswer::No).Answer(MsgAnswer::No);
    EXPECT_TRUE(Rebuilds([this] { Entry("mnuAutoSize")->trigger(); }));
    EXPECT_EQ(Stored("VIEW", "EleRes"), "200");
    EXPECT_DOUBLE_EQ(Pitch(), 3120);

    // Three contacts in a row and their coil reach column 4; with the indent of two, A4
    // holds the six columns up to 102 %.
    dialogs.Answer(MsgAnswer::Yes).Answer(MsgAnswer::Yes);
    EXPECT_TRUE(Rebuilds([this] { Book()->mnuAutoSize_Click(); }));
    EXPECT_EQ(Stored("VIEW", "EleRes"), "102");
    EXPECT_DOUBLE_EQ(Pitch(), 1591.2);

    // Measured once per book: a book now too wide for any size fails, is built at 100 %
    // and leaves the stored size alone.
    Book()->Extent().MaxLadderCols = 40;
    dialogs.Answer(MsgAnswer::Yes).Answer(MsgAnswer::No).Answer(MsgAnswer::Ok);
    EXPECT_TRUE(Rebuilds([this] { Book()->mnuAutoSize_Click(); }));
    const MsgBoxRequest& box = dialogs.boxes().back();
    EXPECT_EQ(box.title + ": " + box.prompt,
              "Auto Size Fail: Unable to Auto Size, Try Larger Paper");
    EXPECT_EQ(box.icon, MsgIcon::Information);
    EXPECT_EQ(Stored("VIEW", "EleRes"), "102");
    EXPECT_EQ(Book()->ElementSize(), 100);
    EXPECT_DOUBLE_EQ(Pitch(), 1560);
    Book()->close();
    Settle();
    CreateBook();
    EXPECT_EQ(Book()->Extent().MaxLadderCols, 0);  // a new book is measured afresh
    EXPECT_DOUBLE_EQ(Pitch(), 1591.2);             // at the size stored
}

TEST_F(BookSettingsTest, PrintSetupStoresThePrinterAndLaysTheBookOutForItsPaper) {
    EXPECT_TRUE(Upright());
    printer.choice = printer.preset;
    printer.choice->printerName = "Plotter";
    (*printer.choice)[PrinterOption::Orientation] = 1;
    EXPECT_TRUE(Rebuilds([this] { Entry("mnuPrintSetup")->trigger(); }));
    EXPECT_FALSE(Upright());
    EXPECT_EQ(Stored("Print", "PrinterName") + Stored("Print", "Orientation"), "Plotter1");

    // The next book's window selects the stored printer and applies its options.
    printer.name = "Start-up Printer";
    printer.options = FakeBookPrinter::kDefaults;
    Book()->close();
    Settle();
    CreateBook();
    EXPECT_EQ(printer.name, "Plotter");
    EXPECT_FALSE(Upright());
}

// The faces a PDF writes its texts in, without their subset tags and styles, and with the
// blanks of the desktop's names for them left out.
std::set<std::string> PdfFaces(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), {});
    std::set<std::string> faces;
    const std::regex face(R"(/BaseFont\s*/(?:[A-Z]{6}\+)?([A-Za-z0-9]+))");
    for (auto at = std::sregex_iterator(pdf.begin(), pdf.end(), face); at != std::sregex_iterator();
         ++at) {
        faces.insert((*at)[1]);
    }
    return faces;
}

std::string WithoutBlanks(QString name) {
    return name.remove(' ').toStdString();
}

// Names nearly as wide as a cell in a face of fixed pitch are far wider in a proportional one,
// whose "M" and "W" are the widest letters. OK in Print Setup without a change leaves the book
// printed in the face its names were placed in: measured in the face the PDF carries, no name
// lies over another or over a contact or coil.
TEST_F(BookSettingsTest, AfterPrintSetupTheBookPrintsInTheFontItsNamesWerePlacedIn) {
    std::string bits;
    std::string logic;
    for (int i = 0; i < 12; ++i) {
        const std::string n = std::to_string(10 + i);
        const std::string m = "MMMMMMMMMMMM" + n;
        const std::string w = "WWWWWWWWWWWW" + n;
        bits += "    " + m + ", " + w + ", MWMWMWMWMWMW" + n + ", OUT" + n + ",\n";
        logic += "    ASSIGN " + m + " * " + w + " + ~MWMWMWMWMWMW" + n + " * " + m + " TO OUT" +
                 n + ";\n";
    }
    Book()->close();
    Settle();
    StartOn("wide",
            "PROGRAM WIDE;\nBOOLEAN BITS\n" + bits + "    CPS.STATUS;\nLOGIC BEGIN\n" + logic +
                "END LOGIC\nEND PROGRAM\n",
            kListing);
    CreateBook();
    // An installed printer, with the options as the dialog opens on them.
    printer.choice = PrinterChoice{"Office Laser", printer.options};
    EXPECT_TRUE(Rebuilds([this] { Entry("mnuPrintSetup")->trigger(); }));
    EXPECT_EQ(printer.preset.options, printer.choice->options);
    dialogs.Choose(Path("wide.pdf"));
    Book()->PrintPages(1, Book()->TotalPages());

    const std::set<std::string> faces = PdfFaces(Path("wide.pdf"));
    const std::string placedIn = WithoutBlanks(QFontInfo(LadderFont(settings)).family());
    EXPECT_EQ(faces, std::set<std::string>{placedIn});
    ASSERT_FALSE(faces.empty());
    QString printedFamily;
    for (const QString& family : QFontDatabase::families()) {
        if (WithoutBlanks(family) == *faces.begin()) {
            printedFamily = family;
        }
    }
    ASSERT_FALSE(printedFamily.isEmpty()) << *faces.begin();
    QFont printed(printedFamily);
    printed.setPointSize(LadderFont(settings).pointSize());
    // A sheet of 1440 dots an inch measures in twips.
    QImage sheet(1, 1, QImage::Format_RGB32);
    sheet.setDotsPerMeterX(int(1440 / 0.0254));
    sheet.setDotsPerMeterY(int(1440 / 0.0254));
    const QFontMetricsF metrics(printed, &sheet);

    std::vector<std::string> faults;
    for (int page = 1; page <= Book()->TotalPages(); ++page) {
        TextBoxes names(
            [&](std::string_view text) { return metrics.horizontalAdvance(ToQString(text)); },
            metrics.height());
        std::vector<DrawnBox> symbols;
        for (CreateLadder& ladder : Book()->Book()) {
            if (ladder.PageNumber == page) {
                names.Names(ladder.GetElements());
                for (DrawnBox& symbol : SymbolBoxes(ladder.GetElements())) {
                    symbols.push_back(std::move(symbol));
                }
            }
        }
        for (std::string& overlap : Overlaps(names.texts, symbols)) {
            faults.push_back("page " + std::to_string(page) + ": " + overlap);
        }
    }
    EXPECT_EQ(faults, std::vector<std::string>{});
}

// The book made on a desktop with no printer installed, where a PDF file stands in for
// one: the desktop's own printer, put back as it was after the test.
class PdfFileSetupTest : public BookFixture {
protected:
    void SetUp() override {
        if (!QPrinterInfo::availablePrinterNames().isEmpty()) {
            GTEST_SKIP() << "a printer is installed on this desktop";
        }
        StartOn("book", ParallelProgram("BOOK", 10, false), kListing);
        BookFixture::CreateBook();
        ASSERT_NE(Book(), nullptr);
    }
    ~PdfFileSetupTest() override { DesktopPrinter() = before_; }

    // "Print Setup" answered as a user would: "Properties", an orientation, OK, OK.
    void PrintSetup(const char* orientation, bool accepted = true) {
        WhenShown<QPrintDialog>([orientation, accepted](QPrintDialog& setup) {
            WhenShown<QDialog>([orientation](QDialog& properties) {
                properties.findChild<QRadioButton*>(orientation)->click();
                properties.accept();
            });
            setup.findChild<QPushButton*>("properties")->click();
            accepted ? setup.accept() : setup.reject();
        });
        Book()->findChild<QAction*>("mnuPrintSetup")->trigger();
    }
    // The size of the sheets of a PDF the book printed, in points.
    static QSizeF Sheet(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        const std::string pdf((std::istreambuf_iterator<char>(in)), {});
        std::smatch box;
        if (!std::regex_search(pdf, box, std::regex(R"(/MediaBox\s*\[0 0 ([\d.]+) ([\d.]+)\])"))) {
            return {};
        }
        return {std::stod(box[1]), std::stod(box[2])};
    }

private:
    QtBookPrinter before_ = DesktopPrinter();
};

TEST_F(PdfFileSetupTest, PrintSetupChoosesThePdfFilesOrientationAsAPrintersAndRebuildsTheBook) {
    EXPECT_TRUE(Upright());
    PrintSetup("landscape", false);  // cancelled: nothing changes
    EXPECT_TRUE(Upright());
    EXPECT_EQ(Stored("Print", "PrinterName"), "(none)");

    EXPECT_TRUE(Rebuilds([this] { PrintSetup("landscape"); }));
    EXPECT_FALSE(Upright());
    EXPECT_EQ(Stored("Print", "PrinterName") + "/" + Stored("Print", "Orientation") + "/" +
                  Stored("Print", "PaperSize"),
              "PDF File/" + std::to_string(int(QPageLayout::Landscape)) + "/" +
                  std::to_string(int(QPageSize::A4)));
    dialogs.Choose(Path("landscape.pdf"));
    Book()->PrintPages(1, 1);
    const QSizeF sheet = Sheet(Path("landscape.pdf"));
    EXPECT_NEAR(sheet.width(), 841.9, 1);  // A4 turned, in whole points
    EXPECT_NEAR(sheet.height(), 595.3, 1);

    // The next book takes the stored choice; turned back upright, so does the next PDF.
    Book()->close();
    Settle();
    DesktopPrinter() = QtBookPrinter();
    BookFixture::CreateBook();
    ASSERT_NE(Book(), nullptr);
    EXPECT_FALSE(Upright());
    EXPECT_TRUE(Rebuilds([this] { PrintSetup("portrait"); }));
    EXPECT_TRUE(Upright());
    dialogs.Choose(Path("portrait.pdf"));
    Book()->PrintPages(1, 1);
    EXPECT_LT(Sheet(Path("portrait.pdf")).width(), Sheet(Path("portrait.pdf")).height());
}

TEST_F(PdfFileSetupTest, PrintSetupNamesThePdfFileWhereThePrinterIsChosenAndOkTakesIt) {
    std::vector<QString> shown;
    WhenShown<QPrintDialog>([&shown](QPrintDialog& setup) {
        auto* printers = setup.findChild<QComboBox*>("printers");
        QPushButton* ok = setup.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        shown = {printers->currentText(), printers->itemText(printers->count() - 1), ok->text()};
        // Its file is asked when the book is printed, not here.
        for (const char* part : {"lOutput", "filename", "fileBrowser"}) {
            EXPECT_FALSE(setup.findChild<QWidget*>(part)->isVisible()) << part;
        }
        ok->click();
    });
    EXPECT_TRUE(Rebuilds([this] { Book()->findChild<QAction*>("mnuPrintSetup")->trigger(); }));
    EXPECT_EQ(shown, (std::vector<QString>{"PDF File", "PDF File", "OK"}));
    EXPECT_EQ(Stored("Print", "PrinterName"), "PDF File");
}

TEST_F(BookSettingsTest, ChangeFontStoresTheFontAndFitsTheNamesOnTheSamePages) {
    const int pages = Book()->TotalPages();
    const int nameWidth = Book()->Book().Item(1)->GetElements().Item(1)->NameWidth();
    WhenShown<QFontDialog>([](QFontDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(Rebuilds([this] { Entry("mnuFont")->trigger(); }));
    EXPECT_EQ(Stored("LADDER_FONT", "NAME"), "(none)");

    // Names take other rows in another font: the book is laid out anew.
    WhenShown<QFontDialog>([](QFontDialog& dialog) {
        dialog.setCurrentFont(QFont("DejaVu Sans Mono", 12, QFont::Bold));
        dialog.accept();
    });
    EXPECT_TRUE(Rebuilds([this] { Entry("mnuFont")->trigger(); }));
    EXPECT_EQ(Stored("LADDER_FONT", "NAME") + "/" + Stored("LADDER_FONT", "SIZE") + "/" +
                  Stored("LADDER_FONT", "BOLD"),
              "DejaVu Sans Mono/12/True");
    EXPECT_LT(Book()->Book().Item(1)->GetElements().Item(1)->NameWidth(), nameWidth);
    EXPECT_EQ(Book()->TotalPages(), pages);

    // A size between whole points is stored as chosen; a new book and the printed pages
    // take the whole size nearest.
    QFont between("DejaVu Sans Mono");
    between.setPointSizeF(9.75);
    Book()->ApplyFont(between);
    EXPECT_EQ(Stored("LADDER_FONT", "SIZE") + Stored("LADDER_FONT", "BOLD"), "9.75False");
    EXPECT_EQ(LadderFont(settings).pointSize(), 10);
}

// Long names wrap into more lines, and their rungs into more rows, in a larger font.
TEST_F(BookSettingsTest, ALargerFontGivesLongNamesTallerRungsOnMorePages) {
    std::string source = "PROGRAM LONG;\nBOOLEAN BITS\n";
    std::string logic;
    for (int i = 0; i < 24; ++i) {
        const std::string name = "SIGNAL_" + std::to_string(i) + "_ROUTE_SET_AND_LOCKED_NORMAL";
        source += "    " + name + "_IN, " + name + "_OUT,\n";
        logic += "    ASSIGN " + name + "_IN TO " + name + "_OUT;\n";
    }
    Book()->close();
    Settle();
    StartOn("long", source + "    CPS.STATUS;\nLOGIC BEGIN\n" + logic + "END LOGIC\nEND PROGRAM\n",
            kListing);
    CreateBook();
    const int pages = Book()->TotalPages();
    QFont larger("DejaVu Sans Mono");
    larger.setPointSize(14);
    EXPECT_TRUE(Rebuilds([&] { Book()->ApplyFont(larger); }));
    EXPECT_GT(Book()->TotalPages(), pages);
}

TEST_F(BookSettingsTest, TheFontDialogOpensOnTheStoredFaceAndKeptItKeepsItsName) {
    // "Courier New", as the book names it, stands for its metric twin on this desktop.
    settings.SaveSetting("LADDER_FONT", "NAME", "Courier New");
    Book()->close();
    Settle();
    CreateBook();
    QString opened;
    WhenShown<QFontDialog>([&opened](QFontDialog& dialog) {
        opened = dialog.currentFont().family();
        dialog.accept();
    });
    Entry("mnuFont")->trigger();
    EXPECT_EQ(opened.toStdString(), "Liberation Mono");
    EXPECT_EQ(Stored("LADDER_FONT", "NAME"), "Courier New");
}

}  // namespace
}  // namespace veldra::testing
