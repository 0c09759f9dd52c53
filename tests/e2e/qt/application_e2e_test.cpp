#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QLabel>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QScreen>
#include <QTabBar>
#include <QTableView>
#include <QTest>

#include "engine/program_engine.h"
#include "platform/clock.h"
#include "platform/qt/frmHelp.h"
#include "platform/qt/ini_settings.h"
#include "platform/qt/lamp.h"
#include "shell/qt/application.h"
#include "shell/qt/frmMain.h"
#include "support/engine_driver.h"
#include "support/qt/scripted_dialogs.h"

namespace veldra::testing {
namespace {

QModelIndex LineOf(const QAbstractItemView* view, const QString& text, int column = 0) {
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, column).data().toString() == text) {
            return model->index(row, column);
        }
    }
    return {};
}

// The row of a board window that shows `bit`: its label, and the lamp beside it.
QLabel* BoardRow(const frmMain& main, const QString& board, const QString& bit) {
    for (const QMdiSubWindow* window : main.Area().subWindowList()) {
        if (window->windowTitle() != board) {
            continue;
        }
        for (QLabel* label : window->widget()->findChildren<QLabel*>()) {
            if (label->text() == bit && label->objectName().startsWith("lblIO_")) {
                return label;
            }
        }
    }
    return nullptr;
}

LampImage LampOf(const QLabel& row) {
    QString name = row.objectName();
    return row.parentWidget()->findChild<LampWidget*>(name.replace("lblIO_", "imgOn_"))->Image();
}

// The simulator on a real display: the level crossing opened from the command line, run,
// an input clicked on a board window lighting an output on another, an input forced on the
// program window, What's This asked on its force frame, and the result read from the bit
// status grid.
// With VELDRA_SCREENSHOT set, the windows are tiled and the screen saved there at the end.
TEST(ApplicationOnADisplay, ForcedLampTestLightsTheOpenIndication) {
    ScriptedDialogs dialogs;
    IniSettings settings;
    SystemClock clock;
    Application veldra(dialogs, settings, clock, [](const std::vector<std::string>&) {});
    ASSERT_TRUE(veldra.Start(VELDRA_EXAMPLES "/level_crossing.ml2"));
    frmMain& main = veldra.MainWindow();
    frmProgram* program = main.Program();
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(main.windowTitle(), "SID 0, Card File: MILL_LANE_LC");

    main.findChild<QAction*>("mnuStop")->trigger();
    ProgramEngine& engine = program->Engine();
    ASSERT_TRUE(engine.Running());
    EngineDriver(engine).Tick();  // the first start's statements

    // The barriers proved down, clicked on the input board, silence the bell on the
    // output board.
    QApplication::processEvents();
    QLabel* barriersDown = BoardRow(main, "XING_IN : IN16", "BAR_DN_KR");
    QLabel* bell = BoardRow(main, "XING_OUT : OUT16", "BELL");
    ASSERT_TRUE(barriersDown != nullptr && bell != nullptr);
    EXPECT_EQ(LampOf(*bell), LampImage::Lit);
    QTest::mouseClick(barriersDown, Qt::LeftButton);
    EngineDriver(engine).Tick();
    QApplication::processEvents();
    EXPECT_EQ(LampOf(*barriersDown), LampImage::Lit);
    EXPECT_EQ(LampOf(*bell), LampImage::Dark);

    QTabBar* tabs = program->findChild<QTabBar*>("tbSelect");
    tabs->setCurrentIndex(1);  // "Force Bit"
    QListView* force = program->findChild<QListView*>("cmbBitSelect_0");
    force->model()->setData(LineOf(force, "LCP_LAMP_TEST"), Qt::Checked, Qt::CheckStateRole);
    EngineDriver(engine).Tick();

    // What's This on the force frame: the guide beside the program opens on topic 27, and
    // the line clicked for the question keeps its tick.
    main.SetHelpFile(VELDRA_HELP_FILE);
    program->findChild<QAction*>("mnuWhatThis")->trigger();
    const QModelIndex lampTest = LineOf(force, "LCP_LAMP_TEST");
    force->scrollTo(lampTest);
    QTest::mouseClick(force->viewport(), Qt::LeftButton, {}, force->visualRect(lampTest).center());
    QApplication::processEvents();
    const frmHelp* help = main.Help().Window();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->ShownTopic(), HelpTopic::ForceBitChange);
    EXPECT_EQ(help->windowTitle(), "Veldra Help - Force Bit Change");
    EXPECT_EQ(lampTest.data(Qt::CheckStateRole), Qt::Checked);

    tabs->setCurrentIndex(2);  // "Bit Status"
    QApplication::processEvents();
    QTableView* grid = program->findChild<QTableView*>("grdStatus");
    const QModelIndex open = LineOf(grid, "LCP_OPEN", 1);
    ASSERT_TRUE(open.isValid());
    EXPECT_EQ(open.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0, 192, 0));
    EXPECT_TRUE(engine.PrgBooleanBits()->Find("LCP_OPEN")->BitValue());

    if (const QByteArray file = qgetenv("VELDRA_SCREENSHOT"); !file.isEmpty()) {
        main.findChild<QAction*>("mnuTileVertical")->trigger();  // every window in sight
        QApplication::processEvents();
        EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(QString(file)));
    }
    dialogs.Answer(MsgAnswer::Yes);  // "Close Simulator?"
    EXPECT_TRUE(main.close());
}

}  // namespace
}  // namespace veldra::testing
