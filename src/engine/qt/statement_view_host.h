#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <string_view>

#include "engine/qt/program_window_host.h"

namespace veldra {

class Dialogs;
class ProgramEngine;
class Settings;
class Statement;
class WindowRegistry;

// What a statement viewer needs of the windows around it. The program window fills it
// in; the main window's part comes through the program window's services.
struct StatementViewHost {
    // The running program, and the window that owns it: once that window has gone, so
    // has every statement a viewer showed.
    ProgramEngine* engine = nullptr;
    QPointer<QWidget> programWindow;
    WindowRegistry* windows = nullptr;
    Dialogs* dialogs = nullptr;
    // None: the ladder view, remembered nowhere.
    Settings* settings = nullptr;
    // The main window the program window stands in; none: the viewers stand alone on the
    // desktop.
    ProgramWindowHost* mainWindow = nullptr;

    bool ProgramStands() const;
    // Where a new viewer goes: the main window makes it one of its children.
    void Place(QWidget& viewer) const;
    // The keep-on-top placement of the statement viewers and the program window.
    void SetTopWindows() const;
    std::string ProgramName() const;
};

// The views of its statements the program window opens: made by the ladder windows, handed
// over by whoever assembles the program window.
class StatementViews {
public:
    virtual ~StatementViews() = default;

    // Opens a new viewer on the first statement, in load order, whose results hold the
    // bit of that name, or says "No Statement Found".
    virtual void ShowBitAssign(const StatementViewHost& host, std::string_view BitName) = 0;

    // Lets the engineer mend a statement that ran away; the scan that found it waits until
    // the editor is closed.
    virtual void EditFaultyStatement(WindowRegistry& windows, ProgramEngine& engine,
                                     Statement& statement) = 0;
};

}  // namespace veldra
