#include "shell/qt/frmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <algorithm>
#include <new>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "ladder/qt/frmStatements.h"
#include "ladder/qt/show_bit_assign.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "loader/source_memory.h"
#include "panels/toggle_panel.h"
#include "platform/load_under_way.h"
#include "platform/memory_room.h"
#include "platform/qt/busy_cursor.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/folder_keeping_dialogs.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/whats_this.h"
#include "platform/qt/window_frame.h"
#include "platform/runtime_error.h"
#include "platform/window_errors.h"
#include "shell/qt/area_windows.h"
#include "shell/qt/cascade.h"
#include "shell/qt/frmAbout.h"
#include "shell/qt/keep_on_top.h"
#include "shell/qt/program_boards.h"

namespace veldra {
namespace {

constexpr const char* kSourceFilter = "Source Files (*.ml2;*.mlr;*gn2)|*.ml2;*.mlr;*.gn2";
// While the simulator closes, how often it looks whether the scan it waits for has ended.
constexpr int kCloseRetryInterval = 100;

// What the loader needs of the desktop while it reads: the events handled between
// pieces, the coded outputs' toggle bits, then the program window shown and bound to the
// board windows.
class OpeningHost final : public LoaderHost {
public:
    OpeningHost(frmProgram& program, ProgramBoards& boards) : program_(program), boards_(boards) {}

    void DoEvents() override {
        // The loader yields after every piece it reads and every board it makes: the desktop
        // gets a turn at the first and then at most every few milliseconds, which keeps it
        // responsive and the progress window current without drawing it again for each.
        if (!sinceTurn_.isValid() || sinceTurn_.hasExpired(kTurnMilliseconds)) {
            QCoreApplication::processEvents();
            sinceTurn_.start();
        }
    }
    void AddBits(std::string_view BitName, std::string_view GroupName) override {
        boards_.Factory().ToggleWindow().AddBits(BitName, GroupName);
    }
    void ShowProgramWindow() override { WindowFrame(program_).show(); }
    void LoadFinished() override { program_.LoadFinished(boards_.Windows()); }
    // The main window lets go of the program window and the board windows before it says so.
    bool ReportsOutOfMemory() const override { return true; }

private:
    static constexpr int kTurnMilliseconds = 20;

    frmProgram& program_;
    ProgramBoards& boards_;
    QElapsedTimer sinceTurn_;
};

// The child windows in the order they are arranged, minimised ones left where they are.
QList<QMdiSubWindow*> ArrangedWindows(const QMdiArea& area) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
        if (window->isVisible() && !window->isMinimized()) {
            windows.append(window);
        }
    }
    return windows;
}

// Side by side (`across`) or one above the other, each taking an equal share within its
// own size limits, each next to the one before.
void Tile(QMdiArea& area, bool across) {
    const QList<QMdiSubWindow*> windows = ArrangedWindows(area);
    if (windows.isEmpty()) {
        return;
    }
    const QRect space = area.viewport()->rect();
    const int count = int(windows.size());
    const QSize share = across ? QSize(space.width() / count, space.height())
                               : QSize(space.width(), space.height() / count);
    QPoint next = space.topLeft();
    for (QMdiSubWindow* window : windows) {
        window->showNormal();
        QSize size = share;
        if (const QWidget* content = window->widget()) {
            const QSize chrome = window->size() - content->size();
            size = size.expandedTo(content->minimumSizeHint() + chrome)
                       .boundedTo(content->maximumSize() + chrome);
        }
        window->setGeometry(QRect(next, size.boundedTo(window->maximumSize())));
        next += across ? QPoint(window->width(), 0) : QPoint(0, window->height());
    }
}

}  // namespace

