#include "engine/qt/statement_view_host.h"

#include "engine/program_engine.h"

namespace veldra {

namespace {

// Asks the main window, or without one a stand-in that answers as for windows standing
// alone on the desktop.
template <class Ask>
auto AskMainWindow(ProgramWindowHost* mainWindow, Ask ask) {
    ProgramWindowHost standalone;
    return ask(mainWindow != nullptr ? *mainWindow : standalone);
}

}  // namespace

bool StatementViewHost::ProgramStands() const {
    return engine != nullptr && !programWindow.isNull() && engine->ProgramLoaded();
}

void StatementViewHost::Place(QWidget& viewer) const {
    AskMainWindow(mainWindow, [&](ProgramWindowHost& host) { host.PlaceChild(viewer); });
}

void StatementViewHost::SetTopWindows() const {
    AskMainWindow(mainWindow, [](ProgramWindowHost& host) { host.SetTopWindows(); });
}

std::string StatementViewHost::ProgramName() const {
    return AskMainWindow(mainWindow, [](ProgramWindowHost& host) { return host.ProgramName(); });
}

}  // namespace veldra
