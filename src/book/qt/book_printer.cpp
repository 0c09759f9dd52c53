#include "book/qt/book_printer.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

namespace veldra {
namespace {

constexpr double kTwipsPerPoint = 20;

QString PdfFileName() {
    return QString::fromUtf8(kPdfFilePrinter.data(), qsizetype(kPdfFilePrinter.size()));
}

bool IsPdfFile(const QString& name) {
    return name == PdfFileName();
}

std::unique_ptr<QPrinter> PrinterNamed(const QString& name) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull()) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (IsPdfFile(name)) {
            printer->setOutputFormat(QPrinter::PdfFormat);
        }
        return printer;
    }
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

PrinterChoice OptionsOf(const QPrinter& printer) {
    PrinterChoice options;
    // A printer that writes a file instead of printing is the PDF file's stand-in.
    options.printerName = printer.outputFormat() == QPrinter::NativeFormat
                              ? printer.printerName().toStdString()
                              : std::string(kPdfFilePrinter);
    options[PrinterOption::ColorMode] = std::int16_t(printer.colorMode());
    options[PrinterOption::Copies] = std::int16_t(printer.copyCount());
    options[PrinterOption::Duplex] = std::int16_t(printer.duplex());
    options[PrinterOption::Orientation] = std::int16_t(printer.pageLayout().orientation());
    options[PrinterOption::PaperBin] = std::int16_t(printer.paperSource());
    options[PrinterOption::PaperSize] = std::int16_t(printer.pageLayout().pageSize().id());
    options[PrinterOption::PrintQuality] = std::int16_t(printer.resolution());
    return options;
}

QPageLayout LayoutOf(const PrinterChoice& options) {
    return QPageLayout(QPageSize(QPageSize::PageSizeId(options[PrinterOption::PaperSize])),
                       QPageLayout::Orientation(options[PrinterOption::Orientation]), QMarginsF());
}

// "Print Setup" on Qt's print dialog: the printers installed and, last, the PDF file that
// stands in for one, under its own name, whether or not any printer is installed. The file
// is named when the book is printed, so the dialog's own file field is neither shown nor
// checked, and OK only takes the choice: nothing is printed here.
class PrintSetupDialog final : public QPrintDialog {
public:
    PrintSetupDialog(QPrinter* printer, QWidget* parent) : QPrintDialog(printer, parent) {
        setObjectName("PrinterSetupDialog");
        setWindowTitle("Print Setup");
        setOptions(QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintToFile);
        // Choosing the PDF file turns the file field on again: after Qt has, it goes off.
        if (auto* printers = findChild<QComboBox*>("printers")) {
            connect(printers, &QComboBox::currentIndexChanged, this,
                    [this] { LeaveFileUnasked(); });
        }
    }

    void setVisible(bool visible) override {
        // Qt adds its file printer to the list as the dialog is shown.
        QPrintDialog::setVisible(visible);
        if (!visible) {
            return;
        }
        if (auto* printers = findChild<QComboBox*>("printers"); printers && printers->count() > 0) {
            printers->setItemText(printers->count() - 1, PdfFileName());
        }
        for (const char* name : {"lOutput", "filename", "fileBrowser"}) {
            if (auto* part = findChild<QWidget*>(name)) {
                part->hide();
            }
        }
        LeaveFileUnasked();
        for (auto* buttons : findChildren<QDialogButtonBox*>()) {
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) {
                ok->setText("OK");
            }
        }
    }

private:
    // A disabled file field is one Qt neither opens nor asks about when OK is pressed.
    void LeaveFileUnasked() {
        if (auto* file = findChild<QWidget*>("filename")) {
            file->setEnabled(false);
        }
    }
};

void Apply(QPrinter& printer, const PrinterChoice& options) {
    printer.setColorMode(QPrinter::ColorMode(options[PrinterOption::ColorMode]));
    printer.setCopyCount(options[PrinterOption::Copies]);
    printer.setDuplex(QPrinter::DuplexMode(options[PrinterOption::Duplex]));
    printer.setPageLayout(LayoutOf(options));
    printer.setPaperSource(QPrinter::PaperSource(options[PrinterOption::PaperBin]));
    printer.setResolution(options[PrinterOption::PrintQuality]);
}

}  // namespace

QtBookPrinter::QtBookPrinter() {
    TakeDefaults(QPrinterInfo::defaultPrinterName());
}

QtBookPrinter::~QtBookPrinter() = default;

