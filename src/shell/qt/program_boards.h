#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "panels/board_window_host.h"
#include "panels/qt/board_windows.h"
#include "platform/qt/window_registry.h"

namespace veldra {

class frmProgram;

// The board windows of one opened program, each joining the registry of open windows, so
// that opening another program or closing the simulator closes them with the rest. They
// belong to the program window and go with it: a scan still unwinding after the close
// may yet draw on them. Every board window is drawn among the main window's child
// windows; coded-track windows queue their received codes on the program window's track
// queue, and every window writes its lines in the program window's immediate window.
class ProgramBoards final : public QObject, private BoardWindowHost {
public:
    // `place` gives a drawn window its frame among the main window's child windows.
    ProgramBoards(frmProgram& program, WindowRegistry& windows,
                  std::function<void(QWidget&)> place);
    ~ProgramBoards() override;

    // The maker the loader gets the program's board windows from.
    PanelSet& Factory() { return boards_.Halves(); }
    // The drawn windows, whose link windows ask for the main window's "Refresh" menu.
    const BoardWindows& Drawings() const { return boards_; }
    // Every placed window drawn now as its half holds it.
    void DrawPlaced() { boards_.DrawPlaced(); }
    // The open windows, oldest first, as load completion takes them.
    std::vector<BoardPanel*> Windows() const { return boards_.Windows(); }

private:
    void ShowBitAssign(const std::string& BitName) override;
    void WriteLine(const std::string& line) override;
    void QueueTrack(BooleanBits& pending) override;

    QPointer<frmProgram> program_;
    BoardWindows boards_;
    Subscription made_;
    std::vector<std::unique_ptr<WindowRegistry::Registration>> registrations_;
};

}  // namespace veldra
