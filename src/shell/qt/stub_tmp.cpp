#include <QMdiArea>
#include "shell/qt/frmAbout.h"
#include "shell/qt/keep_on_top.h"
namespace veldra {
void SetTopWindows(QMdiArea&) {}
frmAbout::frmAbout(WindowRegistry&, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs) {}
frmAbout::~frmAbout() = default;
void frmAbout::closeEvent(QCloseEvent*) {}
std::string frmAbout::OpenWindow::Caption() const {
    return {};
}
void frmAbout::OpenWindow::CloseWindow(bool) {}
}  // namespace veldra
namespace veldra {
void frmAbout::cmdOK_Click() {}
void frmAbout::cmdSysInfo_Click() {}
}  // namespace veldra
