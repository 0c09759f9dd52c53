
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTemporaryDir>
#include <fstream>

#include "engine/program_engine.h"
#include "support/engine_driver.h"
#include "support/qt/application_fixture.h"
#include "support/without_privileges.h"

namespace veldra::testing {
namespace {

const std::string kSource = VELDRA_TEST_DATA "/program_window/small.ml2";

class ApplicationTest : public ApplicationFixture {
protected:
    ApplicationTest() { settings.SaveSetting("Sessions", "SID", "3"); }

    std::string Sid() const { return settings.GetSetting("Sessions", "SID"); }
    std::string Caption(QWidget* window) const { return window->windowTitle().toStdString(); }
    // The message boxes shown since the last look, as "title: prompt".
    std::vector<std::string> TakeBoxes() {
        std::vector<std::string> shown;
        for (std::size_t i = seenBoxes; i < dialogs.boxes().size(); ++i) {
            shown.push_back(dialogs.boxes()[i].title + ": " + dialogs.boxes()[i].prompt);
        }
        seenBoxes = dialogs.boxes().size();
        return shown;
    }
    void OpenAgain() {
        dialogs.Answer(MsgAnswer::Ok).Choose(kSource);
        Item("mnuOpen")->trigger();
        Settle();
    }

    std::size_t seenBoxes = 0;
};

TEST_F(ApplicationTest, AFileOnTheCommandLineOpensWithoutAQuestionInSessionZero) {
    app = Started(kSource);
    ASSERT_TRUE(started);
    EXPECT_EQ(
        (std::vector<std::string>{Caption(&Main()), Caption(Main().Program()), Sid()}),
        (std::vector<std::string>{"SID 0, Card File: SMALL", "SID 0, Program Window: SMALL", "1"}));
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_TRUE(Main().findChild<QMenu*>("mnuProgram")->menuAction()->isVisible() &&
                Main().Program()->findChild<QAction*>("mnuTop")->isChecked());

    // Opening it again from the menu closes the first, with the windows it opened, and
    // keeps the session's number.
    QPointer<frmProgram> first = Main().Program();
    first->findChild<QAction*>("mnuShowNumeric")->trigger();
    EXPECT_EQ(Main().Area().subWindowList().size(), 2);
    OpenAgain();
    EXPECT_EQ(TakeBoxes(),
              std::vector<std::string>{
                  "Continue Open?: Opening a new file will close any current program"});
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(Main().Area().subWindowList().size(), 1);
    EXPECT_EQ(Caption(Main().Program()), "SID 0, Program Window: SMALL");
    EXPECT_EQ(Sid(), "1");

    // A second instance, while this one runs, counts on.
    auto second = Started(kSource);
    EXPECT_EQ(Caption(&second->MainWindow()), "SID 1, Card File: SMALL");
    EXPECT_EQ(Sid(), "2");

    // The first one ends; a third, started while the second runs, still counts on.
    app.reset();
    auto third = Started(kSource);
    EXPECT_EQ(Caption(&third->MainWindow()), "SID 2, Card File: SMALL");
}

TEST_F(ApplicationTest, TheEditFormHandsTheFileToTheEditorAndEnds) {
    app = Started("edit /srv/holt.ml2");
    EXPECT_FALSE(started);
    ASSERT_FALSE(editorCommand.empty());
    EXPECT_EQ(editorCommand.back(), "/srv/holt.ml2");
    EXPECT_EQ(Sid(), "3");
    EXPECT_FALSE(Main().isVisible());

    dialogs.Answer(MsgAnswer::Ok);
    app = Started("EDIT");
    EXPECT_FALSE(started);
    EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"Veldra: Invalid procedure call or argument"});
}

TEST_F(ApplicationTest, AFileThatIsNoSourceLeavesAnEmptyMainWindow) {
    QTemporaryDir folder;
    dialogs.Answer(MsgAnswer::Ok);
    app = Started(folder.path().toStdString());
    EXPECT_TRUE(started);
    EXPECT_EQ(ends, 0);
    EXPECT_EQ(TakeBoxes(), std::vector<std::string>{
                               "Ostrel: Path/File access error: " + folder.path().toStdString() +
                               " is not a regular file: Error In Text Parser"});
    EXPECT_EQ(Main().Program(), nullptr);
    EXPECT_TRUE(Main().isEnabled());
}