frmMain::frmMain(WindowRegistry& windows, Dialogs& dialogs, Settings& settings, const Clock& clock)
    : windows_(windows),
      dialogs_(dialogs),
      clock_(clock),
      settings_(settings),
      sessions_(settings),
      registration_(windows, *this, "frmMain") {
    setObjectName("frmMain");
    setWindowTitle(ToQString(kNoProgramCaption));
    setAcceptDrops(true);
    area_ = new QMdiArea(this);
    area_->setObjectName("mdiArea");
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(area_);
    boardWindows_ = std::make_unique<HeldWindows>(*area_);
    BuildMenus();
}

frmMain::~frmMain() {
    // The children read the registry as they go; the frame's own entry goes last.
    boardWindows_.reset();
    delete area_;
}

// ---------------------------------------------------------------------------------------
// Menus

QAction* frmMain::Item(QMenu* menu, const char* name, const char* caption,
                       void (frmMain::*command)()) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    connect(item, &QAction::triggered, this, [this, command] { (this->*command)(); });
    menuItems_[name] = item;
    return item;
}

void frmMain::BuildMenus() {
    QMenu* file = menuBar()->addMenu("File");
    file->setObjectName("mnuFile");
    Item(file, "mnuOpen", "Open", &frmMain::mnuOpen_Click);
    file->addSeparator()->setObjectName("mnuLine");
    QMenu* view = file->addMenu("View");
    view->setObjectName("mnuView");
    Item(view, "mnuSaveView", "Save View", &frmMain::mnuSaveView_Click);
    Item(view, "mnuLoadView", "Load View", &frmMain::mnuLoadView_Click);
    QMenu* state = file->addMenu("State");
    state->setObjectName("mnuState");
    Item(state, "mnuSaveState", "Save State", &frmMain::mnuSaveState_Click)->setEnabled(false);
    Item(state, "mnuLoadState", "Load State", &frmMain::mnuLoadState_Click)->setEnabled(false);
    file->addSeparator()->setObjectName("mnuLineSaSt");
    QMenu* statements = file->addMenu("Save Statements");
    statements->setObjectName("mnuSaSt");
    Item(statements, "mnuSAll", "Save All", &frmMain::mnuSAll_Click)->setEnabled(false);
    Item(statements, "mnuSEOnly", "Save Edited Only", &frmMain::mnuSEOnly_Click)->setEnabled(false);
    file->addSeparator()->setObjectName("mnuLineEx");
    Item(file, "mnuSessionNum", "Change Window Caption", &frmMain::mnuSessionNum_Click);
    file->addSeparator()->setObjectName("mnuLnRSS");
    Item(file, "mnuExit", "Exit", &frmMain::mnuExit_Click)->setShortcut(QKeySequence("Ctrl+E"));

    mnuProgram_ = menuBar()->addMenu("Program");
    mnuProgram_->setObjectName("mnuProgram");
    QAction* run =
        Item(mnuProgram_, "mnuStop", ProgramEngine::kStartCaption, &frmMain::mnuStop_Click);
    run->setShortcut(QKeySequence("Ctrl+S"));
    run->setEnabled(false);  // nothing to start until a program is loaded
    mnuProgram_->addSeparator()->setObjectName("mnuLnPrg");
    Item(mnuProgram_, "mnuBook", "Create Program Book", &frmMain::mnuBook_Click)->setEnabled(false);
    Item(mnuProgram_, "mnuHTML", "Create HTML Program Book", &frmMain::Unavailable)
        ->setVisible(false);
    mnuProgram_->menuAction()->setVisible(false);

    QMenu* properties = menuBar()->addMenu("Properties");
    properties->setObjectName("mnuProperties");
    Item(properties, "mnuBoardProp", "Show Board Properties", &frmMain::Unavailable);
    Item(properties, "mnuShowAllProp", "Show All Board Properties", &frmMain::Unavailable);
    Item(properties, "mnuShowProgram", "Show Program Properties", &frmMain::Unavailable);
    properties->menuAction()->setVisible(false);

    mnuWindows_ = menuBar()->addMenu("Windows");
    mnuWindows_->setObjectName("mnuWindows");
    Item(mnuWindows_, "mnuTileHorizontal", "Tile Horizontal", &frmMain::mnuTileHorizontal_Click);
    Item(mnuWindows_, "mnuTileVertical", "Tile Vertical", &frmMain::mnuTileVertical_Click);
    Item(mnuWindows_, "mnuCascade", "Cascade", &frmMain::mnuCascade_Click);
    mnuWindows_->addSeparator()->setObjectName("mnuWinLin");
    Item(mnuWindows_, "mnuStatements", "Open Statements Window", &frmMain::mnuStatements_Click)
        ->setEnabled(false);
    connect(mnuWindows_, &QMenu::aboutToShow, this, [this] { FillWindowList(); });

    QMenu* help = menuBar()->addMenu("Help");
    help->setObjectName("mnuHelp");
    Item(help, "mnuHlpTop", "Help Contents", &frmMain::mnuHlpTop_Click);
    Item(help, "mnuWhatThis", "What's This", &frmMain::mnuWhatThis_Click);
    Item(help, "mnuAbout", "About", &frmMain::mnuAbout_Click);

    // Shown only as a popup menu, over the link windows.
    mnuPopUp_ = new QMenu("PopUp", this);
    mnuPopUp_->setObjectName("mnuPopUp");
    Item(mnuPopUp_, "mnuRefresh", "Refresh", &frmMain::mnuRefresh_Click);
}

