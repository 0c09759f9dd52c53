#include "engine/qt/frmProgram.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>
#include <map>
#include <string>

#include "engine/program_engine.h"
#include "engine/program_pages.h"
#include "engine/qt/bit_status_frame.h"
#include "engine/qt/cpu_leds_frame.h"
#include "engine/qt/force_bit_frame.h"
#include "engine/qt/frmFilter.h"
#include "engine/qt/frmNumerics.h"
#include "engine/qt/frmSetWatches.h"
#include "engine/qt/frmTable.h"
#include "engine/qt/immediate_frame.h"
#include "engine/qt/page_tabs.h"
#include "engine/qt/statement_view_host.h"
#include "engine/qt/timer_frame.h"
#include "engine/qt/user_numeric_frame.h"
#include "platform/load_under_way.h"
#include "platform/qt/busy_cursor.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/lamp.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/timer_driver.h"
#include "platform/qt/twips.h"
#include "platform/qt/whats_this.h"
#include "platform/qt/window_frame.h"

namespace veldra {

using namespace page_controls;

namespace {

// Where the page shown and the lights beside it stand. It asks for the room they need, so
// that the window is laid out, and tiled, to show them whole; given less, as when another
// page is chosen in a window sized for a smaller one, they scroll rather than squeezing
// their boxes.
class PagesInView final : public QScrollArea {
public:
    explicit PagesInView(QWidget* parent) : QScrollArea(parent) {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setFocusPolicy(Qt::NoFocus);
    }

    QSize minimumSizeHint() const override { return widget()->minimumSizeHint(); }
    QSize sizeHint() const override { return widget()->sizeHint(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Another page asks for other room: the window lays itself out anew.
        if (watched == widget() && event->type() == QEvent::LayoutRequest) {
            updateGeometry();
        }
        return QScrollArea::eventFilter(watched, event);
    }
};

}  // namespace

// ---------------------------------------------------------------------------------------
// The window as a loaded window

std::string frmProgram::LoadedWindow::Caption() const {
    return ToStdString(window_.windowTitle());
}

int frmProgram::LoadedWindow::BitCount() const {
    return window_.engine_->Cpu().BitCount();
}

std::string frmProgram::LoadedWindow::GetSystemBit(int Index) const {
    return window_.engine_->Cpu().GetSystemBit(Index);
}

void frmProgram::LoadedWindow::UpdateIndicators() {
    window_.engine_->Cpu().UpdateIndicators();
}

void frmProgram::LoadedWindow::UpdateOutput(std::string_view BitName, bool BitValue) {
    window_.engine_->Cpu().UpdateOutput(BitName, BitValue);
}

void frmProgram::LoadedWindow::LoadState(std::string_view BitName, bool BitValue) {
    window_.engine_->Cpu().LoadState(BitName, BitValue);
}

void frmProgram::LoadedWindow::CloseWindow(bool) {
    window_.CloseWindow();
}

// ---------------------------------------------------------------------------------------
// Building

frmProgram::frmProgram(WindowRegistry& windows, Dialogs& dialogs, const Clock& clock,
                       MainWindowServices services)
    : QWidget(nullptr, Qt::Window | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint),
      windows_(windows),
      dialogs_(dialogs),
      services_(std::move(services)),
      mainWindow_(ProgramWindowHost::OrStandalone(services_.mainWindow)) {
    setObjectName("frmProgram");
    setWindowTitle("Program");
    engine_ = std::make_unique<ProgramEngine>(static_cast<ProgramWindow&>(*this), clock);
    pages_ = std::make_unique<ProgramPages>(*engine_);
    log_ = std::make_unique<LogFile>(*engine_, static_cast<LogFileHost&>(*this));
    menus_ = std::make_unique<ProgramMenus>(*engine_, static_cast<ProgramMenusHost&>(*this), *log_);
    scanDriver_ = std::make_unique<TimerDriver>(engine_->ScanTimer());
    serviceDriver_ = std::make_unique<TimerDriver>(engine_->ServiceTimer());
    registration_ = std::make_unique<WindowRegistry::Registration>(windows_, panel_);

    BuildWindow();
    BuildMenus();

    pagesChanged_ = pages_->Changed.Subscribe([this] { SyncPages(); });
    ledsChanged_ = engine_->Cpu().Changed.Subscribe([this] { SyncLeds(); });
    loggingChanged_ = log_->Changed.Subscribe([this] { SyncMenus(); });

    // The first page shown when the window opens is the immediate window.
    pages_->ShowPage(ProgramPage::ImmediateWindow);
    SyncRunState();
    SyncLeds();
    SyncMenus();
    timers_->Sync();
    TimersChanged();
}

frmProgram::~frmProgram() {
    // The table windows show the engine's tables: they go before it.
    for (const QPointer<frmTable>& table : tables_) {
        if (table) {
            delete &WindowFrame(*table);
        }
    }
    // The views and their models read the pages: they go first.
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
    // The drivers before the timers they tick, the pages before the engine they read.
    scanDriver_.reset();
    serviceDriver_.reset();
    registration_.reset();
    menus_.reset();
    log_.reset();
    pages_.reset();
    engine_.reset();
}

void frmProgram::BuildWindow() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 4, 6, 6);
    outer->setSpacing(4);