void QtBookPrinter::TakeDefaults(const QString& name) {
    const std::unique_ptr<QPrinter> printer = PrinterNamed(name);
    options_ = OptionsOf(*printer);
    name_ = QString::fromStdString(options_.printerName);
    if (IsPdfFile(name_)) {
        // The PDF that stands in for a printer takes the book's own paper, whatever the locale.
        options_[PrinterOption::PaperSize] = std::int16_t(QPageSize::A4);
        options_[PrinterOption::Orientation] = std::int16_t(QPageLayout::Portrait);
    }
}

std::vector<std::string> QtBookPrinter::Printers() const {
    std::vector<std::string> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames()) {
        names.push_back(name.toStdString());
    }
    names.emplace_back(kPdfFilePrinter);
    return names;
}

void QtBookPrinter::Select(int index) {
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (index >= 0 && index < names.size()) {
        TakeDefaults(names[index]);
    } else if (index == names.size()) {
        TakeDefaults(PdfFileName());
    }
}

std::string QtBookPrinter::DeviceName() const {
    return name_.toStdString();
}

std::int16_t QtBookPrinter::Option(PrinterOption option) const {
    return options_[option];
}

bool QtBookPrinter::SetOption(PrinterOption option, std::int16_t value) {
    const QPrinterInfo info = QPrinterInfo::printerInfo(name_);
    // What the printer does not list it does not take; a printer that lists nothing of a
    // kind takes any code Qt knows.
    const auto listed = [&](const auto& supported, auto code) {
        return info.isNull() || supported.isEmpty() || supported.contains(code);
    };
    bool taken = false;
    switch (option) {
        case PrinterOption::ColorMode:
            taken = (value == QPrinter::GrayScale || value == QPrinter::Color) &&
                    listed(info.supportedColorModes(), QPrinter::ColorMode(value));
            break;
        case PrinterOption::Copies:
            taken = value >= 1;
            break;
        case PrinterOption::Duplex:
            taken = value >= QPrinter::DuplexNone && value <= QPrinter::DuplexShortSide &&
                    listed(info.supportedDuplexModes(), QPrinter::DuplexMode(value));
            break;
        case PrinterOption::Orientation:
            taken = value == QPageLayout::Portrait || value == QPageLayout::Landscape;
            break;
        case PrinterOption::PaperBin:
            taken = value >= QPrinter::OnlyOne && value <= QPrinter::LastPaperSource;
            break;
        case PrinterOption::PaperSize: {
            // A custom size is more than its code: it cannot be made again from it.
            taken = value >= 0 && value <= QPageSize::LastPageSize && value != QPageSize::Custom;
            if (taken) {
                QList<QPageSize::PageSizeId> ids;
                for (const QPageSize& size : info.supportedPageSizes()) {
                    ids.append(size.id());
                }
                taken = listed(ids, QPageSize::PageSizeId(value));
            }
            break;
        }
        case PrinterOption::PrintQuality:
            taken = value > 0 && listed(info.supportedResolutions(), int(value));
            break;
    }
    if (taken) {
        options_[option] = value;
    }
    return taken;
}

PageCanvas QtBookPrinter::Paper() const {
    const QRectF sheet = LayoutOf(options_).fullRect(QPageLayout::Point);
    return {sheet.width() * kTwipsPerPoint, sheet.height() * kTwipsPerPoint};
}

std::optional<PrinterChoice> QtBookPrinter::ShowSetup(const PrinterChoice& preset) {
    const std::unique_ptr<QPrinter> printer =
        PrinterNamed(QString::fromStdString(preset.printerName));
    Apply(*printer, preset);
    PrintSetupDialog dialog(printer.get(), QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return OptionsOf(*printer);
}

bool QtBookPrinter::Installed() const {
    return !IsPdfFile(name_) && !QPrinterInfo::printerInfo(name_).isNull();
}

std::unique_ptr<QPrinter> QtBookPrinter::MakePrinter() const {
    std::unique_ptr<QPrinter> printer = PrinterNamed(name_);
    Apply(*printer, options_);
    return printer;
}

BookPrinter& ApplicationPrinter() {
    if (BookPrinter* installed = BookPrinterScope::Current()) {
        return *installed;
    }
    return DesktopPrinter();
}

QtBookPrinter& DesktopPrinter() {
    static QtBookPrinter printer;
    return printer;
}

QPageLayout PaperLayout(PageCanvas paper) {
    const bool landscape = paper.width > paper.height;
    const QSizeF upright =
        landscape ? QSizeF(paper.height, paper.width) : QSizeF(paper.width, paper.height);
    return QPageLayout(QPageSize(upright / kTwipsPerPoint, QPageSize::Point),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

}  // namespace veldra
