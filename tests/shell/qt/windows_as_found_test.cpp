// The windows as an engineer finds them in the first minutes: where they open, how far
// they stretch, what they show whole, and what the file commands do before a program is
// open.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <fstream>
#include <map>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "platform/qt/twips.h"
#include "support/occurrences.h"
#include "support/qt/application_fixture.h"

namespace veldra::testing {
namespace {

const std::string kSmall = VELDRA_TEST_DATA "/program_window/small.ml2";
// Five boards, an LED12 lamp driver among them.
const std::string kBoards = VELDRA_TEST_DATA "/panels/lamps.ml2";

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class WindowsAsFoundTest : public ApplicationFixture {
protected:
    std::vector<std::string> TakeBoxes() {
        std::vector<std::string> shown;
        for (std::size_t i = seenBoxes_; i < dialogs.boxes().size(); ++i) {
            shown.push_back(dialogs.boxes()[i].title + ": " + dialogs.boxes()[i].prompt);
        }
        seenBoxes_ = dialogs.boxes().size();
        return shown;
    }
    QMdiSubWindow* ProgramFrame() {
        return qobject_cast<QMdiSubWindow*>(Main().Program()->parentWidget());
    }
    // Every other window on view, in the order opened.
    std::vector<QMdiSubWindow*> OtherFrames() {
        std::vector<QMdiSubWindow*> frames;
        for (QMdiSubWindow* frame : Main().Area().subWindowList(QMdiArea::CreationOrder)) {
            if (frame != ProgramFrame() && frame->isVisible() && !frame->isMinimized()) {
                frames.push_back(frame);
            }
        }
        return frames;
    }
    std::map<QString, QRect> Places() {
        std::map<QString, QRect> places;
        for (QMdiSubWindow* frame : Main().Area().subWindowList()) {
            places[frame->windowTitle()] = frame->geometry();
        }
        return places;
    }
    std::filesystem::path Path(const char* name) const {
        return std::filesystem::path(folder_.path().toStdString()) / name;
    }

private:
    std::size_t seenBoxes_ = 0;
    QTemporaryDir folder_;
};

TEST_F(WindowsAsFoundTest, TheProgramWindowDraggedLargerStopsAtItsLimitFrameAndAll) {
    app = Started(kSmall);
    QMdiSubWindow* frame = ProgramFrame();
    const QSize limit = SizeFromTwips(7125, 7035);
    const auto drag = [frame](QPoint by) {
        const QPoint corner = frame->rect().bottomRight() - QPoint(1, 1);
        QTest::mouseMove(frame, corner);  // the pointer on the corner shows a resize
        QTest::mousePress(frame, Qt::LeftButton, {}, corner);
        QTest::mouseMove(frame, corner + by);
        QTest::mouseRelease(frame, Qt::LeftButton, {}, corner + by);
    };
    const QSize placed = frame->size();
    drag({-100, -80});
    EXPECT_EQ(frame->size(), placed - QSize(100, 80));  // smaller, as the user drags it
    drag({400, 400});
    EXPECT_EQ(frame->size(), limit);
}

TEST_F(WindowsAsFoundTest, BoardWindowsOpenCascadedBesideTheProgramWindowAsCascadePutsThem) {
    app = Started(kBoards);
    const QRect area = Main().Area().viewport()->rect();
    const QRect program = ProgramFrame()->geometry();
    EXPECT_EQ(program.topLeft(), area.topLeft());
    const std::vector<QMdiSubWindow*> boards = OtherFrames();
    ASSERT_EQ(boards.size(), 5U);
    const int titleBar = boards.front()->widget()->y();
    for (std::size_t i = 0; i < boards.size(); ++i) {
        const QRect board = boards[i]->geometry();
        EXPECT_FALSE(board.intersects(program)) << boards[i]->windowTitle().toStdString();
        EXPECT_TRUE(area.contains(QRect(board.topLeft(), QSize(board.width(), titleBar))));
        if (i > 0) {  // each a title bar below the one before
            EXPECT_EQ(board.top() - boards[i - 1]->geometry().top(), titleBar);
        }
    }

    const std::map<QString, QRect> loaded = Places();
    for (QMdiSubWindow* frame : Main().Area().subWindowList()) {
        frame->move(40, 40);
    }
    Item("mnuCascade")->trigger();
    EXPECT_EQ(Places(), loaded);
}

TEST_F(WindowsAsFoundTest, TileVerticalSetsTheWindowsSideBySideAndTileHorizontalOneAboveAnother) {
    app = Started(kBoards);
    struct Tiling {
        const char* command;
        bool sideBySide;
    };
    for (const Tiling tiling : {Tiling{"mnuTileVertical", true}, Tiling{"mnuTileHorizontal", false},
                                Tiling{"mnuTileVertical", true}}) {
        SCOPED_TRACE(tiling.command);
        Item(tiling.command)->trigger();
        std::vector<QRect> tiles;
        for (QMdiSubWindow* frame : Main().Area().subWindowList(QMdiArea::CreationOrder)) {
            tiles.push_back(frame->geometry());
        }
        ASSERT_EQ(tiles.size(), 6U);
        std::sort(tiles.begin(), tiles.end(), [](const QRect& a, const QRect& b) {
            return std::pair(a.left(), a.top()) < std::pair(b.left(), b.top());
        });
        for (std::size_t i = 1; i < tiles.size(); ++i) {
            const QRect& before = tiles[i - 1];
            const QRect& tile = tiles[i];
            if (tiling.sideBySide) {
                EXPECT_EQ(tile.top(), before.top());
                EXPECT_EQ(tile.left(), before.right() + 1);
            } else {
                EXPECT_EQ(tile.left(), before.left());
                EXPECT_GT(tile.top(), before.top());
            }
        }
    }
}

TEST_F(WindowsAsFoundTest, AViewDroppedWithTheSourcePlacesTheWindowsInsteadOfTheCascade) {
    app = Started(kBoards);
    QMdiSubWindow* board = OtherFrames().back();
    const QString caption = board->windowTitle();
    board->move(30, 300);
    dialogs.Choose(Path("boards.svw"));
    Item("mnuSaveView")->trigger();

    dialogs.Answer(MsgAnswer::Ok);  // "Continue Open?"
    Main().DropFiles({Path("boards.svw").string(), kBoards});
    Settle();
    for (QMdiSubWindow* frame : Main().Area().subWindowList()) {
        if (frame->windowTitle() == caption) {
            EXPECT_EQ(frame->pos(), QPoint(30, 300));
        }
    }
}

TEST_F(WindowsAsFoundTest, BeforeAProgramIsOpenTheViewCommandsWorkAndTheOthersWaitForOne) {
    dialogs.CancelFile();
    app = Started("");
    const auto enabled = [this] {
        std::string shown;
        for (const char* name : {"mnuSaveView", "mnuLoadView", "mnuSaveState", "mnuLoadState",
                                 "mnuSAll", "mnuSEOnly"}) {
            shown += std::string(name) + (Item(name)->isEnabled() ? " on, " : " off, ");
        }
        return shown;
    };
    EXPECT_EQ(enabled(),
              "mnuSaveView on, mnuLoadView on, mnuSaveState off, mnuLoadState off, "
              "mnuSAll off, mnuSEOnly off, ");

    // The main window's record and caption, as with a program.
    dialogs.Choose(Path("empty.svw"));
    Item("mnuSaveView")->trigger();
    EXPECT_EQ(Contents(Path("empty.svw")), "Card File\r\n2\r\nCard File Caption\r\nCard File\r\n");

    // Dropped: a view is applied, a state is refused with the reason.
    std::ofstream(Path("holt.svw"), std::ios::binary)
        << "Card File\r\n0\r\n300\r\n450\r\n6000\r\n9000\r\nCard File Caption\r\nHolt Yard\r\n";
    std::ofstream(Path("holt.sst"), std::ios::binary) << "<Save_State_Values/>";
    dialogs.Answer(MsgAnswer::Ok);
    Main().DropFiles({Path("holt.svw").string(), Path("holt.sst").string()});
    Settle();
    EXPECT_EQ(Main().windowTitle(), "Holt Yard");
    EXPECT_FALSE(Main().isMaximized());
    EXPECT_EQ(TakeBoxes(), std::vector<std::string>{
                               "Load Failed: State Can Not Be Loaded Until A Program Is Opened"});

    dialogs.Choose(kSmall);
    Item("mnuOpen")->trigger();
    Settle();
    EXPECT_EQ(enabled(),
              "mnuSaveView on, mnuLoadView on, mnuSaveState on, mnuLoadState on, "
              "mnuSAll on, mnuSEOnly on, ");
}

// "Start Program" can be chosen only while there is a program to start.
TEST_F(WindowsAsFoundTest, StartProgramWaitsForAProgramAndGoesWithIt) {
    dialogs.CancelFile();
    app = Started("");
    EXPECT_FALSE(Item("mnuStop")->isEnabled()) << "before any load";

    dialogs.Choose(kSmall);
    Item("mnuOpen")->trigger();
    Settle();
    EXPECT_TRUE(Item("mnuStop")->isEnabled()) << "loaded";

    dialogs.Answer(MsgAnswer::Ok).CancelFile();  // "Continue Open?", then the dialog
    Item("mnuOpen")->trigger();
    Settle();
    EXPECT_EQ(Main().Program(), nullptr);
    EXPECT_FALSE(Item("mnuStop")->isEnabled()) << "closed";
    EXPECT_FALSE(Item("mnuBook")->isEnabled()) << "closed";

    dialogs.Choose(kSmall);
    Item("mnuOpen")->trigger();
    Settle();
    ASSERT_TRUE(Item("mnuStop")->isEnabled());
    // "Continue Open?", then the file that is not there, and the box that says so.
    dialogs.Answer(MsgAnswer::Ok).Choose(Path("missing.ml2")).Answer(MsgAnswer::Ok);
    Item("mnuOpen")->trigger();
    Settle();
    EXPECT_EQ(Main().Program(), nullptr);
    EXPECT_FALSE(Item("mnuStop")->isEnabled()) << "refused";
}

TEST_F(WindowsAsFoundTest, AnOpenCancelledInItsDialogLeavesTheMainWindowWholeOnTheScreen) {
    app = Started(kSmall);
    dialogs.Answer(MsgAnswer::Ok).CancelFile();  // "Continue Open?", then the dialog
    Item("mnuOpen")->trigger();
    Settle();
    EXPECT_FALSE(Main().isMaximized() || Main().isMinimized());
    const QRect screen = Main().screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(Main().frameGeometry()))
        << "frame at " << Main().frameGeometry().top() << ", " << Main().frameGeometry().left();
}

TEST_F(WindowsAsFoundTest, EveryCaptionIsShownWhole) {
    app = Started(kBoards);
    // Every page's tab, with no scroll arrows.
    auto* tabs = Main().Program()->findChild<QTabBar*>("tbSelect");
    for (int tab = 0; tab < tabs->count(); ++tab) {
        const QRect place = tabs->tabRect(tab);
        EXPECT_LE(place.right(), tabs->width()) << tabs->tabText(tab).toStdString();
        EXPECT_GE(place.width(), tabs->fontMetrics().horizontalAdvance(tabs->tabText(tab)));
    }
    for (const QToolButton* arrow : tabs->findChildren<QToolButton*>()) {
        EXPECT_FALSE(arrow->isVisible());
    }

    // The LED board's heading, in the window at its widest.
    const QLabel* heading = nullptr;
    for (QMdiSubWindow* frame : OtherFrames()) {
        if (frame->windowTitle() == "LED_1 : LED(12/6)") {
            heading = frame->widget()->findChild<QLabel*>("Label1");
        }
    }
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text(), "LAMP GOOD BITS");
    EXPECT_LE(heading->x() + heading->fontMetrics().horizontalAdvance(heading->text()),
              heading->parentWidget()->width());
}

