#pragma once

#include <QWidget>
#include <string>

namespace veldra {

// What the program window and the statement viewers it opens ask of the main window that
// holds them. The answers given here are those of windows standing alone on the desktop
// (as in a test without a main window): no program name, every window shown where it
// stands, and no common keep-on-top placement.
class ProgramWindowHost {
public:
    virtual ~ProgramWindowHost() = default;

    // The main window given, or without one the answers of windows standing alone.
    static ProgramWindowHost& OrStandalone(ProgramWindowHost* mainWindow) {
        static ProgramWindowHost standalone;  // holds nothing: one serves every window
        return mainWindow != nullptr ? *mainWindow : standalone;
    }

    // The loaded program's name.
    virtual std::string ProgramName() const { return {}; }
    // Applies the keep-on-top placement of the program and statement windows, after
    // "Always On Top" changed; false when there is none and each window places itself.
    virtual bool SetTopWindows() { return false; }
    // Gives a window the program window opens a home.
    virtual void ShowChild(QWidget& window) { window.show(); }
    // The same for a window that stands in the registry of open windows on its own.
    virtual void PlaceChild(QWidget& window) { window.show(); }
};

}  // namespace veldra
