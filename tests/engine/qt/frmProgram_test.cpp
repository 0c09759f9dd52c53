#include "engine/qt/frmProgram.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QFontMetrics>
#include <QGroupBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPaintEvent>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegion>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <utility>
#include <vector>

#include "engine/immediate_window.h"
#include "engine/qt/immediate_views.h"
#include "platform/qt/lamp.h"
#include "support/occurrences.h"
#include "support/qt/program_window_fixture.h"

namespace veldra::testing {
namespace {

// The program of tests/data/program_window/small.ml2, a crossing's worth of logic: a push
// button sets a route, the route lights LED.3 and, after its delay, the slow bit; a speed
// over its limit is flagged by a numeric block.
class ProgramWindowTest : public ProgramWindowFixture, private ProgramWindowHost {
protected:
    ProgramWindowTest() {
        MainWindowServices services;
        services.mainWindow = this;
        EXPECT_EQ(Load("program_window/small.ml2", std::move(services), /*shown=*/true), "SMALL");
        QObject::connect(window.get(), &frmProgram::mainWindowCloseAsked,
                         [this] { ++mainWindowCloses; });
    }

    template <class Widget>
    Widget* Find(const char* name) {
        auto* widget = window->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QAction* Menu(const char* name) { return Find<QAction>(name); }
    void ShowPage(const char* caption) {
        QTabBar* tabs = Find<QTabBar>("tbSelect");
        for (int tab = 0; tab < tabs->count(); ++tab) {
            if (tabs->tabText(tab) == caption) {
                tabs->setCurrentIndex(tab);
                return;
            }
        }
        ADD_FAILURE() << "no tab " << caption;
    }
    void Start() {
        dialogs.Answer(MsgAnswer::No);  // "SET CPS.STATUS?"
        QTest::mouseClick(Find<QPushButton>("cmdStart"), Qt::LeftButton);
        ASSERT_TRUE(Engine().Running());
    }
    void Stop() {
        QTest::mouseClick(Find<QPushButton>("cmdStart"), Qt::LeftButton);
        ASSERT_FALSE(Engine().Running());
    }
    // An input as a board window posts it, then the scan timer's tick.
    void Post(const char* name, bool value) { Driver().Post(name, value); }
    void Scan() { Driver().Tick(); }
    // The line of a list or grid that shows `text` (in column `column`).
    static QModelIndex LineOf(QAbstractItemView* view, const QString& text, int column = 0) {
        QAbstractItemModel* model = view->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            const QModelIndex index = model->index(row, column);
            if (index.data().toString() == text) {
                return index;
            }
        }
        return {};
    }
    // A value typed into a box and the focus taken out of it, as a click elsewhere does.
    void TypeAndLeave(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->setText(text);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(box, &out);
    }
    // How many numbers the immediate window says were set.
    std::size_t ValueChangedLines() {
        return Occurrences(Engine().Status().StatusText(), "Value Changed");
    }
    std::string BoxTitles() const {
        std::string titles;
        for (const MsgBoxRequest& box : dialogs.boxes()) {
            titles += box.title + ": " + box.prompt + "\n";
        }
        return titles;
    }

    // Double-clicks the first place a text shows the word, and answers the statements of
    // the viewers that opened (closing them).
    std::vector<QString> DoubleClickWord(const char* name, const QString& word) {
        auto* text = Find<QPlainTextEdit>(name);
        const int at = int(text->toPlainText().indexOf(word));
        EXPECT_GE(at, 0) << name << ": " << text->toPlainText().toStdString();
        QTextCursor cursor(text->document());
        cursor.setPosition(std::max(at, 0) + 1);
        text->setTextCursor(cursor);
        text->ensureCursorVisible();
        QTest::mouseDClick(text->viewport(), Qt::LeftButton, {}, text->cursorRect().center());
        std::vector<QString> shown;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == "frmShowAssign" && widget->isVisible()) {
                shown.push_back(widget->findChild<QPlainTextEdit*>("txtAssign")->toPlainText());
                widget->close();
            }
        }
        return shown;
    }

    int mainWindowCloses = 0;

private:
    // As the main window: names the program and leaves the windows standing alone.
    std::string ProgramName() const override { return "SMALL"; }
};