TEST_F(ApplicationTest, NoCommandLineAsksForTheFileAndACancelLeavesTheMainWindowReady) {
    dialogs.CancelFile();
    app = Started("");
    EXPECT_TRUE(TakeBoxes().empty());  // nothing open: no question
    EXPECT_EQ(dialogs.fileDialogs().size(), 1U);
    EXPECT_EQ(Sid(), "0");  // reset, then never below 0
    EXPECT_TRUE(Main().isEnabled());
    EXPECT_FALSE(Main().findChild<QMenu*>("mnuProgram")->menuAction()->isVisible());
}

// The old program closes before the new source is read: an open that ends without one
// leaves the main window on view, its caption naming no program.
TEST_F(ApplicationTest, AnOpenThatLoadsNothingLeavesTheMainWindowShownWithoutAProgramName) {
    QTemporaryDir folder;
    const std::filesystem::path binary = folder.filePath("binary.ml2").toStdString();
    std::ofstream(binary, std::ios::binary) << std::string("PROGRAM B;\0", 11);
    const std::filesystem::path missing = folder.filePath("missing.ml2").toStdString();
    const struct {
        std::optional<std::filesystem::path> chosen;
        std::string box;
    } cases[] = {
        {std::nullopt, ""},
        {missing, "Ostrel: File not found: " + missing.string() + ": Error In Text Parser"},
        {binary, "Ostrel: " + binary.string() +
                     " holds binary data (line 1) and is no application source: Error In Text "
                     "Parser"},
    };
    app = Started(kSource);
    for (const auto& open : cases) {
        SCOPED_TRACE(open.box);
        if (Main().Program() == nullptr) {
            dialogs.Choose(kSource);  // nothing open: no question
            Item("mnuOpen")->trigger();
            Settle();
        }
        ASSERT_EQ(Caption(&Main()), "SID 0, Card File: SMALL");
        TakeBoxes();
        dialogs.Answer(MsgAnswer::Ok);  // "Continue Open?"
        if (open.chosen) {
            dialogs.Choose(*open.chosen).Answer(MsgAnswer::Ok);
        } else {
            dialogs.CancelFile();
        }
        Item("mnuOpen")->trigger();
        Settle();
        const std::vector<std::string> boxes = TakeBoxes();
        EXPECT_EQ(boxes.back(), open.chosen ? open.box
                                            : "Continue Open?: Opening a new file "
                                              "will close any current program");
        EXPECT_EQ(Main().Program(), nullptr);
        EXPECT_EQ(Caption(&Main()), "Card File");
        EXPECT_FALSE(Main().isMinimized());
        EXPECT_TRUE(Main().isEnabled());
    }
}

// Every load shows the progress window; each used to draw its picture afresh, leaving the
// drawing in the desktop's picture cache, so memory grew by some 10 kB with every open.
TEST_F(ApplicationTest, OpeningAProgramAgainAndAgainHoldsNoMoreMemory) {
    const auto heapInUse = [] { return mallinfo2().uordblks; };
    app = Started(kSource);
    for (int open = 0; open < 10; ++open) {  // caches and pools reach their working size
        OpenAgain();
    }
    const std::size_t before = heapInUse();
    constexpr int kOpens = 40;
    for (int open = 0; open < kOpens; ++open) {
        OpenAgain();
    }
    // What the test itself records of each open's box and file dialog (its folder too),
    // with the room its lists grow by, is well under this; the picture cache took 10 kB.
    EXPECT_LT(heapInUse(), before + kOpens * 4000);
    EXPECT_EQ(Main().Program()->windowTitle().toStdString(), "SID 0, Program Window: SMALL");
}