void frmMain::FillWindowList() {
    for (QAction* entry : windowList_) {
        mnuWindows_->removeAction(entry);
        delete entry;
    }
    windowList_.clear();
    const QList<QMdiSubWindow*> windows = area_->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) {
        return;
    }
    windowList_.push_back(mnuWindows_->addSeparator());
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        QAction* entry =
            mnuWindows_->addAction(QString("&%1 %2").arg(++number).arg(window->windowTitle()));
        entry->setCheckable(true);
        entry->setChecked(window == area_->activeSubWindow());
        connect(entry, &QAction::triggered, this, [this, frame = QPointer(window)] {
            if (frame) {
                if (frame->isMinimized()) {
                    frame->showNormal();
                }
                area_->setActiveSubWindow(frame);
            }
        });
        windowList_.push_back(entry);
    }
}

// ---------------------------------------------------------------------------------------
// Opening

void frmMain::mnuOpen_Click() {
    // A dropped file belongs to this open alone, whatever becomes of it.
    std::optional<std::filesystem::path> dropped;
    if (FileGiven) {
        dropped = DroppedFile;
        FileGiven = false;
    }
    if (tmrClose.Enabled()) {
        return;  // an open or the close already waits for the scan
    }
    // A dropped source that could not fit even in the memory the open program leaves is
    // refused before anything closes, so that the program stays.
    std::optional<SourceCensus> droppedCensus;
    if (dropped) {
        SourceRoom room = ParseText::RoomToLoad(*dropped, program_ ? programMemory_ : MemoryNeed{});
        if (!room.fits) {
            return;
        }
        droppedCensus = std::move(room.census);
    }
    ReportWindowErrors([&] {
        if (OtherWindowsOpen() &&
            MsgBox("Opening a new file will close any current program", MsgButtons::OkCancel,
                   MsgIcon::None, "Continue Open?") == MsgAnswer::Cancel) {
            return;
        }
        if (program_ && program_->Engine().Running()) {
            program_->StartStop();
        }
        busy_ = std::make_unique<BusyCursor>();
        setEnabled(false);
        openDropped_ = std::move(dropped);
        openDroppedCensus_ = std::move(droppedCensus);
        if (ScanInProgress()) {
            WaitForScan(AfterScan::Open);
        } else {
            tmrClose_Timer();
        }
    });
}

void frmMain::WaitForScan(AfterScan after) {
    afterScan_ = after;
    tmrClose.SetInterval(after == AfterScan::Open ? kCloseTimerInterval : kCloseRetryInterval);
    tmrClose.SetEnabled(true);
}

