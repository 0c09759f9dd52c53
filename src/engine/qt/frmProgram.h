#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/log_file.h"
#include "engine/program_menus.h"
#include "engine/program_window.h"
#include "engine/qt/program_window_host.h"
#include "platform/board_panel.h"
#include "platform/event.h"
#include "platform/qt/window_registry.h"

class QAction;
class QPushButton;
class QTabBar;

namespace veldra {

class BitStatusFrame;
class BusyCursor;
class Clock;
class CpuLedsFrame;
class Dialogs;
class ForceBitFrame;
class ImmediateFrame;
class LampWidget;
class ProgramEngine;
class ProgramPageFrame;
class ProgramPages;
class Settings;
struct StatementViewHost;
class StatementViews;
class TimerDriver;
class TimerFrame;
class UserNumericFrame;
class frmTable;

// What the program window is given by whoever makes it.
struct MainWindowServices {
    // The main window it stands in; none: it stands alone on the desktop.
    ProgramWindowHost* mainWindow = nullptr;
    // Where the windows keep their choices ("Show as Ladder"); none keeps them nowhere.
    Settings* settings = nullptr;
    // The statement viewer and editor; none opens neither.
    StatementViews* statementViews = nullptr;
};

// The program window: the engineer's view into the running application and, as the CPU
// board, the eight processor lights. It shows what its engine holds and hands every
// click to it: start and stop, the immediate window, forcing bits and numbers, the bit
// status grid, the user bits and numerics, the running delay timers (each page a frame
// of its own, shown as the tabs choose), the menus and the log file. It builds a fresh
// engine of its own and closes for good once the program it shows was released; until
// then a close by hand runs the main window's close sequence instead. The windows of the
// program's state tables go with the program.
class frmProgram final : public QWidget,
                         private ProgramWindow,
                         private ProgramMenusHost,
                         private LogFileHost {
    Q_OBJECT

public:
    frmProgram(WindowRegistry& windows, Dialogs& dialogs, const Clock& clock,
               MainWindowServices services = {});
    ~frmProgram() override;

    ProgramEngine& Engine() { return *engine_; }
    // The program window as a loaded window answers the board-panel protocol.
    BoardPanel& Panel() { return panel_; }

    // Binds the program the loader read to the board windows given (oldest first).
    void LoadFinished(const std::vector<BoardPanel*>& windows);
    // "Start Program" / "Stop Program".
    void StartStop();
    // Releases the program and closes the window, once nothing uses the program any more.
    void CloseWindow();
    void SetCaption(const std::string& caption);
    // Ticks "Always On Top" and applies it, as every load of a program ends.
    void KeepAlwaysOnTop();
    // Opens the statement that assigns the bit in a new viewer, or says there is none.
    void ShowBitAssign(std::string_view BitName);
    // What a statement viewer opened from this program needs of its surroundings.
    StatementViewHost ViewHost();
    // The system-bit menu items show these values, as after a restored state; nothing
    // for a bit the program does not have.
    void ShowSystemBits(std::optional<bool> cps, std::optional<bool> configureError);

Q_SIGNALS:
    // The start button's caption changed; the main window's run menu item copies it.
    void runCaptionChanged(const QString& caption);
    // Closed by hand while a program is loaded: the main window's close sequence is to
    // run, which asks "Close Simulator?" and closes every window when told yes.
    void mainWindowCloseAsked();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The program window in the registry of loaded windows.
    class LoadedWindow final : public BoardPanel {
    public:
        explicit LoadedWindow(frmProgram& window) : window_(window) {}
        std::string Name() const override { return "frmProgram"; }
        std::string Caption() const override;
        int BitCount() const override;
        std::string GetSystemBit(int Index) const override;
        void UpdateIndicators() override;
        void UpdateOutput(std::string_view BitName, bool BitValue) override;
        void LoadState(std::string_view BitName, bool BitValue) override;
        void CloseWindow(bool close) override;

    private:
        frmProgram& window_;
    };

    // ProgramWindow
    void DoEvents() override;
    void ServeDesktop() override;
    void RunStateChanged() override;
    void SolvingChanged() override;
    void StatusChanged() override;
    void TimersChanged() override;
    bool TimeQuePageShown() const override;
    void TableAdded(Table& table) override;
    void MenusChanged() override;
    void ShowMinimized(bool minimized) override;
    void SetBusy(bool busy) override;
    void DisplaysChanged() override;
    void ReleaseLog() override;
    void ProgramReleased() override;
    void EditFaultyStatement(Statement& statement) override;

    // ProgramMenusHost
    void KeepOnTop(bool on) override;
    void ShowFilterWindow() override;
    void ShowWatchWindow() override;
    void ShowNumericReport(const std::string& report) override;

    // LogFileHost
    std::optional<std::filesystem::path> SaveLogAs(const std::string& proposedName) override;
    std::string LocationName() override;

    // Runs an engineer's command, holding the program.
    template <class Body>
    void Command(Body&& body);

    void BuildWindow();
    QWidget* BuildRunRow();
    void BuildMenus();
    void RunMenuItem(const std::string& name);
    void SyncRunState();
    void SyncLeds();
    void SyncMenus();
    void SyncPages();
    void FinishClose();
    // Closes the windows of the program's tables for good.
    void CloseTableWindows();

    WindowRegistry& windows_;
    Dialogs& dialogs_;
    MainWindowServices services_;
    ProgramWindowHost& mainWindow_;
    std::unique_ptr<ProgramEngine> engine_;
    std::unique_ptr<ProgramPages> pages_;
    std::unique_ptr<LogFile> log_;
    std::unique_ptr<ProgramMenus> menus_;
    std::unique_ptr<TimerDriver> scanDriver_;
    std::unique_ptr<TimerDriver> serviceDriver_;
    std::unique_ptr<BusyCursor> busy_;
    LoadedWindow panel_{*this};
    std::unique_ptr<WindowRegistry::Registration> registration_;
    // The tab the window makes current to follow the core is no choice of the engineer.
    bool syncing_ = false;
    int yieldsSinceTurn_ = 0;
    bool closeScheduled_ = false;

    QPushButton* cmdStart_ = nullptr;
    LampWidget* imgOn_ = nullptr;
    LampWidget* imgOff_ = nullptr;
    QTabBar* tbSelect_ = nullptr;
    std::array<ProgramPageFrame*, 5> fraOption_{};
    CpuLedsFrame* leds_ = nullptr;

    ImmediateFrame* immediate_ = nullptr;
    ForceBitFrame* force_ = nullptr;
    BitStatusFrame* status_ = nullptr;
    TimerFrame* timers_ = nullptr;
    UserNumericFrame* userNumerics_ = nullptr;

    std::vector<std::pair<std::string, QAction*>> menuItems_;
    // One per state table of the program, in the order the tables were made.
    std::vector<QPointer<frmTable>> tables_;

    Subscription pagesChanged_;
    Subscription ledsChanged_;
    Subscription loggingChanged_;
};

}  // namespace veldra
