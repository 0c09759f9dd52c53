#pragma once

#include <string>
#include <vector>

namespace veldra {

class LogFile;
class ProgramEngine;

// What the program window's menus need of the desktop. The window implements it.
class ProgramMenusHost {
public:
    virtual ~ProgramMenusHost() = default;

    // Applies the keep-on-top choice to the program window and the statement windows,
    // leaving the program window where it stood.
    virtual void KeepOnTop(bool on) = 0;
    // Shows the filter or the watch window (BitFlagLists) modally; returns once it closed.
    virtual void ShowFilterWindow() = 0;
    virtual void ShowWatchWindow() = 0;
    // Opens one more "Numeric Blocks" window with the report, not modally.
    virtual void ShowNumericReport(const std::string& report) = 0;
};

// The program window's menu bar: setting the system bits "CPS.STATUS" and
// "CONFIGURE.ERROR" by hand, forcing every table or numeric block to be evaluated, the
// numeric-block report, the filter and watch windows, whether board updates are
// written to the immediate window, keeping the window on top, and the log file.
class ProgramMenus {
public:
    struct Item {
        std::string name;
        std::string caption;
        bool checked = false;
        bool enabled = true;
    };
    struct Menu {
        std::string name;
        std::string caption;
        std::vector<Item> items;
    };

    ProgramMenus(ProgramEngine& engine, ProgramMenusHost& host, LogFile& log);

    // The menus left to right with their items' check marks and enabled states now.
    std::vector<Menu> Bar() const;

    // "Log Immediate Window": stops a running log, or starts one under the program's name.
    void mnuCLog_Click(const std::string& programName);
    // "Always On Top".
    void mnuTop_Click();
    bool TopChecked() const { return topChecked_; }
    // "CPS.STATUS" and "CONFIGURE.ERROR": the bit is to take the value opposite to the
    // check mark at the next scan tick, as an outside input; the mark turns over.
    void mnuCPS_Click();
    void mnuConfigErr_Click();
    bool ConfigErrChecked() const { return configErrChecked_; }
    // A restored state shows the bit's value.
    void SetConfigErrChecked(bool on) { configErrChecked_ = on; }
    // "Force Evaluation of All Tables" and "... of All Numeric Blocks": every one is
    // evaluated once the next scan's queues are empty.
    void mnuForceTable_Click();
    void mnuNumeric_Click();
    // "Show Numeric Blocks": one more report window.
    void mnuShowNumeric_Click();
    // "Filter Bits" and "Watch List", shown with keep-on-top off while they are open.
    void mnuFilter_Click();
    void mnuWatch_Click();
    // "Do Not Show IO Update in Immediate Window".
    void mnuIO_Click();

private:
    void SystemBit(const char* name, bool& checked);
    template <class Show>
    void ShowModal(Show&& show);

    ProgramEngine& engine_;
    ProgramMenusHost& host_;
    LogFile& log_;
    bool topChecked_ = false;
    bool configErrChecked_ = false;
};

}  // namespace veldra
