#include "logic/model_error.h"

namespace veldra {

void ReportModelError(const std::string& description, ProgressWindow progress) {
    Platform& platform = ThePlatform();
    if (progress == ProgressWindow::Close) {
        platform.UnloadLoadingProgress();
    }
    const MsgAnswer answer = platform.MsgBox(
        {"End Program?", MsgButtons::YesNo, MsgIcon::Critical, "Error: " + description});
    if (answer == MsgAnswer::Yes) {
        platform.EndApplication();
    }
}

}  // namespace veldra
