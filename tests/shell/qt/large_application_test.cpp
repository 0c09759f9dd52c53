// A large application opened as an engineer opens it, from the command line: every board
// window the load makes is on view, stands in the registry of open windows and in the
// "Windows" list, and a view saved afterwards holds every one of them.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/board_panel.h"
#include "shell/qt/frmMain.h"
#include "support/qt/application_fixture.h"

namespace veldra::testing {
namespace {

constexpr int kBoardPairs = 150;

// An application of `pairs` input boards of 16 inputs each and as many output boards, each
// output driven by a statement on an input: 2 * `pairs` board windows.
std::string LargeApplication(int pairs) {
    std::string source = "PROGRAM MANY_BOARDS;\r\nCONSTANTS BOOLEAN\r\n    CPS.STATUS = 1;\r\n";
    source += "BOOLEAN BITS";
    for (int i = 0; i < pairs * 16; ++i) {
        source += std::string(i == 0 ? "" : ",") + (i % 8 == 0 ? "\r\n    " : " ") + "OUT" +
                  std::to_string(i);
    }
    source += ";\r\nLOGIC BEGIN\r\n";
    for (int i = 0; i < pairs * 16; ++i) {
        source += "    ASSIGN IN" + std::to_string(i) + " TO OUT" + std::to_string(i) + ";\r\n";
    }
    source += "END LOGIC\r\n";
    for (const char* kind : {"IN", "OUT"}) {
        for (int board = 0; board < pairs; ++board) {
            source += std::string("BOARD: ") + kind + "B" + std::to_string(board) +
                      "\r\n    ENABLE: 1\r\n    TYPE: " + kind + "16\r\n    " +
                      (kind[0] == 'I' ? "INPUT:" : "OUTPUT:");
            for (int bit = 0; bit < 16; ++bit) {
                source +=
                    std::string(bit == 0 ? " " : ", ") + kind + std::to_string(board * 16 + bit);
            }
            source += ";\r\n";
        }
    }
    return source + "END PROGRAM\r\n";
}

class LargeApplicationTest : public ApplicationFixture {
protected:
    LargeApplicationTest() {
        std::ofstream(Path("many.ml2"), std::ios::binary) << LargeApplication(kBoardPairs);
    }
    // The captions of the child windows in the main window's area.
    std::set<std::string> FramesInArea() {
        std::set<std::string> captions;
        for (const QMdiSubWindow* frame : Main().Area().subWindowList()) {
            captions.insert(frame->windowTitle().toStdString());
        }
        return captions;
    }
    // The captions the "Windows" list offers.
    std::set<std::string> Listed() {
        QMenu* windows = Main().findChild<QMenu*>("mnuWindows");
        Q_EMIT windows->aboutToShow();
        std::set<std::string> listed;
        for (const QAction* entry : windows->actions()) {
            const QString text = entry->text();
            const auto space = text.indexOf(' ');
            if (text.startsWith('&') && space > 0) {
                listed.insert(text.mid(space + 1).toStdString());
            }
        }
        return listed;
    }
    std::filesystem::path Path(const char* name) const {
        return std::filesystem::path(folder_.path().toStdString()) / name;
    }
    // The captions of the board windows, as the registry of open windows holds them.
    std::set<std::string> RegisteredBoards() {
        std::set<std::string> captions;
        for (const BoardPanel* window : app->Registry().Windows()) {
            if (window->Caption().find("B") != std::string::npos &&
                (window->Caption().starts_with("IN") || window->Caption().starts_with("OUT"))) {
                captions.insert(window->Caption());
            }
        }
        return captions;
    }

private:
    QTemporaryDir folder_;
};

TEST_F(LargeApplicationTest, EveryBoardWindowIsOnViewRegisteredListedAndSavedInAView) {
    app = Started(Path("many.ml2").string());
    ASSERT_TRUE(started);
    EXPECT_EQ(Main().windowTitle().toStdString(), "SID 0, Card File: MANY_BOARDS");

    const std::set<std::string> registered = RegisteredBoards();
    ASSERT_EQ(registered.size(), std::size_t(2 * kBoardPairs));
    std::set<std::string> shown;
    for (const QMdiSubWindow* frame : Main().Area().subWindowList()) {
        const std::string caption = frame->windowTitle().toStdString();
        if (registered.contains(caption)) {
            EXPECT_TRUE(frame->isVisible() && !frame->isMinimized()) << caption;
            EXPECT_TRUE(frame->widget()->isVisible()) << caption;
            shown.insert(caption);
        }
    }
    EXPECT_EQ(shown, registered);

    const std::set<std::string> listed = Listed();
    for (const std::string& caption : registered) {
        EXPECT_TRUE(listed.contains(caption)) << caption;
    }

    // Where the load put them is where "Cascade" puts them.
    std::map<QString, QRect> loaded;
    for (const QMdiSubWindow* frame : Main().Area().subWindowList()) {
        loaded[frame->windowTitle()] = frame->geometry();
    }
    Item("mnuCascade")->trigger();
    for (const QMdiSubWindow* frame : Main().Area().subWindowList()) {
        EXPECT_EQ(frame->geometry(), loaded[frame->windowTitle()])
            << frame->windowTitle().toStdString();
    }

    dialogs.Choose(Path("many.svw"));
    Item("mnuSaveView")->trigger();
    Settle();
    std::ifstream view(Path("many.svw"), std::ios::binary);
    std::set<std::string> saved;
    for (std::string line; std::getline(view, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (registered.contains(line)) {
            saved.insert(line);
        }
    }
    EXPECT_EQ(saved, registered);
}

TEST_F(LargeApplicationTest, EveryBoardWindowShowsItsNameAndEveryRowOnceTheLoadEnds) {
    app = Started(Path("many.ml2").string());
    ASSERT_TRUE(started);

    int boards = 0;
    for (const QMdiSubWindow* frame : Main().Area().subWindowList()) {
        const std::string caption = frame->windowTitle().toStdString();
        const bool input = caption.starts_with("INB");
        if (!input && !caption.starts_with("OUTB")) {
            continue;
        }
        ++boards;
        const QWidget& board = *frame->widget();
        const auto* name = board.findChild<QLabel*>("lblBoardName");
        ASSERT_NE(name, nullptr) << caption;
        EXPECT_EQ(name->text(), frame->windowTitle());
        const int first = std::stoi(caption.substr(input ? 3 : 4)) * 16;
        for (int row = 0; row < 16; ++row) {
            const auto* label = board.findChild<QLabel*>(QStringLiteral("lblIO_%1").arg(row));
            ASSERT_NE(label, nullptr) << caption << " row " << row;
            EXPECT_EQ(label->text().toStdString(),
                      (input ? "IN" : "OUT") + std::to_string(first + row))
                << caption;
            EXPECT_TRUE(label->isVisible()) << caption << " row " << row;
            const auto* lamp = board.findChild<QWidget*>(QStringLiteral("imgOn_%1").arg(row));
            ASSERT_NE(lamp, nullptr) << caption << " row " << row;
            EXPECT_TRUE(lamp->isVisible()) << caption << " row " << row;
        }
    }
    EXPECT_EQ(boards, 2 * kBoardPairs);
}

TEST_F(LargeApplicationTest, ABoardWindowsFrameFollowsItsCaptionOnceTheLoadEnds) {
    app = Started(Path("many.ml2").string());
    ASSERT_TRUE(started);

    for (QMdiSubWindow* frame : Main().Area().subWindowList()) {
        if (frame->windowTitle().startsWith("OUTB")) {
            frame->widget()->setWindowTitle("Renamed");
            EXPECT_EQ(frame->windowTitle(), "Renamed");
            return;
        }
    }
    ADD_FAILURE() << "no output board window";
}

TEST_F(LargeApplicationTest, ABoardWindowKeepsToTheTopOnlyWhenItsWindowMenuSaysSo) {
    app = Started(Path("many.ml2").string());
    ASSERT_TRUE(started);

    const auto stayOnTop = [](const QMdiSubWindow& frame) -> QAction* {
        for (QAction* action : frame.systemMenu()->actions()) {
            if (action->isCheckable()) {
                return action;
            }
        }
        return nullptr;
    };
    QMdiSubWindow* board = nullptr;
    for (QMdiSubWindow* frame : Main().Area().subWindowList()) {
        const QString caption = frame->windowTitle();
        if (!caption.startsWith("INB") && !caption.startsWith("OUTB")) {
            continue;
        }
        board = frame;
        EXPECT_FALSE(frame->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            << caption.toStdString();
        ASSERT_NE(stayOnTop(*frame), nullptr) << caption.toStdString();
        EXPECT_FALSE(stayOnTop(*frame)->isChecked()) << caption.toStdString();
    }
    ASSERT_NE(board, nullptr);

    stayOnTop(*board)->trigger();
    EXPECT_TRUE(board->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(stayOnTop(*board)->isChecked());
    stayOnTop(*board)->trigger();
    EXPECT_FALSE(board->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(LargeApplicationTest, AnotherProgramOpenedLeavesNothingOfTheLargeOneBehind) {
    std::ofstream(Path("two.ml2"), std::ios::binary) << LargeApplication(1);
    app = Started(Path("many.ml2").string());
    ASSERT_TRUE(started);
    ASSERT_EQ(RegisteredBoards().size(), std::size_t(2 * kBoardPairs));

    dialogs.Answer(MsgAnswer::Ok).Choose(Path("two.ml2"));  // "Continue Open?"
    Item("mnuOpen")->trigger();
    Settle();

    const std::set<std::string> boards{"INB0 : IN16", "OUTB0 : OUT16"};
    EXPECT_EQ(RegisteredBoards(), boards);
    const std::set<std::string> frames = FramesInArea();
    for (const std::string& caption : boards) {
        EXPECT_TRUE(frames.contains(caption)) << caption;
    }
    EXPECT_FALSE(frames.contains("INB1 : IN16"));
    EXPECT_FALSE(frames.contains("OUTB" + std::to_string(kBoardPairs - 1) + " : OUT16"));
    const std::set<std::string> listed = Listed();
    EXPECT_EQ(listed, frames);
    EXPECT_FALSE(listed.contains("INB1 : IN16"));
    for (const QMdiSubWindow* frame : Main().Area().subWindowList()) {
        if (boards.contains(frame->windowTitle().toStdString())) {
            EXPECT_TRUE(frame->isVisible()) << frame->windowTitle().toStdString();
        }
    }
}

TEST_F(LargeApplicationTest, ExitAnsweredNoKeepsEveryWindowAndExitAnsweredYesClosesThemAll) {
    app = Started(Path("many.ml2").string());
    ASSERT_TRUE(started);
    const std::set<std::string> frames = FramesInArea();
    const std::size_t registered = app->Registry().Windows().size();

    dialogs.Answer(MsgAnswer::No);  // "Close Simulator?"
    Item("mnuExit")->trigger();
    Settle();
    EXPECT_FALSE(Main().Unloaded());
    EXPECT_EQ(FramesInArea(), frames);
    EXPECT_EQ(app->Registry().Windows().size(), registered);
    for (const QMdiSubWindow* frame : Main().Area().subWindowList()) {
        EXPECT_TRUE(frame->isVisible()) << frame->windowTitle().toStdString();
    }

    dialogs.Answer(MsgAnswer::Yes);
    Item("mnuExit")->trigger();
    Settle();
    EXPECT_TRUE(Main().Unloaded());
    EXPECT_TRUE(RegisteredBoards().empty());
    EXPECT_TRUE(Main().Area().subWindowList().isEmpty());
}

TEST_F(LargeApplicationTest, WindowsLeftOpenAcrossTheCloseKeepTheirStacking) {
    std::ofstream(Path("two.ml2"), std::ios::binary) << LargeApplication(1);
    app = Started(Path("many.ml2").string());
    ASSERT_TRUE(started);
    // Windows of the area that stand in no registry: no close closes them.
    std::vector<QPointer<QMdiSubWindow>> kept;
    for (const char* caption : {"First", "Second", "Third"}) {
        QMdiSubWindow* frame = Main().Area().addSubWindow(new QLabel(caption));
        frame->setWindowTitle(caption);
        frame->show();
        kept.emplace_back(frame);
    }
    Main().Area().setActiveSubWindow(kept[1].data());
    kept[0]->raise();  // made first, now on top of the other two
    Settle();
    const auto stacking = [this] {
        std::vector<std::string> captions;
        for (const QMdiSubWindow* frame : Main().Area().subWindowList(QMdiArea::StackingOrder)) {
            const std::string caption = frame->windowTitle().toStdString();
            if (caption == "First" || caption == "Second" || caption == "Third") {
                captions.push_back(caption);
            }
        }
        return captions;
    };
    const std::vector<std::string> before = stacking();
    ASSERT_EQ(before.back(), "First");

    dialogs.Answer(MsgAnswer::Ok).Choose(Path("two.ml2"));  // "Continue Open?"
    Item("mnuOpen")->trigger();
    Settle();

    for (const QPointer<QMdiSubWindow>& frame : kept) {
        ASSERT_FALSE(frame.isNull());
        EXPECT_TRUE(Main().Area().subWindowList().contains(frame.data()));
    }
    EXPECT_EQ(stacking(), before);
    EXPECT_EQ(RegisteredBoards(), (std::set<std::string>{"INB0 : IN16", "OUTB0 : OUT16"}));
}

TEST_F(LargeApplicationTest, AWindowLeftOpenAcrossTheCloseStaysAsItWasAndTheWindowCommandsWork) {
    std::ofstream(Path("two.ml2"), std::ios::binary) << LargeApplication(2);
    app = Started(Path("many.ml2").string());
    ASSERT_TRUE(started);
    // A window of the area that stands in no registry: no close closes it.
    QMdiSubWindow* note = Main().Area().addSubWindow(new QLabel("kept"));
    note->setWindowTitle("Kept");
    note->show();
    note->setGeometry(QRect(520, 300, 230, 120));
    const QPointer<QMdiSubWindow> kept(note);
    Item("mnuAbout")->trigger();
    Settle();
    const QPointer<QMdiSubWindow> about(Main().Area().activeSubWindow());
    ASSERT_FALSE(about.isNull());

    dialogs.Answer(MsgAnswer::Ok).Choose(Path("two.ml2"));  // "Continue Open?"
    Item("mnuOpen")->trigger();
    Settle();

    EXPECT_EQ(Main().centralWidget(), &Main().Area());
    EXPECT_TRUE(Main().Area().isVisible());
    EXPECT_TRUE(about.isNull());  // closed with the program's windows
    ASSERT_FALSE(kept.isNull());
    EXPECT_TRUE(Main().Area().subWindowList().contains(kept.data()));
    EXPECT_EQ(kept->size(), QSize(230, 120));  // the new program's cascade places it
    EXPECT_TRUE(kept->isVisible());
    EXPECT_TRUE(Listed().contains("Kept"));

    const std::set<std::string> boards{"INB0 : IN16", "INB1 : IN16", "OUTB0 : OUT16",
                                       "OUTB1 : OUT16"};
    EXPECT_EQ(RegisteredBoards(), boards);
    EXPECT_EQ(Listed(), FramesInArea());
    EXPECT_FALSE(FramesInArea().contains("INB2 : IN16"));

    // The window commands reach the new program's windows: cascaded, each one lower than the
    // one before; tiled, side by side across the whole area.
    std::vector<QMdiSubWindow*> shown;
    for (QMdiSubWindow* frame : Main().Area().subWindowList(QMdiArea::CreationOrder)) {
        if (boards.contains(frame->windowTitle().toStdString())) {
            shown.push_back(frame);
        }
    }
    ASSERT_EQ(shown.size(), boards.size());
    Item("mnuCascade")->trigger();
    Settle();
    for (std::size_t at = 1; at < shown.size(); ++at) {
        EXPECT_GT(shown[at]->y(), shown[at - 1]->y()) << at;
    }
    Item("mnuTileVertical")->trigger();
    Settle();
    for (std::size_t at = 1; at < shown.size(); ++at) {
        EXPECT_TRUE(shown[at]->isVisible());
        EXPECT_GT(shown[at]->x(), shown[at - 1]->x()) << at;
        EXPECT_EQ(shown[at]->y(), shown[at - 1]->y()) << at;
    }

    // A "Windows" list entry makes its window the active one.
    QMenu* windows = Main().findChild<QMenu*>("mnuWindows");
    Q_EMIT windows->aboutToShow();
    for (QAction* entry : windows->actions()) {
        if (entry->text().endsWith(QString::fromStdString(*boards.begin()))) {
            entry->trigger();
        }
    }
    Settle();
    ASSERT_NE(Main().Area().activeSubWindow(), nullptr);
    EXPECT_EQ(Main().Area().activeSubWindow()->windowTitle().toStdString(), *boards.begin());
}

}  // namespace
}  // namespace veldra::testing
