#pragma once

#include <functional>
#include <memory>

#include "platform/platform.h"

namespace veldra {

class Dialogs;
class WindowRegistry;
class frmStatus;

// The desktop under Qt: message boxes through the dialogs given, the loading-progress
// window, and the end of the application. It is the installed platform while it lives.
class QtPlatform final : public Platform {
public:
    // Ends the process at once, as nothing may run after the end of the application.
    static void EndProcess();

    QtPlatform(Dialogs& dialogs, WindowRegistry& windows,
               std::function<void()> endApplication = EndProcess);
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    MsgAnswer MsgBox(const MsgBoxRequest& request) override;
    std::optional<std::string> InputBox(const InputBoxRequest& request) override;
    void EndApplication() override;
    void UnloadLoadingProgress() override;
    void SetLoadingStatus(const std::string& text) override;
    void SetLoadingProgress(double value, double maximum) override;

    // The loading-progress window while it is open.
    frmStatus* LoadingProgress() const { return progress_.get(); }

private:
    frmStatus& ShownProgress();

    Dialogs& dialogs_;
    WindowRegistry& windows_;
    std::function<void()> endApplication_;
    std::unique_ptr<frmStatus> progress_;
    PlatformScope scope_;
};

}  // namespace veldra
