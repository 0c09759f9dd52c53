#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QRadioButton>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "book/qt/book_fixture.h"
#include "book/qt/frmListing.h"
#include "book/qt/frmPrint.h"
#include "book/qt/frmPrintPgs.h"

namespace veldra::testing {
namespace {

std::string FileText(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

int Count(const std::string& text, const char* pattern) {
    const std::regex expression(pattern);
    return int(std::distance(std::sregex_iterator(text.begin(), text.end(), expression),
                             std::sregex_iterator()));
}

// The simulator with a program of twelve three-branch statements, its book built as the
// user builds it.
class PlotBookTest : public BookFixture {
protected:
    PlotBookTest() { StartOn("plot", ParallelProgram("PLOT", 12, true), kListing); }
    QAction* BookItem(const char* name) { return Book()->findChild<QAction*>(name); }
    void CreateBook() {
        BookFixture::CreateBook();
        ASSERT_NE(Book(), nullptr);
        Book()->openPlot = [this](const std::filesystem::path& file) { opened.push_back(file); };
    }
    // Chooses the whole book in the page-range dialog, as relabelled for the plot.
    void PlotAll() {
        WhenShown<frmPrintPgs>([this](frmPrintPgs& range) {
            captions = range.windowTitle().toStdString();
            for (QRadioButton* option : range.findChildren<QRadioButton*>()) {
                captions += "|" + option->text().toStdString();
            }
            range.OKButton_Click();
        });
        Book()->mnuPlot_Click();
    }

    std::vector<std::filesystem::path> opened;
    std::string captions;
};

TEST_F(PlotBookTest, ConfiguringForThePlotLaysTheBookOutOnTheSheetAndOffersOnlyThePlot) {
    CreateBook();
    EXPECT_FALSE(BookItem("mnuPlot")->isEnabled());
    EXPECT_TRUE(Book()->findChild<QMenu*>("mnuPrintSep")->menuAction()->isVisible());

    BookItem("mnuSetVisio")->trigger();
    Settle();
    ASSERT_NE(Book(), nullptr);
    EXPECT_EQ(settings.GetSetting("View", "Visio"), "True");
    EXPECT_TRUE(BookItem("mnuSetVisio")->isChecked());
    EXPECT_TRUE(BookItem("mnuPlot")->isEnabled());
    EXPECT_FALSE(Book()->findChild<QMenu*>("mnuPrintSep")->menuAction()->isVisible());
    for (const char* name : {"mnuFileLn1", "mnuFileLn2", "mnuPrintSetup"}) {
        EXPECT_FALSE(BookItem(name)->isVisible()) << name;
    }
    auto* wrap = Book()->findChild<QCheckBox*>("chkWrap");
    EXPECT_TRUE(wrap->isChecked() && !wrap->isEnabled());
    EXPECT_EQ(Book()->PagePicture().size(), QSize(24480 / 15, 15840 / 15));
    EXPECT_FALSE(Main().isVisible());  // a rebuild, not a closed book

    BookItem("mnuSetVisio")->trigger();
    Settle();
    EXPECT_EQ(settings.GetSetting("View", "Visio"), "False");
    EXPECT_FALSE(BookItem("mnuPlot")->isEnabled());
    EXPECT_NE(Book()->PagePicture().size(), QSize(24480 / 15, 15840 / 15));
}

TEST_F(PlotBookTest, ThePlotIsOnePdfSheetABookPageWithItsIndexAndOpensForAWatcher) {
    settings.SaveSetting("View", "Visio", "True");
    CreateBook();
    Book()->cmdPgDown_Click();
    const QString title = Book()->windowTitle();
    dialogs.Choose(Path("plot"))
        .Type("J. DESIGNER")
        .Type("")
        .Answer(MsgAnswer::Yes)  // "Watch Visio Plot?"
        .Answer(MsgAnswer::Yes)  // "Generate Index?"
        .Answer(MsgAnswer::Ok);  // "Document Ready"
    PlotAll();

    EXPECT_EQ(captions, "Plot Pages?|Plot All|Plot Current Page|Plot From - To");
    EXPECT_EQ(LastBox(), "Plot Complete: Document Ready");
    const std::string pdf = FileText(Path("plot.pdf"));
    // The book's pages, then the pages of its bit index.
    const int sheets = Count(pdf, "/Type\\s*/Page[^s]");
    EXPECT_GT(sheets, Book()->TotalPages());
    EXPECT_EQ(Count(pdf, "/MediaBox\\s*\\[0 0 1224(\\.0+)? 792(\\.0+)?\\]"), sheets);
    for (const char* property :
         {"Equivalent Circuits For PLOT", "Relay Equivalence of Boolean Logic",
          "Application Program Logic"}) {
        EXPECT_NE(pdf.find(property), std::string::npos) << property;
    }
    EXPECT_EQ(opened, std::vector<std::filesystem::path>{Path("plot.pdf")});
    EXPECT_TRUE(Book()->isVisible());
    EXPECT_EQ(Book()->windowTitle(), title);
}

TEST_F(PlotBookTest, ACancelledPlotIsSilentAndAFailedOneIsReportedWithoutAFile) {
    settings.SaveSetting("View", "Visio", "True");
    CreateBook();
    const std::size_t boxes = dialogs.boxes().size();
    WhenShown<frmPrintPgs>([](frmPrintPgs& range) { range.CancelButton_Click(); });
    Book()->mnuPlot_Click();
    dialogs.CancelFile();
    PlotAll();
    EXPECT_EQ(dialogs.boxes().size(), boxes);

    const std::string nowhere = Path("no/such/folder/plot.pdf");
    dialogs.Choose(nowhere)
        .Type("")
        .Type("")
        .Answer(MsgAnswer::No)
        .Answer(MsgAnswer::No)
        .Answer(MsgAnswer::Ok);
    PlotAll();
    EXPECT_NE(LastBox().find("VELDRA: The plot could not be written. The file " + nowhere),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(nowhere));
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(Book()->isVisible());
    for (const MsgBoxRequest& box : dialogs.boxes()) {
        EXPECT_NE(box.prompt, "Document Ready");
    }
}

}  // namespace
}  // namespace veldra::testing
