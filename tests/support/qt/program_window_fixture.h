#pragma once

#include <gtest/gtest.h>
#include <QCoreApplication>

#include <memory>
#include <string>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "ladder/qt/show_bit_assign.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "panels/panel_set.h"
#include "platform/qt/qt_platform.h"
#include "support/engine_driver.h"
#include "support/fake_clock.h"
#include "support/qt/scripted_dialogs.h"

namespace veldra::testing {

// A program window over a program of tests/data, loaded as the main window loads it.
class ProgramWindowFixture : public ::testing::Test, private LoaderHost {
protected:
    ~ProgramWindowFixture() override {
        if (window && Engine().ProgramLoaded()) {
            window->CloseWindow();
        }
        // The windows the program's close closed go before the registry they stand in.
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Shown before the load when `shown`, as the main window shows its child first.
    // The statement views are the ladder's, as the main window hands them over.
    std::string Load(const char* file, MainWindowServices services = {}, bool shown = false) {
        if (services.statementViews == nullptr)
            services.statementViews = &LadderStatementViews();
        window = std::make_unique<frmProgram>(registry, dialogs, clock, std::move(services));
        boards = std::make_unique<PanelSet>(Engine().InputQueue());
        if (shown) {
            window->show();
        }
        ParseText loader(Engine(), *this, *boards);
        return loader.GetProgram(std::string(VELDRA_TEST_DATA "/") + file);
    }
    ProgramEngine& Engine() { return window->Engine(); }
    EngineDriver Driver() { return EngineDriver(Engine()); }
    bool Value(const char* name) { return Engine().PrgBooleanBits()->Find(name)->BitValue(); }

    ScriptedDialogs dialogs;
    WindowRegistry registry;
    QtPlatform platform{dialogs, registry, [] { ADD_FAILURE() << "the application ended"; }};
    FakeClock clock;
    std::unique_ptr<PanelSet> boards;
    std::unique_ptr<frmProgram> window;  // goes first

private:
    void DoEvents() override {}
    void LoadFinished() override { window->LoadFinished(boards->Windows()); }
};

}  // namespace veldra::testing
