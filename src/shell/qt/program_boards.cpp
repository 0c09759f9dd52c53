#include "shell/qt/program_boards.h"

#include <QPointer>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"

namespace veldra {

ProgramBoards::ProgramBoards(frmProgram& program, WindowRegistry& windows,
                             std::function<void(QWidget&)> place, std::function<void()> refreshMenu)
    : QObject(&program),
      boards_(program.Engine().IOBits, std::move(place),
              [owner = QPointer<frmProgram>(&program)](const std::string& BitName) {
                  if (owner) {
                      owner->ShowBitAssign(BitName);
                  }
              }) {
    boards_.SetWindowMade([this, &windows](BoardPanel& window) {
        registrations_.push_back(std::make_unique<WindowRegistry::Registration>(windows, window));
    });
    boards_.SetRefreshMenu(std::move(refreshMenu));
    boards_.SetWriteLine([owner = QPointer<frmProgram>(&program)](const std::string& line) {
        if (owner) {
            owner->Engine().WriteLine(line);
        }
    });
    boards_.SetTrackQueue([owner = QPointer<frmProgram>(&program)](BooleanBits& pending) {
        if (owner) {
            ProgramEngine& engine = owner->Engine();
            if (engine.TrackBits.Add(pending) != nullptr) {
                engine.UpdateTrack = true;
            }
        }
    });
}

ProgramBoards::~ProgramBoards() {
    // The windows leave the registry before they go.
    registrations_.clear();
}

}  // namespace veldra
