#include "ladder/qt/frmShowAssign.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "engine/qt/frmProgram.h"
#include "ladder/qt/frmBdSt.h"
#include "ladder/qt/ladder_picture.h"
#include "platform/qt/twips.h"
#include "support/drawn_boxes.h"
#include "support/qt/program_window_fixture.h"
#include "support/random_statements.h"

namespace veldra::testing {
namespace {

const QColor kGreen(0, 255, 0);

// tests/data/ladder/viewer.ml2: ROUTE_1 and LOCK_1 are PB_1 + ~PB_2, SAME_1 is ~(PB_1 @ PB_2),
// P_TWO is XING_CALL @ DIR_AB, each of those two assigned by a statement of its own.
class ViewerTest : public ProgramWindowFixture, private ProgramWindowHost {
protected:
    ViewerTest() {
        MainWindowServices services;
        services.mainWindow = this;
        EXPECT_EQ(Load("ladder/viewer.ml2", std::move(services)), "VIEWER");
    }
    ~ViewerTest() override {
        for (frmShowAssign* viewer : Viewers()) {
            viewer->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static std::vector<frmShowAssign*> Viewers() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::vector<frmShowAssign*> open;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* viewer = qobject_cast<frmShowAssign*>(widget)) {
                open.push_back(viewer);
            }
        }
        return open;
    }
    frmShowAssign& Open(const char* bit) {
        const std::size_t before = placed.size();
        window->ShowBitAssign(bit);
        EXPECT_EQ(placed.size(), before + 1);
        return *qobject_cast<frmShowAssign*>(placed.back());
    }
    static QString Text(frmShowAssign& viewer) {
        return viewer.findChild<QPlainTextEdit*>("txtAssign")->toPlainText();
    }
    static bool CellValue(frmShowAssign& viewer, int col, int row) {
        return viewer.Cells().Item(col, row)->vValue();
    }
    // The wire from the contacts to the coils, at the middle of its cell.
    static QColor WireColour(frmShowAssign& viewer) {
        return viewer.Picture().Picture().pixelColor(156, 40);
    }
    void Start() {
        dialogs.Answer(MsgAnswer::No);  // "SET CPS.STATUS?"
        window->StartStop();
        Driver().Tick();
    }
    void Post(const char* name, bool value) {
        Driver().Post(name, value);
        Driver().Tick();
    }
    // The bits a command's list offers, when the list stands in the menu under its caption.
    static QStringList Offered(QMenu& list, const char* caption) {
        QStringList names;
        if (list.menuAction()->isVisible() && list.title() == caption) {
            for (QAction* action : list.actions()) {
                names.push_back(action->text());
            }
        }
        return names;
    }
    void Click(frmShowAssign& viewer, const char* button) {
        QTest::mouseClick(viewer.findChild<QPushButton*>(button), Qt::LeftButton);
    }

    std::vector<QWidget*> placed;
    int topPlacements = 0;

private:
    // As the main window: keeps the viewers placed and counts the keep-on-top placements.
    void PlaceChild(QWidget& viewer) override {
        viewer.show();
        placed.push_back(&viewer);
    }
    bool SetTopWindows() override {
        ++topPlacements;
        return true;
    }
};

TEST_F(ViewerTest, ASecondResultOpensItsStatementAndAnUnassignedBitSaysSo) {
    frmShowAssign& viewer = Open(" lock_1");
    EXPECT_EQ(Text(viewer), "ASSIGN PB_1 + ~PB_2 TO ROUTE_1, LOCK_1;");
    EXPECT_EQ(viewer.windowTitle(), "Assign Statement");
    dialogs.Answer(MsgAnswer::Ok);
    window->ShowBitAssign("PB_1");
    EXPECT_EQ(Viewers().size(), 1u);
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].prompt, "No Statement Found");
}

TEST_F(ViewerTest, AViewerGoesWhereTheMainWindowPlacesItAndStayOnTopAsksForPlacement) {
    frmShowAssign& viewer = Open("ROUTE_1");
    EXPECT_EQ(placed, std::vector<QWidget*>{&viewer});
    viewer.move(30, 40);
    viewer.findChild<QCheckBox*>("chkTop")->setChecked(true);
    EXPECT_EQ(topPlacements, 1);
    EXPECT_EQ(viewer.pos(), QPoint(30, 40));
}

