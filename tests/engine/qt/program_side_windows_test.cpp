#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>
#include <vector>

#include "engine/qt/frmProgram.h"
#include "support/qt/program_window_fixture.h"

namespace veldra::testing {
namespace {

// The windows the program window opens beside itself, over a loaded program.
class SideWindowsTest : public ProgramWindowFixture {
protected:
    void Start(const char* file) {
        Load(file);
        dialogs.Answer(MsgAnswer::No);  // "SET CPS.STATUS?"
        window->StartStop();
    }
    void Scan(const char* input, bool value) {
        Driver().Post(input, value);
        Driver().Tick();
    }
    static QWidget* TopLevel(const char* name) {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == name && !widget->isHidden()) {
                return widget;
            }
        }
        return nullptr;
    }
    // A list's lines, or a grid's rows with their cells apart by a blank.
    static QStringList Lines(QAbstractItemView* view) {
        QStringList lines;
        for (int row = 0; row < view->model()->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < view->model()->columnCount(); ++column) {
                cells << view->model()->index(row, column).data().toString();
            }
            lines << cells.join(' ');
        }
        return lines;
    }
    static void DoubleClick(QAbstractItemView* view, const QString& line) {
        Q_EMIT view->doubleClicked(view->model()->index(int(Lines(view).indexOf(line)), 0));
    }
    // Opens a modal window from the program window's menu and works it while it is open.
    void WorkModal(const char* menu, const std::function<void(QWidget&)>& work) {
        bool worked = false;
        QTimer::singleShot(0, [&] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                work(*modal);
                worked = true;
                QTest::mouseClick(modal->findChild<QPushButton*>("Command1"), Qt::LeftButton);
            }
        });
        window->findChild<QAction*>(menu)->trigger();
        EXPECT_TRUE(worked);
    }
};

TEST_F(SideWindowsTest, AFilteredBitLeavesTheImmediateWindowAndAWatchedOneStopsEachChange) {
    Start("program_window/small.ml2");
    WorkModal("mnuFilter", [](QWidget& filter) {
        EXPECT_EQ(filter.objectName(), "frmFilter");
        DoubleClick(filter.findChild<QListView*>("lstShow"), "LED.3");
        EXPECT_TRUE(Lines(filter.findChild<QListView*>("lstFilter")).contains("LED.3"));
    });
    WorkModal("mnuWatch", [](QWidget& watches) {
        EXPECT_EQ(watches.objectName(), "frmSetWatches");
        DoubleClick(watches.findChild<QListView*>("lstIgnore"), "ROUTE_1");
    });
    for (const bool value : {true, false}) {
        dialogs.Answer(MsgAnswer::Ok);
        Scan("PB_1", value);
        EXPECT_EQ(Value("LED.3"), value);  // the scan went on after the box
    }
    std::vector<std::string> boxes;
    for (const MsgBoxRequest& box : dialogs.boxes()) {
        boxes.push_back(box.title + ": " + box.prompt);
    }
    EXPECT_EQ(boxes, (std::vector<std::string>{"CPS.STATUS IS CLEAR (FALSE): SET CPS.STATUS?",
                                               "Bit Watch: ROUTE_1 Is Being SET",
                                               "Bit Watch: ROUTE_1 Is Being CLEARED"}));
    window->StartStop();
    const std::string shown = Engine().Status().StatusText();
    EXPECT_NE(shown.find("Setting bit: ROUTE_1"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("bit: LED.3"), std::string::npos) << shown;
}

TEST_F(SideWindowsTest, ATableWindowShowsItsStatesAndKeepsTheChosenOneHighlighted) {
    Start("program_window/crossing_table.ml2");
    auto* table = TopLevel("frmTable");
    ASSERT_NE(table, nullptr);
    const std::vector<BoardPanel*> loaded = registry.Windows();  // among the loaded windows
    ASSERT_EQ(loaded.back()->Name(), "frmTable");
    EXPECT_EQ(loaded.back()->Caption(), "Table: 1");
    auto* grid = table->findChild<QTableView*>("grdTable");
    EXPECT_EQ(Lines(grid), (QStringList{" TR_A TR_B  GATE_DOWN BELL", "STATE 1 ? = 1 1",
                                        "STATE 0 1 = 1 0", "STATE   = 0 0"}));
    EXPECT_EQ(Lines(table->findChild<QListView*>("lstTriggers")), (QStringList{"TR_A", "TR_B"}));

    Scan("TR_B", true);
    EXPECT_TRUE(Value("GATE_DOWN"));
    const auto highlighted = [grid] {
        QList<int> rows;
        for (const QModelIndex& row : grid->selectionModel()->selectedRows()) {
            rows << row.row();
        }
        return rows;
    };
    EXPECT_EQ(highlighted(), QList<int>{2});
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(1, 2)).center());
    EXPECT_EQ(highlighted(), QList<int>{2});

    table->close();  // by hand: it only goes out of the way
    EXPECT_TRUE(table->isMinimized());
    // Opening another program closes every loaded window, the table's for good.
    registry.ForEachFromLast([](BoardPanel& loaded) { loaded.CloseWindow(true); });
    EXPECT_EQ(TopLevel("frmTable"), nullptr);
}

