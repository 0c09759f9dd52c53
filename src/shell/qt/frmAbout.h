#pragma once

#include <QPixmap>
#include <QWidget>
#include <memory>
#include <string>

#include "panels/board_panel.h"
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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The about box in the registry of open windows: it shows no bits, and a close for
    // good, as opening another program asks of every window, closes it.
    class OpenWindow final : public BoardPanel {
    public:
        explicit OpenWindow(frmAbout& window) : window_(window) {}
        std::string Name() const override { return "frmAbout"; }
        std::string Caption() const override;
        void CloseWindow(bool close) override;

    private:
        frmAbout& window_;
    };

    void BuildWindow();

    Dialogs& dialogs_;
    OpenWindow panel_{*this};
    std::unique_ptr<WindowRegistry::Registration> registration_;
};

}  // namespace veldra