// The core decides the menus' states; the window shows them as loaded.
TEST_F(ProgramWindowTest, TheSolvingLampsTakeTurnsInOnePlaceBetweenStartAndItsCaption) {
    auto* lit = Find<LampWidget>("imgOn");
    auto* dark = Find<LampWidget>("imgOff");
    const auto place = [this](const QWidget* control) {
        return control->mapTo(window.get(), QPoint());
    };
    EXPECT_TRUE(dark->isVisible());
    EXPECT_FALSE(lit->isVisible());
    EXPECT_EQ(place(lit), place(dark));
    EXPECT_GT(place(dark).x(),
              place(Find<QPushButton>("cmdStart")).x() + Find<QPushButton>("cmdStart")->width());
    EXPECT_LT(place(dark).x() + dark->width(), place(Find<QLabel>("lblStable")).x());
}

TEST_F(ProgramWindowTest, TheMenusAndTheIntervalShowTheLoadedProgram) {
    EXPECT_TRUE(Menu("mnuIO")->isChecked());
    EXPECT_TRUE(Menu("mnuNumeric")->isEnabled());      // the program has a numeric block
    EXPECT_FALSE(Menu("mnuForceTable")->isEnabled());  // and no table
    EXPECT_EQ(Find<QLineEdit>("txtInterval")->text(), "100");
}

TEST_F(ProgramWindowTest, AnInputSolvedByTheScanLightsItsLedAndColoursItsGridCell) {
    ShowPage("Bit Status");
    Start();
    EXPECT_EQ(dialogs.boxes().front().prompt, "SET CPS.STATUS?");
    Scan();  // the first start's statements

    Post("PB_1", true);
    Scan();

    EXPECT_TRUE(Find<LampWidget>("LedOn_3")->isVisibleTo(window.get()) &&
                !Find<LampWidget>("LedOff_3")->isVisibleTo(window.get()) &&
                !Find<LampWidget>("LedOn_2")->isVisibleTo(window.get()));
    QTableView* grid = Find<QTableView>("grdStatus");
    EXPECT_EQ(LineOf(grid, "ROUTE_1", 1).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(0, 192, 0));
    EXPECT_FALSE(LineOf(grid, "LED.1", 1).data(Qt::BackgroundRole).isValid());
}

