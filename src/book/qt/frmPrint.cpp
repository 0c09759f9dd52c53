#include "book/qt/frmPrint.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <cmath>

#include "book/book_texts.h"
#include "book/qt/book_printer.h"
#include "book/qt/frmPrintPgs.h"
#include "book/qt/page_drawing.h"
#include "book/qt/print_target.h"
#include "book/visio_plot.h"
#include "platform/platform.h"
#include "platform/qt/dialogs.h"
#include "platform/qt/frmStatus.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/twips.h"
#include "platform/settings.h"
#include "platform/window_errors.h"

namespace veldra {
namespace {

constexpr double kPixelsPerTwip = 1.0 / kTwipsPerPixel;
// The screen's dots per metre at 15 twips a pixel, so that a font's points measure the
// same on the preview as on paper.
constexpr int kDotsPerMetre = 3780;

bool SettingIsTrue(const std::string& value) {
    return value == "1" || value == "-1" || value == "True" || value == "true";
}

// The layout's progress in the loading-progress window, repainted as it moves.
class StatusProgress final : public LayoutProgress {
public:
    explicit StatusProgress(WindowRegistry& windows) : window_(windows) {}
    void Begin(std::string_view status, int maximum) override {
        window_.SetStatus(std::string(status));
        maximum_ = std::max(maximum, 1);
        value_ = 0;
        window_.SetProgress(0, maximum_);
        window_.show();
        window_.repaint();
    }
    void Step() override {
        ++value_;
        if (value_ % std::max(maximum_ / 50, 1) == 0) {
            window_.SetProgress(value_, maximum_);
            window_.repaint();
        }
    }
    void End() override { window_.hide(); }

private:
    frmStatus window_;
    int maximum_ = 1;
    int value_ = 0;
};

// The ladder font's measures on the preview's picture, in twips.
class PictureMetrics final : public TextMetrics {
public:
    PictureMetrics(const QFont& font, QPaintDevice& device) : metrics_(font, &device) {}
    double TextWidth(std::string_view text) const override {
        return metrics_.horizontalAdvance(ToQString(text)) * kTwipsPerPixel;
    }
    double TextHeight(std::string_view) const override {
        return metrics_.height() * kTwipsPerPixel;
    }

private:
    QFontMetricsF metrics_;
};

QImage BlankPage(PageCanvas canvas) {
    QImage page(SizeFromTwips(int(canvas.width), int(canvas.height)).expandedTo(QSize(1, 1)),
                QImage::Format_RGB32);
    page.setDotsPerMeterX(kDotsPerMetre);
    page.setDotsPerMeterY(kDotsPerMetre);
    page.fill(Qt::white);
    return page;
}

}  // namespace

frmPrint::frmPrint(WindowRegistry& windows, Dialogs& dialogs, Settings& settings,
                   std::string programName, ListingTexts listing,
                   std::function<const BooleanBits*()> bits, std::shared_ptr<LadderExtent> extent,
                   std::int16_t elementSize)
    : windows_(windows),
      dialogs_(dialogs),
      settings_(settings),
      programName_(std::move(programName)),
      listing_(std::move(listing)),
      bits_(std::move(bits)),
      elementSize_(elementSize),
      ladders_(std::make_unique<Ladders>(elementSize_)),
      extent_(std::move(extent)) {
    setObjectName("frmPrint");
    setAttribute(Qt::WA_DeleteOnClose);
    registration_ = new RegisteredChild(windows_, *this, "frmPrint");
    LoadPrinterSettings();
    canvas_ = PrintTarget::PaperSize();
    picture_ = BlankPage(canvas_);

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    auto* commands = new QHBoxLayout;
    auto* up = new QPushButton("Previous Page", body);
    up->setObjectName("cmdUp");
    auto* down = new QPushButton("Next Page", body);
    down->setObjectName("cmdPgDown");
    chkLadder_ = new QCheckBox("Show as Ladder", body);
    chkLadder_->setObjectName("chkLadder");
    chkWrap_ = new QCheckBox("Word Wrap", body);
    chkWrap_->setObjectName("chkWrap");
    for (QWidget* command : {static_cast<QWidget*>(up), static_cast<QWidget*>(down),
                             static_cast<QWidget*>(chkLadder_), static_cast<QWidget*>(chkWrap_)}) {
        command->setFocusPolicy(Qt::NoFocus);  // the page keys belong to the window
        commands->addWidget(command);
    }
    commands->addStretch();
    connect(up, &QPushButton::clicked, this, [this] { cmdUp_Click(); });
    connect(down, &QPushButton::clicked, this, [this] { cmdPgDown_Click(); });
    layout->addLayout(commands);
    ladder_ = new QLabel;
    ladder_->setObjectName("Ladder");
    ladder_->setFont(LadderFont(settings_));
    fraLadder_ = new QScrollArea(body);
    fraLadder_->setObjectName("fraLadder");
    fraLadder_->setWidget(ladder_);
    fraLadder_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(fraLadder_);
    setCentralWidget(body);
    BuildMenus();

    setWindowTitle("Print Preview: Page 1");
    LoadDisplayOptions(SettingIsTrue(settings_.GetSetting("VIEW", "LADDER", "1")),
                       SettingIsTrue(settings_.GetSetting("VIEW", "WordWrap", "1")));
    VisioMenus();
    resize(900, 700);
}

frmPrint::~frmPrint() = default;

void frmPrint::BuildMenus() {
    const auto item = [this](QMenu* menu, const char* name, const char* caption,
                             void (frmPrint::*command)() = nullptr) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        if (command != nullptr) {
            connect(action, &QAction::triggered, this, [this, command] { (this->*command)(); });
        } else {
            action->setEnabled(false);  // the book's settings, index and plot come later
        }
        return action;
    };
    const auto separator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(name);
    };
    QMenu* file = menuBar()->addMenu("File");
    file->setObjectName("mnuFile");
    QMenu* print = file->addMenu("Print");
    print->setObjectName("mnuPrintSep");
    item(print, "mnuPrint", "Print Ladders", &frmPrint::mnuPrint_Click);
    item(print, "mnuPrintListing", "Print Listing Info", &frmPrint::mnuPrintListing_Click);
    item(print, "mnuPrintIndex", "Print Bit Index", &frmPrint::mnuPrintIndex_Click);
    separator(file, "mnuFileLn1");
    QMenu* visio = file->addMenu("Viso");
    visio->setObjectName("mnuVisio");
    item(visio, "mnuSetVisio", "Configure for Plot to Visio", &frmPrint::mnuSetVisio_Click)
        ->setCheckable(true);
    item(visio, "mnuPlot", "Send Relay Equivalence to Visio Drawing", &frmPrint::mnuPlot_Click);
    separator(file, "mnuFileLn4");
    item(file, "mnuSaveIndex", "Save Bit Index To File", &frmPrint::mnuSaveIndex_Click);
    separator(file, "mnuFileLn2");
    item(file, "mnuPrintSetup", "Print Setup", &frmPrint::mnuPrintSetup_Click);
    separator(file, "mnuFileLn3");
    item(file, "mnuClose", "Close", &frmPrint::CloseWindow);

    QMenu* edit = menuBar()->addMenu("Edit");
    edit->setObjectName("mnuEdit");
    item(edit, "mnuFont", "Change Font", &frmPrint::mnuFont_Click);
    item(edit, "mnuRes", "Change Resolution", &frmPrint::mnuRes_Click);
    separator(edit, "mnuEdLn");
    item(edit, "mnuLadder", "Show As Ladder", &frmPrint::mnuLadder_Click)->setCheckable(true);
    item(edit, "mnuWordWrap", "Word Wrap", &frmPrint::mnuWordWrap_Click)->setCheckable(true);
    item(edit, "mnuAutoSize", "Auto Size", &frmPrint::mnuAutoSize_Click);
}