TEST_F(WindowsAsFoundTest, ADoubleClickOnAnEmptyPlaceOfTheBitStatusGridFindsNoStatement) {
    app = Started(kSmall);
    Main().Program()->findChild<QTabBar*>("tbSelect")->setCurrentIndex(2);  // "Bit Status"
    auto* grid = Main().Program()->findChild<QTableView*>("grdStatus");
    const QPoint empty(grid->viewport()->width() / 2, grid->viewport()->height() - 2);
    ASSERT_FALSE(grid->indexAt(empty).isValid());
    dialogs.Answer(MsgAnswer::Ok);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, empty);
    EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"Veldra: No Statement Found"});
}

// Enter applies the typed number and leaving the box applies it again, each once: a click
// on another page's tab is one leaving, though the program window's frame takes the focus
// on the way and hands it back to the box before the page goes out of sight.
TEST_F(WindowsAsFoundTest, EachEnterAndEachLeavingOfAValueBoxWritesOneValueChanged) {
    app = Started(kSmall);
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    frmProgram* program = Main().Program();
    auto* tabs = program->findChild<QTabBar*>("tbSelect");
    const auto clickTab = [tabs](const QString& caption) {
        for (int tab = 0; tab < tabs->count(); ++tab) {
            if (tabs->tabText(tab) == caption) {
                QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
                return;
            }
        }
        ADD_FAILURE() << "no tab " << caption.toStdString();
    };
    // The entries the immediate window holds for the one numeric, SPEED.
    const auto valueChanged = [this] {
        return Occurrences(Engine().Status().StatusText(), "Value Changed");
    };
    struct Page {
        const char* caption;
        int index;  // of its list and value box
    };
    struct Way {
        const char* name;
        bool enter;
        bool tabClicked;
        std::size_t entries;
    };
    const Way ways[] = {{"Enter", true, false, 1},
                        {"a tab clicked", false, true, 1},
                        {"Enter, then a tab clicked", true, true, 2}};
    for (const Page& page : {Page{"Force Bit", 1}, Page{"User Numeric", 0}}) {
        for (const Way& way : ways) {
            const std::string what = std::string(page.caption) + ", " + way.name;
            clickTab(page.caption);
            auto* numerics =
                program->findChild<QListView*>(QString("lstNumerics_%1").arg(page.index));
            auto* box = program->findChild<QLineEdit*>(QString("txtNumeric_%1").arg(page.index));
            ASSERT_TRUE(numerics != nullptr && box != nullptr) << what;
            QTest::mouseClick(numerics->viewport(), Qt::LeftButton, {},
                              numerics->visualRect(numerics->model()->index(0, 0)).center());
            QTest::mouseClick(box, Qt::LeftButton);
            ASSERT_TRUE(box->hasFocus()) << what;
            box->selectAll();
            QTest::keyClicks(box, "2");
            const std::size_t before = valueChanged();

            if (way.enter) {
                QTest::keyClick(box, Qt::Key_Return);
            }
            if (way.tabClicked) {
                clickTab("Immediate Window");
            }

            EXPECT_EQ(valueChanged() - before, way.entries) << what;
            EXPECT_EQ(Engine().PrgBooleanBits()->Find("SPEED")->NumValue(), 2) << what;
        }
    }
}

}  // namespace
}  // namespace veldra::testing