// What the grid's viewport was asked to paint while the desktop had its turns.
class PaintedRegion final : public QObject {
public:
    explicit PaintedRegion(QWidget* viewport) { viewport->installEventFilter(this); }
    QRegion painted;

private:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

TEST_F(ProgramWindowTest, EveryCellAScanChangesInSightIsRepaintedOnceTheDesktopGetsItsTurn) {
    ShowPage("Bit Status");
    Start();
    Scan();
    QApplication::processEvents();
    QTableView* grid = Find<QTableView>("grdStatus");
    const QRect route = grid->visualRect(LineOf(grid, "ROUTE_1", 1));
    ASSERT_TRUE(grid->viewport()->rect().contains(route));

    for (const bool value : {true, false}) {
        PaintedRegion region(grid->viewport());
        Post("PB_1", value);
        Scan();

        EXPECT_TRUE(QTest::qWaitFor([&] { return region.painted.contains(route); }, 1000)) << value;
        EXPECT_EQ(LineOf(grid, "ROUTE_1", 1).data(Qt::BackgroundRole).isValid(), value);
    }
}

// The colour a grid cell is drawn with, read beside its name where no text falls.
QColor DrawnColour(QTableView* grid, const QModelIndex& cell) {
    QApplication::processEvents();
    const QRect rect = grid->visualRect(cell);
    return grid->viewport()->grab().toImage().pixelColor(rect.left() + 1, rect.top() + 2);
}

// A row out of sight while a scan changes its bit is drawn in its new colour as it scrolls
// in, and goes on following its bit once in sight.
TEST_F(ProgramWindowTest, ARowScrolledIntoSightAfterItsBitChangedShowsItsNewColour) {
    ShowPage("Bit Status");
    Start();
    Scan();
    QTableView* grid = Find<QTableView>("grdStatus");
    grid->selectionModel()->clear();  // no row drawn chosen
    const QModelIndex route = LineOf(grid, "ROUTE_1", 1);
    const int rows = grid->model()->rowCount();
    ASSERT_GT(rows, 3);
    // Two rows in sight, the route's not among them.
    grid->setFixedHeight(grid->rowHeight(0) * 2 + 2 * grid->frameWidth());
    const int away = route.row() < rows / 2 ? rows - 1 : 0;
    grid->scrollTo(grid->model()->index(away, 1), QAbstractItemView::PositionAtTop);
    QApplication::processEvents();
    ASSERT_FALSE(grid->viewport()->rect().intersects(grid->visualRect(route)));
    ShowPage("Force Bit");  // the grid taken up again with the route out of sight
    ShowPage("Bit Status");
    grid->selectionModel()->clear();
    ASSERT_FALSE(grid->viewport()->rect().intersects(grid->visualRect(route)));
    const QColor unset = grid->viewport()->palette().color(QPalette::Base);

    Post("PB_1", true);
    Scan();
    QApplication::processEvents();
    grid->scrollTo(route, QAbstractItemView::PositionAtTop);
    EXPECT_EQ(DrawnColour(grid, route), QColor(0, 192, 0));

    PaintedRegion region(grid->viewport());
    Post("PB_1", false);
    Scan();
    const QRect inSight = grid->visualRect(route);
    EXPECT_TRUE(QTest::qWaitFor([&] { return region.painted.contains(inSight); }, 1000));
    EXPECT_EQ(DrawnColour(grid, route), unset);
}

// Leaving the page keeps the grid's colours as they were; coming back shows every bit's
// colour as it is now.
TEST_F(ProgramWindowTest, TheGridKeepsItsColoursWhileLeftAndShowsTheBitsOnReturn) {
    ShowPage("Bit Status");
    Start();
    Scan();
    Post("PB_1", true);
    Scan();
    QTableView* grid = Find<QTableView>("grdStatus");
    const auto routeColour = [&] {
        return LineOf(grid, "ROUTE_1", 1).data(Qt::BackgroundRole).value<QBrush>().color();
    };
    ASSERT_EQ(routeColour(), QColor(0, 192, 0));

    ShowPage("Force Bit");
    Post("PB_1", false);
    Scan();
    EXPECT_FALSE(Value("ROUTE_1"));
    EXPECT_EQ(routeColour(), QColor(0, 192, 0));

    ShowPage("Bit Status");
    grid->selectionModel()->clear();  // no row drawn chosen
    EXPECT_FALSE(LineOf(grid, "ROUTE_1", 1).data(Qt::BackgroundRole).isValid());
    const QColor unset = grid->viewport()->palette().color(QPalette::Base);
    EXPECT_EQ(DrawnColour(grid, LineOf(grid, "ROUTE_1", 1)), unset);
    Post("PB_1", true);
    Scan();
    EXPECT_EQ(DrawnColour(grid, LineOf(grid, "ROUTE_1", 1)), QColor(0, 192, 0));
}

// The grid's cells look as the style itself draws them, pixel for pixel: names, True rows'
// colour, a chosen row with and without the keyboard's focus, a name too wide for its cell,
// and the same cells again once a scan has changed them back.
TEST_F(ProgramWindowTest, TheStatusGridLooksAsTheStyleDrawsIt) {
    ShowPage("Bit Status");
    Start();
    QTableView* grid = Find<QTableView>("grdStatus");
    const auto lookAlike = [&](const char* what) {
        QApplication::processEvents();
        const QImage ours = grid->viewport()->grab().toImage();
        QAbstractItemDelegate* own = grid->itemDelegate();
        QStyledItemDelegate style;
        grid->setItemDelegate(&style);
        const QImage styles = grid->viewport()->grab().toImage();
        grid->setItemDelegate(own);
        EXPECT_FALSE(ours.isNull()) << what;
        EXPECT_TRUE(ours == styles) << what;
    };
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"as loaded", [] {}},
        {"a route set",
         [&] {
             Post("PB_1", true);
             Scan();
         }},
        {"a row chosen", [&] { grid->setCurrentIndex(LineOf(grid, "LED.1", 1)); }},
        {"the grid focused",
         [&] {
             window->activateWindow();
             grid->setFocus();
             ASSERT_TRUE(QTest::qWaitFor([&] { return grid->hasFocus(); }, 1000));
         }},
        {"the route's row chosen", [&] { grid->setCurrentIndex(LineOf(grid, "ROUTE_1", 1)); }},
        {"the route cleared",
         [&] {
             Post("PB_1", false);
             Scan();
         }},
        {"the route set again",
         [&] {
             Post("PB_1", true);
             Scan();
         }},
        {"the names cut short",
         [&] { grid->setColumnWidth(1, grid->fontMetrics().horizontalAdvance("LED.1")); }},
    };
    for (const auto& [what, step] : cases) {
        step();
        lookAlike(what);
    }
}

