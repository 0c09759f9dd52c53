// The value boxes of the program window's pages as an engineer uses them: whatever came
// before (refusals, menus opened and closed), each way of going elsewhere leaves a box once,
// applying its entry or refusing it, and a refusal keeps the focus, the page and the line.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "support/occurrences.h"
#include "support/qt/application_fixture.h"

namespace veldra::testing {
namespace {

// Two numerics, SPEED and WAGONS, listed in that order, and one timer bit, SLOW_1 (on-delay
// 2000 ms).
const std::string kValueBoxes = VELDRA_TEST_DATA "/program_window/value_boxes.ml2";

// A page with a value box, the list that chooses what the box holds, and a button of its own.
struct Page {
    const char* caption;
    const char* list;
    const char* box;
    const char* button;
    const char* otherBox;  // another box on the page; none: the page has one
    const char* typed;     // an entry the box applies, or one it refuses
    bool refused;
};

const Page kPages[] = {
    {"Force Bit", "lstNumerics_1", "txtNumeric_1", "cmdNum1Apply", nullptr, "2", false},
    {"User Numeric", "lstNumerics_0", "txtNumeric_0", "Command1", nullptr, "3", false},
    {"Time Que", "lstTimers", "txtSetTime", "cmdChangeTimer", "txtClearTime", "8q", true},
    {"Force Bit", "lstNumerics_1", "txtNumeric_1", "cmdNum1Apply", nullptr, "40000", true},
};

class ValueBoxLeavingTest : public ApplicationFixture {
protected:
    ValueBoxLeavingTest() {
        app = Started(kValueBoxes);
        Main().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Main()));
        dialogs.BoxesTakeTheFocus();
    }

    template <class Widget>
    Widget* Find(const char* name) {
        auto* widget = Main().Program()->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QTabBar* Tabs() { return Find<QTabBar>("tbSelect"); }
    QString PageShown() { return Tabs()->tabText(Tabs()->currentIndex()); }
    void ClickTab(const QString& caption) {
        for (int tab = 0; tab < Tabs()->count(); ++tab) {
            if (Tabs()->tabText(tab) == caption) {
                QTest::mouseClick(Tabs(), Qt::LeftButton, {}, Tabs()->tabRect(tab).center());
                return;
            }
        }
        ADD_FAILURE() << "no tab " << caption.toStdString();
    }
    static void ClickLine(QListView* list, int line) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(line, 0)).center());
    }
    // The page shown, its first line chosen and the entry typed over the box's text.
    QLineEdit* Typed(const Page& page) {
        ClickTab(page.caption);
        ClickLine(Find<QListView>(page.list), 0);
        auto* box = Find<QLineEdit>(page.box);
        QTest::mouseClick(box, Qt::LeftButton);
        EXPECT_TRUE(box->hasFocus()) << page.caption;
        box->selectAll();
        QTest::keyClicks(box, page.typed);
        return box;
    }
    // Drops the program window's "Options" menu down under its title, as a click on it does,
    // and closes it with Escape: the focus goes back to the box.
    void OptionsOpenedAndClosed(QLineEdit* box) {
        auto* bar = Find<QMenuBar>("menuBar");
        auto* options = Find<QMenu>("mnuOptions");
        options->popup(bar->mapToGlobal(bar->actionGeometry(options->menuAction()).bottomLeft()));
        ASSERT_TRUE(QTest::qWaitForWindowActive(options));
        QTest::keyClick(options, Qt::Key_Escape);
        ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
        Turn();
        ASSERT_TRUE(QTest::qWaitFor([box] { return box->hasFocus(); }, 2000));
    }
    // The event loop turns before the engineer's next step; the offscreen desktop gives the
    // main window back its activation after a menu only when asked, as a window manager would.
    void Turn() {
        QApplication::processEvents();
        Main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
    }
    std::size_t ValueChanged() {
        return Occurrences(Engine().Status().StatusText(), "Value Changed");
    }
    std::size_t Refusals() const {
        std::size_t count = 0;
        for (const MsgBoxRequest& box : dialogs.boxes()) {
            count += box.title == "Invalid Entry" ? 1 : 0;
        }
        return count;
    }
    // What entering the box by that page did: values applied, or entries refused.
    std::size_t Entries(const Page& page) { return page.refused ? Refusals() : ValueChanged(); }
    void OneRefusalFromBoxToBox(const char* first, const char* second);
};