    outer->addWidget(BuildRunRow());

    tbSelect_ = new PageTabs(this);
    tbSelect_->setObjectName("tbSelect");
    tbSelect_->setExpanding(false);
    tbSelect_->setUsesScrollButtons(true);
    tbSelect_->setDrawBase(false);
    for (int page = 0; page <= int(ProgramPage::TimeQue); ++page) {
        const QString caption = ToQString(ProgramPages::TabCaption(ProgramPage(page)));
        tbSelect_->setTabToolTip(tbSelect_->addTab(caption), caption);
    }
    connect(tbSelect_, &QTabBar::currentChanged, this, [this](int tab) {
        if (!syncing_ && tab >= 0) {
            Command([&] { pages_->ShowPage(ProgramPage(tab)); });
        }
    });
    outer->addWidget(tbSelect_);

    auto* view = new PagesInView(this);
    view->setObjectName("scrPages");
    auto* body = new QWidget(view);
    auto* beside = new QHBoxLayout(body);
    beside->setContentsMargins(0, 0, 0, 0);
    immediate_ = new ImmediateFrame(*engine_, *pages_, body);
    fraOption_[0] = immediate_;
    force_ = new ForceBitFrame(*engine_, *pages_, body);
    fraOption_[1] = force_;
    status_ = new BitStatusFrame(*engine_, *pages_, body);
    fraOption_[2] = status_;
    timers_ = new TimerFrame(*engine_, *pages_, body);
    fraOption_[3] = timers_;
    userNumerics_ = new UserNumericFrame(*engine_, *pages_, body);
    fraOption_[4] = userNumerics_;
    auto* frames = new QGridLayout;
    for (ProgramPageFrame* frame : fraOption_) {
        frames->addWidget(frame, 0, 0);
        connect(frame, &ProgramPageFrame::bitAssignAsked, this,
                [this](const QString& BitName) { ShowBitAssign(ToStdString(BitName)); });
    }
    beside->addLayout(frames, 1);
    leds_ = new CpuLedsFrame(engine_->Cpu(), body);
    connect(leds_, &CpuLedsFrame::bitAssignAsked, this,
            [this](const QString& BitName) { ShowBitAssign(ToStdString(BitName)); });
    beside->addWidget(leds_, 0, Qt::AlignTop);
    view->setWidget(body);
    outer->addWidget(view, 1);

    setMaximumSize(SizeFromTwips(ProgramPages::kMaxWidthTwips, ProgramPages::kMaxHeightTwips));
    resize(maximumSize());
}

QWidget* frmProgram::BuildRunRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    cmdStart_ = Button(ProgramEngine::kStartCaption, "cmdStart", row);
    cmdStart_->setMinimumWidth(PixelsFromTwips(1500));
    connect(cmdStart_, &QPushButton::clicked, this, [this] { StartStop(); });
    layout->addWidget(cmdStart_);
    layout->addSpacing(PixelsFromTwips(240));
    // The two lamps take turns in one place at every scan: in a holder without a layout,
    // showing one does not make Qt lay out the whole window again.
    auto* solving = new QWidget(row);
    imgOn_ = new LampWidget(solving, QColor(255, 0, 0));
    imgOn_->setObjectName("imgOn");
    imgOn_->SetImage(LampImage::Lit);
    imgOff_ = new LampWidget(solving, QColor(255, 0, 0));
    imgOff_->setObjectName("imgOff");
    imgOff_->SetImage(LampImage::Dark);
    solving->setFixedSize(imgOn_->size());
    layout->addWidget(solving);
    layout->addWidget(Label("Solving Program", row, "lblStable"));
    layout->addStretch(1);
    return row;
}

