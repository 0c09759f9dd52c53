#pragma once

#include <QPixmap>
#include <QWidget>

#include "platform/qt/window_registry.h"

namespace veldra {

class Dialogs;

// The program's picture: a three-aspect colour-light signal head on its post.
QPixmap ProgramPicture();

// The about box: which program and release this is, and that a simulation never stands
// in for a rack test. Modeless, so the simulator runs on while it is open; it deletes
// itself, frame and all, once closed.
class frmAbout final : public QWidget {
    Q_OBJECT

public:
    frmAbout(WindowRegistry& windows, Dialogs& dialogs, QWidget* parent = nullptr);
    ~frmAbout() override;

    // "OK": closes the about box, and the frame that holds it in the main window.
    void cmdOK_Click();
    // "System Info...": this desktop offers no system-information tool to start.
    void cmdSysInfo_Click();

private:
    void BuildWindow();

    Dialogs& dialogs_;
};

}  // namespace veldra