TEST_F(ProgramWindowTest, ABitForcedOnTheForcePageIsSolvedByTheNextScan) {
    ShowPage("Force Bit");
    QListView* list = Find<QListView>("cmbBitSelect_0");
    const QModelIndex button = LineOf(list, "PB_1");

    list->model()->setData(button, Qt::Checked, Qt::CheckStateRole);
    EXPECT_TRUE(Value("PB_1"));
    Start();
    Scan();

    EXPECT_TRUE(Value("ROUTE_1"));
    EXPECT_EQ(button.data(Qt::CheckStateRole).toInt(), Qt::Checked);
}

TEST_F(ProgramWindowTest, AForcedNumberReachesTheNextForcedEvaluation) {
    ShowPage("Force Bit");
    QListView* numerics = Find<QListView>("lstNumerics_1");
    const QModelIndex speed = LineOf(numerics, "SPEED = 0");
    numerics->setCurrentIndex(speed);
    QLineEdit* box = Find<QLineEdit>("txtNumeric_1");
    EXPECT_TRUE(box->isEnabled());
    EXPECT_EQ(box->text(), "0");

    TypeAndLeave(box, "7");
    EXPECT_EQ(Engine().PrgBooleanBits()->Find("SPEED")->NumValue(), 7);
    EXPECT_EQ(speed.data().toString(), "SPEED = 7");
    Start();
    Menu("mnuNumeric")->trigger();
    Scan();

    EXPECT_TRUE(Value("FAST"));
}

TEST_F(ProgramWindowTest, AChangedDelayIsUsedByTheNextScan) {
    ShowPage("Time Que");
    QListView* timers = Find<QListView>("lstTimers");
    timers->setCurrentIndex(LineOf(timers, "SLOW_1"));
    EXPECT_EQ(Find<QLineEdit>("txtSetTime")->text(), "2000");
    EXPECT_EQ(Find<QLineEdit>("txtClearTime")->text(), "500");

    TypeAndLeave(Find<QLineEdit>("txtSetTime"), "0");
    QTest::mouseClick(Find<QPushButton>("cmdChangeTimer"), Qt::LeftButton);
    Start();
    Post("PB_1", true);
    Scan();

    EXPECT_TRUE(Value("SLOW_1"));  // at once: no delay left to wait for
    EXPECT_EQ(Driver().RunningTimers(), 0);
    Find<QLineEdit>("txtInterval")->setText("250");
    QTest::mouseClick(Find<QPushButton>("cmdSet"), Qt::LeftButton);
    EXPECT_EQ(Driver().ServiceInterval(), 250);
}

TEST_F(ProgramWindowTest, ADelayThatIsNoWholeNumberIsRefusedAndPutBack) {
    ShowPage("Time Que");
    QListView* timers = Find<QListView>("lstTimers");
    timers->setCurrentIndex(LineOf(timers, "SLOW_1"));
    dialogs.Answer(MsgAnswer::Ok);

    TypeAndLeave(Find<QLineEdit>("txtSetTime"), "007");

    EXPECT_EQ(BoxTitles(), "Invalid Entry: Enter number has whole integer in milliseconds\n");
    EXPECT_EQ(Find<QLineEdit>("txtSetTime")->text(), "2000");
}

TEST_F(ProgramWindowTest, ARunningImmediateWindowTooShortForItsEntriesShowsTheNewest) {
    Start();
    for (const bool value : {true, false, true, false, true, false}) {
        Post("PB_1", value);
        Scan();
    }
    // The newest entry's text, below its stamp.
    const ImmediateWindow& status = Engine().Status();
    std::string newest = *status.Slot((status.StatusIndex() + ImmediateWindow::kSlots - 1) %
                                      ImmediateWindow::kSlots);
    newest = newest.substr(newest.find("\r\n") + 2);
    newest.erase(newest.find_last_not_of(' ') + 1);
    auto* picture = Find<StatusPicture>("picStatus");
    const int lineSpacing = QFontMetrics(picture->font()).lineSpacing();

    for (const int lines : {3, 6, 25}) {
        picture->resize(picture->width(), lines * lineSpacing + 4);
        const QStringList shown = picture->ShownText().split('\n');
        EXPECT_LE(shown.size(), lines);
        EXPECT_EQ(shown.back().trimmed().toStdString(), newest) << lines << " lines";
    }
}