void frmProgram::BuildMenus() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName("menuBar");
    for (const ProgramMenus::Menu& menu : menus_->Bar()) {
        QMenu* shown = bar->addMenu(ToQString(menu.caption));
        shown->setObjectName(ToQString(menu.name));
        for (const ProgramMenus::Item& item : menu.items) {
            QAction* action = shown->addAction(ToQString(item.caption));
            action->setObjectName(ToQString(item.name));
            const bool checkable = item.name == "mnuCLog" || item.name == "mnuTop" ||
                                   item.name == "mnuCPS" || item.name == "mnuConfigErr" ||
                                   item.name == "mnuIO";
            action->setCheckable(checkable);
            const std::string name = item.name;
            connect(action, &QAction::triggered, this, [this, name] { RunMenuItem(name); });
            menuItems_.emplace_back(item.name, action);
        }
    }
    layout()->setMenuBar(bar);
}

void frmProgram::RunMenuItem(const std::string& name) {
    using Click = void (ProgramMenus::*)();
    static const std::map<std::string, Click> kClicks = {
        {"mnuTop", &ProgramMenus::mnuTop_Click},
        {"mnuCPS", &ProgramMenus::mnuCPS_Click},
        {"mnuConfigErr", &ProgramMenus::mnuConfigErr_Click},
        {"mnuShowNumeric", &ProgramMenus::mnuShowNumeric_Click},
        {"mnuForceTable", &ProgramMenus::mnuForceTable_Click},
        {"mnuNumeric", &ProgramMenus::mnuNumeric_Click},
        {"mnuFilter", &ProgramMenus::mnuFilter_Click},
        {"mnuWatch", &ProgramMenus::mnuWatch_Click},
        {"mnuIO", &ProgramMenus::mnuIO_Click},
    };
    Command([&] {
        if (name == "mnuCLog") {
            menus_->mnuCLog_Click(mainWindow_.ProgramName());
        } else if (name == "mnuWhatThis") {
            EnterWhatsThisMode();
        } else if (const auto click = kClicks.find(name); click != kClicks.end()) {
            (menus_.get()->*click->second)();
        }
    });
    SyncMenus();
}

// ---------------------------------------------------------------------------------------
// Commands

template <class Body>
void frmProgram::Command(Body&& body) {
    RunCommand(*engine_, std::forward<Body>(body));
}

void frmProgram::LoadFinished(const std::vector<BoardPanel*>& windows) {
    // The table windows are loaded windows too: asked for their bits, they build their
    // grids from the tables the loader completed.
    std::vector<BoardPanel*> loaded = windows;
    for (const QPointer<frmTable>& table : tables_) {
        if (table) {
            loaded.push_back(&table->Panel());
        }
    }
    Command([&] { engine_->LoadFinished(loaded); });
}

void frmProgram::StartStop() {
    Command([&] { engine_->StartStop(); });
}

void frmProgram::CloseWindow() {
    Command([&] { engine_->CloseWindow(); });
}

void frmProgram::SetCaption(const std::string& caption) {
    setWindowTitle(ToQString(caption));
}

void frmProgram::KeepAlwaysOnTop() {
    Command([&] {
        if (!menus_->TopChecked()) {
            menus_->mnuTop_Click();
        } else {
            KeepOnTop(true);
        }
    });
    SyncMenus();
}

void frmProgram::ShowBitAssign(std::string_view BitName) {
    if (services_.statementViews != nullptr)
        services_.statementViews->ShowBitAssign(ViewHost(), BitName);
}

StatementViewHost frmProgram::ViewHost() {
    StatementViewHost host;
    host.engine = engine_.get();
    host.programWindow = this;
    host.windows = &windows_;
    host.dialogs = &dialogs_;
    host.settings = services_.settings;
    host.mainWindow = services_.mainWindow;
    return host;
}

// ---------------------------------------------------------------------------------------
// Mirroring the engine

