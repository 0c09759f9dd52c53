#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "book/qt/frmListing.h"
#include "book/qt/frmPrint.h"
#include "ladder/ladders.h"
#include "support/qt/application_fixture.h"

namespace veldra::testing {
namespace {

std::string Contents(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

int PdfPages(const std::string& file) {
    const std::string text = Contents(file);
    const std::regex page("/Type\\s*/Page[^s]");
    return int(std::distance(std::sregex_iterator(text.begin(), text.end(), page),
                             std::sregex_iterator()));
}

// A book made from the source given as the user makes it, numeric blocks included.
class BitIndexWindowTest : public ApplicationFixture {
protected:
    ~BitIndexWindowTest() override {
        if (Book() != nullptr) {
            Book()->close();
        }
    }
    void OpenBook(const std::string& source) {
        std::ofstream(Path("IDX.ml2")) << source;
        std::ofstream(Path("IDX.mll")) << " *** Application Image Summary:\n"
                                       << "Application Image CRC: 3fa9\n"
                                       << "Application Image Checksum: 00c1\n";
        app = Started(Path("IDX.ml2"));
        dialogs.Choose(Path("IDX.mll")).Answer(MsgAnswer::Yes);  // "Plot Numerics?"
        WhenShown<frmListing>([](frmListing& listing) { listing.cmdSave_Click(); });
        Main().CreateBook();
        ASSERT_NE(Book(), nullptr);
        boxes = dialogs.boxes().size();
    }
    // The boxes shown since the book was made.
    std::size_t NewBoxes() const { return dialogs.boxes().size() - boxes; }
    std::string Path(const char* name) const { return folder.filePath(name).toStdString(); }
    frmPrint* Book() { return app ? dynamic_cast<frmPrint*>(Main().Book()) : nullptr; }
    void Trigger(const char* command) {
        QAction* action = Book()->findChild<QAction*>(command);
        ASSERT_NE(action, nullptr);
        ASSERT_TRUE(action->isEnabled());
        action->trigger();
    }
    // The page of the book on which the ladder of the statement stands.
    std::string PageOf(std::string_view statement) {
        for (CreateLadder& ladder : Book()->Book()) {
            if (ladder.Statement().starts_with(statement)) {
                return std::to_string(ladder.PageNumber);
            }
        }
        ADD_FAILURE() << statement << " is in no ladder";
        return "?";
    }
    std::string LastBox() const {
        return dialogs.boxes().empty()
                   ? ""
                   : dialogs.boxes().back().title + ": " + dialogs.boxes().back().prompt;
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const QString& name : QDir(folder.path()).entryList(QDir::Files | QDir::Hidden)) {
            names.push_back(name.toStdString());
        }
        return names;
    }

    QTemporaryDir folder;
    std::size_t boxes = 0;
};

// A stick ahead of eight fillers and a statement after them, so that they stand on
// different pages, and a comparison in the numeric block.
const char* kSource = R"(PROGRAM IDX;
BOOLEAN BITS
    A, B, X, Y, OVER, UNUSED,
    F1, F2, F3, F4, F5, F6, F7, F8,
    G1, G2, G3, G4, G5, G6, G7, G8,
    CPS.STATUS;
NUMERIC VARIABLES
    N;
LOGIC BEGIN
    ASSIGN A*B+X*B TO X;
    ASSIGN F1 TO G1;
    ASSIGN F2 TO G2;
    ASSIGN F3 TO G3;
    ASSIGN F4 TO G4;
    ASSIGN F5 TO G5;
    ASSIGN F6 TO G6;
    ASSIGN F7 TO G7;
    ASSIGN F8 TO G8;
    ASSIGN X*~A TO Y;
END LOGIC
NUMERIC BEGIN
    BLOCK 1
    TRIGGERS ON N AND
    ASSIGN N>3 TO OVER;
    END BLOCK
END NUMERIC
END PROGRAM
)";

TEST_F(BitIndexWindowTest, TheSavedIndexListsEveryUsedBitWithItsPagesInThreeLines) {
    ASSERT_NO_FATAL_FAILURE(OpenBook(kSource));
    const std::string first = PageOf("A*B+X*B TO X");
    const std::string later = PageOf("X*~A TO Y");
    const std::string numeric = PageOf("N>3 TO OVER");
    ASSERT_NE(first, later);

    dialogs.Choose(Path("IDX.txt"));
    Trigger("mnuSaveIndex");
    EXPECT_EQ(dialogs.fileDialogs().back().filter, "Text Files (*.txt)|*.txt");
    EXPECT_EQ(dialogs.fileDialogs().back().proposedName, "IDX");

    const auto entry = [](const std::string& name, const std::string& pages) {
        return name + "\r\nPage(s): " + pages + "\r\n\r\n";
    };
    const auto coil = [](const std::string& page) { return "(" + page + ")"; };
    std::string expected = entry("A", first + ", " + later) + entry("B", first);
    for (const char* kind : {"F", "G"}) {
        for (int i = 1; i <= 8; ++i) {
            const std::string name = kind + std::to_string(i);
            const std::string page = PageOf("F" + std::to_string(i) + " TO");
            expected += entry(name, kind == std::string("F") ? page : coil(page));
        }
    }
    // X holds itself: read and a coil on the first page, one item in brackets.
    expected += entry("N", numeric) + entry("OVER", coil(numeric)) +
                entry("X", coil(first) + ", " + later) + entry("Y", coil(later));
    EXPECT_EQ(Contents(Path("IDX.txt")), expected);
    EXPECT_EQ(NewBoxes(), 0u);
    EXPECT_TRUE(Book()->isEnabled());
}

TEST_F(BitIndexWindowTest, AnExistingFileIsReplacedOnlyOnYesAndCancelSaysNothing) {
    ASSERT_NO_FATAL_FAILURE(OpenBook(kSource));
    std::ofstream(Path("old.txt")) << "old index";
    dialogs.Choose(Path("old.txt")).Answer(MsgAnswer::No);
    Trigger("mnuSaveIndex");
    ASSERT_EQ(NewBoxes(), 1u);
    EXPECT_EQ(LastBox(), "File Exists: Replace File?");
    EXPECT_EQ(dialogs.boxes().back().buttons, MsgButtons::YesNo);
    EXPECT_EQ(Contents(Path("old.txt")), "old index");

    dialogs.Choose(Path("old.txt")).Answer(MsgAnswer::Yes);
    Trigger("mnuSaveIndex");
    EXPECT_EQ(Contents(Path("old.txt")).substr(0, 3), "A\r\n");

    dialogs.CancelFile();
    Trigger("mnuSaveIndex");
    EXPECT_EQ(NewBoxes(), 2u);
}

TEST_F(BitIndexWindowTest, AFailedSaveIsReportedAndLeavesNoPartOfAFile) {
    ASSERT_NO_FATAL_FAILURE(OpenBook(kSource));
    const std::vector<std::string> before = Files();

    dialogs.Choose(Path("missing/IDX.txt")).Answer(MsgAnswer::Ok);
    Trigger("mnuSaveIndex");
    EXPECT_EQ(LastBox().rfind("VELDRA: The bit index could not be saved to ", 0), 0u) << LastBox();
    EXPECT_EQ(dialogs.boxes().back().icon, MsgIcon::Critical);

    // A name taken by a folder can be neither written nor replaced.
    ASSERT_TRUE(QDir(folder.path()).mkdir("taken.txt"));
    dialogs.Choose(Path("taken.txt")).Answer(MsgAnswer::Yes).Answer(MsgAnswer::Ok);
    Trigger("mnuSaveIndex");
    EXPECT_EQ(LastBox(), "VELDRA: File Locked, or in-use by another process.");
    EXPECT_EQ(dialogs.boxes().back().icon, MsgIcon::Information);
    EXPECT_EQ(Files(), before);
    EXPECT_TRUE(Book()->isEnabled());
}

TEST_F(BitIndexWindowTest, ThePrintedIndexRunsOnOverPagesAndGivesThePreviewBack) {
    std::string source = "PROGRAM IDX;\nBOOLEAN BITS\n";
    for (int i = 0; i < 40; ++i) {
        source += "    P" + std::to_string(i) + ", Q" + std::to_string(i) + ",\n";
    }
    source += "    CPS.STATUS;\nLOGIC BEGIN\n";
    for (int i = 0; i < 40; ++i) {
        source += "    ASSIGN P" + std::to_string(i) + " TO Q" + std::to_string(i) + ";\n";
    }
    source += "END LOGIC\nEND PROGRAM\n";
    ASSERT_NO_FATAL_FAILURE(OpenBook(source));
    Book()->cmdPgDown_Click();
    const QString caption = Book()->windowTitle();

    dialogs.Choose(Path("index.pdf"));
    Trigger("mnuPrintIndex");
    // Eighty entries of four lines each: far more than one page holds.
    EXPECT_GE(PdfPages(Path("index.pdf")), 3);
    EXPECT_EQ(NewBoxes(), 0u);
    EXPECT_EQ(Book()->windowTitle(), caption);
    EXPECT_TRUE(Book()->isEnabled());
    for (QWidget* window : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(window->objectName() == "frmStatus" && window->isVisible());
    }

    // A cancelled file name prints nothing and says nothing.
    dialogs.CancelFile();
    Trigger("mnuPrintIndex");
    EXPECT_EQ(NewBoxes(), 0u);
}

}  // namespace
}  // namespace veldra::testing
