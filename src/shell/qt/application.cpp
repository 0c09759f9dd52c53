#include "shell/qt/application.h"

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/load_under_way.h"
#include "platform/platform.h"
#include "platform/qt/title_bar_icons.h"
#include "platform/runtime_error.h"
#include "platform/settings.h"
#include "platform/window_errors.h"
#include "shell/command_line.h"
#include "shell/qt/frmAbout.h"
#include "shell/qt/frmMain.h"
#include "shell/session_counter.h"

namespace veldra {

void Application::ReplaceProcess(const std::vector<std::string>& command) {
    std::vector<char*> arguments;
    for (const std::string& word : command) {
        arguments.push_back(const_cast<char*>(word.c_str()));
    }
    arguments.push_back(nullptr);
    execvp(arguments.front(), arguments.data());
    throw RuntimeError("Unable to start " + command.front() + ": " + std::strerror(errno));
}

Application::Application(Dialogs& dialogs, Settings& settings, const Clock& clock,
                         ProgramStarter startEditor, std::function<void()> endApplication)
    : dialogs_(dialogs, settings),
      settings_(settings),
      startEditor_(std::move(startEditor)),
      platform_(dialogs_, windows_, std::move(endApplication)) {
    TitleBarIcons::Install();
    main_ = std::make_unique<frmMain>(windows_, dialogs_, settings, clock);
}

Application::~Application() {
    main_.reset();
}

bool Application::Start(std::string_view commandLine) {
    QApplication::setWindowIcon(ProgramPicture());
    try {
        // The user's guide lies beside the program: the build copies it there.
        main_->SetHelpFile(
            std::filesystem::path(
                QFile::encodeName(QApplication::applicationDirPath()).toStdString()) /
            "help" / "VELDRA.html");

        const StartRequest request = ReadStartRequest(commandLine);
        if (request.kind == StartRequest::Kind::EditAlone) {
            throw RuntimeError("Invalid procedure call or argument");
        }
        if (request.kind == StartRequest::Kind::Edit) {
            startEditor_(EditorCommand(request.path, std::getenv("VISUAL"), std::getenv("EDITOR")));
            return false;
        }
        if (OnlyInstance()) {
            SessionCounter(settings_).Reset();
        }
        if (request.kind == StartRequest::Kind::OpenSource) {
            main_->OpenFile(request.path);
        } else {
            main_->mnuOpen_Click();
        }
        if (main_->Unloaded()) {
            return false;  // closed while the program loaded
        }
        main_->ShowMaximised();
        return true;
    } catch (const std::exception& error) {
        if (EndsTheLoad(error)) {
            throw;
        }
        ShowFailure(error);
        return main_->isVisible();
    }
}

bool Application::OnlyInstance() {
    // Every running instance holds a lock file of its own in one folder: another's lock
    // that cannot be taken belongs to an instance still running; one left by an instance
    // that died is taken, and so removed.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           "/VELDRA.instances";
    QDir().mkpath(folder);
    bool alone = true;
    for (const QString& name : QDir(folder).entryList({"*.lock"}, QDir::Files)) {
        QLockFile other(folder + "/" + name);
        other.setStaleLockTime(0);
        if (other.tryLock(0)) {
            other.unlock();
        } else {
            alone = false;
        }
    }
    instanceLock_ = std::make_unique<QLockFile>(
        folder +
        QString("/%1-%2.lock").arg(QApplication::applicationPid()).arg(quintptr(this), 0, 16));
    // Its own lock stays its own however long the instance runs.
    instanceLock_->setStaleLockTime(0);
    instanceLock_->tryLock(0);
    return alone;
}

}  // namespace veldra
