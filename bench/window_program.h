#pragma once

#include <QCoreApplication>
#include <string>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "gen/bench_support.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "panels/panel_set.h"
#include "platform/clock.h"
#include "platform/qt/window_registry.h"

namespace veldra::bench {

// A program loaded into the real program window, its board windows headless halves, its
// boxes answered as a careful user does and its dialogs by the ones given.
class WindowProgram final : private LoaderHost {
public:
    // `shown`: the window is on screen while the program loads, and the loader lets the
    // desktop run between pieces, as the application does.
    WindowProgram(const std::string& source, Dialogs& dialogs, bool shown = false)
        : window(registry, dialogs, clock), shown_(shown) {
        if (shown_) {
            window.show();
        }
        ParseText(window.Engine(), *this, boards).GetProgramFromText(source);
    }
    ~WindowProgram() override {
        window.CloseWindow();
        boards.CloseAll();
    }

    CautiousPlatform platform;
    WindowRegistry registry;
    SystemClock clock;
    frmProgram window;
    PanelSet boards{window.Engine().InputQueue()};

private:
    void DoEvents() override {
        if (shown_) {
            QCoreApplication::processEvents();
        }
    }
    void LoadFinished() override { window.LoadFinished(boards.Windows()); }

    bool shown_;
};

}  // namespace veldra::bench