TEST_F(ProgramWindowTest, TheStoppedImmediateWindowAndTheLogFileShowTheScansEntries) {
    QTemporaryDir folder;
    const std::filesystem::path file = folder.filePath("small.txt").toStdString();
    dialogs.Choose(file).Type("WEST JUNCTION");

    Menu("mnuCLog")->trigger();
    EXPECT_TRUE(Menu("mnuCLog")->isChecked());
    ASSERT_EQ(dialogs.fileDialogs().size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs()[0].proposedName, "SMALL");
    Start();
    EXPECT_TRUE(Find<QWidget>("picStatus")->isVisibleTo(window.get()));
    Post("PB_1", true);
    Scan();
    Stop();
    EXPECT_FALSE(Find<QWidget>("picStatus")->isVisibleTo(window.get()));
    const QString shown = Find<QPlainTextEdit>("txtStatus")->toPlainText();
    EXPECT_TRUE(shown.contains("Setting bit: PB_1")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("Setting bit: ROUTE_1")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("Set Timer Que: SLOW_1")) << shown.toStdString();
    Menu("mnuCLog")->trigger();
    EXPECT_FALSE(Menu("mnuCLog")->isChecked());

    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    const std::string log = text.str();
    EXPECT_TRUE(log.starts_with("Program Name: SMALL\r\nLocation Name: WEST JUNCTION\r\n")) << log;
    EXPECT_NE(log.find("Setting bit: ROUTE_1\r\n"), std::string::npos) << log;
}

// A scan's lines are kept while it runs and shown when the program stops: each still
// carries the time its change happened, while the log file has it the moment it happens.
TEST_F(ProgramWindowTest, LinesShownAfterTheScanCarryTheTimeOfTheChangeAndTheLogHasThemAtOnce) {
    QTemporaryDir folder;
    const std::filesystem::path file = folder.filePath("small.txt").toStdString();
    dialogs.Choose(file).Type("WEST JUNCTION");
    Menu("mnuCLog")->trigger();
    ASSERT_TRUE(Menu("mnuCLog")->isChecked());
    const auto logged = [&] {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };
    clock.now = {6, 0, 0};
    Start();

    clock.now = {6, 41, 7};
    Post("PB_1", true);
    Scan();
    const std::string log = logged();
    EXPECT_NE(log.find("06:41:07\r\nSetting bit: PB_1\r\n\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("06:41:07\r\nSetting bit: ROUTE_1\r\n\r\n"), std::string::npos) << log;
    clock.now = {6, 41, 9};
    Post("PB_1", false);
    Scan();
    clock.now = {6, 55, 0};
    Stop();

    const QString shown = Find<QPlainTextEdit>("txtStatus")->toPlainText();
    for (const char* line :
         {"06:41:07\nSetting bit: PB_1\n", "06:41:07\nSetting bit: ROUTE_1\n",
          "06:41:09\nClearing bit: PB_1\n", "06:41:09\nClearing bit: ROUTE_1\n"}) {
        EXPECT_TRUE(shown.contains(line)) << line << " in " << shown.toStdString();
    }
    EXPECT_FALSE(shown.contains("06:55:00")) << shown.toStdString();
    EXPECT_NE(logged().find("06:41:09\r\nClearing bit: ROUTE_1\r\n\r\n"), std::string::npos);
    Menu("mnuCLog")->trigger();
}

// Stopped again, the window shows only the entries since the last stop, those shown before
// standing as blank lines; the log file keeps every entry.
TEST_F(ProgramWindowTest, StoppedAgainTheWindowShowsTheEntriesSinceTheLastStopAndTheLogKeepsAll) {
    QTemporaryDir folder;
    const std::filesystem::path file = folder.filePath("small.txt").toStdString();
    dialogs.Choose(file).Type("WEST JUNCTION");
    Menu("mnuCLog")->trigger();
    clock.now = {6, 0, 0};
    Start();
    Post("PB_1", true);
    Scan();
    Stop();
    const QString first = Find<QPlainTextEdit>("txtStatus")->toPlainText();
    EXPECT_TRUE(first.contains("Setting bit: PB_1")) << first.toStdString();

    Start();
    Post("PB_1", false);
    Scan();
    Stop();
    const QString second = Find<QPlainTextEdit>("txtStatus")->toPlainText();
    EXPECT_FALSE(second.contains("Setting bit: PB_1")) << second.toStdString();
    EXPECT_TRUE(second.contains("Clearing bit: PB_1")) << second.toStdString();
    EXPECT_TRUE(second.startsWith("\n\n")) << second.toStdString();
    Menu("mnuCLog")->trigger();

    std::ifstream in(file, std::ios::binary);
    std::stringstream log;
    log << in.rdbuf();
    EXPECT_NE(log.str().find("Setting bit: PB_1"), std::string::npos);
    EXPECT_NE(log.str().find("Clearing bit: PB_1"), std::string::npos);
}

// A menu's tick follows the core, not the click that toggled it.
TEST_F(ProgramWindowTest, ALogRefusedWhileTheProgramRunsLeavesItsMenuUnticked) {
    Start();
    dialogs.Answer(MsgAnswer::Ok);

    Menu("mnuCLog")->trigger();

    EXPECT_EQ(dialogs.boxes().back().prompt, "You must stop the simulator first");
    EXPECT_FALSE(Menu("mnuCLog")->isChecked());
}

TEST_F(ProgramWindowTest, AnLedOrGridRowOpensItsStatementThroughOneCall) {
    QTest::mousePress(Find<QLabel>("LED_3"), Qt::RightButton);
    dialogs.Answer(MsgAnswer::Ok);
    ShowPage("Bit Status");
    QTableView* grid = Find<QTableView>("grdStatus");
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {},
                       grid->visualRect(LineOf(grid, "PB_1", 1)).center());

    EXPECT_EQ(BoxTitles(), "Veldra: No Statement Found\n");
    std::vector<QString> shown;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "frmShowAssign") {
            shown.push_back(widget->findChild<QPlainTextEdit*>("txtAssign")->toPlainText());
            widget->close();
        }
    }
    EXPECT_EQ(shown, std::vector<QString>{"ASSIGN ROUTE_1 TO LED.3;"});
}

