#include "shell/qt/program_boards.h"

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"

namespace veldra {

ProgramBoards::ProgramBoards(frmProgram& program, WindowRegistry& windows,
                             std::function<void(QWidget&)> place)
    : QObject(&program),
      program_(&program),
      boards_(program.Engine().InputQueue(), std::move(place), *this),
      made_(boards_.Halves().WindowMade.Subscribe([this, &windows](BoardPanel& window) {
          registrations_.push_back(std::make_unique<WindowRegistry::Registration>(windows, window));
      })) {}

void ProgramBoards::ShowBitAssign(const std::string& BitName) {
    if (program_) {
        program_->ShowBitAssign(BitName);
    }
}

void ProgramBoards::WriteLine(const std::string& line) {
    if (program_) {
        program_->Engine().WriteLine(line);
    }
}

void ProgramBoards::QueueTrack(BooleanBits& pending) {
    if (program_) {
        program_->Engine().QueueTrackBits(pending);
    }
}

ProgramBoards::~ProgramBoards() {
    // The windows leave the registry before they go.
    registrations_.clear();
}

}  // namespace veldra