TEST_F(ApplicationTest, AnOpenWhileAScanIsInProgressWaitsForItToEnd) {
    app = Started(kSource);
    ProgramEngine& engine = Main().Program()->Engine();
    EngineDriver(engine).SetSolving(true);  // a solve the engineer's force started, say
    dialogs.Answer(MsgAnswer::Ok);
    Item("mnuOpen")->trigger();
    EXPECT_FALSE(Main().isEnabled());
    ASSERT_TRUE(Main().tmrClose.Enabled());

    dialogs.Answer(MsgAnswer::No);
    Main().tmrClose.Fire();
    EXPECT_EQ(TakeBoxes().back(), "Close Simulator?: Unable to stop program.");
    EXPECT_TRUE(Main().tmrClose.Enabled());

    EngineDriver(engine).SetSolving(false);
    dialogs.Choose(kSource);
    Main().tmrClose.Fire();
    Settle();
    EXPECT_FALSE(Main().tmrClose.Enabled());
    EXPECT_TRUE(Main().isEnabled());
    EXPECT_NE(&Main().Program()->Engine(), &engine);
    EXPECT_EQ(Sid(), "1");
}

TEST_F(ApplicationTest, ADroppedSourceIsUsedByItsOwnOpenOnlyEvenWhenItIsCancelled) {
    app = Started(kSource);
    QPointer<frmProgram> first = Main().Program();
    // "Continue Open?", then the state file that is not there; the view's is silent.
    dialogs.Answer(MsgAnswer::Ok).Answer(MsgAnswer::Ok);
    Main().DropFiles({"/srv/view.svw", "/srv/state.sst", kSource});  // the source first
    Settle();
    EXPECT_TRUE(dialogs.fileDialogs().empty());
    EXPECT_TRUE(first.isNull());

    dialogs.Answer(MsgAnswer::Cancel);
    Main().DropFiles({"/srv/other.ml2"});
    dialogs.Answer(MsgAnswer::Ok).CancelFile();
    Item("mnuOpen")->trigger();  // asks for its own file
    EXPECT_EQ(dialogs.fileDialogs().size(), 1U);
}

TEST_F(ApplicationTest, ClosingStopsTheProgramClosesEveryWindowAndCountsTheSessionOut) {
    app = Started(kSource);
    StartProgram();
    TakeBoxes();
    dialogs.Answer(MsgAnswer::No);
    EXPECT_FALSE(Main().close());
    EXPECT_TRUE(Main().Program()->Engine().Running());

    ProgramEngine& engine = Main().Program()->Engine();
    dialogs.Answer(MsgAnswer::Yes);
    EXPECT_TRUE(Main().close());
    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(TakeBoxes().back(), "End Simulation: Close Simulator?");
    Settle();
    EXPECT_EQ(Main().Program(), nullptr);
    EXPECT_EQ(Sid(), "0");
}

TEST_F(ApplicationTest, ClosingWaitsForAScanInProgressWithTheMenusShut) {
    app = Started(kSource);
    EngineDriver(Main().Program()->Engine()).SetSolving(true);
    dialogs.Answer(MsgAnswer::Yes);
    EXPECT_FALSE(Main().close());
    EXPECT_FALSE(Main().isEnabled());
    Main().tmrClose.Fire();
    EXPECT_FALSE(Main().Unloaded());

    EngineDriver(Main().Program()->Engine()).SetSolving(false);
    Main().tmrClose.Fire();
    EXPECT_TRUE(Main().Unloaded());
    EXPECT_EQ(Sid(), "0");
}

TEST_F(ApplicationTest, AStatementOpensInTheMainWindowStaysOnTopAndClosesWithTheProgram) {
    app = Started(kSource);
    const auto view = [this]() -> QMdiSubWindow* {
        for (QMdiSubWindow* frame : Main().Area().subWindowList()) {
            if (frame->widget() != nullptr && frame->widget()->objectName() == "frmShowAssign") {
                return frame;
            }
        }
        return nullptr;
    };
    Main().Program()->ShowBitAssign("LED.3");
    ASSERT_NE(view(), nullptr);
    view()->widget()->findChild<QCheckBox*>("chkTop")->setChecked(true);
    EXPECT_TRUE(view()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    OpenAgain();
    EXPECT_EQ(view(), nullptr);
    EXPECT_EQ(Main().Area().subWindowList().size(), 1);  // the new program's window only
}

TEST_F(ApplicationTest, ANewCaptionNamesBothWindowsAndACancelKeepsThem) {
    app = Started(kSource);
    dialogs.Type("Holt Yard");
    Item("mnuSessionNum")->trigger();
    EXPECT_EQ(Caption(&Main()), "Holt Yard");
    EXPECT_EQ(Caption(Main().Program()), "Program Window: Holt Yard");
    dialogs.CancelInput();
    Item("mnuSessionNum")->trigger();
    EXPECT_EQ(Caption(&Main()), "Holt Yard");
}

TEST_F(ApplicationTest, RefreshOverAWindowWithoutALinkFails) {
    app = Started(kSource);
    dialogs.Answer(MsgAnswer::Ok);
    Item("mnuRefresh")->trigger();
    EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"Refresh Failed: Object does not have focus."});
}