TEST_F(ViewerTest, TheLadderFollowsAnInputChangedDuringAScan) {
    frmShowAssign& viewer = Open("ROUTE_1");
    const QLabel* result = viewer.findChild<QLabel*>("lblStatement");
    EXPECT_EQ(result->text(), "Statement is currently:  False");
    EXPECT_NE(WireColour(viewer), kGreen);

    Start();  // ~PB_2 conducts
    EXPECT_EQ(result->text(), "Statement is currently:  True");
    EXPECT_TRUE(CellValue(viewer, 1, 0) && CellValue(viewer, 2, 1));
    EXPECT_EQ(WireColour(viewer), kGreen);

    Post("PB_2", true);
    EXPECT_TRUE(CellValue(viewer, 0, 1) && !CellValue(viewer, 2, 0));
    EXPECT_EQ(WireColour(viewer), QColor(0, 0, 0));
}

// The NOT over the bracket is drawn on the one contact inside it, which follows both its
// operands; the text stays as it was written.
TEST_F(ViewerTest, AnExclusiveOrContactFollowsBothItsOperands) {
    frmShowAssign& viewer = Open("SAME_1");
    EXPECT_EQ(Text(viewer), "ASSIGN ~(PB_1 @ PB_2) TO SAME_1;");
    const Element& contact = *viewer.Cells().Item(0, 0);
    EXPECT_EQ(contact.Name, "PB_1@PB_2");
    EXPECT_TRUE(contact.Back());

    Start();
    EXPECT_TRUE(Value("SAME_1") && contact.Conducting());
    EXPECT_EQ(WireColour(viewer), kGreen);
    Post("PB_1", true);
    EXPECT_FALSE(Value("SAME_1") || contact.Conducting());
    EXPECT_NE(WireColour(viewer), kGreen);
    Post("PB_2", true);
    EXPECT_TRUE(Value("SAME_1") && contact.Conducting());
    EXPECT_EQ(WireColour(viewer), kGreen);
}

TEST_F(ViewerTest, ClosingOneOfTwoViewersKeepsTheOtherLive) {
    frmShowAssign& first = Open("ROUTE_1");
    frmShowAssign& second = Open("LOCK_1");
    Statement& statement = *second.ShowStatement();
    first.close();
    EXPECT_EQ(Viewers().size(), 1u);
    EXPECT_TRUE(statement.IsDisplayed());

    Start();
    Post("PB_2", true);
    EXPECT_TRUE(CellValue(second, 0, 1));
    second.close();
    EXPECT_FALSE(statement.IsDisplayed());
}

// Lines broken by hand are one statement: no break may become part of an operand's name.
TEST_F(ViewerTest, AStatementEditedInTheViewerIsSolvedOnTheNextStart) {
    frmShowAssign& viewer = Open("ROUTE_1");
    viewer.findChild<QPlainTextEdit*>("txtAssign")
        ->setPlainText("ASSIGN PB_1*\nPB_2\tTO ROUTE_1,\r\nLOCK_1;");
    Click(viewer, "cmdEdit");
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_EQ(Text(viewer), "ASSIGN PB_1 * PB_2 TO ROUTE_1, LOCK_1;");
    EXPECT_TRUE(viewer.ShowStatement()->Edited());
    EXPECT_TRUE(window->isEnabled());

    Start();
    EXPECT_FALSE(Value("LOCK_1"));
    Post("PB_1", true);
    Post("PB_2", true);
    EXPECT_TRUE(Value("ROUTE_1") && Value("LOCK_1") && CellValue(viewer, 3, 1));
}

TEST_F(ViewerTest, ASaveIsRefusedWhileRunningOrWhileTheStatementsListIsOpen) {
    frmShowAssign& viewer = Open("ROUTE_1");
    Start();
    dialogs.Answer(MsgAnswer::Ok);
    Click(viewer, "cmdEdit");
    window->StartStop();
    QWidget list;
    const RegisteredWidget listed(registry, list, "frmStatements");
    dialogs.Answer(MsgAnswer::Ok);
    Click(viewer, "cmdEdit");

    ASSERT_EQ(dialogs.boxes().size(), 3u);
    EXPECT_EQ(dialogs.boxes()[1].prompt, "Statement can not be changed while program is running.");
    EXPECT_EQ(dialogs.boxes()[2].prompt,
              "You Must Close the STATEMENTS Window before save changes");
    EXPECT_EQ(dialogs.boxes()[2].title, "Save Failed");
}

