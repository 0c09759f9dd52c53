#pragma once

#include <QMainWindow>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "book/auto_size.h"
#include "book/listing_reader.h"
#include "engine/qt/frmProgram.h"
#include "loader/source_census.h"
#include "platform/memory_room.h"
#include "platform/qt/help_system.h"
#include "platform/qt/timer_driver.h"
#include "platform/qt/window_registry.h"
#include "platform/timer.h"
#include "shell/dropped_files.h"
#include "shell/session_counter.h"

class QAction;
class QMdiArea;
class QMenu;

namespace veldra {

class BesideFile;
class frmPrint;

class BusyCursor;
class Clock;
class HeldWindows;
class frmStatements;
class Dialogs;
class Settings;
struct FileDialogRequest;
struct SourceFile;
struct ViewWindow;

// The simulator's frame: every other window lives in its window area. It owns the menus,
// opens a program (from the menu, from the command line, or by a dropped file) after
// closing the previous one's windows, keeps the session counter and the captions that
// carry it, and ends the simulator when it closes.
class frmMain final : public QMainWindow, private ProgramWindowHost {
    Q_OBJECT

public:
    static constexpr int kCloseTimerInterval = 3000;

    frmMain(WindowRegistry& windows, Dialogs& dialogs, Settings& settings, const Clock& clock);
    ~frmMain() override;

    // The loaded program's name, as the program window and its viewers are told it.
    std::string ProgramName() const override { return programName_; }
    void SetProgramName(std::string name) { programName_ = std::move(name); }

    // "Open": asks before closing a program, waits for a scan in progress to end, closes
    // every other window and loads the file chosen (or dropped).
    void mnuOpen_Click();
    // Loads the file named on the command line, with no question and no window closed.
    void OpenFile(const std::filesystem::path& path);
    // "Open Statements Window", while its menu entry is enabled.
    void ShowStatements();
    // "Create Program Book", as its menu entry runs it.
    void CreateBook() { mnuBook_Click(); }
    // The book window while one is open.
    QWidget* Book() const { return book_; }
    // Pops up the "Refresh" menu at the mouse, for the link windows.
    void RefreshPop();
    // The files of one drop, handled as the desktop's drop is.
    void DropFiles(const std::vector<std::string>& paths);
    void SetHelpFile(std::filesystem::path file) { help_.SetHelpFile(std::move(file)); }
    // The help file, the help window and What's This for every window of the simulator.
    HelpSystem& Help() { return help_; }
    // Fills the screen, as the simulator's frame does after every load.
    void ShowMaximised();

    // Whether the main window has closed, the simulator with it.
    bool Unloaded() const { return unloaded_; }
    // The program window of the loaded program, while there is one.
    frmProgram* Program() const { return program_; }
    QMdiArea& Area() const { return *area_; }

    // A dropped file for the next open, state-load or view-load command, which clears it.
    bool FileGiven = false;
    std::string DroppedFile;

    // Runs the close-and-open sequence once a scan in progress has ended; while the
    // simulator closes, the close that waits for that scan. Off until needed.
    Timer tmrClose{kCloseTimerInterval, [this] { tmrClose_Timer(); }};

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum class AfterScan { Open, Close };

    // ProgramWindowHost
    bool SetTopWindows() override;
    void ShowChild(QWidget& window) override;
    void PlaceChild(QWidget& window) override;

    void BuildMenus();
    QAction* Item(QMenu* menu, const char* name, const char* caption, void (frmMain::*command)());
    void FillWindowList();

    void tmrClose_Timer();
    bool ScanInProgress() const;
    bool OtherWindowsOpen() const;
    void CloseOtherWindows();
    void WaitForScan(AfterScan after);
    std::optional<std::filesystem::path> ChooseSource();
    // The load shared by every open: the program window, the loader, the captions.
    // Memory running out anywhere in it ends here, once: the program and its windows go,
    // then the box says so.
    void LoadProgram(SourceFile source, const std::filesystem::path& path);
    void MakeProgram(SourceFile source, const std::filesystem::path& path);
    // Lets go of the program and its windows at once, before anything more is shown.
    void LetGoOfProgram();
    void EndOpen();
    void RunDroppedCommand(const DropItem& file);

