#include "shell/qt/program_boards.h"

#include <QPointer>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "panels/ases_panel.h"
#include "panels/in_out_board_panel.h"
#include "panels/io_board_panel.h"
#include "panels/lamp16_panel.h"
#include "panels/mx_lamp_panel.h"
#include "panels/serial_port_panel.h"
#include "panels/toggle_panel.h"
#include "panels/track_panel.h"

namespace veldra {

ProgramBoards::ProgramBoards(frmProgram& program, WindowRegistry& windows,
                             std::function<void(QWidget&)> place)
    : QObject(&program),
      windows_(windows),
      boards_(program.Engine().IOBits, std::move(place),
              [owner = QPointer<frmProgram>(&program)](const std::string& BitName) {
                  if (owner) {
                      owner->ShowBitAssign(BitName);
                  }
              }) {
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

template <class Window>
Window& ProgramBoards::Join(Window& window) {
    // The toggle-bits window is handed out again for every coded output.
    if (joined_.insert(&window).second) {
        registrations_.push_back(std::make_unique<WindowRegistry::Registration>(windows_, window));
    }
    return window;
}

IOBoardPanel& ProgramBoards::NewIOBoardWindow() {
    return Join(boards_.NewIOBoardWindow());
}
InOutBoardPanel& ProgramBoards::NewInOutBoardWindow() {
    return Join(boards_.NewInOutBoardWindow());
}
Lamp16Panel& ProgramBoards::NewLampWindow() {
    return Join(boards_.NewLampWindow());
}
TrackPanel& ProgramBoards::NewTrackWindow() {
    return Join(boards_.NewTrackWindow());
}
MXLampPanel& ProgramBoards::NewMXLampWindow() {
    return Join(boards_.NewMXLampWindow());
}
ASESPanel& ProgramBoards::NewASESWindow() {
    return Join(boards_.NewASESWindow());
}
SerialPortPanel& ProgramBoards::NewSerialPortWindow() {
    return Join(boards_.NewSerialPortWindow());
}
TogglePanel& ProgramBoards::ToggleWindow() {
    return Join(boards_.ToggleWindow());
}
BoardPanel& ProgramBoards::NewTableWindow(Table& table) {
    return Join(boards_.NewTableWindow(table));
}

}  // namespace veldra
