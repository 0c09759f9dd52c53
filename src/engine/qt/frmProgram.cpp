#include "engine/qt/frmProgram.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>
#include <map>
#include <string>
#include <unordered_set>

#include "engine/program_engine.h"
#include "engine/program_pages.h"
#include "engine/qt/core_list_model.h"
#include "engine/qt/frmFilter.h"
#include "engine/qt/frmNumerics.h"
#include "engine/qt/frmSetWatches.h"
#include "engine/qt/frmTable.h"
#include "engine/qt/immediate_views.h"
#include "engine/qt/page_tabs.h"
#include "engine/qt/status_grid_model.h"
#include "engine/qt/status_grid_view.h"
#include "ladder/qt/frmBdSt.h"
#include "ladder/qt/show_bit_assign.h"
#include "ladder/qt/statement_view_host.h"
#include "platform/qt/busy_cursor.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/lamp.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/timer_driver.h"
#include "platform/qt/twips.h"
#include "platform/qt/whats_this.h"
#include "platform/qt/window_frame.h"

namespace veldra {
namespace {

// The grid's fixed first column, in twips.
constexpr int kFixedColumnTwips = 300;

// The width of the widest of the grid's names. Names differ mostly in their numbers, and
// laying out every one of tens of thousands costs more than the rest of a window's load:
// each name is measured with every digit as the widest digit, once per distinct form.
// Where the digits are of one width, as in the usual fonts, that is each name's own width;
// elsewhere it is at least as wide, kerning aside, so no name is cut short.
int WidestName(const QFontMetrics& metrics, const std::vector<BitStatusPage::Row>& rows) {
    char widestDigit = '0';
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (metrics.horizontalAdvance(QLatin1Char(digit)) >
            metrics.horizontalAdvance(QLatin1Char(widestDigit))) {
            widestDigit = digit;
        }
    }
    std::unordered_set<std::string> forms;
    int widest = 0;
    std::string form;
    for (const BitStatusPage::Row& row : rows) {
        form = row.name;
        for (char& c : form) {
            if (c >= '0' && c <= '9') {
                c = widestDigit;
            }
        }
        if (forms.insert(form).second) {
            widest = std::max(widest, metrics.horizontalAdvance(ToQString(form)));
        }
    }
    return widest;
}

QLabel* Label(const char* caption, QWidget* parent, const char* name = nullptr) {
    auto* label = new QLabel(caption, parent);
    if (name != nullptr) {
        label->setObjectName(name);
    }
    return label;
}

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QListView* List(const QString& name, QWidget* parent) {
    auto* list = new QListView(parent);
    list->setObjectName(name);
    list->setUniformItemSizes(true);  // a list of every bit opens without measuring each line
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return list;
}

QLineEdit* Box(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

QString Indexed(const char* name, int index) {
    return QString("%1_%2").arg(name).arg(index);
}

// The core's line number of a view's current line; -1 when none.
int CurrentLine(const QListView* view) {
    const QModelIndex current = view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void ShowLine(QListView* view, int line) {
    if (CurrentLine(view) == line) {
        return;
    }
    view->setCurrentIndex(line < 0 ? QModelIndex() : view->model()->index(line, 0));
    if (line < 0) {
        view->clearSelection();
    }
}

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
      services_(std::move(services)) {
    setObjectName("frmProgram");
    setWindowTitle("Program");
    engine_ = std::make_unique<ProgramEngine>(static_cast<ProgramWindow&>(*this), clock);
    pages_ = std::make_unique<ProgramPages>(*engine_);
    log_ = std::make_unique<LogFile>(*engine_, static_cast<LogFileHost&>(*this));
    menus_ = std::make_unique<ProgramMenus>(*engine_, static_cast<ProgramMenusHost&>(*this), *log_);
    scanDriver_ = std::make_unique<TimerDriver>(engine_->tmrProgram);
    serviceDriver_ = std::make_unique<TimerDriver>(engine_->StartTimer);
    registration_ = std::make_unique<WindowRegistry::Registration>(windows_, panel_);

    BuildWindow();
    BuildMenus();

    pages_->changed = [this] { SyncPages(); };
    pages_->ForceNumerics().changed = [this] { SyncNumerics(1); };
    pages_->UserNumerics().changed = [this] { SyncNumerics(0); };
    pages_->Status().changed = [this] { SyncFinder(); };
    pages_->Timers().changed = [this] { SyncTimerPage(); };
    engine_->Cpu().changed = [this] { SyncLeds(); };
    log_->changed = [this] { SyncMenus(); };

    // The first page shown when the window opens is the immediate window.
    pages_->ShowPage(ProgramPage::ImmediateWindow);
    SyncRunState();
    SyncLeds();
    SyncMenus();
    SyncTimerPage();
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
    auto* body = new QHBoxLayout;
    auto* left = new QVBoxLayout;

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

    fraOption_[0] = BuildImmediatePage();
    fraOption_[1] = BuildForcePage();
    fraOption_[2] = BuildStatusPage();
    fraOption_[3] = BuildTimerPage();
    fraOption_[4] = BuildUserNumericPage();
    auto* frames = new QGridLayout;
    for (QGroupBox* frame : fraOption_) {
        frames->addWidget(frame, 0, 0);
    }
    left->addLayout(frames, 1);

    body->addLayout(left, 1);
    body->addWidget(BuildCpuFrame(), 0, Qt::AlignTop);
    outer->addLayout(body, 1);

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

QGroupBox* frmProgram::BuildCpuFrame() {
    auto* frame = new QGroupBox("CPU LEDs", this);
    frame->setObjectName("fraCPU");
    auto* layout = new QGridLayout(frame);
    layout->setVerticalSpacing(PixelsFromTwips(90));
    for (int i = 0; i < 8; ++i) {
        const int led = i + 1;
        ledOn_[std::size_t(i)] = new LampWidget(frame, QColor(255, 0, 0));
        ledOn_[std::size_t(i)]->setObjectName(Indexed("LedOn", led));
        ledOn_[std::size_t(i)]->SetImage(LampImage::Lit);
        ledOff_[std::size_t(i)] = new LampWidget(frame, QColor(255, 0, 0));
        ledOff_[std::size_t(i)]->setObjectName(Indexed("LedOff", led));
        ledOff_[std::size_t(i)]->SetImage(LampImage::Dark);
        ledLabels_[std::size_t(i)] = Label("", frame);
        ledLabels_[std::size_t(i)]->setText(QString("LED.%1").arg(led));
        ledLabels_[std::size_t(i)]->setObjectName(Indexed("LED", led));
        ledLabels_[std::size_t(i)]->installEventFilter(this);
        layout->addWidget(ledOn_[std::size_t(i)], i, 0);
        layout->addWidget(ledOff_[std::size_t(i)], i, 0);
        layout->addWidget(ledLabels_[std::size_t(i)], i, 1);
        const std::string name = "LED." + std::to_string(led);
        for (LampWidget* lamp : {ledOn_[std::size_t(i)], ledOff_[std::size_t(i)]}) {
            connect(lamp, &LampWidget::clicked, this, [this, name](Qt::MouseButton button) {
                if (button == Qt::RightButton) {
                    ShowBitAssign(name);
                }
            });
        }
    }
    return frame;
}

QGroupBox* frmProgram::BuildImmediatePage() {
    auto* frame = new QGroupBox("Immediate Windows", this);
    frame->setObjectName(Indexed("fraOption", 0));
    auto* layout = new QGridLayout(frame);
    picStatus_ = new StatusPicture([this] { return engine_->Status().PaintedText(); }, frame);
    picStatus_->setObjectName("picStatus");
    txtStatus_ = new WordPickingText(frame);
    txtStatus_->setObjectName("txtStatus");
    txtStatus_->wordPicked = [this](const std::string& word) { ShowBitAssign(word); };
    QFont fixed("Monospace");
    fixed.setStyleHint(QFont::TypeWriter);
    picStatus_->setFont(fixed);
    txtStatus_->setFont(fixed);
    layout->addWidget(picStatus_, 0, 0);
    layout->addWidget(txtStatus_, 0, 0);
    return frame;
}

QGroupBox* frmProgram::BuildForcePage() {
    auto* frame = new QGroupBox("Force Change Bit", this);
    frame->setObjectName(Indexed("fraOption", 1));
    auto* layout = new QGridLayout(frame);
    for (int index = 0; index < 2; ++index) {
        QListView* list = List(Indexed("cmbBitSelect", index), frame);
        CoreListModel::Source lines;
        const auto listOf = [this, index]() -> const std::vector<ProgramPages::CheckLine>& {
            return index == 0 ? pages_->ForceBitList() : pages_->UserBitList();
        };
        lines.count = [listOf] { return int(listOf().size()); };
        lines.text = [listOf](int line) { return ToQString(listOf()[std::size_t(line)].name); };
        lines.checked = [listOf](int line) { return listOf()[std::size_t(line)].checked; };
        lines.check = [this, index](int line, bool checked) {
            Command([&] {
                if (index == 0) {
                    pages_->CheckForceBit(line, checked);
                } else {
                    pages_->CheckUserBit(line, checked);
                }
            });
        };
        checkLists_[std::size_t(index)] = new CoreListModel(std::move(lines), list);
        list->setModel(checkLists_[std::size_t(index)]);
        cmbBitSelect_[std::size_t(index)] = list;
        layout->addWidget(list, 0, 0, 5, 1);
    }

    lblSelectedBit_ = Label("Selected Bit", frame);
    layout->addWidget(lblSelectedBit_, 0, 1, 1, 2);
    lblForceValue_ = Label("Selected Numeric Value", frame);
    layout->addWidget(lstNumerics_[1] = List(Indexed("lstNumerics", 1), frame), 1, 1, 1, 2);
    layout->addWidget(lblForceValue_, 2, 1, 1, 2);
    layout->addWidget(txtNumeric_[1] = Box(Indexed("txtNumeric", 1), frame), 3, 1);
    layout->addWidget(numericApply_[1] = Button("Apply", "cmdNum1Apply", frame), 3, 2);
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    return frame;
}

QGroupBox* frmProgram::BuildUserNumericPage() {
    auto* frame = new QGroupBox("User Numeric", this);
    frame->setObjectName(Indexed("fraOption", 4));
    auto* layout = new QGridLayout(frame);
    layout->addWidget(Label("User Numerics", frame), 0, 0, 1, 2);
    layout->addWidget(lstNumerics_[0] = List(Indexed("lstNumerics", 0), frame), 1, 0, 1, 2);
    layout->addWidget(Label("Selected Numeric Value", frame), 2, 0, 1, 2);
    layout->addWidget(txtNumeric_[0] = Box(Indexed("txtNumeric", 0), frame), 3, 0);
    layout->addWidget(numericApply_[0] = Button("Apply", "Command1", frame), 3, 1);
    layout->setColumnStretch(0, 1);

    for (int index = 0; index < 2; ++index) {
        const auto editor = [this, index]() -> NumericEditor& {
            return index == 0 ? pages_->UserNumerics() : pages_->ForceNumerics();
        };
        QListView* list = lstNumerics_[std::size_t(index)];
        numericLists_[std::size_t(index)] = ShowLines(
            list, [editor]() -> const auto& { return editor().Lines(); },
            [editor](int line) { editor().Choose(line); });
        list->installEventFilter(this);

        QLineEdit* box = txtNumeric_[std::size_t(index)];
        box->setEnabled(false);
        box->installEventFilter(this);
        connect(box, &QLineEdit::returnPressed, this, [this, editor, box] {
            Command([&] {
                editor().SetValueText(ToStdString(box->text()));
                editor().Enter();
            });
            box->selectAll();
            box->setFocus();
        });
        // "Apply" has no action of its own: taking the focus out of the box applies it.
        QPushButton* apply = numericApply_[std::size_t(index)];
        connect(apply, &QPushButton::clicked, apply, [apply] { apply->setFocus(); });
    }
    return frame;
}

QGroupBox* frmProgram::BuildStatusPage() {
    auto* frame = new QGroupBox("Bit Status", this);
    frame->setObjectName(Indexed("fraOption", 2));
    auto* layout = new QGridLayout(frame);

    auto* grid = new StatusGridView(frame);
    grdStatus_ = grid;
    grdStatus_->setObjectName("grdStatus");
    statusGrid_ = new StatusGridModel(pages_->Status(), grdStatus_);
    grdStatus_->setModel(statusGrid_);
    statusGrid_->rowsInSight = [this] {
        return std::pair(grdStatus_->rowAt(0),
                         grdStatus_->rowAt(grdStatus_->viewport()->height() - 1));
    };
    grdStatus_->horizontalHeader()->hide();
    grdStatus_->verticalHeader()->hide();
    grdStatus_->setSelectionMode(QAbstractItemView::SingleSelection);
    grdStatus_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdStatus_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdStatus_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    OnLineChosen(grdStatus_, [this](int row) { pages_->Status().SetCurrentRow(row); });
    connect(grid, &StatusGridView::bitDoubleClicked, this,
            [this](const QString& name) { ShowBitAssign(ToStdString(name)); });
    layout->addWidget(grdStatus_, 0, 0, 6, 1);

    layout->addWidget(Label("Values not real time", frame), 0, 1, 1, 2);
    lstNumericStat_ = List("lstNumericStat", frame);
    numericStat_ = ShowLines(
        lstNumericStat_, [this]() -> const auto& { return pages_->Status().NumericLines(); },
        [this](int line) { pages_->Status().SetNumericLine(line); });
    layout->addWidget(lstNumericStat_, 1, 1, 1, 2);
    layout->addWidget(Label("Bit Name", frame), 2, 1, 1, 2);
    txtBit_ = Box("txtBit", frame);
    layout->addWidget(txtBit_, 3, 1);
    QPushButton* find = Button("Find", "cmdFind", frame);
    layout->addWidget(find, 3, 2);
    layout->setRowStretch(5, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    const auto findBit = [this] {
        Command([&] { pages_->Status().Find(ToStdString(txtBit_->text())); });
    };
    connect(find, &QPushButton::clicked, this, findBit);
    connect(txtBit_, &QLineEdit::returnPressed, this, findBit);
    return frame;
}

QGroupBox* frmProgram::BuildTimerPage() {
    auto* frame = new QGroupBox("Running Timers", this);
    frame->setObjectName(Indexed("fraOption", 3));
    auto* layout = new QGridLayout(frame);
    TimerPage& timers = pages_->Timers();

    layout->addWidget(Label("Select Timer", frame), 0, 0);
    lstTimers_ = List("lstTimers", frame);
    timerBits_ = ShowLines(
        lstTimers_, [&timers]() -> const auto& { return timers.TimerBits(); },
        [&timers](int line) { timers.Select(line); });
    layout->addWidget(lstTimers_, 1, 0, 5, 1);

    auto* delays = new QGridLayout;
    delays->addWidget(Label("Set Time", frame), 0, 0);
    delays->addWidget(txtSetTime_ = Box("txtSetTime", frame), 0, 1);
    delays->addWidget(Label("Clear Time", frame), 1, 0);
    delays->addWidget(txtClearTime_ = Box("txtClearTime", frame), 1, 1);
    delays->addWidget(Label("MSEC", frame), 0, 2, 2, 1);
    QPushButton* store = Button("Set", "cmdChangeTimer", frame);
    QPushButton* force = Button("Force", "cmdToggle", frame);
    delays->addWidget(store, 2, 0);
    delays->addWidget(force, 2, 1);
    layout->addLayout(delays, 1, 1, 1, 2);
    for (QLineEdit* box : {txtSetTime_, txtClearTime_}) {
        box->installEventFilter(this);
    }
    connect(store, &QPushButton::clicked, this,
            [this, &timers] { Command([&] { timers.StoreDelays(); }); });
    connect(force, &QPushButton::clicked, this,
            [this, &timers] { Command([&] { timers.ForceTimer(); }); });

    auto* count = new QHBoxLayout;
    count->addWidget(Label("Timers On Que", frame));
    lblTiQu_ = Label("0", frame, "lblTiQu");
    count->addWidget(lblTiQu_);
    count->addStretch(1);
    layout->addLayout(count, 2, 1, 1, 2);
    txtTimers_ = new WordPickingText(frame);
    txtTimers_->setObjectName("txtTimers");
    txtTimers_->wordPicked = [this](const std::string& word) { ShowBitAssign(word); };
    layout->addWidget(txtTimers_, 3, 1, 1, 2);

    layout->addWidget(Label("Timer Service Interval", frame), 4, 1, 1, 2);
    txtInterval_ = Box("txtInterval", frame);
    layout->addWidget(txtInterval_, 5, 1);
    QPushButton* set = Button("Set", "cmdSet", frame);
    layout->addWidget(set, 5, 2);
    connect(set, &QPushButton::clicked, this, [this, &timers] {
        Command([&] {
            timers.SetIntervalText(ToStdString(txtInterval_->text()));
            timers.ApplyInterval();
        });
    });
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    return frame;
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
            menus_->mnuCLog_Click(services_.programName());
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

CoreListModel* frmProgram::ShowLines(QListView* view,
                                     std::function<const std::vector<std::string>&()> lines,
                                     std::function<void(int)> choose) {
    auto* model = new CoreListModel(CoreListModel::Lines(std::move(lines)), view);
    view->setModel(model);
    OnLineChosen(view, std::move(choose));
    return model;
}

void frmProgram::OnLineChosen(QAbstractItemView* view, std::function<void(int)> choose) {
    // The engineer's choice only, by mouse or keyboard; a line the window makes current
    // to mirror the core is no choice.
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, choose = std::move(choose)](const QModelIndex& current) {
                if (!syncing_ && current.isValid()) {
                    Command([&] { choose(current.row()); });
                }
            });
}

template <class Body>
void frmProgram::Command(Body&& body) {
    const ProgramEngine::Hold hold(*engine_);
    std::forward<Body>(body)();
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
    veldra::ShowBitAssign(ViewHost(), BitName);
}

StatementViewHost frmProgram::ViewHost() {
    StatementViewHost host;
    host.engine = engine_.get();
    host.programWindow = this;
    host.windows = &windows_;
    host.dialogs = &dialogs_;
    host.settings = services_.settings;
    host.place = services_.placeChild;  // a viewer stands in the registry itself
    host.setTopWindows = services_.setTopWindows;
    host.programName = services_.programName;
    return host;
}

bool frmProgram::eventFilter(QObject* watched, QEvent* event) {
    for (int led = 1; led <= 8; ++led) {
        if (watched == ledLabels_[std::size_t(led - 1)] &&
            event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            ShowBitAssign("LED." + std::to_string(led));
            return true;
        }
    }
    for (int index = 0; index < 2; ++index) {
        QLineEdit* box = txtNumeric_[std::size_t(index)];
        NumericEditor& editor = index == 0 ? pages_->UserNumerics() : pages_->ForceNumerics();
        if (watched == box && event->type() == QEvent::FocusOut) {
            Command([&] {
                editor.SetValueText(ToStdString(box->text()));
                editor.LeaveValueBox();
            });
        }
        // Typing on a numeric list starts replacing the chosen value.
        if (watched == lstNumerics_[std::size_t(index)] && event->type() == QEvent::KeyPress &&
            box->isEnabled()) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!key->text().isEmpty() && key->text()[0].isPrint()) {
                box->setFocus();
                box->selectAll();
                QKeyEvent again(key->type(), key->key(), key->modifiers(), key->text());
                QApplication::sendEvent(box, &again);
                return true;
            }
        }
    }
    if ((watched == txtSetTime_ || watched == txtClearTime_) && event->type() == QEvent::FocusOut) {
        auto* box = static_cast<QLineEdit*>(watched);
        TimerPage& timers = pages_->Timers();
        bool accepted = true;
        Command([&] {
            const std::string text = ToStdString(box->text());
            accepted = box == txtSetTime_ ? timers.EnterSetTime(text) : timers.EnterClearTime(text);
        });
        if (!accepted) {
            // The move is refused: the box keeps the focus with its stored delay.
            QTimer::singleShot(0, box, [box] { box->setFocus(); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------
// Mirroring the engine

void frmProgram::DoEvents() {
    // A scan yields on every pass, ten thousand times in a long ripple: the desktop gets
    // the first yield of each scan and every 64th after it, which keeps it responsive
    // without doubling the scan.
    constexpr int kYieldsPerTurn = 64;
    if (yieldsSinceTurn_ == 0 || yieldsSinceTurn_ >= kYieldsPerTurn) {
        yieldsSinceTurn_ = 1;
        QCoreApplication::processEvents();
    } else {
        ++yieldsSinceTurn_;
    }
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
}

void frmProgram::StatusChanged() {
    if (engine_->Running()) {
        picStatus_->Refresh();
    } else {
        txtStatus_->Follow(engine_->Status().StatusText());
    }
}

void frmProgram::TimersChanged() {
    std::string text = engine_->TimersText();
    // The text never starts with a line feed: a removed first line leaves none behind.
    text.erase(0, text.find_first_not_of('\n'));
    txtTimers_->Follow(text);
    lblTiQu_->setText(QString::number(engine_->TimerCount()));
}

bool frmProgram::TimeQuePageShown() const {
    return pages_ != nullptr && pages_->TimeQuePageShown();
}

void frmProgram::MenusChanged() {
    SyncMenus();
}

void frmProgram::ShowSystemBits(std::optional<bool> cps, std::optional<bool> configureError) {
    if (cps) {
        engine_->CPSChecked = *cps;
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
    pages_->DisplaysChanged();
    pages_->Timers().DisplaysChanged();
    statusGrid_->Rebuild();
    shownFinder_.fill(-2);  // the rebuilt views show no current row yet
    SizeStatusGrid();
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
    window->showBitAssign = [this](const std::string& BitName) { ShowBitAssign(BitName); };
    tables_.emplace_back(window);
    services_.placeChild(*window);
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
    frmBdSt editor(windows_, *engine_);
    editor.SetStatement(&statement);
    editor.exec();
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
    const bool running = engine_->Running();
    const QString caption = ToQString(engine_->StartCaption());
    if (cmdStart_->text() != caption) {
        cmdStart_->setText(caption);
        Q_EMIT runCaptionChanged(caption);
    }
    picStatus_->setVisible(running);
    txtStatus_->setVisible(!running);
    StatusChanged();
    SolvingChanged();
}

void frmProgram::SyncLeds() {
    for (int led = 1; led <= 8; ++led) {
        const bool lit = engine_->Cpu().Lit(led);
        ledOn_[std::size_t(led - 1)]->SetImage(lit ? LampImage::Lit : LampImage::Parked);
        ledOff_[std::size_t(led - 1)]->SetImage(lit ? LampImage::Parked : LampImage::Dark);
    }
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
    syncing_ = true;
    const ProgramPage page = pages_->Page();
    tbSelect_->setCurrentIndex(int(page));
    const int shown = pages_->ShownFrame();
    for (int frame = 0; frame < int(fraOption_.size()); ++frame) {
        fraOption_[std::size_t(frame)]->setVisible(frame == shown);
    }
    SetHelpTopic(*fraOption_[std::size_t(shown)], pages_->ShownTopic());
    // The force frame serves both the "Force Bit" and the "User Bits" page.
    const bool userBits = page == ProgramPage::UserBits;
    if (page == ProgramPage::ForceBit || userBits) {
        fraOption_[1]->setTitle(ToQString(pages_->FrameCaption()));
    }
    cmbBitSelect_[0]->setVisible(!userBits);
    cmbBitSelect_[1]->setVisible(userBits);
    for (QWidget* numeric :
         {static_cast<QWidget*>(lstNumerics_[1]), static_cast<QWidget*>(txtNumeric_[1]),
          static_cast<QWidget*>(numericApply_[1]), static_cast<QWidget*>(lblSelectedBit_),
          static_cast<QWidget*>(lblForceValue_)}) {
        numeric->setVisible(!userBits);
    }
    for (int index = 0; index < 2; ++index) {
        checkLists_[std::size_t(index)]->Sync();
    }
    if (page == ProgramPage::ForceBit || page == ProgramPage::UserBits) {
        // No line is current when the page is entered.
        ShowLine(cmbBitSelect_[userBits ? 1 : 0], -1);
    }
    syncing_ = false;
    SyncNumerics(0);
    SyncNumerics(1);
    if (page == ProgramPage::BitStatus) {
        statusGrid_->Recoloured();
        numericStat_->Sync();  // the snapshot of the numbers taken on entry
    }
    SyncFinder();
    SyncTimerPage();
}

void frmProgram::SyncNumerics(int index) {
    syncing_ = true;
    const NumericEditor& editor = index == 0 ? pages_->UserNumerics() : pages_->ForceNumerics();
    numericLists_[std::size_t(index)]->Sync();
    ShowLine(lstNumerics_[std::size_t(index)], editor.CurrentLine());
    QLineEdit* box = txtNumeric_[std::size_t(index)];
    box->setEnabled(editor.ValueEnabled());
    if (box->text() != ToQString(editor.ValueText())) {
        box->setText(ToQString(editor.ValueText()));
    }
    syncing_ = false;
}

void frmProgram::SyncFinder() {
    // Told of every bit change while the grid is shown: only a moved finder costs more.
    const BitStatusPage& status = pages_->Status();
    const std::array<int, 4> finder = {status.TopRow(), status.CurrentRow(), status.NumericLine(),
                                       int(status.NumericLines().size())};
    if (finder == shownFinder_ && numericStat_->rowCount() == finder[3]) {
        return;
    }
    shownFinder_ = finder;
    syncing_ = true;
    if (numericStat_->rowCount() != int(status.NumericLines().size())) {
        numericStat_->Sync();
    }
    ShowLine(lstNumericStat_, status.NumericLine());
    const int row = status.CurrentRow();
    if (row >= 0 && row < statusGrid_->rowCount()) {
        const QModelIndex cell = statusGrid_->index(row, 1);
        if (grdStatus_->currentIndex() != cell) {
            grdStatus_->setCurrentIndex(cell);
        }
        const int top = status.TopRow();
        if (top >= 0 && top < statusGrid_->rowCount() && grdStatus_->rowAt(0) != top) {
            grdStatus_->scrollTo(statusGrid_->index(top, 1), QAbstractItemView::PositionAtTop);
        }
    }
    syncing_ = false;
}

void frmProgram::SyncTimerPage() {
    syncing_ = true;
    const TimerPage& timers = pages_->Timers();
    if (timerBits_->rowCount() != int(timers.TimerBits().size())) {
        timerBits_->Sync();
    }
    ShowLine(lstTimers_, timers.Selected());
    txtSetTime_->setText(ToQString(timers.SetTimeText()));
    txtClearTime_->setText(ToQString(timers.ClearTimeText()));
    if (!txtInterval_->hasFocus()) {
        txtInterval_->setText(ToQString(timers.IntervalText()));
    }
    syncing_ = false;
}

void frmProgram::SizeStatusGrid() {
    // The name column fits the widest name and a margin; a row is one and a half lines.
    const QFontMetrics metrics(grdStatus_->font());
    const int widest = WidestName(metrics, pages_->Status().Rows());
    grdStatus_->setColumnWidth(0, PixelsFromTwips(kFixedColumnTwips));
    grdStatus_->setColumnWidth(1, widest + PixelsFromTwips(100));
    // The grid claims the width its names need, so none is read cut short.
    grdStatus_->setMinimumWidth(PixelsFromTwips(kFixedColumnTwips) + widest + PixelsFromTwips(100) +
                                grdStatus_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                                2 * grdStatus_->frameWidth());
    grdStatus_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdStatus_->verticalHeader()->setDefaultSectionSize(metrics.height() * 3 / 2);
}

// ---------------------------------------------------------------------------------------
// The window's own rules

void frmProgram::closeEvent(QCloseEvent* event) {
    if (engine_->PrgBooleanBits() != nullptr && !engine_->ReleasePending()) {
        // A close by hand is the main window's close sequence; its errors are ignored.
        try {
            services_.closeMainWindow();
        } catch (const std::exception&) {
        }
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
    if (services_.setTopWindows) {
        services_.setTopWindows();
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
    services_.showChild(*new frmNumerics(report));
}

std::optional<std::filesystem::path> frmProgram::SaveLogAs(const std::string& proposedName) {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.filter = kSaveFilter;
    request.proposedName = proposedName;
    return dialogs_.FileName(request);
}

std::string frmProgram::LocationName() {
    return dialogs_.InputBox({kLocationPrompt, kLocationTitle, ""}).value_or(std::string());
}

}  // namespace veldra