// --- State files, view files and the statement export.

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class FileCommandsTest : public ApplicationTest {
protected:
    FileCommandsTest() { app = Started(kSource); }
    BooleanBit& Bit(const char* name) {
        return *Main().Program()->Engine().PrgBooleanBits()->Find(name);
    }
    // Runs the command on the file, as if chosen in its dialog.
    void Run(const char* command, const char* file = nullptr) {
        if (file != nullptr) {
            dialogs.Choose(Path(file));
        }
        Item(command)->trigger();
        Settle();
    }
    std::filesystem::path Path(const char* name) const {
        return std::filesystem::path(folder.path().toStdString()) / name;
    }

    QTemporaryDir folder;
};

TEST_F(FileCommandsTest, AStateSavedChangedAndLoadedSavesAgainTheSameAndAskedNoKeepsTheOldFile) {
    Run("mnuSaveState", "SMALL.sst");
    const std::string saved = Contents(Path("SMALL.sst"));
    EXPECT_NE(saved.find("<b_PB_1><BitValue>False</BitValue>"), std::string::npos);
    EXPECT_TRUE(Main().Program()->parentWidget()->isMinimized());

    Bit("PB_1").SetBitValue(true);
    Bit("CPS.STATUS").SetFilter(true);
    Bit("SLOW_1").SetOnTime(7000);
    Bit("SPEED").SetNumValue(99, true);
    dialogs.Answer(MsgAnswer::No);
    Run("mnuSaveState", "SMALL.sst");  // "Replace Existing File": No
    EXPECT_EQ(Contents(Path("SMALL.sst")), saved);

    QAction* cps = Main().Program()->findChild<QAction*>("mnuCPS");
    cps->trigger();  // a click still pending when the state is loaded
    Run("mnuLoadState", "SMALL.sst");
    EXPECT_FALSE(cps->isChecked());
    EXPECT_EQ(EngineDriver(Main().Program()->Engine()).PendingCount(), 0);
    EXPECT_FALSE(Bit("PB_1").BitValue());
    EXPECT_TRUE(Bit("CPS.STATUS").Filter());  // the file only ever adds a flag
    Bit("CPS.STATUS").SetFilter(false);
    dialogs.Answer(MsgAnswer::Yes);
    Run("mnuSaveState", "SMALL.sst");
    EXPECT_EQ(Contents(Path("SMALL.sst")), saved);
    EXPECT_EQ(TakeBoxes(), (std::vector<std::string>{"File Exists: Replace Existing File",
                                                     "File Exists: Replace Existing File"}));
    EXPECT_TRUE(Main().isEnabled());
}

