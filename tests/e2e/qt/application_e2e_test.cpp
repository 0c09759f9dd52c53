#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QListView>
#include <QPixmap>
#include <QScreen>
#include <QTabBar>
#include <QTableView>

#include "engine/program_engine.h"
#include "platform/clock.h"
#include "platform/qt/ini_settings.h"
#include "shell/qt/application.h"
#include "shell/qt/frmMain.h"
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

// The simulator on a real display: the level crossing opened from the command line, run,
// an input forced on the program window and its result read from the bit status grid.
// With VELDRA_SCREENSHOT set, the screen is saved there at the end.
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
    engine.tmrProgram.Fire();  // the first start's statements

    QTabBar* tabs = program->findChild<QTabBar*>("tbSelect");
    tabs->setCurrentIndex(1);  // "Force Bit"
    QListView* force = program->findChild<QListView*>("cmbBitSelect_0");
    force->model()->setData(LineOf(force, "LCP_LAMP_TEST"), Qt::Checked, Qt::CheckStateRole);
    engine.tmrProgram.Fire();

    tabs->setCurrentIndex(2);  // "Bit Status"
    QApplication::processEvents();
    QTableView* grid = program->findChild<QTableView*>("grdStatus");
    const QModelIndex open = LineOf(grid, "LCP_OPEN", 1);
    ASSERT_TRUE(open.isValid());
    EXPECT_EQ(open.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0, 192, 0));
    EXPECT_TRUE(engine.PrgBooleanBits()->Find("LCP_OPEN")->BitValue());

    if (const QByteArray file = qgetenv("VELDRA_SCREENSHOT"); !file.isEmpty()) {
        QApplication::processEvents();
        EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(QString(file)));
    }
    dialogs.Answer(MsgAnswer::Yes);  // "Close Simulator?"
    EXPECT_TRUE(main.close());
}

}  // namespace
}  // namespace veldra::testing