void frmMain::tmrClose_Timer() {
    if (afterScan_ == AfterScan::Close) {
        if (!ScanInProgress()) {
            tmrClose.SetEnabled(false);
            close();
        }
        return;
    }
    if (ScanInProgress()) {
        // No second question while this one waits: the scan cannot end meanwhile.
        tmrClose.SetEnabled(false);
        if (MsgBox("Unable to stop program.", MsgButtons::YesNo, MsgIcon::None,
                   "Close Simulator?") == MsgAnswer::Yes) {
            ThePlatform().EndApplication();
        }
        tmrClose.SetEnabled(true);
        return;
    }
    tmrClose.SetEnabled(false);
    // The dropped files belong to this open alone, however it ends.
    std::optional<std::filesystem::path> dropped = std::exchange(openDropped_, std::nullopt);
    const std::optional<SourceCensus> droppedCensus =
        std::exchange(openDroppedCensus_, std::nullopt);
    const std::vector<DropItem> afterLoad = std::exchange(afterLoad_, {});

    const auto endOpen = [this] {
        EndOpen();
        showNormal();
    };
    // A step that fails ends the open where it stands, and says why.
    const auto step = [&endOpen](auto&& body, MsgIcon icon, const char* title) {
        bool done = false;
        AnswerFailures(
            [&] {
                body();
                done = true;
            },
            [&](const std::exception& error) {
                endOpen();
                MsgBox(FailureText(error), MsgButtons::Ok, icon, title);
            });
        return done;
    };
    std::optional<std::filesystem::path> path;
    const bool chosen = step(
        [&] {
            CloseOtherWindows();
            // The old program's memory goes back to the system before the file dialog,
            // whose threads are mapped anew, beside the allocator.
            HandBackFreeMemory();
            // Whatever becomes of this open, the old program has gone.
            setWindowTitle(ToQString(kNoProgramCaption));
            EnableProgramCommands(false);
            EnableFileCommands(false);
            sessions_.Decrement();
            path = dropped ? dropped : ChooseSource();
        },
        MsgIcon::None, "Error Opening File");
    if (!chosen) {
        return;
    }
    std::optional<SourceFile> source;
    if (path) {
        source = ParseText::ReadSourceFile(*path, droppedCensus);
    }
    if (!source) {
        // Cancelled, or a file that is no source: the old program is closed all the same.
        endOpen();
        return;
    }
    if (!step([&] { LoadProgram(std::move(*source), *path); }, MsgIcon::Critical, "Veldra")) {
        return;
    }
    // State and view files dropped with the source belong to the program just loaded.
    for (const DropItem& file : afterLoad) {
        RunDroppedCommand(file);
    }
}

std::optional<std::filesystem::path> frmMain::ChooseSource() {
    FileDialogRequest request;
    request.title = "Open";
    request.filter = kSourceFilter;
    request.kind = FileKind::Source;
    return dialogs_.FileName(request);
}

void frmMain::OpenFile(const std::filesystem::path& path) {
    show();
    std::optional<SourceFile> source = ParseText::ReadSourceFile(path);
    if (!source) {
        return;  // the main window stays as after a cancelled Open dialog
    }
    busy_ = std::make_unique<BusyCursor>();
    setEnabled(false);
    AnswerFailures([&] { LoadProgram(std::move(*source), path); },
                   [this](const std::exception& error) {
                       EndOpen();
                       MsgBox(FailureText(error), MsgButtons::Ok, MsgIcon::None, "Load Failed");
                   });
}

bool frmMain::SetTopWindows() {
    veldra::SetTopWindows(*area_);
    return true;
}

void frmMain::ShowChild(QWidget& window) {
    window.setAttribute(Qt::WA_DeleteOnClose);
    new RegisteredChild(windows_, window, window.objectName().toStdString());
    AddToArea(*area_, window);
}

void frmMain::PlaceChild(QWidget& window) {
    AddToArea(*area_, window);
}