TEST_F(FileCommandsTest, EachFileDialogOpensWhereItsKindWasLastChosenElseBesideTheProgram) {
    const std::filesystem::path program = std::filesystem::path(kSource).parent_path();
    for (const char* kind : {"states", "views", "texts", "logs"}) {
        std::filesystem::create_directory(Path(kind));
    }
    struct Case {
        const char* command;
        const char* chosen;
        const char* opensIn;  // nullptr: the program's folder
    };
    const Case cases[] = {
        {"mnuSaveState", "states/A.sst", nullptr}, {"mnuLoadState", "states/A.sst", "states"},
        {"mnuSaveView", "views/A.svw", nullptr},   {"mnuLoadView", "views/A.svw", "views"},
        {"mnuSAll", "texts/A.txt", nullptr},       {"mnuSEOnly", "texts/B.txt", "texts"},
        {"mnuSaveState", "states/B.sst", "states"}};
    const auto opened = [this] { return dialogs.fileDialogs().back().folder; };
    for (const Case& c : cases) {
        Run(c.command, c.chosen);
        EXPECT_EQ(opened(), c.opensIn ? Path(c.opensIn) : program) << c.command;
    }
    QAction* log = Main().Program()->findChild<QAction*>("mnuCLog");
    for (const char* file : {"logs/A.txt", "logs/B.txt"}) {
        dialogs.Choose(Path(file)).Type("WEST JUNCTION");
        log->trigger();  // on, asking for the file; then off
        log->trigger();
        EXPECT_EQ(opened(), std::string(file) == "logs/A.txt" ? program : Path("logs"));
    }
    EXPECT_TRUE(TakeBoxes().empty());

    // The next run of the simulator opens them where this one left them; its Open dialog
    // where the last program came from, and a program opened elsewhere is the folder of
    // the kinds never chosen.
    Settle();
    app.reset();
    app = Started(kSource);
    Run("mnuSaveView", "views/C.svw");
    EXPECT_EQ(opened(), Path("views"));
    std::filesystem::create_directory(Path("elsewhere"));
    std::filesystem::copy_file(kSource, Path("elsewhere/small.ml2"));
    dialogs.Answer(MsgAnswer::Ok);
    Run("mnuOpen", "elsewhere/small.ml2");
    EXPECT_EQ(opened(), program);
    settings.SaveSetting("Folders", "State", "");
    Run("mnuSaveState", "elsewhere/C.sst");
    EXPECT_EQ(opened(), Path("elsewhere"));
}

TEST_F(FileCommandsTest, AStateFileOfManyMissingBitsGivesTenBoxesThenOneForTheRest) {
    struct Case {
        int missing;
        std::vector<std::string> boxes;
    };
    std::vector<std::string> tenBoxes;
    for (int i = 1; i <= 10; ++i) {
        tenBoxes.push_back("Bit Not Found: b_GONE_" + std::to_string(i) + " Does Not Exist");
    }
    std::vector<std::string> ofTwelve = tenBoxes;
    ofTwelve.push_back("Bit Not Found: 2 More Bits Do Not Exist:\r\nb_GONE_11\r\nb_GONE_12");
    std::vector<std::string> ofThousands = tenBoxes;
    std::string rest = "Bit Not Found: 4990 More Bits Do Not Exist, The First 10:";
    for (int i = 11; i <= 20; ++i) {
        rest += "\r\nb_GONE_" + std::to_string(i);
    }
    ofThousands.push_back(rest);
    for (const Case& test : {Case{3, {tenBoxes.begin(), tenBoxes.begin() + 3}}, Case{12, ofTwelve},
                             Case{5000, ofThousands}}) {
        SCOPED_TRACE(test.missing);
        Bit("PB_1").SetBitValue(false);
        std::string file = "<Save_State_Values>";
        for (int i = 1; i <= test.missing; ++i) {
            file += "<b_GONE_" + std::to_string(i) + "><BitValue>True</BitValue></b_GONE_" +
                    std::to_string(i) + ">";
        }
        file += "<b_PB_1><BitValue>True</BitValue></b_PB_1></Save_State_Values>";
        std::ofstream(Path("renamed.sst"), std::ios::binary) << file;

        for (std::size_t box = 0; box < test.boxes.size(); ++box) {
            dialogs.Answer(MsgAnswer::Ok);
        }
        Run("mnuLoadState", "renamed.sst");

        EXPECT_EQ(TakeBoxes(), test.boxes);
        EXPECT_TRUE(Bit("PB_1").BitValue());
    }
}

TEST_F(FileCommandsTest, WhileTheProgramRunsNoStateIsSavedOrLoadedButStatementsAreExported) {
    StartProgram();
    TakeBoxes();
    dialogs.Answer(MsgAnswer::Ok).Answer(MsgAnswer::Ok);
    Run("mnuSaveState");
    Run("mnuLoadState");
    Run("mnuSAll", "all.txt");
    Run("mnuSEOnly", "edited.txt");
    EXPECT_EQ(TakeBoxes(), (std::vector<std::string>{
                               "Save Failed: State Can Not Be Saved While Program Is Running",
                               "Load Failed: Can Not Change Bits While Program Is Running."}));
    EXPECT_EQ(
        Contents(Path("all.txt")),
        "ASSIGN PB_1 TO ROUTE_1;\r\nASSIGN ROUTE_1 TO LED.3;\r\nASSIGN ROUTE_1 TO SLOW_1;\r\n");
    EXPECT_TRUE(std::filesystem::exists(Path("edited.txt")));
    EXPECT_EQ(Contents(Path("edited.txt")), "");
}

