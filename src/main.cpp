// VELDRA: opens the program window on the application source named on the command line,
// loads it and leaves the engineer to run it. The main window grows around this later.
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <memory>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "panels/panel_set.h"
#include "platform/clock.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/window_registry.h"

namespace veldra {
namespace {

// What the loader needs of the desktop while it reads: the events handled between
// pieces, then the program window shown and bound to the board windows.
class OpeningHost final : public LoaderHost {
public:
    OpeningHost(frmProgram& program, PanelSet& boards) : program_(program), boards_(boards) {}

    void DoEvents() override { QCoreApplication::processEvents(); }
    void ShowProgramWindow() override { program_.show(); }
    void LoadFinished() override { program_.LoadFinished(boards_.Windows()); }

private:
    frmProgram& program_;
    PanelSet& boards_;
};

}  // namespace
}  // namespace veldra

int main(int argc, char** argv) {
    using namespace veldra;
    QApplication application(argc, argv);
    QApplication::setApplicationName("VELDRA");

    QCommandLineParser arguments;
    arguments.setApplicationDescription(
        "Simulates the application logic of a signalling controller.");
    arguments.addHelpOption();
    arguments.addPositionalArgument("source", "The application source to open (.ml2).");
    arguments.process(application);
    if (arguments.positionalArguments().size() != 1) {
        arguments.showHelp(1);
    }
    const QString source = arguments.positionalArguments().front();

    ModalDialogs dialogs;
    WindowRegistry windows;
    QtPlatform platform(dialogs, windows);
    SystemClock clock;
    std::string programName;

    MainWindowServices services;
    services.programName = [&programName] { return programName; };
    frmProgram* program = nullptr;
    // Until the main window exists, its close sequence is this question.
    services.closeMainWindow = [&] {
        if (MsgBox("Close Simulator?", MsgButtons::YesNo, MsgIcon::Question, "End Simulation") ==
            MsgAnswer::Yes) {
            if (program->Engine().Running()) {
                program->StartStop();
            }
            program->CloseWindow();
        }
    };
    auto window = std::make_unique<frmProgram>(windows, dialogs, clock, services);
    program = window.get();
    // The board windows' halves keep their boards; their pictures come later.
    PanelSet boards(program->Engine().IOBits);

    OpeningHost host(*program, boards);
    {
        ParseText loader(program->Engine(), host, boards);
        programName = loader.GetProgram(source.toLocal8Bit().toStdString());
    }
    if (!program->Engine().ProgramLoaded()) {
        return 0;  // closed while it loaded
    }
    if (programName.empty()) {
        programName = ToStdString(QFileInfo(source).completeBaseName());
    }
    program->SetCaption("SID 1, Program Window: " + programName);
    program->show();
    const int result = QApplication::exec();
    boards.CloseAll();
    return result;
}