void frmPrint::Add(std::string_view statement, bool isNumeric) {
    // A ladder that cannot be made has been reported by the list, which leaves it out.
    ladders_->Add(isNumeric, statement);
}

void frmPrint::CreateDocument() {
    if (VisioLayout()) {
        canvas_ = kPlotCanvas;
    }
    StatusProgress progress(windows_);
    LayoutOptions options;
    options.relay = settings_.GetSetting("VIEW", "LADDER", "1") == "0";
    options.wordWrap = chkWrap_->isChecked();
    const PictureMetrics metrics(ladder_->font(), picture_);
    totalPages_ = veldra::CreateDocument(*ladders_, canvas_, options, bits_ ? bits_() : nullptr,
                                         progress, &metrics);
    pages_ = LaddersByPage(*ladders_, totalPages_);
}

void frmPrint::Ladder_Paint() {
    if (printing_ || plotting_) {
        return;
    }
    picture_ = BlankPage(canvas_);
    {
        QPainter painter(&picture_);
        painter.setRenderHint(QPainter::TextAntialiasing);
        PageDrawing drawing(painter, kPixelsPerTwip);
        drawing.SetFont(ladder_->font());
        if (shownPage_ >= 1 && shownPage_ <= int(pages_.size())) {
            const BooleanBits* bits = bits_ ? bits_() : nullptr;
            for (const CreateLadder* ladder : pages_[std::size_t(shownPage_ - 1)]) {
                drawing.DrawLadder(*ladder, bits, true);
            }
        }
        DrawHeaderAndFooter(drawing, 2000, canvas_.height - 1000, shownPage_);
    }
    ladder_->setPixmap(QPixmap::fromImage(picture_));
    ladder_->resize(picture_.size());
}