TEST_F(ViewerTest, AToggledContactReachesTheNextScanAndTheLadderSavesAsABitmap) {
    frmShowAssign& viewer = Open("ROUTE_1");
    QTest::mousePress(&viewer.Picture(), Qt::RightButton, {}, QPoint(40, 40));
    auto* popup = viewer.findChild<QMenu*>("mnuPopUp");
    EXPECT_EQ(popup->defaultAction()->text(), "Toggle");
    viewer.findChild<QAction*>("mnuTgQue")->trigger();
    popup->hide();
    EXPECT_TRUE(Value("PB_1"));

    QTemporaryDir folder;
    const QString file = folder.filePath("ladder");
    dialogs.Answer(MsgAnswer::Ok).Choose(file.toStdString());
    Click(viewer, "cmdLadder");
    EXPECT_EQ(dialogs.boxes().back().title, "Automatic File Overwrite");
    const QImage saved(file, "BMP");
    EXPECT_EQ(saved.size(), viewer.Picture().Picture().size());
    // The right press selected the contact: its frame is on screen, never in the bitmap.
    const auto framed = [](const QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixelColor(x, y) == QColor(0x80, 0x80, 0xFF)) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(framed(viewer.Picture().Picture()));
    EXPECT_FALSE(framed(saved));

    dialogs.Answer(MsgAnswer::Ok)
        .Answer(MsgAnswer::Ok)
        .Choose(folder.filePath("missing/ladder").toStdString());
    Click(viewer, "cmdLadder");
    EXPECT_EQ(dialogs.boxes().back().title, "Veldra");
    EXPECT_EQ(dialogs.boxes().back().icon, MsgIcon::Critical);
}

// An exclusive-or contact reads two bits: its menu lists them, and the one chosen is
// toggled and solved for at the next scan.
TEST_F(ViewerTest, AnExclusiveOrContactOffersEachOfItsBitsToToggle) {
    frmShowAssign& viewer = Open("SAME_1");
    Start();
    ASSERT_TRUE(Value("SAME_1"));
    QTest::mousePress(&viewer.Picture(), Qt::RightButton, {}, QPoint(40, 40));
    auto* popup = viewer.findChild<QMenu*>("mnuPopUp");
    auto* bits = viewer.findChild<QMenu*>("mnuTgBits");
    EXPECT_FALSE(viewer.findChild<QAction*>("mnuTgQue")->isVisible());
    EXPECT_EQ(Offered(*bits, "Toggle"), (QStringList{"PB_1", "PB_2"}));

    bits->actions().at(1)->trigger();
    popup->hide();
    Driver().Tick();
    EXPECT_TRUE(Value("PB_2") && !Value("PB_1"));
    EXPECT_FALSE(Value("SAME_1"));

    // A contact of one bit has the single entry again.
    frmShowAssign& plain = Open("ROUTE_1");
    QTest::mousePress(&plain.Picture(), Qt::RightButton, {}, QPoint(40, 40));
    plain.findChild<QMenu*>("mnuPopUp")->hide();
    EXPECT_TRUE(plain.findChild<QAction*>("mnuTgQue")->isVisible());
    EXPECT_FALSE(plain.findChild<QMenu*>("mnuTgBits")->menuAction()->isVisible());
}

// Tracing a bit of an exclusive-or contact upstream: "Show Assign" lists the contact's bits
// as "Toggle" does, and the one chosen opens the statement that assigns it. A coil keeps the
// single entry, for its own name.
TEST_F(ViewerTest, ShowAssignOnAnExclusiveOrContactOpensTheStatementOfTheBitChosen) {
    frmShowAssign& viewer = Open("P_TWO");
    EXPECT_EQ(Text(viewer), "ASSIGN XING_CALL @ DIR_AB TO P_TWO;");
    QTest::mousePress(&viewer.Picture(), Qt::RightButton, {}, QPoint(40, 40));
    viewer.findChild<QMenu*>("mnuPopUp")->hide();
    EXPECT_EQ(viewer.findChild<QAction*>("mnuBit")->text(), "XING_CALL@DIR_AB");
    auto* show = viewer.findChild<QMenu*>("mnuShowBits");
    EXPECT_FALSE(viewer.findChild<QAction*>("mnuShow")->isVisible());
    EXPECT_EQ(Offered(*show, "Show Assign"), (QStringList{"XING_CALL", "DIR_AB"}));

    for (const auto& [entry, statement] : {std::pair(1, "ASSIGN ~PB_2 TO DIR_AB;"),
                                           std::pair(0, "ASSIGN PB_1 * PB_2 TO XING_CALL;")}) {
        const std::size_t before = placed.size();
        show->actions().at(entry)->trigger();
        ASSERT_EQ(placed.size(), before + 1) << statement;
        EXPECT_EQ(Text(*qobject_cast<frmShowAssign*>(placed.back())), statement);
    }
    EXPECT_TRUE(dialogs.boxes().empty());

    int coilCol = 0;
    for (const auto& cell : viewer.Cells()) {
        coilCol = cell->IsOutput ? cell->Col() : coilCol;
    }
    const int coilLeft = int(coilCol * Element::kWidth / TwipsFromPixels(1));
    QTest::mousePress(&viewer.Picture(), Qt::RightButton, {}, QPoint(coilLeft + 40, 40));
    viewer.findChild<QMenu*>("mnuPopUp")->hide();
    EXPECT_EQ(viewer.findChild<QAction*>("mnuBit")->text(), "P_TWO");
    EXPECT_FALSE(show->menuAction()->isVisible());
    QAction* single = viewer.findChild<QAction*>("mnuShow");
    EXPECT_TRUE(single->isVisible());
    single->trigger();
    EXPECT_EQ(Text(*qobject_cast<frmShowAssign*>(placed.back())),
              "ASSIGN XING_CALL @ DIR_AB TO P_TWO;");
}