// A table stepped through its states by its own outputs' statements chooses a state again
// and again in one tick; its window follows the tick once, to where the tick left it.
TEST_F(SideWindowsTest, ATickThatChoosesATablesStateManyTimesUpdatesItsWindowOnce) {
    Start("program_window/stepping_table.ml2");
    auto* table = TopLevel("frmTable");
    ASSERT_NE(table, nullptr);
    auto* grid = table->findChild<QTableView*>("grdTable");
    QAbstractItemModel* triggers = table->findChild<QListView*>("lstTriggers")->model();
    struct Case {
        bool x;
        int chosen;  // the grid row of the state the tick ends in
    };
    for (const Case& tick : {Case{true, 4}, Case{false, 5}, Case{true, 4}}) {
        std::vector<std::unique_ptr<QSignalSpy>> updates;
        for (QAbstractItemModel* model : {grid->model(), triggers}) {
            updates.push_back(
                std::make_unique<QSignalSpy>(model, &QAbstractItemModel::dataChanged));
            updates.push_back(std::make_unique<QSignalSpy>(model, &QAbstractItemModel::modelReset));
        }
        updates.push_back(std::make_unique<QSignalSpy>(grid->selectionModel(),
                                                       &QItemSelectionModel::selectionChanged));
        updates.push_back(std::make_unique<QSignalSpy>(grid->selectionModel(),
                                                       &QItemSelectionModel::currentChanged));

        Scan("X", tick.x);

        ASSERT_EQ(Value("R3"), tick.x) << "the table went through every step";
        for (const std::unique_ptr<QSignalSpy>& update : updates) {
            EXPECT_LE(update->count(), 1) << update->signal().constData() << " X=" << tick.x;
        }
        EXPECT_EQ(grid->currentIndex().row(), tick.chosen);
        ASSERT_EQ(grid->selectionModel()->selectedRows().size(), 1);
        EXPECT_EQ(grid->selectionModel()->selectedRows().front().row(), tick.chosen);
    }
}

// Stopped in the middle of a tick (from a "Bit Watch" box), the table's window shows the
// state its table was left in; while the tick runs it keeps the one it showed before.
TEST_F(SideWindowsTest, ATickStoppedMidwayShowsTheStateItsTableChoseBeforeTheStop) {
    Start("program_window/stepping_table.ml2");
    Scan("X", false);
    auto* grid = TopLevel("frmTable")->findChild<QTableView*>("grdTable");
    ASSERT_EQ(grid->currentIndex().row(), 5);
    Engine().PrgBooleanBits()->Find("R2")->SetIsWatch(true);
    int shownDuringTheTick = -1;
    dialogs.whileShown = [&](const MsgBoxRequest&) {
        shownDuringTheTick = grid->currentIndex().row();
        window->StartStop();
    };
    dialogs.Answer(MsgAnswer::Ok);

    Scan("X", true);

    EXPECT_EQ(shownDuringTheTick, 5);
    EXPECT_EQ(Engine().StartCaption(), ProgramEngine::kStartCaption);
    EXPECT_FALSE(Value("R3")) << "the tick ended at the stop";
    // The pass under way when the box came went on to the table's third state; no pass solved
    // its output's statement after the stop.
    EXPECT_EQ(grid->currentIndex().row(), 3);
}

TEST_F(SideWindowsTest, ADoubleClickedTriggerAsksTheProgramWindowForItsStatement) {
    Start("program_window/crossing_table.ml2");
    auto* table = TopLevel("frmTable");
    ASSERT_NE(table, nullptr);
    dialogs.Answer(MsgAnswer::Ok);

    DoubleClick(table->findChild<QListView*>("lstTriggers"), "TR_B");

    // An input of the table: no statement assigns it, as the program window says.
    ASSERT_FALSE(dialogs.boxes().empty());
    EXPECT_EQ(dialogs.boxes().back().prompt, "No Statement Found");
}

TEST_F(SideWindowsTest, TheNumericReportListsEachBlockAndStaysAsItWasWhenOpened) {
    Start("program_window/small.ml2");
    window->findChild<QAction*>("mnuShowNumeric")->trigger();
    auto* report = TopLevel("frmNumerics");
    ASSERT_NE(report, nullptr);
    auto* text = report->findChild<QPlainTextEdit*>("txtNumeric");
    const QString opened = text->toPlainText();
    EXPECT_EQ(opened,
              "Loaded Numeric Blocks.....\nTotal number of blocks = 1\n\nBlock 1 Details...\n\n"
              "Trigger List\nSPEED;\n\nLogic for Block 1\n\nASSIGN SPEED>5 TO FAST;\n\n");
    Engine().PrgBooleanBits()->Find("SPEED")->SetNumValue(9);
    window->findChild<QAction*>("mnuNumeric")->trigger();
    Driver().Tick();
    ASSERT_TRUE(Value("FAST"));
    EXPECT_EQ(text->toPlainText(), opened);
}

}  // namespace
}  // namespace veldra::testing
