#include "ladder/qt/frmStatements.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <set>

#include "engine/program_engine.h"
#include "ladder/qt/frmBdSt.h"
#include "platform/qt/window_frame.h"
#include "support/engine_driver.h"
#include "support/qt/application_fixture.h"

namespace veldra::testing {
namespace {

// tests/data/statements/crossing.ml2: a push button sets its route, a second route is
// locked out by the first, either lights LED.3, and the last statement (FAULT_1) has an
// unclosed bracket that runs away the first time it is solved.
class StatementsTest : public ApplicationFixture {
protected:
    StatementsTest() {
        app = Started(VELDRA_TEST_DATA "/statements/crossing.ml2");
        EXPECT_TRUE(started);
    }
    ~StatementsTest() override { EXPECT_EQ(ends, 0) << "the application ended"; }

    QAction* Entry() { return Main().findChild<QAction*>("mnuStatements"); }
    frmStatements* List() { return Main().findChild<frmStatements*>("frmStatements"); }
    QTableView* Grid() { return List()->findChild<QTableView*>("grdState"); }
    frmStatements& OpenList() {
        Entry()->trigger();
        EXPECT_NE(List(), nullptr);
        return *List();
    }
    void Scan(const char* input, bool value) {
        Engine().PostInput(input, value);
        EngineDriver(Engine()).Tick();
    }
    bool Value(const char* name) { return Engine().PrgBooleanBits()->Find(name)->BitValue(); }
    bool Green(int row) {
        return Grid()->model()->index(row, 2).data(Qt::BackgroundRole).isValid();
    }
    std::vector<int> ShownRows() {
        std::vector<int> rows;
        for (int row = 0; row < Grid()->model()->rowCount(); ++row) {
            if (!Grid()->isRowHidden(row)) {
                rows.push_back(row);
            }
        }
        return rows;
    }
    void Filter(int option, const QString& text = {}) {
        List()->findChild<QLineEdit*>("txtFilter")->setText(text);
        QTest::mouseClick(
            List()->findChild<QRadioButton*>(QStringLiteral("optFilter_%1").arg(option)),
            Qt::LeftButton);
        List()->tmrFixWindow.Fire();
    }
    void RightClickRow(int row) {
        Grid()->selectRow(row);
        const QRect cell = Grid()->visualRect(Grid()->model()->index(row, 2));
        QTest::mouseClick(Grid()->viewport(), Qt::RightButton, {}, cell.center());
    }
    // Runs `edit` on the faulty-statement editor as soon as the scan opens it.
    void WhenEditorOpens(std::function<void(frmBdSt&)> edit) {
        auto* poll = new QTimer(Main().Program());
        poll->setInterval(0);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, edit] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* editor = qobject_cast<frmBdSt*>(window); editor && editor->isVisible()) {
                    poll->deleteLater();
                    poll->stop();
                    edit(*editor);
                    return;
                }
            }
        });
        poll->start();
    }
    static void SaveText(frmBdSt& editor, const QString& text) {
        editor.findChild<QPlainTextEdit*>("Text1")->setPlainText(text);
        QTest::mouseClick(editor.findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
    }
};

TEST_F(StatementsTest, TheMenuEntryOpensOneListAtATimeWhileAProgramIsLoaded) {
    ASSERT_TRUE(Entry()->isEnabled());
    frmStatements& list = OpenList();
    EXPECT_FALSE(Entry()->isEnabled());
    EXPECT_EQ(&WindowFrame(list), Main().Area().subWindowList().back());
    Main().ShowStatements();
    EXPECT_EQ(Main().findChildren<frmStatements*>().size(), 1);

    WindowFrame(list).close();
    Settle();
    EXPECT_EQ(List(), nullptr);
    EXPECT_TRUE(Entry()->isEnabled());
    Main().ShowStatements();
    ASSERT_NE(List(), nullptr);

    // Opening another program closes the list; a cancelled open leaves no program to list.
    dialogs.Answer(MsgAnswer::Ok).CancelFile();
    Main().findChild<QAction*>("mnuOpen")->trigger();
    Settle();
    EXPECT_EQ(List(), nullptr);
    EXPECT_FALSE(Entry()->isEnabled());
}