// The header and footer in size 10 bold, whatever the ladder font, which is restored.
void frmPrint::DrawHeaderAndFooter(PageDrawing& drawing, double footerX, double footerY, int page) {
    const QFont ladderFont = drawing.Font();
    QFont frame = ladderFont;
    frame.setPointSize(10);
    frame.setBold(true);
    drawing.SetFont(frame);
    drawing.PrintText(footerX, footerY, PageFooterText(page, totalPages_, listing_));
    drawing.PrintText(2000, 500, PageHeaderText(programName_));
    drawing.SetFont(ladderFont);
}

void frmPrint::ShowPage(int page) {
    shownPage_ = page;
    setWindowTitle(QString("Print Preview: Page %1 Of %2").arg(shownPage_).arg(totalPages_));
    Ladder_Paint();
}

void frmPrint::cmdPgDown_Click() {
    ShowPage(shownPage_ < totalPages_ ? shownPage_ + 1 : shownPage_);
}

void frmPrint::cmdUp_Click() {
    ShowPage(shownPage_ > 1 ? shownPage_ - 1 : shownPage_);
}

void frmPrint::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_PageUp && shownPage_ >= 2) {
        --shownPage_;
    } else if (event->key() == Qt::Key_PageDown && shownPage_ < totalPages_) {
        ++shownPage_;
    }
    ShowPage(shownPage_);
}

void frmPrint::CloseWindow() {
    close();
}

void frmPrint::RebuildBook() {
    reload_ = true;
    const int answer = NumPlot;
    close();  // the book goes once the desktop next gets its turn
    Q_EMIT rebuildAsked(answer, elementSize_);
}

void frmPrint::closeEvent(QCloseEvent* event) {
    if (printing_ || plotting_) {
        event->ignore();  // the pages being printed or plotted are drawn from this book
        return;
    }
    if (!reload_) {
        Q_EMIT closedForGood();
    }
    QMainWindow::closeEvent(event);
}

// ---------------------------------------------------------------------------------------
// Printing

template <class Body>
void frmPrint::Printing(Body body) {
    ReportWindowErrors(body, "VELDRA", "The book could not be printed. ");
}

void frmPrint::mnuPrint_Click() {
    frmPrintPgs range(this);
    range.StartPage = 1;
    range.EndPage = ladders_->Pages();
    range.CurrentPage = shownPage_;
    range.exec();
    if (range.Cancel) {
        return;
    }
    PrintPages(range.StartPage, range.EndPage);
}

std::string frmPrint::PdfName(std::string_view part) const {
    return programName_ + (part.empty() ? "" : " " + std::string(part)) + ".pdf";
}

std::optional<std::filesystem::path> AskPdfFile(Dialogs& dialogs, const std::string& proposedName,
                                                const std::string& title) {
    FileDialogRequest request;
    request.mode = FileDialogRequest::Mode::Save;
    request.title = title;
    request.filter = "PDF Files (*.pdf)|*.pdf";
    request.proposedName = proposedName;
    request.kind = FileKind::Pdf;
    std::optional<std::filesystem::path> file = dialogs.FileName(request);
    if (!file) {
        return std::nullopt;
    }
    if (file->extension().empty()) {
        file->replace_extension(".pdf");
    }
    std::error_code error;
    if (std::filesystem::exists(*file, error) &&
        dialogs.MessageBox({"Replace Existing File", MsgButtons::YesNo, MsgIcon::Question,
                            "File Exists"}) != MsgAnswer::Yes) {
        return std::nullopt;
    }
    return file;
}

