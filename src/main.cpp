// VELDRA: the simulator of a signalling controller's application logic.
#include <QApplication>
#include <string>

#include "platform/clock.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/ini_settings.h"
#include "platform/qt/window_face.h"
#include "shell/qt/application.h"

int main(int argc, char** argv) {
    using namespace veldra;
    QApplication application(argc, argv);
    QApplication::setApplicationName("VELDRA");
    UseWindowFace();

    // The command line as one text, as the start-up reads it; Qt has taken its own options.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
    }

    ModalDialogs dialogs;
    IniSettings settings;
    SystemClock clock;
    Application veldra(dialogs, settings, clock);
    if (!veldra.Start(commandLine)) {
        return 0;
    }
    return QApplication::exec();
}
