#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
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

    RecordingViewer viewer;
    DocumentViewerScope viewing{viewer};
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
    EXPECT_EQ(viewer.opened, std::vector<std::filesystem::path>{Path("plot.pdf")});
    EXPECT_TRUE(Book()->isVisible());
    EXPECT_EQ(Book()->windowTitle(), title);
}

TEST_F(PlotBookTest, WatchedOrNotThePlotShowsItsProgressAndOpensOnceReady) {
    settings.SaveSetting("View", "Visio", "True");
    CreateBook();
    for (const auto& [watch, name, viewerInstalled] :
         {std::tuple(MsgAnswer::Yes, "watched", true), std::tuple(MsgAnswer::No, "unwatched", true),
          std::tuple(MsgAnswer::Yes, "unread", false)}) {
        viewer.opened.clear();
        viewer.installed = viewerInstalled;
        // What the progress window says whenever the desktop runs during the plot.
        std::set<QString> progress;
        QTimer look;
        look.setInterval(0);
        QObject::connect(&look, &QTimer::timeout, [&progress] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (window->objectName() == "frmStatus" && window->isVisible()) {
                    progress.insert(window->findChild<QLabel*>("lblStatus")->text());
                }
            }
        });
        look.start();
        const std::size_t boxes = dialogs.boxes().size();
        dialogs.Choose(Path(name))
            .Type("")
            .Type("")
            .Answer(watch)           // "Watch Visio Plot?"
            .Answer(MsgAnswer::No)   // "Generate Index?"
            .Answer(MsgAnswer::Ok);  // "Document Ready"
        if (!viewerInstalled) {
            dialogs.Answer(MsgAnswer::Ok);
        }
        PlotAll();
        look.stop();

        const std::filesystem::path file = Path(std::string(name) + ".pdf");
        EXPECT_TRUE(progress.contains("Printing Page 1")) << name;
        EXPECT_EQ(viewer.opened, std::vector<std::filesystem::path>{file}) << name;
        std::vector<std::string> seen;
        for (std::size_t box = boxes; box < dialogs.boxes().size(); ++box) {
            seen.push_back(dialogs.boxes()[box].title + ": " + dialogs.boxes()[box].prompt);
        }
        std::vector<std::string> expected = {"Display Visio Application: Watch Visio Plot?",
                                             "Add Index to Visio Document: Generate Index?",
                                             "Plot Complete: Document Ready"};
        if (!viewerInstalled) {
            expected.push_back("Plot Complete: The plot was written to " + file.string() +
                               ", but no program could open it.");
        }
        EXPECT_EQ(seen, expected) << name;
    }
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
    EXPECT_TRUE(viewer.opened.empty());
    EXPECT_TRUE(Book()->isVisible());
    for (const MsgBoxRequest& box : dialogs.boxes()) {
        EXPECT_NE(box.prompt, "Document Ready");
    }
}

}  // namespace
}  // namespace veldra::testing
