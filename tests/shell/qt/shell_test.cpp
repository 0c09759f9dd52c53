#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "panels/panel_set.h"
#include "platform/qt/qt_platform.h"
#include "shell/qt/frmAbout.h"
#include "shell/qt/keep_on_top.h"
#include "support/fake_clock.h"
#include "support/qt/scripted_dialogs.h"

namespace veldra::testing {
namespace {

struct ShellTest : ::testing::Test {
    ShellTest() {
        area.resize(1600, 1200);
        area.show();
    }
    QMdiSubWindow* Child(QWidget* content, const char* name) {
        content->setObjectName(name);
        QMdiSubWindow* frame = area.addSubWindow(content);
        frame->show();
        return frame;
    }
    // The main window's keep-on-top placement over the area.
    struct AreaPlacement final : ProgramWindowHost {
        explicit AreaPlacement(QMdiArea& area) : area(area) {}
        bool SetTopWindows() override {
            veldra::SetTopWindows(area);
            return true;
        }
        QMdiArea& area;
    };

    ScriptedDialogs dialogs;
    WindowRegistry registry;
    QMdiArea area;
    AreaPlacement mainWindow{area};
};

TEST_F(ShellTest, TheAboutBoxShowsTheReleaseAndClosesForGoodWithEveryWindow) {
    QPointer<frmAbout> about = new frmAbout(registry, dialogs);
    Child(about, "frmAbout");
    const std::pair<const char*, QString> shown[] = {
        {"lblTitle", "VELDRA"},
        {"lblVersion", "Version 2.0.10"},
        {"cmdSysInfo", "&System Info..."},
        {"Text1",
         "This simulator is designed to mimic the behavior observed in the actual \n"
         "equipment.  This program is a design tool, intended to assist in finding \n"
         "logical errors in an application program.  It is not a Vital Program and \n"
         "should not be used as a substitute for a rack test or in-service testing.\n"},
    };
    for (const auto& [name, text] : shown) {
        QWidget* control = about->findChild<QWidget*>(name);
        EXPECT_EQ(control->property(control->property("text").isValid() ? "text" : "plainText"),
                  text);
    }
    EXPECT_EQ(about->windowTitle(), "About VELDRA");
    EXPECT_FALSE(about->findChild<QLabel*>("Image1")->pixmap().isNull());

    dialogs.Answer(MsgAnswer::Ok);
    QTest::mouseClick(about->findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    const MsgBoxRequest& box = dialogs.boxes().front();
    EXPECT_EQ(box.prompt + "|" + box.title,
              "System Information Is Unavailable At This Time|VELDRA");
    EXPECT_TRUE(box.icon == MsgIcon::None && box.buttons == MsgButtons::Ok);

    // Opening a program closes every window for good, from the last to the first.
    registry.ForEachFromLast([](BoardPanel& window) { window.CloseWindow(true); });
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about == nullptr && area.subWindowList().isEmpty() && registry.Count() == 0);
}

TEST_F(ShellTest, KeepOnTopPlacesTheProgramWindowAndTheStatementViews) {
    // Each view: its state (normal, Maximised, minimised) and its "Stay On Top" tick.
    const struct {
        bool programMinimized, alwaysOnTop;
        std::string views, viewsOnTop;
    } cases[] = {{false, true, "", ""},
                 {false, false, "", ""},
                 {true, true, "", ""},
                 {false, true, "n+ M- M+ m+", "1010"}};
    for (const auto& place : cases) {
        auto* content = new QWidget;
        auto* mnuTop = new QAction(content);
        mnuTop->setObjectName("mnuTop");
        mnuTop->setCheckable(true);
        mnuTop->setChecked(place.alwaysOnTop);
        QMdiSubWindow* program = Child(content, "frmProgram");
        program->setWindowFlag(Qt::WindowStaysOnTopHint);  // a choice cleared since
        program->setGeometry(30, 40, 300, 200);
        std::vector<QMdiSubWindow*> views;
        for (std::size_t at = 0; at < place.views.size(); at += 3) {
            auto* view = new QWidget;
            auto* chkTop = new QCheckBox(view);
            chkTop->setObjectName("chkTop");
            chkTop->setChecked(place.views[at + 1] == '+');
            views.push_back(Child(view, "frmShowAssign"));
            const char state = place.views[at];
            views.back()->setWindowState(state == 'M'   ? Qt::WindowMaximized
                                         : state == 'm' ? Qt::WindowMinimized
                                                        : Qt::WindowNoState);
        }
        if (place.programMinimized) {
            program->showMinimized();
        }

        SetTopWindows(area);

        SCOPED_TRACE(place.views);
        EXPECT_EQ(program->isMinimized(), place.programMinimized);
        EXPECT_EQ(program->windowFlags().testFlag(Qt::WindowStaysOnTopHint), place.alwaysOnTop);
        program->showNormal();
        EXPECT_EQ(program->geometry(), QRect(30, 40, 475, 468));
        std::string onTop;
        for (QMdiSubWindow* view : views) {
            EXPECT_FALSE(view->isMaximized());
            onTop += view->windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? '1' : '0';
        }
        EXPECT_EQ(onTop, place.viewsOnTop);
        EXPECT_EQ(area.subWindowList(QMdiArea::StackingOrder).back(), program);
        area.closeAllSubWindows();
        EXPECT_TRUE(QTest::qWaitFor([&] { return area.subWindowList().isEmpty(); }));
    }
}

// The program of tests/data/program_window/small.ml2, in a child window of the main window.
TEST_F(ShellTest, TheProgramWindowClosedForGoodTakesItsChildWindowAlong) {
    QtPlatform platform{dialogs, registry, [] { ADD_FAILURE() << "the application ended"; }};
    FakeClock clock;
    MainWindowServices services;
    services.mainWindow = &mainWindow;
    QPointer<frmProgram> window = new frmProgram(registry, dialogs, clock, services);
    PanelSet boards(window->Engine().InputQueue());
    QMdiSubWindow* frame = Child(window, "frmProgram");
    LoaderHost host;
    ParseText loader(window->Engine(), host, boards);
    ASSERT_EQ(loader.GetProgram(VELDRA_TEST_DATA "/program_window/small.ml2"), "SMALL");
    window->LoadFinished(boards.Windows());

    window->findChild<QAction*>("mnuTop")->trigger();
    EXPECT_TRUE(frame->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(frame->size(), QSize(475, 468));
    frame->showMaximized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !frame->isMaximized(); }));

    window->CloseWindow();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return window == nullptr && area.subWindowList().isEmpty(); }));
}

}  // namespace
}  // namespace veldra::testing
