#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <fstream>

#include "engine/program_engine.h"
#include "platform/qt/ini_settings.h"
#include "shell/qt/application.h"
#include "shell/qt/frmMain.h"
#include "support/fake_clock.h"
#include "support/qt/scripted_dialogs.h"

namespace veldra::testing {
namespace {

const std::string kSource = VELDRA_TEST_DATA "/program_window/small.ml2";

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The simulator with SMALL loaded from the command line, its boxes and dialogs answered
// from a script, writing its files into a folder of its own.
class FileCommandsTest : public ::testing::Test {
protected:
    FileCommandsTest() {
        settings.SaveSetting("Sessions", "SID", "0");
        app = std::make_unique<Application>(
            dialogs, settings, clock, [](const std::vector<std::string>&) {}, [] {});
        app->Start(kSource);
        QApplication::processEvents();
    }
    frmMain& Main() { return app->MainWindow(); }
    ProgramEngine& Engine() { return Main().Program()->Engine(); }
    BooleanBit& Bit(const char* name) { return *Engine().PrgBooleanBits()->Find(name); }
    void Run(const char* command) {
        Main().findChild<QAction*>(command)->trigger();
        QApplication::processEvents();
    }
    // Runs the command on the file, as if chosen in its dialog.
    void Run(const char* command, const std::filesystem::path& file) {
        dialogs.Choose(file);
        Run(command);
    }
    std::vector<std::string> Boxes() {
        std::vector<std::string> shown;
        for (const MsgBoxRequest& box : dialogs.boxes()) {
            shown.push_back(box.title + ": " + box.prompt);
        }
        return shown;
    }
    std::filesystem::path File(const char* name) const {
        return std::filesystem::path(folder.path().toStdString()) / name;
    }

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    IniSettings settings;
    FakeClock clock;
    std::unique_ptr<Application> app;
};

TEST_F(FileCommandsTest, AStateSavedChangedAndLoadedSavesAgainTheSameAndAskedNoKeepsTheOldFile) {
    const std::filesystem::path state = File("SMALL.sst");
    Run("mnuSaveState", state);
    const std::string saved = Contents(state);
    EXPECT_NE(saved.find("<b_PB_1><BitValue>False</BitValue>"), std::string::npos);
    EXPECT_TRUE(Main().Program()->parentWidget()->isMinimized());

    Bit("PB_1").SetBitValue(true);
    Bit("CPS.STATUS").SetFilter(true);
    dialogs.Answer(MsgAnswer::No);
    Run("mnuSaveState", state);  // "Replace Existing File": No
    EXPECT_EQ(Contents(state), saved);

    Run("mnuLoadState", state);
    EXPECT_FALSE(Bit("PB_1").BitValue());
    EXPECT_TRUE(Bit("CPS.STATUS").Filter());  // the file only ever adds a flag
    Bit("CPS.STATUS").SetFilter(false);
    dialogs.Answer(MsgAnswer::Yes);
    Run("mnuSaveState", state);
    EXPECT_EQ(Contents(state), saved);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"File Exists: Replace Existing File",
                                                 "File Exists: Replace Existing File"}));
    EXPECT_TRUE(Main().isEnabled());
}

TEST_F(FileCommandsTest, WhileTheProgramRunsNoStateIsSavedOrLoadedButStatementsAreExported) {
    const std::filesystem::path state = File("SMALL.sst");
    Run("mnuSaveState", state);
    dialogs.Answer(MsgAnswer::No);  // "SET CPS.STATUS?"
    Run("mnuStop");
    ASSERT_TRUE(Engine().Running());
    std::filesystem::remove(state);

    dialogs.Answer(MsgAnswer::Ok).Answer(MsgAnswer::Ok);
    Run("mnuSaveState");
    Run("mnuLoadState");
    Run("mnuSAll", File("all.txt"));
    EXPECT_EQ(Boxes(), (std::vector<std::string>{
                           "CPS.STATUS IS CLEAR (FALSE): SET CPS.STATUS?",
                           "Save Failed: State Can Not Be Saved While Program Is Running",
                           "Load Failed: Can Not Change Bits While Program Is Running."}));
    EXPECT_FALSE(std::filesystem::exists(state));
    EXPECT_EQ(
        Contents(File("all.txt")),
        "ASSIGN PB_1 TO ROUTE_1;\r\nASSIGN ROUTE_1 TO LED.3;\r\nASSIGN ROUTE_1 TO SLOW_1;\r\n");
    Run("mnuSEOnly", File("edited.txt"));
    EXPECT_EQ(Contents(File("edited.txt")), "");
}

TEST_F(FileCommandsTest, AStateFileDroppedWithItsSourceIsAppliedToTheProgramJustLoaded) {
    Bit("PB_1").SetBitValue(true);
    Run("mnuSaveState", File("SMALL.sst"));
    dialogs.Answer(MsgAnswer::Ok);  // "Continue Open?"
    Main().DropFiles({File("SMALL.sst").string(), kSource});
    QApplication::processEvents();

    EXPECT_TRUE(Bit("PB_1").BitValue());
    EXPECT_TRUE(Bit("ROUTE_1").BitValue());  // solved again from the restored bit
    EXPECT_FALSE(Main().FileGiven);
}

TEST_F(FileCommandsTest, AViewPutsTheWindowsBackWhereTheyWere) {
    QMdiSubWindow* program = Main().Area().subWindowList(QMdiArea::CreationOrder).front();
    Run("mnuStatements");
    QList<QMdiSubWindow*> windows = Main().Area().subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(windows.size(), 2);
    QMdiSubWindow* list = windows.back();
    list->showNormal();
    list->setGeometry(40, 30, 300, 200);
    const std::string caption = Main().windowTitle().toStdString();
    Run("mnuSaveView", File("SMALL.svw"));

    list->setGeometry(0, 0, 100, 100);
    Main().setWindowTitle("Another caption");
    Run("mnuLoadView", File("SMALL.svw"));
    EXPECT_EQ(list->geometry(), QRect(40, 30, 300, 200));
    EXPECT_EQ(Main().windowTitle().toStdString(), caption);
    EXPECT_EQ(program->widget()->windowTitle().toStdString(), "Program Window: " + caption);

    list->showMinimized();
    Run("mnuSaveView", File("min.svw"));
    list->showNormal();
    Run("mnuLoadView", File("min.svw"));
    EXPECT_TRUE(list->isMinimized());
}

}  // namespace
}  // namespace veldra::testing