// A bit named among the running timers or in the stopped immediate window opens the
// statement that assigns it when its name is double-clicked.
TEST_F(ProgramWindowTest, ABitNameDoubleClickedInATextOpensItsStatement) {
    Start();
    ShowPage("Time Que");
    Post("PB_1", true);
    Scan();
    // The timer service's ticks, until it shows the time left.
    for (int tick = 0; tick < 40 && Engine().TimersText().empty(); ++tick) {
        Driver().ServiceTick();
    }
    EXPECT_EQ(DoubleClickWord("txtTimers", "SLOW_1"),
              std::vector<QString>{"ASSIGN ROUTE_1 TO SLOW_1;"});
    Stop();
    ShowPage("Immediate Window");
    EXPECT_EQ(DoubleClickWord("txtStatus", "ROUTE_1"),
              std::vector<QString>{"ASSIGN PB_1 TO ROUTE_1;"});
}

TEST_F(ProgramWindowTest, TheFinderSelectsTheBitsRow) {
    ShowPage("Bit Status");
    Find<QLineEdit>("txtBit")->setText("route_1");
    QTest::mouseClick(Find<QPushButton>("cmdFind"), Qt::LeftButton);
    QTableView* grid = Find<QTableView>("grdStatus");
    EXPECT_EQ(grid->currentIndex().data().toString(), "ROUTE_1");
}

TEST_F(ProgramWindowTest, ASystemBitChosenFromTheMenuReachesTheBitAtTheNextScan) {
    Start();
    Scan();
    ASSERT_FALSE(Value("CPS.STATUS"));

    Menu("mnuCPS")->trigger();
    EXPECT_TRUE(Menu("mnuCPS")->isChecked());
    EXPECT_FALSE(Value("CPS.STATUS"));
    Scan();

    EXPECT_TRUE(Value("CPS.STATUS"));
}

TEST_F(ProgramWindowTest, EnterInAValueBoxAppliesTheNumberAndStepsToTheNextLine) {
    ShowPage("User Numeric");
    QListView* numerics = Find<QListView>("lstNumerics_0");
    numerics->setCurrentIndex(numerics->model()->index(0, 0));
    QLineEdit* box = Find<QLineEdit>("txtNumeric_0");
    box->setText("2.5");

    QTest::keyClick(box, Qt::Key_Return);

    EXPECT_EQ(Engine().PrgBooleanBits()->Find("SPEED")->NumValue(), 2);  // halves to even
    EXPECT_EQ(numerics->currentIndex().data().toString(), "SPEED = 2");  // the last line stays
    EXPECT_EQ(box->selectedText(), "2.5");  // all of it, ready to be typed over
}