TEST_F(StatementsTest, TheExpressionCellIsGreenWhileTheResultIsTrue) {
    OpenList();
    ASSERT_EQ(Grid()->model()->rowCount(), 4);
    EXPECT_EQ(Grid()->model()->index(1, 2).data().toString(), "PB_2 * ~ROUTE_1");
    EXPECT_EQ(Grid()->model()->index(1, 3).data().toString(), " TO ROUTE_2;");
    Engine().prgAssigns->Find("FAULT_1")->SetDisable(true);  // the runaway out of the way
    StartProgram();
    // Before the first layout pass no row is mapped to its statement: a change is let be.
    Scan("PB_2", true);
    EXPECT_TRUE(Green(1));
    Scan("PB_2", false);

    List()->tmrFixWindow.Fire();
    QSignalSpy repainted(Grid()->model(), &QAbstractItemModel::dataChanged);
    Scan("PB_1", true);
    EXPECT_TRUE(Value("ROUTE_1"));
    EXPECT_EQ((std::vector<bool>{Green(0), Green(1), Green(2)}),
              (std::vector<bool>{true, false, true}));
    std::set<int> rows;
    for (const QList<QVariant>& change : repainted) {
        rows.insert(change[0].toModelIndex().row());
    }
    EXPECT_TRUE(rows.contains(0) && rows.contains(2));
}

TEST_F(StatementsTest, AFilterKeepsTheRowsWhoseTextHoldsItAndARightClickHidesOne) {
    OpenList();
    List()->tmrFixWindow.Fire();
    Filter(1, "route_2");
    EXPECT_EQ(ShownRows(), (std::vector<int>{1, 2}));
    Filter(1, "LED");  // found in the results only
    EXPECT_EQ(ShownRows(), (std::vector<int>{2}));

    Filter(0);
    EXPECT_EQ(ShownRows(), (std::vector<int>{0, 1, 2, 3}));
    RightClickRow(1);  // asks nothing while all are shown
    EXPECT_TRUE(dialogs.boxes().empty());

    Filter(1, "ROUTE");
    dialogs.Answer(MsgAnswer::Yes);
    RightClickRow(1);
    ASSERT_EQ(dialogs.boxes().size(), 1U);
    EXPECT_EQ(dialogs.boxes()[0].title, "Do Not Display This Statement");
    EXPECT_EQ(dialogs.boxes()[0].prompt, "ASSIGN PB_2*~ROUTE_1 TO ROUTE_2;");
    List()->tmrFixWindow.Fire();
    EXPECT_EQ(ShownRows(), (std::vector<int>{0, 2}));

    Filter(0);
    EXPECT_EQ(ShownRows(), (std::vector<int>{0, 1, 2, 3}));
}

TEST_F(StatementsTest, AMendedStatementSavedInTheEditorIsSolvedFromThenOn) {
    OpenList();
    StartProgram();
    std::string shown;
    WhenEditorOpens([&](frmBdSt& editor) {
        shown = editor.findChild<QPlainTextEdit*>("Text1")->toPlainText().toStdString();
        SaveText(editor, "ASSIGN PB_2 * PB_1 TO FAULT_1;");
    });
    Scan("PB_2", true);
    Settle();
    EXPECT_EQ(shown, "ASSIGN (PB_2 * PB_1 TO FAULT_1;");
    EXPECT_FALSE(Engine().Running());
    EXPECT_EQ(List(), nullptr);  // the save closed the list first
    EXPECT_FALSE(Engine().prgAssigns->Find("FAULT_1")->Disable());
    EXPECT_TRUE(Engine().prgAssigns->Find("FAULT_1")->Edited());

    StartProgram();
    Scan("PB_1", true);
    EXPECT_TRUE(Value("FAULT_1"));
}

TEST_F(StatementsTest, TextTheParserCannotTakeNeverBreaksTheEditorOrTheScan) {
    struct Case {
        const char* text;
        std::vector<MsgAnswer> answers;  // to the model's questions: none ends the program
    };
    const Case cases[] = {
        {"", {MsgAnswer::No, MsgAnswer::No, MsgAnswer::No}},
        {"ASSIGN ((( TO FAULT_1;", {}},
        {"ASSIGN PB_1 + TO ;", {}},
        {"ASSIGN PB_2\n* TO ROUTE_1;", {MsgAnswer::Ok}},  // ROUTE_1 has its statement already
        {"no statement at all", {MsgAnswer::No, MsgAnswer::No}},
    };
    bool value = false;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.text);
        Statement* faulty = Engine().prgAssigns->Item(4);
        faulty->SetDisable(true);
        for (const MsgAnswer answer : test.answers) {
            dialogs.Answer(answer);
        }
        WindowRegistry windows;
        frmBdSt editor(windows, Engine());
        editor.SetStatement(faulty);
        SaveText(editor, test.text);
        EXPECT_FALSE(faulty->Disable());

        // Whatever it became, the next solve either solves it or opens the editor again.
        WhenEditorOpens([](frmBdSt& again) {
            QTest::mouseClick(again.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        });
        StartProgram();
        value = !value;
        Scan("PB_2", value);
        Scan("PB_1", value);
        Settle();
        if (Engine().Running()) {
            Main().findChild<QAction*>("mnuStop")->trigger();
        }
    }
}

}  // namespace
}  // namespace veldra::testing