void frmProgram::DoEvents() {
    // A scan yields on every pass, ten thousand times in a long ripple, and a load at every
    // statement: the desktop gets the first yield of each scan and every 64th after it,
    // which keeps it responsive without doubling the scan. Two throttles, as each sees what
    // the other cannot: this count thins out yields too many to look at a clock for, and
    // the scan's clock serves the desktop (ServeDesktop) inside the work between two yields,
    // a pass or an evaluation of tables and numeric blocks however long.
    constexpr int kYieldsPerTurn = 64;
    if (yieldsSinceTurn_ == 0 || yieldsSinceTurn_ >= kYieldsPerTurn) {
        yieldsSinceTurn_ = 1;
        QCoreApplication::processEvents();
    } else {
        ++yieldsSinceTurn_;
    }
}

void frmProgram::ServeDesktop() {
    yieldsSinceTurn_ = 1;  // the count of yields starts again from this turn
    QCoreApplication::processEvents();
}

void frmProgram::RunStateChanged() {
    SyncRunState();
}

void frmProgram::SolvingChanged() {
    const bool solving = engine_->SolvingLampLit();
    if (solving) {
        yieldsSinceTurn_ = 0;  // a scan begins: its first yield lets the desktop run
    }
    imgOn_->SetImage(solving ? LampImage::Lit : LampImage::Parked);
    imgOff_->SetImage(solving ? LampImage::Parked : LampImage::Dark);
    // A scan may choose a table's state many times over: its window shows where the scan
    // left it, drawn once when the scan ends, as the board windows are.
    for (const QPointer<frmTable>& table : tables_) {
        if (table) {
            table->HoldChanges(solving);
        }
    }
}

void frmProgram::StatusChanged() {
    immediate_->StatusChanged();
}

void frmProgram::TimersChanged() {
    timers_->ShowTimers();
}

bool frmProgram::TimeQuePageShown() const {
    return pages_ != nullptr && pages_->TimeQuePageShown();
}

void frmProgram::MenusChanged() {
    SyncMenus();
}

void frmProgram::ShowSystemBits(std::optional<bool> cps, std::optional<bool> configureError) {
    if (cps) {
        engine_->SetCpsChecked(*cps);
    }
    if (configureError) {
        menus_->SetConfigErrChecked(*configureError);
    }
    SyncMenus();
}

void frmProgram::ShowMinimized(bool minimized) {
    QWidget& frame = WindowFrame(*this);
    if (!frame.isVisible()) {
        return;
    }
    if (minimized) {
        frame.showMinimized();
    } else {
        frame.showNormal();
    }
}

void frmProgram::SetBusy(bool busy) {
    setEnabled(!busy);
    if (busy) {
        busy_ = std::make_unique<BusyCursor>();
    } else {
        busy_.reset();
    }
}

void frmProgram::DisplaysChanged() {
    pages_->DisplaysChanged();  // the timer list's too
    status_->Rebuild();
    SyncPages();
    SyncLeds();
}

void frmProgram::ReleaseLog() {
    if (log_ && log_->Logging()) {
        log_->Stop();
    }
}

void frmProgram::TableAdded(Table& table) {
    auto* window = new frmTable(windows_, table);
    connect(window, &frmTable::bitAssignAsked, this,
            [this](const QString& BitName) { ShowBitAssign(ToStdString(BitName)); });
    tables_.emplace_back(window);
    mainWindow_.PlaceChild(*window);
}

void frmProgram::CloseTableWindows() {
    for (const QPointer<frmTable>& table : tables_) {
        if (table && !table->Panel().Closed()) {
            table->Panel().CloseWindow(true);
        }
    }
    tables_.clear();
}

void frmProgram::ProgramReleased() {
    // Left open only where no main window closed them first, as it does on a close.
    CloseTableWindows();
    DisplaysChanged();
    SyncRunState();
    // The window goes once the command or scan that released the program has unwound.
    if (!closeScheduled_) {
        closeScheduled_ = true;
        QTimer::singleShot(0, this, [this] { FinishClose(); });
    }
}

void frmProgram::EditFaultyStatement(Statement& statement) {
    // Called from inside the scan, which holds the program until the editor is done.
    if (services_.statementViews != nullptr)
        services_.statementViews->EditFaultyStatement(windows_, *engine_, statement);
}