void frmMain::LoadProgram(SourceFile source, const std::filesystem::path& path) {
    try {
        MakeProgram(std::move(source), path);
    } catch (const std::bad_alloc&) {
        // Memory ran out loading the source, making the program's windows or filling them: the
        // program and all its windows go before the box that says so is made, and the
        // application goes on without them.
        LetGoOfProgram();
        EndOpen();
        setWindowTitle(ToQString(kNoProgramCaption));
        if (!unloaded_) {
            ShowMaximised();
        }
        ParseText::ReportOutOfMemory(path);
    }
}

void frmMain::LetGoOfProgram() {
    if (program_) {
        ProgramEngine& engine = program_->Engine();
        engine.ReleaseProgram();
        if (!engine.InUse()) {
            WindowFrame(*program_).close();
        }
    }
    // The windows closed go now, not when the event loop next turns.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void frmMain::MakeProgram(SourceFile source, const std::filesystem::path& path) {
    // The program's folder is where the file dialogs of its files open at first.
    KeepFolder(settings_, FileKind::Source, path);
    const MemoryNeed programMemory = MemoryToLoad(source.census);
    MainWindowServices services;
    services.mainWindow = this;
    services.settings = &settings_;
    services.statementViews = &LadderStatementViews();
    // The board windows stand in the registry through their halves. Those the load makes
    // stay out of sight until it ends, then are arranged and shown together: each drawn
    // once, whatever the number.
    const std::function<void(QWidget&)> placeBoard = [this](QWidget& window) {
        boardWindows_->Add(window);
    };
    boardWindows_->Hold();
    // A load that fails takes its board windows along unseen; one that ends shows them.
    struct HoldEnds {
        HeldWindows& held;
        ~HoldEnds() { held.Drop(); }
    } holdEnds{*boardWindows_};
    auto* program = new frmProgram(windows_, dialogs_, clock_, std::move(services));
    connect(program, &frmProgram::mainWindowCloseAsked, this, [this] { close(); });
    program->setAttribute(Qt::WA_DeleteOnClose);
    area_->addSubWindow(program);
    program_ = program;
    auto* boards = new ProgramBoards(*program, windows_, placeBoard);
    connect(&boards->Drawings(), &BoardWindows::refreshMenuAsked, this, &frmMain::RefreshPop);
    OpeningHost host(*program, *boards);

    showMinimized();
    std::string name;
    {
        ParseText loader(program->Engine(), host, boards->Factory());
        name = loader.GetProgramFromText(std::move(source.text), path, source.census);
    }
    if (!program_ || !program_->Engine().ProgramLoaded()) {
        boardWindows_->Release();
        // Closed while it loaded, or never loaded: no empty program window stays.
        if (program_ && !program_->Engine().InUse()) {
            WindowFrame(*program_).close();
        }
        EndOpen();
        // Minimised for the load, it would stay out of sight, and without a task bar the
        // user could not get it back.
        if (!unloaded_) {
            ShowMaximised();
        }
        return;
    }
    // The board windows show what the load gave them (captions, sizes) before they are
    // arranged, or a view dropped with the source finds them by caption.
    boards->DrawPlaced();
    programMemory_ = programMemory;
    SetProgramName(name);
    const int session = sessions_.Stored();
    setWindowTitle(QString::fromStdString(CardFileCaption(session, programName_)));
    program->SetCaption(ProgramWindowCaption(session, programName_));
    ShowMaximised();
    // Placed on top first, at its fixed size, so that the cascade knows the room it leaves;
    // the board windows moved while out of sight, then shown, still taking no input as while
    // the load ran.
    program->KeepAlwaysOnTop();
    CascadeWindows(*area_, boardWindows_->Held());
    boardWindows_->Release();
    // Made, filled and shown, the program's windows must still leave the desktop the reserve
    // the check before reading promised it, or the program goes while the box can be made.
    RequireDesktopReserve();
    EndOpen();
    mnuProgram_->menuAction()->setVisible(true);
    EnableProgramCommands(true);
    // A program let go of by any other way takes its run command along.
    connect(program, &QObject::destroyed, menuItems_["mnuStop"],
            [run = menuItems_["mnuStop"]] { run->setEnabled(false); });
    EnableFileCommands(true);
    connect(program, &frmProgram::runCaptionChanged, menuItems_["mnuStop"], &QAction::setText);
    menuItems_["mnuStop"]->setText(ProgramEngine::kStartCaption);
    sessions_.Increment();
}

