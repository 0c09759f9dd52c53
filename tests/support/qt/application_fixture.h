#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "engine/program_engine.h"
#include "platform/qt/ini_settings.h"
#include "shell/qt/application.h"
#include "shell/qt/frmMain.h"
#include "support/fake_clock.h"
#include "support/qt/scripted_dialogs.h"

namespace veldra::testing {

// Lets closed windows go, as the event loop would.
inline void Settle() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Runs `act` on the modal dialog of that class once it is up.
template <class Dialog, class Act>
void WhenShown(Act act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

// The simulator as started from a shell: its boxes and dialogs answered from a script, its
// settings in the test's own folder and an editor that is only recorded.
class ApplicationFixture : public ::testing::Test {
protected:
    ~ApplicationFixture() override {
        // Every window closed goes before the application it stands in.
        Settle();
        app.reset();
        Settle();
    }
    std::unique_ptr<Application> Started(const std::string& commandLine) {
        auto application = std::make_unique<Application>(
            dialogs, settings, clock,
            [this](const std::vector<std::string>& command) { editorCommand = command; },
            [this] { ++ends; });
        started = application->Start(commandLine);
        Settle();
        return application;
    }
    frmMain& Main() { return app->MainWindow(); }
    ProgramEngine& Engine() { return Main().Program()->Engine(); }
    QAction* Item(const char* name) { return Main().findChild<QAction*>(name); }
    void StartProgram() {
        dialogs.Answer(MsgAnswer::No);  // "SET CPS.STATUS?"
        Item("mnuStop")->trigger();
        ASSERT_TRUE(Engine().Running());
    }

    ScriptedDialogs dialogs;
    IniSettings settings;
    FakeClock clock;
    std::vector<std::string> editorCommand;
    int ends = 0;
    bool started = false;
    std::unique_ptr<Application> app;
};

}  // namespace veldra::testing
