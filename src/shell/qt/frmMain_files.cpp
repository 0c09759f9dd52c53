// The main window's file commands: state files, view files and the statement export.
#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <algorithm>
#include <new>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "logic/text_helpers.h"
#include "platform/file_replacement.h"
#include "platform/load_under_way.h"
#include "platform/qt/busy_cursor.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/twips.h"
#include "platform/qt/window_frame.h"
#include "platform/runtime_error.h"
#include "platform/window_errors.h"
#include "shell/qt/frmMain.h"
#include "shell/state_file.h"
#include "shell/state_load.h"
#include "shell/statement_export.h"
#include "shell/view_file.h"

namespace veldra {
namespace {

constexpr const char* kViewFilter = "Simulator Views (*.svw)|*.svw";
constexpr const char* kStateSaveFilter = "Simulator State Files (*.sst)|*.sst";
constexpr const char* kStateLoadFilter = "Simulator State File (*.sst)|*.sst";
constexpr const char* kTextFilter = "Text Documents (*.txt)|*.txt";
// Far more than the arrangement of any set of windows takes (a record is under 100 bytes).
constexpr std::uint64_t kViewFileLimit = 1u << 20;

// The main window disabled under the hourglass while a command works on files or many
// windows; both come back however the command ends.
class Working {
public:
    explicit Working(QWidget& window) : window_(&window) { window_->setEnabled(false); }
    ~Working() {
        if (window_) {
            window_->setEnabled(true);
        }
    }
    Working(const Working&) = delete;
    Working& operator=(const Working&) = delete;

private:
    BusyCursor busy_;
    QPointer<QWidget> window_;
};

// The desktop as a state load reaches it: the registry's windows and the program window's
// system-bit menus.
class RestoringState final : public StateLoadHost {
public:
    RestoringState(const WindowRegistry& windows, frmProgram& program)
        : windows_(windows), program_(&program) {}

    void DoEvents() override { QCoreApplication::processEvents(); }
    void UpdateAllIndicators() override {
        windows_.ForEach([](BoardPanel& window) {
            const std::string name = window.Name();
            if (name != "frmMain" && name != "frmStatus") {
                window.UpdateIndicators();
            }
        });
    }
    void ShowSystemBits(std::optional<bool> cps, std::optional<bool> configureError) override {
        if (program_) {
            program_->ShowSystemBits(cps, configureError);
        }
    }

private:
    const WindowRegistry& windows_;
    QPointer<frmProgram> program_;
};

int StateOf(const QWidget& window) {
    if (window.isMinimized()) {
        return 1;
    }
    return window.isMaximized() ? 2 : 0;
}

// The windows open now, found again by caption.
class OpenWindows final : public ViewTarget {
public:
    OpenWindows(std::vector<QWidget*> windows, QWidget& main, frmProgram* program)
        : main_(&main), program_(program) {
        for (QWidget* window : windows) {
            windows_.emplace_back(window);
        }
    }