// Each way of ending an entry in a value box, with text that starts with a number or not
// and a number too big for a numeric: one reading, and at most one box, per entry.
TEST_F(ProgramWindowTest, AValueBoxReadsTheLeadingNumberOnceAndRefusesOnlyWhatDoesNotFit) {
    ShowPage("User Numeric");
    QListView* numerics = Find<QListView>("lstNumerics_0");
    QLineEdit* box = Find<QLineEdit>("txtNumeric_0");
    QPushButton* apply = Find<QPushButton>("Command1");
    dialogs.BoxesTakeTheFocus();
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"Enter", [&] { QTest::keyClick(box, Qt::Key_Return); }},
        {"Tab", [&] { QTest::keyClick(box, Qt::Key_Tab); }},
        {"Apply", [&] { QTest::mouseClick(apply, Qt::LeftButton); }},
    };
    struct Case {
        const char* typed;
        std::optional<int> applied;  // none: refused
    };
    const Case cases[] = {{"abc", 0}, {"12abc", 12}, {"3.5", 4}, {"40000", std::nullopt}};
    for (const auto& [way, end] : ways) {
        for (const Case& c : cases) {
            const std::string what = std::string(way) + " after " + c.typed;
            BooleanBit* speed = Engine().PrgBooleanBits()->Find("SPEED");
            speed->SetNumValue(7, true);
            numerics->setCurrentIndex({});
            numerics->setCurrentIndex(numerics->model()->index(0, 0));
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window.get())) << what;
            box->setFocus();
            ASSERT_TRUE(box->hasFocus()) << what;
            box->setText(c.typed);
            const std::size_t boxesBefore = dialogs.boxes().size();
            const std::size_t readingsBefore = ValueChangedLines();
            if (!c.applied) {
                dialogs.Answer(MsgAnswer::Ok);
            }

            end();

            EXPECT_EQ(speed->NumValue(), c.applied.value_or(7)) << what;
            EXPECT_EQ(ValueChangedLines() - readingsBefore, c.applied ? 1u : 0u) << what;
            ASSERT_EQ(dialogs.boxes().size() - boxesBefore, c.applied ? 0u : 1u) << what;
            if (!c.applied) {
                EXPECT_EQ(dialogs.boxes().back().title, "Invalid Entry") << what;
                EXPECT_EQ(dialogs.boxes().back().prompt,
                          "Enter a whole number from -32768 to 32767")
                    << what;
                EXPECT_EQ(box->text(), "7") << what;  // the bit's number put back
            }
        }
    }
}

TEST_F(ProgramWindowTest, AHandCloseWithAProgramLoadedAsksTheMainWindowAndStays) {
    EXPECT_FALSE(window->close());
    EXPECT_EQ(mainWindowCloses, 1);
    EXPECT_TRUE(window->isVisible());

    window->CloseWindow();
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ProgramWindowTest, AProgramClosedWhileAScanYieldsClosesTheWindowAfterTheScan) {
    Start();
    Post("PB_1", true);
    QTimer::singleShot(0, window.get(), [this] { window->CloseWindow(); });

    Scan();  // its yields let the close run

    EXPECT_TRUE(window->isVisible());  // the window goes only once the scan has unwound
    EXPECT_EQ(Engine().PrgBooleanBits(), nullptr);
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ProgramWindowTest, TheWindowIsNeverLargerThanItsLimitNorMaximised) {
    window->resize(2000, 2000);
    EXPECT_LE(window->width(), 475);
    EXPECT_LE(window->height(), 469);
    window->showMaximized();
    QApplication::processEvents();
    EXPECT_FALSE(window->isMaximized());
}

TEST_F(ProgramWindowTest, TheUserBitsPageShowsTheUserBitsTicked) {
    ShowPage("User Bits");
    EXPECT_TRUE(Find<QListView>("cmbBitSelect_1")->isVisibleTo(window.get()));
    EXPECT_FALSE(Find<QListView>("cmbBitSelect_0")->isVisibleTo(window.get()));
    EXPECT_EQ(Find<QGroupBox>("fraOption_1")->title(), "Change User Bit");
    const QModelIndex flank = LineOf(Find<QListView>("cmbBitSelect_1"), "WITH_FLANK");
    EXPECT_EQ(flank.data(Qt::CheckStateRole).toInt(), Qt::Checked);
}

}  // namespace
}  // namespace veldra::testing