void frmProgram::FinishClose() {
    if (engine_->InUse()) {
        QTimer::singleShot(50, this, [this] { FinishClose(); });
        return;
    }
    // A child window's frame closes with it and takes it along.
    WindowFrame(*this).close();
}

void frmProgram::SyncRunState() {
    const QString caption = ToQString(engine_->StartCaption());
    if (cmdStart_->text() != caption) {
        cmdStart_->setText(caption);
        Q_EMIT runCaptionChanged(caption);
    }
    immediate_->SyncRunState();
    SolvingChanged();
}

void frmProgram::SyncLeds() {
    leds_->Sync();
}

void frmProgram::SyncMenus() {
    for (const ProgramMenus::Menu& menu : menus_->Bar()) {
        for (const ProgramMenus::Item& item : menu.items) {
            for (auto& [name, action] : menuItems_) {
                if (name == item.name) {
                    action->setChecked(item.checked);
                    action->setEnabled(item.enabled);
                }
            }
        }
    }
}

void frmProgram::SyncPages() {
    const ProgramPage page = pages_->Page();
    syncing_ = true;
    tbSelect_->setCurrentIndex(int(page));
    syncing_ = false;
    const int shown = pages_->ShownFrame();
    for (int frame = 0; frame < int(fraOption_.size()); ++frame) {
        fraOption_[std::size_t(frame)]->setVisible(frame == shown);
    }
    SetHelpTopic(*fraOption_[std::size_t(shown)], pages_->ShownTopic());
    force_->Sync(page);
    userNumerics_->Sync();
    if (page == ProgramPage::BitStatus) {
        status_->Entered();
    }
    status_->SyncFinder();
    timers_->Sync();
}

// ---------------------------------------------------------------------------------------
// The window's own rules

void frmProgram::closeEvent(QCloseEvent* event) {
    if (engine_->PrgBooleanBits() != nullptr && !engine_->ReleasePending()) {
        // A close by hand is the main window's close sequence. Its failures are ignored:
        // whether this window goes is decided below, by whether the sequence released the
        // program, never by how far it got.
        IgnoringFailures([this] { Q_EMIT mainWindowCloseAsked(); });
    }
    // The window stays while a program is loaded, and while a scan or a command still
    // uses the one just released.
    if (engine_->PrgBooleanBits() != nullptr || engine_->InUse()) {
        event->ignore();
        return;
    }
    event->accept();
}

void frmProgram::changeEvent(QEvent* event) {
    // The size limit is the window's, frame and all, as the user drags it.
    if (event->type() == QEvent::ParentChange && &WindowFrame(*this) != this) {
        WindowFrame(*this).setMaximumSize(maximumSize());
    }
    // A child window's frame hands its state on to the window it holds.
    if (event->type() == QEvent::WindowStateChange && isMaximized()) {
        QTimer::singleShot(0, this,
                           [this] { WindowFrame(*this).showNormal(); });  // never maximised
    }
    QWidget::changeEvent(event);
}

// ---------------------------------------------------------------------------------------
// What the menus and the log ask of the desktop

void frmProgram::KeepOnTop(bool on) {
    // The placement reads the choice from the menu, which may not show it yet.
    for (auto& [name, action] : menuItems_) {
        if (name == "mnuTop") {
            action->setChecked(on);
        }
    }
    if (mainWindow_.SetTopWindows()) {
        return;
    }
    const QPoint place = pos();
    showNormal();
    resize(QSize(475, 468).boundedTo(maximumSize()));
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    show();
    move(place);
}

void frmProgram::ShowFilterWindow() {
    frmFilter window(*engine_, windows_, this);
    window.exec();
}

void frmProgram::ShowWatchWindow() {
    frmSetWatches window(*engine_, windows_, this);
    window.exec();
}

void frmProgram::ShowNumericReport(const std::string& report) {
    mainWindow_.ShowChild(*new frmNumerics(report));
}

std::optional<std::filesystem::path> frmProgram::SaveLogAs(const std::string& proposedName) {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.filter = kSaveFilter;
    request.proposedName = proposedName;
    request.kind = FileKind::Log;
    return dialogs_.FileName(request);
}

std::string frmProgram::LocationName() {
    return dialogs_.InputBox({kLocationPrompt, kLocationTitle, ""}).value_or(std::string());
}

}  // namespace veldra
