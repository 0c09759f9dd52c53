#pragma once

namespace veldra {

class Statement;
class Table;

// What the scan engine needs of the program window that shows it: a chance for the
// desktop to handle its events in the middle of a long scan, and word that something it
// shows has changed. The window reads the new state from the engine. Tests fake it.
class ProgramWindow {
public:
    virtual ~ProgramWindow() = default;

    // Lets the desktop handle pending events; a scan calls it on every pass, and the window
    // may let most of those calls go by.
    virtual void DoEvents() {}
    // Lets the desktop handle pending events now: a scan calls it when its work has kept
    // the desktop waiting too long, inside a pass or an evaluation of tables and blocks.
    virtual void ServeDesktop() { DoEvents(); }

    // The run state (start button caption, run menu item, immediate window view) changed.
    virtual void RunStateChanged() {}
    // The "Solving Program" lamp changed.
    virtual void SolvingChanged() {}
    // The immediate window's painted lines or text changed.
    virtual void StatusChanged() {}
    // The "Time Que" text or the count of running timers changed.
    virtual void TimersChanged() {}
    // Whether the "Time Que" page is the one shown: only then are timer lines written.
    virtual bool TimeQuePageShown() const { return true; }

    // A state table was created and needs its window.
    virtual void TableAdded(Table& table) { (void)table; }
    // A menu's enabled state changed.
    virtual void MenusChanged() {}

    // Load completion keeps the window minimised, then busy while it builds the displays.
    virtual void ShowMinimized(bool minimized) { (void)minimized; }
    virtual void SetBusy(bool busy) { (void)busy; }
    // The status grid and the bit lists were rebuilt.
    virtual void DisplaysChanged() {}
    // A program is being bound or closed: an open log file of the last one is closed.
    virtual void ReleaseLog() {}

    // The program was released and nothing uses the engine any more: it may go now.
    virtual void ProgramReleased() {}

    // Opens the editor for a statement disabled as faulty, modally.
    virtual void EditFaultyStatement(Statement& statement) { (void)statement; }
};

}  // namespace veldra