    int FindWindow(std::string_view caption) override {
        for (std::size_t i = 0; i < windows_.size(); ++i) {
            if (windows_[i] && ToStdString(windows_[i]->windowTitle()) == caption) {
                return int(i);
            }
        }
        return -1;
    }
    int SetState(int index, int state) override {
        QWidget* window = windows_[std::size_t(index)];
        if (window == nullptr) {
            return -1;
        }
        if (state == 1) {
            window->showMinimized();
        } else if (state == 2) {
            window->showMaximized();
        } else {
            window->showNormal();
        }
        return StateOf(*window);
    }
    void Place(int index, int left, int top, int height, int width) override {
        QWidget* window = windows_[std::size_t(index)];
        if (window == nullptr) {
            return;
        }
        // A file's numbers are held to what a screen can show: a window of millions of
        // pixels would exhaust memory before it was drawn.
        const QRect screen = QGuiApplication::primaryScreen() != nullptr
                                 ? QGuiApplication::primaryScreen()->virtualGeometry()
                                 : QRect(0, 0, 4096, 4096);
        const int reach = 4 * std::max(screen.width(), screen.height());
        const auto held = [reach](int pixels) { return std::clamp(pixels, -reach, reach); };
        window->move(held(PixelsFromTwips(left)), held(PixelsFromTwips(top)));
        window->resize(width > 0 ? held(PixelsFromTwips(width)) : window->width(),
                       height > 0 ? held(PixelsFromTwips(height)) : window->height());
    }
    void SetMainCaption(const std::string& caption, bool withProgram) override {
        if (main_) {
            main_->setWindowTitle(ToQString(caption));
        }
        if (withProgram && program_) {
            program_->SetCaption("Program Window: " + caption);
        }
    }

private:
    std::vector<QPointer<QWidget>> windows_;
    QPointer<QWidget> main_;
    QPointer<frmProgram> program_;
};

// A save is written whole beside the old file before it takes its place, so one that runs
// out of memory leaves the old file as it was.
std::string NoMemoryToSave(const std::filesystem::path& path, bool replacing) {
    return "Not enough memory to save " + path.string() +
           (replacing ? "; the old file is unchanged" : "; nothing was written");
}

}  // namespace

void frmMain::EnableFileCommands(bool on) {
    for (const char* name : {"mnuSaveState", "mnuLoadState", "mnuSAll", "mnuSEOnly"}) {
        menuItems_[name]->setEnabled(on);
    }
}

std::optional<std::filesystem::path> frmMain::DroppedOrChosen(const FileDialogRequest& request) {
    if (FileGiven) {
        FileGiven = false;
        return DroppedFile;
    }
    return dialogs_.FileName(request);
}

void frmMain::SaveFile(const FileDialogRequest& request, const char* replaceQuestion,
                       bool ofProgram, const std::function<void(BesideFile&)>& write) {
    const std::optional<std::filesystem::path> path = dialogs_.FileName(request);
    if (!path) {
        return;
    }
    std::error_code error;
    const bool replacing = std::filesystem::exists(*path, error);
    if (replacing && MsgBox(replaceQuestion, MsgButtons::YesNo, MsgIcon::None, "File Exists") !=
                         MsgAnswer::Yes) {
        return;
    }
    if (ofProgram && !program_) {
        return;
    }
    const Working working(*this);
    ReportWindowErrors([&] {
        try {
            BesideFile file(*path);
            write(file);
            file.Commit();
        } catch (const std::bad_alloc&) {
            // What was written has gone by now, and with it the memory the box needs.
            throw NotEnoughMemory(NoMemoryToSave(*path, replacing));
        }
    });
}

std::vector<QWidget*> frmMain::WindowsInLoadOrder() const {
    std::vector<QWidget*> windows{const_cast<frmMain*>(this)};
    for (QMdiSubWindow* window : area_->subWindowList(QMdiArea::CreationOrder)) {
        windows.push_back(window);
    }
    return windows;
}

std::vector<ViewWindow> frmMain::CurrentView() const {
    std::vector<ViewWindow> view;
    for (QWidget* window : WindowsInLoadOrder()) {
        const auto* child = qobject_cast<QMdiSubWindow*>(window);
        if (child != nullptr && qobject_cast<frmProgram*>(child->widget()) != nullptr) {
            continue;  // the program window places itself
        }
        ViewWindow record;
        record.caption = ToStdString(window->windowTitle());
        record.state = StateOf(*window);
        record.left = TwipsFromPixels(window->x());
        record.top = TwipsFromPixels(window->y());
        record.height = TwipsFromPixels(window->height());
        record.width = TwipsFromPixels(window->width());
        view.push_back(std::move(record));
    }
    return view;
}

// ---------------------------------------------------------------------------------------
// View files

void frmMain::mnuSaveView_Click() {
    SaveFile({FileDialogRequest::Mode::Save, "Save View", kViewFilter, TrimUpper(programName_),
              FileKind::View},
             "Replace File?", false, [this](BesideFile& file) {
                 file.Write(ViewFileText(CurrentView(), ToStdString(windowTitle())));
             });
}

void frmMain::mnuLoadView_Click() {
    const std::optional<std::filesystem::path> path = DroppedOrChosen(
        {FileDialogRequest::Mode::Open, "Load View", kViewFilter, programName_, FileKind::View});
    if (!path) {
        return;
    }
    const Working working(*this);
    ReportWindowErrors([&] {
        std::string text;
        try {
            text = ReadWholeFile(*path, kViewFileLimit);
        } catch (const FileAccessDenied&) {
            throw;  // chosen, so the user expects it applied: say why it cannot be
        } catch (const std::exception& error) {
            if (EndsTheLoad(error)) {
                throw;
            }
            return;  // a view that cannot be read leaves the windows where they are
        }
        OpenWindows windows(WindowsInLoadOrder(), *this, program_);
        ApplyViewFile(text, windows);
    });
}

// ---------------------------------------------------------------------------------------
// State files

void frmMain::mnuSaveState_Click() {
    if (!program_ || !program_->Engine().ProgramLoaded()) {
        return;
    }
    QWidget& programFrame = WindowFrame(*program_);
    if (!programFrame.isMinimized()) {
        programFrame.showMinimized();
    }
    if (program_->Engine().Running()) {
        MsgBox("State Can Not Be Saved While Program Is Running", MsgButtons::Ok, MsgIcon::Critical,
               "Save Failed");
        return;
    }
    SaveFile({FileDialogRequest::Mode::Save, "Save State", kStateSaveFilter, programName_,
              FileKind::State},
             "Replace Existing File", true, [this](BesideFile& file) {
                 WriteStateFile(*program_->Engine().PrgBooleanBits(),
                                [&file](std::string_view piece) { file.Write(piece); });
             });
}

void frmMain::mnuLoadState_Click() {
    if (!program_ || !program_->Engine().ProgramLoaded()) {
        return;
    }
    ProgramEngine& engine = program_->Engine();
    if (engine.Running()) {
        MsgBox("Can Not Change Bits While Program Is Running.", MsgButtons::Ok,
               MsgIcon::Information, "Load Failed");
        return;
    }
    WindowFrame(*program_).showMinimized();
    const std::optional<std::filesystem::path> path =
        DroppedOrChosen({FileDialogRequest::Mode::Open, "Load State", kStateLoadFilter,
                         programName_, FileKind::State});
    if (!path || !program_ || !engine.ProgramLoaded()) {
        return;
    }
    const Working working(*this);
    // A box shown while the file is read lets the desktop run: the program stays until
    // the load is over.
    const ProgramEngine::Hold hold(engine);
    RestoringState host(windows_, *program_);
    ReportWindowErrors([&] { LoadStateFile(engine, *path, host); }, "Error Loading File");
}

// ---------------------------------------------------------------------------------------
// The statement export

void frmMain::mnuSAll_Click() {
    SaveStatements(false);
}

void frmMain::mnuSEOnly_Click() {
    SaveStatements(true);
}

void frmMain::SaveStatements(bool editedOnly) {
    if (!program_) {
        return;
    }
    SaveFile({FileDialogRequest::Mode::Save, "Save Statements", kTextFilter, programName_,
              FileKind::Statements},
             "Replace File?", true, [this, editedOnly](BesideFile& file) {
                 file.Write(StatementExportText(program_->Engine().prgAssigns.get(), editedOnly));
             });
}

}  // namespace veldra
