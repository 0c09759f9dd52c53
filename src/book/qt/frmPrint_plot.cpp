// The book window's plot commands: the book laid out for the plot's sheet, and its pages
// sent as relay circuits to our own drawing, written out as one PDF.
#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <memory>

#include "book/memory_drawing.h"
#include "book/qt/frmPrint.h"
#include "book/qt/frmPrintPgs.h"
#include "book/qt/plot_pdf.h"
#include "book/visio_plot.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/document_viewer.h"
#include "platform/qt/frmStatus.h"
#include "platform/qt/keep_running.h"
#include "platform/qt/twips.h"
#include "platform/settings.h"

namespace veldra {
namespace {

bool IsTrue(const std::string& value) {
    return value == "True" || value == "true" || value == "1" || value == "-1";
}

// The plot on the desktop: its questions in the window's dialogs, its progress in the
// progress window, and the drawing our own, written to the PDF the user named.
class DesktopPlot final : public PlotHost {
public:
    DesktopPlot(WindowRegistry& windows, Dialogs& dialogs, std::filesystem::path file,
                double lineHeight, std::function<std::vector<IndexEntry>()> index)
        : windows_(windows),
          dialogs_(dialogs),
          file_(std::move(file)),
          lineHeight_(lineHeight),
          index_(std::move(index)) {}

    visio::Application& CreateObject(std::string_view) override {
        application_ = std::make_unique<visio::MemoryApplication>();
        return *application_;
    }
    std::optional<std::string> InputBox(const InputBoxRequest& request) override {
        return dialogs_.InputBox(request);
    }
    MsgAnswer MessageBox(const MsgBoxRequest& request) override {
        return dialogs_.MessageBox(request);
    }
    void ShowProgress(int value, int maximum) override {
        status_ = std::make_unique<frmStatus>(windows_);
        maximum_ = maximum;
        status_->SetProgress(value, maximum);
        status_->show();
    }
    void SetProgress(std::string_view label, int value) override {
        if (status_) {
            status_->SetStatus(std::string(label));
            status_->SetProgress(value, maximum_);
        }
    }
    void UnloadProgress() override { status_.reset(); }
    void DoEvents() override { QCoreApplication::processEvents(); }
    // Our drawing is made out of sight: a watcher sees the progress and, at the end, the PDF.
    bool ShowsDrawing() const override { return false; }
    std::vector<IndexEntry> GetIndex() override { return index_(); }
    double IndexLineHeight() override { return lineHeight_; }
    void WriteDocument() override {
        const visio::MemoryDocument* document = application_ ? application_->Active() : nullptr;
        if (document == nullptr) {
            throw RuntimeError("There is no drawing to write.");
        }
        WritePlotPdf(*document, file_);
    }

private:
    WindowRegistry& windows_;
    Dialogs& dialogs_;
    std::filesystem::path file_;
    double lineHeight_;
    std::function<std::vector<IndexEntry>()> index_;
    std::unique_ptr<visio::MemoryApplication> application_;
    std::unique_ptr<frmStatus> status_;
    int maximum_ = 1;
};

}  // namespace

bool frmPrint::VisioLayout() const {
    const auto* setVisio = findChild<QAction*>("mnuSetVisio");
    return setVisio != nullptr && setVisio->isChecked();
}

void frmPrint::VisioMenus() {
    auto* setVisio = findChild<QAction*>("mnuSetVisio");
    if (!VisioAvailable) {
        findChild<QMenu*>("mnuVisio")->menuAction()->setEnabled(false);
        setVisio->setChecked(false);
        return;
    }
    const bool on = IsTrue(settings_.GetSetting("View", "Visio", "False"));
    setVisio->setChecked(on);
    // Printing belongs to the paper's layout, plotting to the sheet's.
    findChild<QMenu*>("mnuPrintSep")->menuAction()->setVisible(!on);
    for (const char* name : {"mnuFileLn1", "mnuFileLn2", "mnuPrintSetup"}) {
        findChild<QAction*>(name)->setVisible(!on);
    }
    findChild<QAction*>("mnuPlot")->setEnabled(on);
    if (on) {
        // The book laid out for the sheet always shows its names wrapped.
        chkWrap_->setChecked(true);
        chkWrap_->setEnabled(false);
    }
}

void frmPrint::mnuSetVisio_Click() {
    const bool on = VisioLayout();
    settings_.SaveSetting("View", "Visio", on ? "True" : "False");
    RebuildBook();
}

void frmPrint::mnuPlot_Click() {
    frmPrintPgs range(this);
    range.StartPage = 1;
    range.EndPage = ladders_->Pages();
    range.CurrentPage = shownPage_;
    range.SetCaptions("Plot Pages?", "Plot All", "Plot Current Page", "Plot From - To");
    range.exec();
    if (range.Cancel) {
        return;
    }
    const std::optional<std::filesystem::path> file =
        AskPdfFile(dialogs_, PdfName("plot"), "Plot to File");
    if (!file) {
        return;
    }

    KeepRunning keep;
    const int remembered = shownPage_;
    hide();
    plotting_ = true;
    PlotBook book;
    book.pages = pages_;
    book.pageCount = ladders_->Pages();
    book.ProgramName = programName_;
    book.listing = listing_;
    book.programFolder = QCoreApplication::applicationDirPath().toStdString();
    book.elementSize = elementSize_;
    book.ladderFontSize = settings_.GetSetting("LADDER_FONT", "SIZE", "8");
    book.bits = bits_ ? bits_() : nullptr;
    const double lineHeight = QFontMetricsF(ladder_->font(), &picture_).height() * kTwipsPerPixel;
    DesktopPlot host(windows_, dialogs_, *file, lineHeight, [this] { return GetIndex(); });
    VisioPlot plot(std::move(book), host);
    const bool written = plot.Plot(range.StartPage, range.EndPage);

    plotting_ = false;
    shownPage_ = remembered + 1;
    cmdUp_Click();
    show();
    // The drawing is shown once it is ready, watched or not: here that is the PDF written.
    if (written && !TheDocumentViewer().Open(*file)) {
        dialogs_.MessageBox(
            {"The plot was written to " + file->string() + ", but no program could open it.",
             MsgButtons::Ok, MsgIcon::Information, "Plot Complete"});
    }
}

}  // namespace veldra
