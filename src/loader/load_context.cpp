#include "loader/load_context.h"

#include <memory>

#include "engine/program_engine.h"

namespace veldra {

BooleanBits& LoadContext::ProgramBits() const {
    if (engine_.PrgBooleanBits() == nullptr) {
        auto bits = std::make_unique<BooleanBits>();
        bits->Reserve(std::size_t(expectedBits_));
        engine_.SetPrgBooleanBits(std::move(bits));
    }
    return *engine_.PrgBooleanBits();
}

Statements& LoadContext::Assigns() const {
    if (!engine_.prgAssigns) {
        auto assigns = std::make_unique<Statements>();
        assigns->Reserve(std::size_t(expectedStatements_));
        engine_.prgAssigns = std::move(assigns);
    }
    return *engine_.prgAssigns;
}

clsNumericBlocks& LoadContext::NumericBlocks() const {
    if (!engine_.prgNumBlks) {
        engine_.prgNumBlks = std::make_unique<clsNumericBlocks>();
    }
    return *engine_.prgNumBlks;
}

std::string LoadContext::AtLine(std::string_view what, int line) const {
    return std::string(what) + " (line " + std::to_string(line) +
           (sourcePath_.empty() ? "" : " of " + sourcePath_) + ")";
}

void LoadContext::Report(std::string_view what, int line) const {
    ReportModelError(AtLine(what, line), ProgressWindow::Close);
}

}  // namespace veldra
