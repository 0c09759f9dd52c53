#include "engine/qt/statement_view_host.h"

#include "engine/program_engine.h"

namespace veldra {

bool StatementViewHost::ProgramStands() const {
    return engine != nullptr && !programWindow.isNull() && engine->ProgramLoaded();
}

void StatementViewHost::Place(QWidget& viewer) const {
    ProgramWindowHost::OrStandalone(mainWindow).PlaceChild(viewer);
}

void StatementViewHost::SetTopWindows() const {
    ProgramWindowHost::OrStandalone(mainWindow).SetTopWindows();
}

std::string StatementViewHost::ProgramName() const {
    return ProgramWindowHost::OrStandalone(mainWindow).ProgramName();
}

}  // namespace veldra
