#include "shell/qt/application.h"

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/runtime_error.h"
#include "platform/settings.h"
#include "shell/command_line.h"
#include "shell/element_size.h"
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
    : dialogs_(dialogs),
      settings_(settings),
      startEditor_(std::move(startEditor)),
      platform_(dialogs, windows_, std::move(endApplication)),
      main_(std::make_unique<frmMain>(windows_, dialogs, settings, clock)) {}

Application::~Application() {
    main_.reset();
}

bool Application::Start(std::string_view commandLine) {
    QApplication::setWindowIcon(ProgramPicture());
    try {
        EleRes = ReadElementSize(settings_);
        main_->SetHelpFile(
            std::filesystem::path(
                QFile::encodeName(QApplication::applicationDirPath()).toStdString()) /
            "VELDRA.html");

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
        main_->ShowMaximised();
        return true;
    } catch (const std::exception& error) {
        MsgBox(error.what(), MsgButtons::Ok, MsgIcon::Critical, "Veldra");
        return main_->isVisible();
    }
}

bool Application::OnlyInstance() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QDir().mkpath(folder);
    instanceLock_ = std::make_unique<QLockFile>(folder + "/VELDRA.lock");
    // A running instance's lock stays its own however long it runs; one left by an
    // instance that died is taken over at once.
    instanceLock_->setStaleLockTime(0);
    return instanceLock_->tryLock(0);
}

}  // namespace veldra