TEST_F(FileCommandsTest, AStateFileDroppedWithItsSourceIsAppliedToTheProgramJustLoaded) {
    Bit("PB_1").SetBitValue(true);
    Run("mnuSaveState", "SMALL.sst");
    dialogs.Answer(MsgAnswer::Ok);  // "Continue Open?"
    Main().DropFiles({Path("SMALL.sst").string(), kSource});
    Settle();
    EXPECT_TRUE(Bit("PB_1").BitValue());
    EXPECT_TRUE(Bit("ROUTE_1").BitValue());  // solved again from the restored bit
}

TEST_F(FileCommandsTest, AViewPutsTheWindowsBackWhereTheyWere) {
    Run("mnuStatements");
    const QList<QMdiSubWindow*> windows = Main().Area().subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(windows.size(), 2);
    QMdiSubWindow* list = windows.back();
    list->showNormal();
    list->setGeometry(40, 30, 300, 200);
    const std::string caption = Caption(&Main());
    Run("mnuSaveView", "SMALL.svw");
    list->showMinimized();
    Run("mnuSaveView", "min.svw");

    list->showNormal();
    list->setGeometry(0, 0, 100, 100);
    Main().setWindowTitle("Another caption");
    Run("mnuLoadView", "SMALL.svw");
    EXPECT_EQ(list->geometry(), QRect(40, 30, 300, 200));
    EXPECT_EQ(Caption(Main().Program()), "Program Window: " + caption);
    Run("mnuLoadView", "min.svw");
    EXPECT_TRUE(list->isMinimized());

    // Numbers no screen could show are held to what one can.
    std::ofstream(Path("huge.svw"), std::ios::binary)
        << "Card File\r\n0\r\n0\r\n0\r\n999999999\r\n999999999\r\n";
    Run("mnuLoadView", "huge.svw");
    EXPECT_LT(Main().width(), 100000);
}

TEST_F(FileCommandsTest, AViewFileThatMayNotBeReadIsToldAndChangesNothing) {
    Run("mnuSaveView", "SMALL.svw");
    const QRect before = Main().Program()->parentWidget()->geometry();
    std::filesystem::permissions(Path("SMALL.svw"), std::filesystem::perms::none);
    Main().Program()->parentWidget()->move(before.topLeft() + QPoint(30, 20));
    const QRect moved = Main().Program()->parentWidget()->geometry();
    dialogs.Answer(MsgAnswer::Ok);
    {
        const WithoutPrivileges permissions;
        ASSERT_TRUE(permissions.InForce());
        Run("mnuLoadView", "SMALL.svw");
    }
    EXPECT_EQ(TakeBoxes(),
              std::vector<std::string>{"Veldra: Unable to read " + Path("SMALL.svw").string() +
                                       ": permission denied"});
    EXPECT_EQ(Main().Program()->parentWidget()->geometry(), moved);
}

// A named pipe or a device given as a state file is never opened (that could wait for ever),
// and the box says what it is not, in the words the source reader uses.
TEST_F(FileCommandsTest, AStateFileThatIsAPipeOrADeviceIsToldNotToBeARegularFile) {
    ASSERT_EQ(::mkfifo(Path("pipe.sst").c_str(), 0600), 0);
    for (const std::filesystem::path& file :
         {Path("pipe.sst"), std::filesystem::path("/dev/null")}) {
        dialogs.Answer(MsgAnswer::Ok).Choose(file);
        Item("mnuLoadState")->trigger();
        Settle();
        EXPECT_EQ(TakeBoxes(), std::vector<std::string>{"Error Loading File: Path/File access "
                                                        "error: " +
                                                        file.string() + " is not a regular file"});
    }
    EXPECT_TRUE(Main().isEnabled());
}

}  // namespace
}  // namespace veldra::testing
