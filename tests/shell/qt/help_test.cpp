#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QWhatsThis>
#include <set>

#include "engine/program_engine.h"
#include "platform/qt/frmHelp.h"
#include "platform/qt/help_guide.h"
#include "support/engine_driver.h"
#include "support/qt/application_fixture.h"

namespace veldra::testing {
namespace {

const QString kGuide = VELDRA_HELP_FILE;

// The help window on the screen, if any.
frmHelp* ShownHelp() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* help = qobject_cast<frmHelp*>(window); help != nullptr && help->isVisible()) {
            return help;
        }
    }
    return nullptr;
}

TEST(UserGuide, HoldsAPageForEveryTopicTheProgramNames) {
    const HelpGuide guide = HelpGuide::Read(kGuide);
    EXPECT_TRUE(guide.Problems().isEmpty()) << guide.Problems().join("\n").toStdString();
    for (const HelpTopic topic : NamedHelpTopics()) {
        const HelpGuide::Page* page = guide.FindTopic(topic);
        ASSERT_NE(page, nullptr) << "topic " << int(topic);
        EXPECT_FALSE(page->title.isEmpty()) << "topic " << int(topic);
    }
    // One page per number, so that a number never means two pages.
    std::set<int> numbers;
    for (const HelpGuide::Page& page : guide.Pages()) {
        EXPECT_TRUE(numbers.insert(int(page.topic)).second)
            << page.file.toStdString() << " repeats topic " << int(page.topic);
    }
    EXPECT_EQ(guide.FindTopic(HelpTopic::ForceBitChange)->title, "Force Bit Change");
    EXPECT_EQ(guide.FindTopic(HelpTopic::ChangeUserBit)->title, "Change User Bit");
}

class HelpTest : public ApplicationFixture {
protected:
    void Open(const std::string& source) {
        app = Started(source);
        ASSERT_TRUE(started);
        Main().SetHelpFile(QFile::encodeName(kGuide).toStdString());
    }
    // "What's This" from the program window's own Help menu, then a click on `control`.
    void WhatsThis(QAction* command, QWidget* control) {
        command->trigger();
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(4, 4));
        Settle();
    }
    static std::pair<int, QString> Shown(const frmHelp* help) {
        return {int(help->ShownTopic()), help->windowTitle()};
    }
};