    void mnuStop_Click();
    void mnuSessionNum_Click();
    void mnuExit_Click();
    void mnuTileHorizontal_Click();
    void mnuTileVertical_Click();
    void mnuCascade_Click();
    void mnuHlpTop_Click();
    void mnuWhatThis_Click();
    void mnuAbout_Click();
    void mnuStatements_Click();
    // The statements list closed: another may be opened while a program is loaded.
    void StatementsClosed();
    // The commands that work on a program: the statements window, the book, start and stop.
    void EnableProgramCommands(bool loaded);
    void mnuRefresh_Click();
    void Unavailable() {}

    // --- The program book (frmMain_book.cpp).
    void mnuBook_Click();
    // Builds the book from the program's statements (and, on Yes, 6, its numeric blocks'),
    // its ladder elements `elementSize` percent of the normal size.
    void LoadBook(int answer, const ListingTexts& listing, std::int16_t elementSize);
    // Adds the program's statements to the book (the numeric blocks' too where `answer` is
    // Yes) and lays it out; a failure goes on to the command.
    void FillBook(frmPrint& book, int answer);
    // The main and program windows again, once the book is gone.
    void ShowAfterBook();

    // --- State files, view files and the statement export (frmMain_files.cpp).
    void mnuSaveView_Click();
    void mnuLoadView_Click();
    void mnuSaveState_Click();
    void mnuLoadState_Click();
    void mnuSAll_Click();
    void mnuSEOnly_Click();
    // The state and statement commands work while a program is loaded; the view commands
    // always (with no program, a view holds the main window alone).
    void EnableFileCommands(bool on);
    // The dropped file, which the command takes instead of asking; else the dialog's.
    std::optional<std::filesystem::path> DroppedOrChosen(const FileDialogRequest& request);
    // The save every file command makes: the user chooses the file and answers "Yes" to
    // `replaceQuestion` where one is there; then, under the busy pointer, what `write`
    // writes beside it replaces it once whole, and a failure is said in a "Veldra" box.
    // Contents of the program (`ofProgram`) are not saved when the program window went
    // while the dialog was open.
    void SaveFile(const FileDialogRequest& request, const char* replaceQuestion, bool ofProgram,
                  const std::function<void(BesideFile&)>& write);
    void SaveStatements(bool editedOnly);
    std::vector<ViewWindow> CurrentView() const;
    // The main window first, then the child windows in the order they were opened.
    std::vector<QWidget*> WindowsInLoadOrder() const;

    WindowRegistry& windows_;
    Dialogs& dialogs_;
    const Clock& clock_;
    Settings& settings_;
    SessionCounter sessions_;
    RegisteredWidget registration_;
    TimerDriver closeDriver_{tmrClose};
    QMdiArea* area_ = nullptr;
    // The board windows of the load in progress, out of sight until it ends.
    std::unique_ptr<HeldWindows> boardWindows_;
    QPointer<frmProgram> program_;
    QPointer<frmStatements> statements_;
    QPointer<QWidget> book_;
    // The widest and tallest statement of the book, kept for the books rebuilt from it.
    std::shared_ptr<LadderExtent> bookExtent_ = std::make_shared<LadderExtent>();
    std::string programName_;
    // The memory the open program's source was reckoned to take: what its close gives back.
    MemoryNeed programMemory_;
    HelpSystem help_;
    std::unique_ptr<BusyCursor> busy_;
    QPointer<QWidget> about_;

    AfterScan afterScan_ = AfterScan::Open;
    // The dropped source the waiting open loads instead of asking for one.
    std::optional<std::filesystem::path> openDropped_;
    // What that source holds, as counted when it was weighed against the memory left.
    std::optional<SourceCensus> openDroppedCensus_;
    // State and view files dropped with a source whose open waits for a scan: they go to
    // the new program, after its load.
    std::vector<DropItem> afterLoad_;
    bool closeConfirmed_ = false;
    bool unloaded_ = false;

    std::map<std::string, QAction*> menuItems_;
    QMenu* mnuProgram_ = nullptr;
    QMenu* mnuWindows_ = nullptr;
    QMenu* mnuPopUp_ = nullptr;
    std::vector<QAction*> windowList_;
};

}  // namespace veldra