// Opens the printer, or asks for the PDF file on a desktop without one; nothing when the
// user cancels.
std::unique_ptr<PrintTarget> OpenTarget(Dialogs& dialogs, const std::string& pdfName) {
    if (PrintTarget::HasPrinter()) {
        return std::make_unique<PrintTarget>();
    }
    const std::optional<std::filesystem::path> file = AskPdfFile(dialogs, pdfName, "Print to File");
    return file ? std::make_unique<PrintTarget>(*file) : nullptr;
}

void frmPrint::PrintPages(int first, int last) {
    const int remembered = shownPage_;
    Printing([&] {
        std::unique_ptr<PrintTarget> target = OpenTarget(dialogs_, PdfName());
        if (!target) {
            return;
        }
        printing_ = true;
        // The desktop runs between pages: nothing may page, print again or rebuild meanwhile.
        setEnabled(false);
        struct Restore {
            frmPrint& book;
            int page;
            ~Restore() {
                book.setEnabled(true);
                book.printing_ = false;
                book.shownPage_ = page + 1;
                book.cmdUp_Click();
            }
        } restore{*this, remembered};
        frmStatus status(windows_);
        status.SetProgress(1, last + 1);
        status.show();
        {
            QPainter painter;
            if (!painter.begin(&target->Device())) {
                throw RuntimeError("The printer could not be started.");
            }
            const double pageHeight = target->PageHeightTwips();
            PageDrawing drawing(painter, target->Scale());
            // The names were placed as the ladder font measures them: any other would run
            // them over their neighbours and the lines.
            const QFont ladderFont = ladder_->font();
            const BooleanBits* bits = bits_ ? bits_() : nullptr;
            for (int page = first; page <= last; ++page) {
                // Each sheet but the first starts with a page break: none trails the last.
                if (page > first && !target->Device().newPage()) {
                    throw RuntimeError("The printer could not start page " + std::to_string(page) +
                                       ".");
                }
                drawing.SetFont(ladderFont);
                shownPage_ = page;
                DrawHeaderAndFooter(drawing, 1500, pageHeight - kFooterRoom, page);
                status.SetProgress(page - first + 2, last - first + 2);
                status.SetStatus("Printing Page " + std::to_string(page));
                QCoreApplication::processEvents();
                if (page >= 1 && page <= int(pages_.size())) {
                    for (const CreateLadder* ladder : pages_[std::size_t(page - 1)]) {
                        drawing.DrawLadder(*ladder, bits, false);
                    }
                }
            }
            painter.end();
        }
        target->Finish();
    });
}

void frmPrint::mnuPrintListing_Click() {
    Printing([&] { PrintListingInfo(); });
    printing_ = false;
    Ladder_Paint();
}
void frmPrint::PrintListingInfo() {
    PrintSmallText(PdfName("listing"),
                   [this](PrintTarget& target, PageDrawing& drawing, double lineHeight) {
                       double y = 1560;
                       for (const std::string& line : ListingLines(listing_.Jumpers)) {
                           drawing.PrintText(2000, y, line);
                           y += lineHeight;
                       }
                       drawing.PrintText(2000, target.PageHeightTwips() - 1000,
                                         ListingFooterText(programName_, listing_));
                   });
}

void frmPrint::PrintSmallText(const std::string& pdfName,
                              const std::function<void(PrintTarget&, PageDrawing&, double)>& body) {
    std::unique_ptr<PrintTarget> target = OpenTarget(dialogs_, pdfName);
    if (!target) {
        return;
    }
    {
        QPainter painter;
        if (!painter.begin(&target->Device())) {
            throw RuntimeError("The printer could not be started.");
        }
        PageDrawing drawing(painter, target->Scale());
        QFont font = ladder_->font();
        font.setPointSize(8);
        drawing.SetFont(font);
        body(*target, drawing, QFontMetricsF(font, &target->Device()).height() / target->Scale());
        painter.end();
    }
    target->Finish();
}

}  // namespace veldra
