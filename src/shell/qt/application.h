#pragma once

#include <QLockFile>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/qt/folder_keeping_dialogs.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/window_registry.h"

namespace veldra {

class Clock;
class Settings;
class frmMain;

// The simulator from start to end: the registry of open windows, the desktop platform and
// the main window, which lives as long as the simulator does.
class Application {
public:
    // Hands the command given to the operating system in place of the simulator; returns
    // only when that failed.
    using ProgramStarter = std::function<void(const std::vector<std::string>& command)>;
    static void ReplaceProcess(const std::vector<std::string>& command);

    Application(Dialogs& dialogs, Settings& settings, const Clock& clock,
                ProgramStarter startEditor = ReplaceProcess,
                std::function<void()> endApplication = QtPlatform::EndProcess);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The start-up: the help file, the command line (the edit form hands the file to the
    // user's editor), the session counter when this is the only instance running, then the
    // file named or chosen, and the main window shown. False when the simulator ends
    // without a window.
    bool Start(std::string_view commandLine);

    frmMain& MainWindow() { return *main_; }
    // Every window open now, as the walks over open windows find them.
    const WindowRegistry& Registry() const { return windows_; }

private:
    // Whether no other instance of the simulator runs for this user; this one holds the
    // lock from then on.
    bool OnlyInstance();

    // Every window's dialogs: the file dialogs open where their kind of file was last chosen.
    FolderKeepingDialogs dialogs_;
    Settings& settings_;
    ProgramStarter startEditor_;
    std::unique_ptr<QLockFile> instanceLock_;
    WindowRegistry windows_;
    QtPlatform platform_;
    std::unique_ptr<frmMain> main_;
};

}  // namespace veldra
