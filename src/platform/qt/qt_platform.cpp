#include "platform/qt/qt_platform.h"

#include <cstdlib>

#include "platform/qt/dialogs.h"
#include "platform/qt/frmStatus.h"

namespace veldra {

void QtPlatform::EndProcess() {
    std::exit(EXIT_SUCCESS);
}

QtPlatform::QtPlatform(Dialogs& dialogs, WindowRegistry& windows,
                       std::function<void()> endApplication)
    : dialogs_(dialogs),
      windows_(windows),
      endApplication_(std::move(endApplication)),
      scope_(*this) {}

QtPlatform::~QtPlatform() = default;

MsgAnswer QtPlatform::MsgBox(const MsgBoxRequest& request) {
    return dialogs_.MessageBox(request);
}

std::optional<std::string> QtPlatform::InputBox(const InputBoxRequest& request) {
    return dialogs_.InputBox(request);
}

void QtPlatform::EndApplication() {
    endApplication_();
}

void QtPlatform::UnloadLoadingProgress() {
    progress_.reset();
}

void QtPlatform::SetLoadingStatus(const std::string& text) {
    ShownProgress().SetStatus(text);
}

void QtPlatform::SetLoadingProgress(double value, double maximum) {
    ShownProgress().SetProgress(value, maximum);
}

frmStatus& QtPlatform::ShownProgress() {
    if (!progress_) {
        progress_ = std::make_unique<frmStatus>(windows_);
    }
    if (!progress_->isVisible()) {
        progress_->show();
    }
    return *progress_;
}

}  // namespace veldra
