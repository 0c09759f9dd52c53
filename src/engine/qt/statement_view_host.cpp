#include "engine/qt/statement_view_host.h"

#include "engine/program_engine.h"

namespace veldra {

bool StatementViewHost::ProgramStands() const {
    return engine != nullptr && !programWindow.isNull() && engine->ProgramLoaded();
}

}  // namespace veldra