TEST_F(ViewerTest, AStatementMendedInTheFaultEditorShowsInItsOpenViewer) {
    frmShowAssign& viewer = Open("ROUTE_1");
    frmBdSt editor(registry, Engine());
    editor.SetStatement(viewer.ShowStatement());
    editor.findChild<QPlainTextEdit*>("Text1")->setPlainText("ASSIGN PB_1 * PB_2 TO ROUTE_1;");
    QTest::mouseClick(editor.findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
    EXPECT_EQ(Text(viewer), "ASSIGN PB_1 * PB_2 TO ROUTE_1;");
    EXPECT_EQ(viewer.Cells().Item(1, 0)->Name, "PB_2");
}

// Brackets the builder cannot close give the ladder of what it could lay out.
TEST_F(ViewerTest, AMalformedEditIsSavedAsTheParserTakesItAndDrawnAsFarAsItGoes) {
    frmShowAssign& viewer = Open("ROUTE_1");
    for (const char* text : {"ASSIGN (PB_1 + TO ROUTE_1;", "ASSIGN ((( TO ROUTE_1, LOCK_1;"}) {
        viewer.findChild<QPlainTextEdit*>("txtAssign")->setPlainText(text);
        Click(viewer, "cmdEdit");
        ASSERT_NE(viewer.Cells().Item(1, 0), nullptr) << text;
        EXPECT_TRUE(viewer.Cells().Item(1, 0)->hLine()) << text;
    }
    EXPECT_TRUE(dialogs.boxes().empty());
}

// A press on the lines of a name in the room its row grew by picks the name's contact.
TEST_F(ViewerTest, APressOnANamesLinesBelowItsRowSelectsItsContact) {
    frmShowAssign& viewer = Open("ROUTE_1");
    viewer.findChild<QPlainTextEdit*>("txtAssign")
        ->setPlainText("ASSIGN ROUTE_SET_NORMAL@ROUTE_SET_REVERSE@PB_1 + PB_2 TO ROUTE_1;");
    viewer.CreateLadderElements();
    const Element* below = viewer.Cells().Item(0, 1);
    ASSERT_NE(below, nullptr);
    ASSERT_TRUE(below->NameRoom);
    // The middle of the first column's second row, 840 to 1680 twips down.
    QTest::mousePress(&viewer.Picture(), Qt::LeftButton, {}, QPoint(52, 84));
    EXPECT_EQ(viewer.findChild<QAction*>("mnuBit")->text(),
              "ROUTE_SET_NORMAL@ROUTE_SET_REVERSE@PB_1");
    EXPECT_TRUE(viewer.Cells().Item(0, 0)->IsSelected());
}

// Names of any length, laid out in the viewer's own font: each stands whole beside its own
// contact or coil, over no other name and no symbol.
TEST_F(ViewerTest, LongNamesLieOverNoOtherNameAndNoSymbol) {
    frmShowAssign& viewer = Open("ROUTE_1");
    auto* box = viewer.findChild<QPlainTextEdit*>("txtAssign");
    const LadderPicture& picture = viewer.Picture();
    RandomStatements statements(6, 1, 80);
    for (int i = 0; i < 40; ++i) {
        const std::string statement = i == 0 ? std::string(300, 'L') + " @ PB_1 + ~" +
                                                   std::string(300, 'M') + " TO " +
                                                   std::string(300, 'C') + ", ROUTE_1;"
                                             : statements.Statement();
        box->setPlainText(QString::fromStdString("ASSIGN " + statement));
        viewer.CreateLadderElements();
        TextBoxes drawing([&](std::string_view text) { return picture.TextWidth(text); },
                          picture.TextHeight("X"));
        drawing.Names(viewer.Cells());
        std::string names;
        for (const auto& cell : viewer.Cells()) {
            names += cell->Name;
        }
        std::string written;
        for (const DrawnBox& text : drawing.texts) {
            written += text.what;
        }
        std::erase(written, '(');
        std::erase(written, ')');
        std::erase(names, '(');
        std::erase(names, ')');
        EXPECT_EQ(written, names) << statement;
        const std::vector<std::string> faults =
            Overlaps(drawing.texts, SymbolBoxes(viewer.Cells()));
        EXPECT_TRUE(faults.empty()) << statement << ": " << faults.front();
    }
}

}  // namespace
}  // namespace veldra::testing