TEST_F(ValueBoxLeavingTest, AfterRefusalsAndMenusEachWayOfLeavingABoxAppliesOrRefusesItOnce) {
    const Page& delays = kPages[2];
    for (int round = 0; round < 20; ++round) {
        const std::string what = "round " + std::to_string(round);
        QLineEdit* box = Typed(delays);
        const std::size_t before = Refusals();
        OptionsOpenedAndClosed(box);
        ASSERT_EQ(Refusals(), before) << what;  // the menu left nothing
        dialogs.Answer(MsgAnswer::Ok);
        if (round % 2 == 0) {
            QTest::keyClick(box, Qt::Key_Tab);
        } else {
            ClickTab("User Numeric");
        }
        Turn();
        ASSERT_EQ(Refusals() - before, 1U) << what;
        ASSERT_TRUE(box->hasFocus()) << what;
        ASSERT_EQ(PageShown(), "Time Que") << what;
        ASSERT_EQ(box->text(), "2000") << what;  // the bit's delay put back
    }

    // Another window on the desktop, with a box of its own.
    QLineEdit other;
    other.setWindowTitle("Other");
    other.show();
    struct Way {
        const char* name;
        std::function<void(const Page&, QLineEdit*)> act;
        std::size_t entries;  // 1: the box was left; 0: it kept the focus
    };
    QMdiSubWindow* frame = qobject_cast<QMdiSubWindow*>(Main().Program()->parentWidget());
    ASSERT_NE(frame, nullptr);
    const Way ways[] = {
        {"Tab", [](const Page&, QLineEdit* box) { QTest::keyClick(box, Qt::Key_Tab); }, 1},
        {"a click on another tab", [this](const Page&, QLineEdit*) { ClickTab("Bit Status"); }, 1},
        {"a click on the list",
         [this](const Page& page, QLineEdit*) { ClickLine(Find<QListView>(page.list), 0); }, 1},
        {"a click on the page's button",
         [this](const Page& page, QLineEdit*) {
             QTest::mouseClick(Find<QPushButton>(page.button), Qt::LeftButton);
         },
         1},
        {"a click on another box",
         [this](const Page& page, QLineEdit* box) {
             if (page.otherBox == nullptr) {
                 QTest::keyClick(box, Qt::Key_Tab);  // the page has no other: as Tab
             } else {
                 QTest::mouseClick(Find<QLineEdit>(page.otherBox), Qt::LeftButton);
             }
         },
         1},
        {"a menu opened and closed, then a click on the list",
         [this](const Page& page, QLineEdit* box) {
             OptionsOpenedAndClosed(box);
             ClickLine(Find<QListView>(page.list), 0);
         },
         1},
        {"a click in another window",
         [&other](const Page&, QLineEdit*) {
             other.activateWindow();
             QTest::mouseClick(&other, Qt::LeftButton);
         },
         1},
        {"a menu opened and closed",
         [this](const Page&, QLineEdit* box) { OptionsOpenedAndClosed(box); }, 0},
        {"a click on the program window's title bar",
         [frame](const Page&, QLineEdit*) {
             QTest::mouseClick(frame, Qt::LeftButton, {},
                               QPoint(frame->width() / 2, frame->widget()->y() / 2));
         },
         0},
    };
    for (const Page& page : kPages) {
        for (const Way& way : ways) {
            const std::string what = std::string(page.caption) + ", " + way.name;
            Main().activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&Main())) << what;
            Main().Area().setActiveSubWindow(frame);
            QLineEdit* box = Typed(page);
            const std::size_t before = Entries(page);
            const std::int16_t speed = Engine().PrgBooleanBits()->Find("SPEED")->NumValue();
            if (page.refused) {
                dialogs.Answer(MsgAnswer::Ok);
            }

            way.act(page, box);
            Turn();

            EXPECT_EQ(Entries(page) - before, way.entries) << what;
            if (page.refused || way.entries == 0) {
                EXPECT_TRUE(box->hasFocus()) << what;
                EXPECT_EQ(PageShown(), page.caption) << what;
            }
            if (way.entries == 0) {
                QTest::keyClick(box, Qt::Key_Tab);  // left at last: once
                EXPECT_EQ(Entries(page) - before, 1U) << what;
            }
            if (page.refused) {
                EXPECT_EQ(Find<QListView>(page.list)->currentIndex().row(), 0) << what;
                // Nothing was stored: the click on the page's button was dropped with the
                // refusal.
                EXPECT_EQ(Engine().PrgBooleanBits()->Find("SLOW_1")->OnTime(), 2000) << what;
                EXPECT_EQ(Engine().PrgBooleanBits()->Find("SPEED")->NumValue(), speed) << what;
            } else {
                EXPECT_EQ(Engine().PrgBooleanBits()->Find("SPEED")->NumValue(),
                          std::stoi(page.typed))
                    << what;
            }
        }
    }
}

// Enter applies the entry and the box stays; leaving it then applies the box once more.
TEST_F(ValueBoxLeavingTest, EnterAppliesOnceAndEnterThenLeavingTwice) {
    for (const Page& page : {kPages[0], kPages[1]}) {
        QLineEdit* box = Typed(page);
        const std::size_t before = ValueChanged();
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(ValueChanged() - before, 1U) << page.caption;
        EXPECT_TRUE(box->hasFocus()) << page.caption;
        QTest::keyClick(box, Qt::Key_Tab);
        EXPECT_EQ(ValueChanged() - before, 2U) << page.caption;
    }
}

