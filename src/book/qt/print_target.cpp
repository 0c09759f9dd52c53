#include "book/qt/print_target.h"

#include <QPageLayout>
#include <QPdfWriter>

#include "book/qt/book_printer.h"
#include "platform/qt/replacing_file.h"
#include "platform/runtime_error.h"

namespace veldra {
namespace {

constexpr double kTwipsPerPoint = 20;
constexpr int kTwipsPerInch = 1440;

}  // namespace

bool PrintTarget::HasPrinter() {
    return DesktopPrinter().Installed();
}

PageCanvas PrintTarget::PaperSize() {
    return ApplicationPrinter().Paper();
}

PrintTarget::PrintTarget() : printer_(DesktopPrinter().MakePrinter()) {
    printer_->setFullPage(true);
    printer_->setDocName("Program Book");
}

PrintTarget::PrintTarget(const std::filesystem::path& file)
    : file_(std::make_unique<ReplacingFile>(file)) {
    if (!file_->open(QIODevice::WriteOnly)) {
        throw RuntimeError("The file " + file.string() +
                           " cannot be written: " + file_->errorString().toStdString());
    }
    pdf_ = std::make_unique<QPdfWriter>(file_.get());
    // The sheet the book was laid out for, as the printer would have had it.
    pdf_->setPageLayout(PaperLayout(ApplicationPrinter().Paper()));
    // One device unit a twip: the book's own unit.
    pdf_->setResolution(kTwipsPerInch);
    pdf_->setTitle("Program Book");
}

PrintTarget::~PrintTarget() {
    pdf_.reset();  // before its file, which goes uncommitted unless finished
}

QPagedPaintDevice& PrintTarget::Device() {
    if (pdf_) {
        return *pdf_;
    }
    return *printer_;
}

double PrintTarget::Scale() const {
    return double(pdf_ ? pdf_->resolution() : printer_->resolution()) / kTwipsPerInch;
}

double PrintTarget::PageHeightTwips() const {
    const QPageLayout layout = pdf_ ? pdf_->pageLayout() : printer_->pageLayout();
    return layout.fullRect(QPageLayout::Point).height() * kTwipsPerPoint;
}

void PrintTarget::Finish() {
    if (printer_) {
        if (printer_->printerState() == QPrinter::Error) {
            throw RuntimeError("The printer reported a fault.");
        }
        return;
    }
    pdf_.reset();  // writes the end of the document into the file
    if (!file_->Commit()) {
        throw RuntimeError("The file " + file_->fileName().toStdString() +
                           " cannot be written: " + file_->errorString().toStdString());
    }
}

}  // namespace veldra
