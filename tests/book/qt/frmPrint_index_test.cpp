#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "book/qt/book_fixture.h"
#include "book/qt/frmListing.h"
#include "book/qt/frmPrint.h"

namespace veldra::testing {
namespace {

std::string Contents(const std::string& file) {
    std::stringstream bytes;
    bytes << std::ifstream(file, std::ios::binary).rdbuf();
    return bytes.str();
}

// A stick, a ladder of fourteen rows and a statement after it, so that they stand on
// pages of their own, and a comparison in the numeric block; the book made with them.
class BitIndexWindowTest : public BookFixture {
protected:
    BitIndexWindowTest() {
        StartOn("IDX", R"(PROGRAM IDX;
BOOLEAN BITS A, B, F, G, X, Y, OVER, UNUSED, CPS.STATUS;
NUMERIC VARIABLES N;
LOGIC BEGIN
    ASSIGN A*B+X*B TO X;
    ASSIGN F+F+F+F+F+F+F+F+F+F+F+F+F+F TO G;
    ASSIGN X*~A TO Y;
END LOGIC
NUMERIC BEGIN
    BLOCK 1
    TRIGGERS ON N AND
    ASSIGN N>3 TO OVER;
    END BLOCK
END NUMERIC
END PROGRAM
)",
                "");
        CreateBook(MsgAnswer::Yes);  // "Plot Numerics?"
        boxes = dialogs.boxes().size();
    }
    void Trigger(const char* command) { Book()->findChild<QAction*>(command)->trigger(); }
    // The page of the book on which the ladder of the statement stands.
    std::string PageOf(std::string_view statement) {
        for (CreateLadder& ladder : Book()->Book()) {
            if (ladder.Statement().starts_with(statement)) {
                return std::to_string(ladder.PageNumber);
            }
        }
        return "?";
    }
    // The boxes shown since the book was made, as title and prompt.
    std::vector<std::string> NewBoxes() const {
        std::vector<std::string> shown;
        for (std::size_t i = boxes; i < dialogs.boxes().size(); ++i) {
            shown.push_back(dialogs.boxes()[i].title + ": " + dialogs.boxes()[i].prompt);
        }
        return shown;
    }

    std::size_t boxes = 0;
};

TEST_F(BitIndexWindowTest, TheSavedIndexListsEveryUsedBitWithItsPagesInThreeLines) {
    ASSERT_NE(Book(), nullptr);
    const std::string first = PageOf("A*B+X*B TO X"), tall = PageOf("F+"),
                      later = PageOf("X*~A TO Y"), numeric = PageOf("N>3 TO OVER");
    ASSERT_NE(first, later);
    dialogs.Choose(Path("IDX.txt"));
    Trigger("mnuSaveIndex");
    EXPECT_EQ(dialogs.fileDialogs().back().proposedName, "IDX");
    // Three lines a bit on some page. X holds itself: read and a coil on the first page,
    // one item in brackets.
    const std::pair<std::string, std::string> entries[] = {{"A", first + ", " + later},
                                                           {"B", first},
                                                           {"F", tall},
                                                           {"G", "(" + tall + ")"},
                                                           {"N", numeric},
                                                           {"OVER", "(" + numeric + ")"},
                                                           {"X", "(" + first + "), " + later},
                                                           {"Y", "(" + later + ")"}};
    std::string expected;
    for (const auto& [name, pages] : entries) {
        expected += name + "\r\nPage(s): " + pages + "\r\n\r\n";
    }
    EXPECT_EQ(Contents(Path("IDX.txt")), expected);

    // Printed: the index pages in a PDF, and the preview as it was.
    dialogs.Choose(Path("IDX.pdf"));
    Trigger("mnuPrintIndex");
    EXPECT_EQ(Contents(Path("IDX.pdf")).rfind("%PDF", 0), 0u);
    EXPECT_TRUE(NewBoxes().empty());
    EXPECT_TRUE(Book()->isEnabled());
}

TEST_F(BitIndexWindowTest, AnExistingFileIsReplacedOnYesAFailureIsToldAndCancelSaysNothing) {
    ASSERT_NE(Book(), nullptr);
    std::ofstream(Path("old.txt")) << "old index";
    dialogs.Choose(Path("old.txt")).Answer(MsgAnswer::No);
    Trigger("mnuSaveIndex");
    EXPECT_EQ(Contents(Path("old.txt")), "old index");
    dialogs.Choose(Path("old.txt")).Answer(MsgAnswer::Yes);
    Trigger("mnuSaveIndex");
    EXPECT_EQ(Contents(Path("old.txt")).substr(0, 3), "A\r\n");
    dialogs.CancelFile();
    Trigger("mnuSaveIndex");

    // Neither a missing folder nor a name taken by a folder leaves a file behind.
    const QStringList files = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    dialogs.Choose(Path("no/IDX.txt")).Answer(MsgAnswer::Ok);
    Trigger("mnuSaveIndex");
    ASSERT_TRUE(QDir(folder.path()).mkdir("taken.txt"));
    dialogs.Choose(Path("taken.txt")).Answer(MsgAnswer::Yes).Answer(MsgAnswer::Ok);
    Trigger("mnuSaveIndex");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), files);

    const std::vector<std::string> shown = NewBoxes();
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[0], "File Exists: Replace File?");
    EXPECT_EQ(shown[1], "File Exists: Replace File?");
    EXPECT_EQ(
        shown[2].rfind("VELDRA: The bit index could not be saved to " + Path("no/IDX.txt"), 0), 0u);
    EXPECT_EQ(shown[3], "File Exists: Replace File?");
    EXPECT_EQ(shown[4], "VELDRA: File Locked, or in-use by another process.");
}

}  // namespace
}  // namespace veldra::testing