void frmMain::ShowMaximised() {
    // Without a window manager (a virtual display) nothing would maximise it: its normal
    // size fills the screen already. The frame's top left goes to the screen's, so that
    // back at its normal size the window keeps its title bar on the screen.
    if (const QScreen* shown = screen(); shown != nullptr && !isMaximized()) {
        const QRect space = shown->availableGeometry();
        const QSize frame = frameGeometry().size() - size();
        move(space.topLeft());
        resize(space.size() - frame);
    }
    showMaximized();
}

void frmMain::EndOpen() {
    busy_.reset();
    setEnabled(true);
}

bool frmMain::ScanInProgress() const {
    return program_ && program_->Engine().Solving();
}

bool frmMain::OtherWindowsOpen() const {
    return std::ranges::any_of(windows_.Windows(), [this](const BoardPanel* window) {
        return window != &registration_.Panel() && !window->Closed();
    });
}

void frmMain::CloseOtherWindows() {
    // The area goes with the windows closed for good; the one that takes its place keeps
    // the rest.
    const QuietClose quiet(*area_, [this](QMdiArea& fresh) {
        area_ = &fresh;
        setCentralWidget(area_);
        boardWindows_->MoveTo(fresh);
    });
    windows_.ForEachFromLast([this](BoardPanel& window) {
        if (&window != &registration_.Panel()) {
            window.CloseWindow(true);
        }
    });
}

// ---------------------------------------------------------------------------------------
// Dropped files

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void frmMain::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
        }
    }
    event->acceptProposedAction();
    DropFiles(paths);
}

void frmMain::DropFiles(const std::vector<std::string>& paths) {
    const BusyCursor busy;
    for (const DropItem& file : OrderDrop(paths)) {
        if (file.kind == DroppedKind::Source) {
            FileGiven = true;
            DroppedFile = file.path;
            mnuOpen_Click();
        } else if (tmrClose.Enabled() && afterScan_ == AfterScan::Open) {
            afterLoad_.push_back(file);
        } else {
            RunDroppedCommand(file);
        }
    }
}

void frmMain::RunDroppedCommand(const DropItem& file) {
    QAction* command = menuItems_[file.kind == DroppedKind::State ? "mnuLoadState" : "mnuLoadView"];
    if (!command->isEnabled()) {
        if (file.kind == DroppedKind::State) {
            MsgBox("State Can Not Be Loaded Until A Program Is Opened", MsgButtons::Ok,
                   MsgIcon::Information, "Load Failed");
        }
        return;
    }
    FileGiven = true;
    DroppedFile = file.path;
    command->trigger();
    FileGiven = false;
}

// ---------------------------------------------------------------------------------------
// Closing

void frmMain::closeEvent(QCloseEvent* event) {
    if (unloaded_) {
        event->accept();
        return;
    }
    if (!closeConfirmed_) {
        if (OtherWindowsOpen() && MsgBox("Close Simulator?", MsgButtons::YesNo, MsgIcon::None,
                                         "End Simulation") != MsgAnswer::Yes) {
            event->ignore();
            return;
        }
        closeConfirmed_ = true;
    }
    // The program stops before any of its windows closes; nothing restarts it meanwhile.
    if (program_ && program_->Engine().Running()) {
        // Closing ignores every failure: a program that fails to stop must not keep the
        // simulator open, and the windows below close it for good.
        IgnoringFailures([this] { program_->StartStop(); });
    }
    if (ScanInProgress()) {
        if (!busy_) {
            busy_ = std::make_unique<BusyCursor>();
        }
        setEnabled(false);
        WaitForScan(AfterScan::Close);
        event->ignore();
        return;
    }
    tmrClose.SetEnabled(false);
    // Closing ignores every failure: a window that fails to close goes with the
    // application, and the session must still be counted out.
    IgnoringFailures([this] { CloseOtherWindows(); });
    help_.Quit();
    sessions_.Decrement();
    unloaded_ = true;
    busy_.reset();
    event->accept();
}