TEST_F(HelpTest, WhatsThisOnTheForceFrameShowsTopic27OnForceBitAnd31OnUserBits) {
    Open(VELDRA_EXAMPLES "/level_crossing.ml2");
    frmProgram* program = Main().Program();
    QAction* whatsThis = program->findChild<QAction*>("mnuWhatThis");
    auto* tabs = program->findChild<QTabBar*>("tbSelect");
    struct Case {
        int tab;
        const char* control;  // a control of the frame without a topic of its own
        int topic;
        const char* title;
    };
    for (const Case& row : {Case{1, "cmbBitSelect_0", 27, "Veldra Help - Force Bit Change"},
                            Case{3, "cmbBitSelect_1", 31, "Veldra Help - Change User Bit"},
                            Case{1, "fraOption_1", 27, "Veldra Help - Force Bit Change"}}) {
        tabs->setCurrentIndex(row.tab);
        auto* control = program->findChild<QWidget*>(row.control);
        auto* view = qobject_cast<QListView*>(control);
        WhatsThis(whatsThis, view != nullptr ? view->viewport() : control);
        const frmHelp* help = ShownHelp();
        ASSERT_NE(help, nullptr) << row.control;
        EXPECT_EQ(Shown(help), std::make_pair(row.topic, QString(row.title)));
        EXPECT_FALSE(QWhatsThis::inWhatsThisMode());
    }
    EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(HelpTest, WhatsThisOnABoardInputShowsItsBoardsPageAndLeavesTheInputAlone) {
    Open(VELDRA_EXAMPLES "/level_crossing.ml2");
    for (QMdiSubWindow* window : Main().Area().subWindowList()) {
        if (window->windowTitle() != "XING_IN : IN16") {
            continue;
        }
        Main().Area().setActiveSubWindow(window);
        const int pending = EngineDriver(Engine()).PendingCount();  // the boards' own enabled bits
        for (const char* control : {"lblIO_0", "imgOn_0"}) {
            // A click on an input changes it: the question must not.
            WhatsThis(Main().findChild<QAction*>("mnuWhatThis"),
                      window->widget()->findChild<QWidget*>(control));
            ASSERT_NE(ShownHelp(), nullptr);
            EXPECT_EQ(
                Shown(ShownHelp()),
                std::make_pair(40, QString("Veldra Help - Clicking inputs on board windows")));
            EXPECT_EQ(EngineDriver(Engine()).PendingCount(), pending) << control;
        }
        return;
    }
    FAIL() << "no input board";
}

TEST_F(HelpTest, WhatsThisOnEveryWindowOfAProgramShowsThatWindowsPage) {
    for (const char* source : {"/interlocking.ml2", "/line_end_a.ml2"}) {
        Open(std::string(VELDRA_EXAMPLES) + source);
        const HelpGuide guide = HelpGuide::Read(kGuide);
        for (QMdiSubWindow* window : Main().Area().subWindowList()) {
            Main().Area().setActiveSubWindow(window);
            WhatsThis(Main().findChild<QAction*>("mnuWhatThis"), window->widget());
            const frmHelp* help = ShownHelp();
            ASSERT_NE(help, nullptr) << window->windowTitle().toStdString();
            const HelpGuide::Page* page = guide.FindTopic(help->ShownTopic());
            ASSERT_NE(page, nullptr) << window->widget()->objectName().toStdString();
            EXPECT_EQ(help->windowTitle(), "Veldra Help - " + page->title);
        }
        dialogs.Answer(MsgAnswer::Yes);  // "Close Simulator?"
        Main().close();
        Settle();
        app.reset();
    }
}

TEST_F(HelpTest, HelpContentsOpensTheGuideOnItsContentsWithBackAndForward) {
    Open(VELDRA_EXAMPLES "/level_crossing.ml2");
    Item("mnuHlpTop")->trigger();
    frmHelp* help = ShownHelp();
    ASSERT_NE(help, nullptr);
    auto* page = help->findChild<QTextBrowser*>("txtTopic");
    auto* back = help->findChild<QPushButton*>("cmdBack");
    auto* forward = help->findChild<QPushButton*>("cmdForward");
    EXPECT_EQ(Shown(help), std::make_pair(0, QString("Veldra Help")));
    EXPECT_EQ(page->source().fileName(), "VELDRA.html");
    EXPECT_EQ(help->findChild<QTabWidget*>("tabHelp")->currentIndex(), 0);
    EXPECT_FALSE(back->isEnabled());
    const auto contents = help->findChild<QTreeWidget*>("tvwContents")
                              ->findItems("Change User Bit", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(contents.size(), 1);

    // A word of the index, then back to the contents and forward again.
    auto* index = help->findChild<QListWidget*>("lstIndex");
    const auto watch = index->findItems("Bit Watch", Qt::MatchExactly);
    ASSERT_EQ(watch.size(), 1);
    index->itemClicked(watch.front());
    EXPECT_EQ(Shown(help), std::make_pair(53, QString("Veldra Help - Watch List")));
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(Shown(help).first, 0);
    EXPECT_TRUE(forward->isEnabled());
    QTest::mouseClick(forward, Qt::LeftButton);
    EXPECT_EQ(Shown(help).first, 53);

    // Asked again, the one window goes back to the contents.
    Item("mnuHlpTop")->trigger();
    EXPECT_EQ(ShownHelp(), help);
    EXPECT_EQ(Shown(help).first, 0);
}

TEST_F(HelpTest, ChoosingTheIndexPutsTheCursorInItsFieldSoThatTypingFindsATopic) {
    Open(VELDRA_EXAMPLES "/level_crossing.ml2");
    Item("mnuHlpTop")->trigger();
    frmHelp* help = ShownHelp();
    ASSERT_NE(help, nullptr);
    help->activateWindow();
    Settle();
    auto* tabs = help->findChild<QTabWidget*>("tabHelp");
    QTabBar* bar = tabs->tabBar();
    for (const char* word : {"bit w", "force"}) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
        ASSERT_EQ(tabs->currentIndex(), 1);
        EXPECT_EQ(help->focusWidget(), help->findChild<QWidget*>("txtIndex"));
        // Typed where the keyboard is, as a user types: the field takes it, whole.
        QTest::keyClicks(QApplication::focusWidget(), word);
        EXPECT_EQ(help->findChild<QLineEdit*>("txtIndex")->text(), word);
        EXPECT_TRUE(help->findChild<QListWidget*>("lstIndex")
                        ->currentItem()
                        ->text()
                        .startsWith(word, Qt::CaseInsensitive))
            << word;
    }
}

TEST_F(HelpTest, ClosingTheSimulatorClosesTheHelpWindow) {
    Open(VELDRA_EXAMPLES "/level_crossing.ml2");
    Item("mnuHlpTop")->trigger();
    const QPointer<frmHelp> help = ShownHelp();
    ASSERT_FALSE(help.isNull());
    dialogs.Answer(MsgAnswer::Yes);  // "Close Simulator?"
    EXPECT_TRUE(Main().close());
    Settle();
    EXPECT_TRUE(help.isNull());
}

TEST_F(HelpTest, AMissingHelpFileIsReportedByHelpContentsAndWhatsThis) {
    Open(VELDRA_EXAMPLES "/level_crossing.ml2");
    const std::string missing = "/nonexistent/help/VELDRA.html";
    Main().SetHelpFile(missing);
    dialogs.Answer(MsgAnswer::Ok).Answer(MsgAnswer::Ok);
    Item("mnuHlpTop")->trigger();
    WhatsThis(Main().Program()->findChild<QAction*>("mnuWhatThis"),
              Main().Program()->findChild<QWidget*>("cmdStart"));
    EXPECT_EQ(ShownHelp(), nullptr);
    ASSERT_EQ(dialogs.boxes().size(), 2u);
    for (const MsgBoxRequest& box : dialogs.boxes()) {
        EXPECT_EQ(box.prompt, "Unable to open the help file " + missing);
        EXPECT_EQ(box.buttons, MsgButtons::Ok);
        EXPECT_EQ(box.icon, MsgIcon::Critical);
        EXPECT_EQ(box.title, "Veldra");
    }
}

}  // namespace
}  // namespace veldra::testing