// One click gives one answer at most. With no timer chosen both delay boxes are empty:
// leaving one for the other refuses the first, and the box that refusal puts up takes the
// focus from the other, which was never entered and so is not left.
void ValueBoxLeavingTest::OneRefusalFromBoxToBox(const char* first, const char* second) {
    ClickTab("Time Que");
    auto* left = Find<QLineEdit>(first);
    auto* clicked = Find<QLineEdit>(second);
    ASSERT_EQ(left->text(), "");
    ASSERT_EQ(clicked->text(), "");
    QTest::mouseClick(left, Qt::LeftButton);
    ASSERT_TRUE(left->hasFocus());
    dialogs.Answer(MsgAnswer::Ok);  // one box; a second fails the test as unexpected

    QTest::mouseClick(clicked, Qt::LeftButton);
    Turn();

    EXPECT_EQ(Refusals(), 1U);
    EXPECT_TRUE(left->hasFocus());
    EXPECT_EQ(left->text(), "0");  // no timer chosen: 0 put back
    EXPECT_EQ(clicked->text(), "");
    // Entered at last, the other box is refused once when it is left.
    QTest::mouseClick(clicked, Qt::LeftButton);
    ASSERT_TRUE(clicked->hasFocus());
    dialogs.Answer(MsgAnswer::Ok);
    QTest::keyClick(clicked, Qt::Key_Tab);
    Turn();
    EXPECT_EQ(Refusals(), 2U);
    EXPECT_TRUE(clicked->hasFocus());
}

TEST_F(ValueBoxLeavingTest, AClickFromARefusedSetTimeOntoClearTimeRefusesOnlySetTime) {
    OneRefusalFromBoxToBox("txtSetTime", "txtClearTime");
}

TEST_F(ValueBoxLeavingTest, AClickFromARefusedClearTimeOntoSetTimeRefusesOnlyClearTime) {
    OneRefusalFromBoxToBox("txtClearTime", "txtSetTime");
}

// Enter applies the entry to the current line's bit and makes the next line current, whose
// value the box then shows; on the last line the line stays. Leaving the box then applies
// what it shows to the line then current: the next bit's own value, or the last bit's value
// a second time.
TEST_F(ValueBoxLeavingTest, EnterThenLeavingAppliesTheBoxToTheLineEnterMadeCurrent) {
    struct Case {
        int line;
        const char* entered;  // the bit Enter applies the typed 7 to
        const char* left;     // the bit leaving the box applies it to
    };
    const Case cases[] = {{0, "SPEED", "WAGONS"}, {1, "WAGONS", "WAGONS"}};
    for (const Page& page : {kPages[0], kPages[1]}) {
        for (const Case& line : cases) {
            const std::string what =
                std::string(page.caption) + ", line " + std::to_string(line.line);
            BooleanBits& bits = *Engine().PrgBooleanBits();
            bits.Find("SPEED")->SetNumValue(11, true);
            bits.Find("WAGONS")->SetNumValue(22, true);
            ClickTab(page.caption);
            auto* list = Find<QListView>(page.list);
            ASSERT_EQ(list->model()->rowCount(), 2) << what;
            ClickLine(list, line.line);
            auto* box = Find<QLineEdit>(page.box);
            QTest::mouseClick(box, Qt::LeftButton);
            box->selectAll();
            QTest::keyClicks(box, "7");
            const std::size_t before = ValueChanged();
            const std::int16_t other =
                bits.Find(line.entered == std::string("SPEED") ? "WAGONS" : "SPEED")->NumValue();

            QTest::keyClick(box, Qt::Key_Return);
            EXPECT_EQ(ValueChanged() - before, 1U) << what;
            EXPECT_EQ(bits.Find(line.entered)->NumValue(), 7) << what;
            EXPECT_EQ(list->currentIndex().row(), 1) << what;
            EXPECT_TRUE(box->hasFocus()) << what;
            EXPECT_EQ(box->text().toStdString(), std::to_string(bits.Find(line.left)->NumValue()))
                << what;

            QTest::keyClick(box, Qt::Key_Tab);
            EXPECT_EQ(ValueChanged() - before, 2U) << what;
            const std::string text = Engine().Status().StatusText();
            const std::string written = std::to_string(bits.Find(line.left)->NumValue());
            EXPECT_NE(text.rfind(std::string(line.left)), std::string::npos) << what;
            EXPECT_GT(text.rfind("Value Changed, New Value = " + written), text.rfind(line.left))
                << what;
            EXPECT_EQ(bits.Find(line.entered)->NumValue(), 7) << what;
            if (std::string(line.entered) != line.left) {
                EXPECT_EQ(bits.Find(line.left)->NumValue(), other) << what;  // as it was
            }
        }
    }
}

}  // namespace
}  // namespace veldra::testing