// ---------------------------------------------------------------------------------------
// The other commands

void frmMain::mnuStop_Click() {
    if (program_) {
        // A start or stop that fails is ignored: the program window's start button and
        // this entry still show the state the program is in.
        IgnoringFailures([this] { program_->StartStop(); });
    }
}

void frmMain::mnuSessionNum_Click() {
    const std::optional<std::string> caption = dialogs_.InputBox(
        {"Enter New Caption for this session:", "Set Caption", ToStdString(windowTitle())});
    if (!caption) {
        return;
    }
    setWindowTitle(ToQString(*caption));
    if (program_) {
        program_->SetCaption("Program Window: " + *caption);
    }
}

void frmMain::mnuExit_Click() {
    close();
}

void frmMain::mnuTileHorizontal_Click() {
    ReportWindowErrors([&] { Tile(*area_, false); });
}

void frmMain::mnuTileVertical_Click() {
    ReportWindowErrors([&] { Tile(*area_, true); });
}

void frmMain::mnuCascade_Click() {
    CascadeWindows(*area_);
}

void frmMain::mnuHlpTop_Click() {
    ReportWindowErrors([&] { help_.ShowContents(); });
}

void frmMain::mnuWhatThis_Click() {
    if (area_->activeSubWindow() != nullptr) {
        EnterWhatsThisMode();
    }
}

void frmMain::mnuAbout_Click() {
    ReportWindowErrors([&] {
        if (!about_) {
            about_ = new frmAbout(windows_, dialogs_);
            area_->addSubWindow(about_);
        }
        WindowFrame(*about_).show();
        area_->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(&WindowFrame(*about_)));
    });
}

void frmMain::mnuStatements_Click() {
    if (!program_ || !program_->Engine().ProgramLoaded() || statements_) {
        return;
    }
    // Until the list closes, it is the only one.
    menuItems_["mnuStatements"]->setEnabled(false);
    // A list that cannot be made fails without a word: the main window comes back usable,
    // and the entry stays disabled until a statements window closes.
    IgnoringFailures([this] {
        const BusyCursor busy;
        setEnabled(false);
        auto* list = new frmStatements(windows_, *program_);
        statements_ = list;
        connect(list, &frmStatements::closed, this, [this, list] {
            if (statements_ == list) {
                StatementsClosed();
            }
        });
        area_->addSubWindow(list)->show();
        list->Fill();
    });
    setEnabled(true);
}

void frmMain::EnableProgramCommands(bool loaded) {
    menuItems_["mnuStatements"]->setEnabled(loaded && !statements_);
    menuItems_["mnuBook"]->setEnabled(loaded);
    menuItems_["mnuStop"]->setEnabled(loaded);
}

void frmMain::StatementsClosed() {
    statements_ = nullptr;
    menuItems_["mnuStatements"]->setEnabled(program_ && program_->Engine().ProgramLoaded());
}

void frmMain::ShowStatements() {
    if (menuItems_["mnuStatements"]->isEnabled()) {
        mnuStatements_Click();
    }
}

// The link windows answer RefreshTCP; the shell asks by name and knows none of them.
void frmMain::mnuRefresh_Click() {
    QMdiSubWindow* active = area_->activeSubWindow();
    QWidget* child = active != nullptr ? active->widget() : nullptr;
    if (child == nullptr || !QMetaObject::invokeMethod(child, "RefreshTCP")) {
        MsgBox("Object does not have focus.", MsgButtons::Ok, MsgIcon::Information,
               "Refresh Failed");
    }
}

void frmMain::RefreshPop() {
    mnuPopUp_->popup(QCursor::pos());
}

}  // namespace veldra
