#pragma once

#include <QPageLayout>
#include <QString>
#include <memory>
#include <string_view>

#include "book/printer_settings.h"

class QPrinter;

namespace veldra {

// The name of the printer that stands for a PDF file, listed after the installed ones. No
// installed printer's name has a blank in it.
inline constexpr std::string_view kPdfFilePrinter = "PDF File";

// The application's printer on this desktop: one of the printers Qt knows, or the PDF file
// that stands in for one, the default where none is installed. Either way its paper and
// options are chosen in Print Setup. Its options are held as Qt's own codes and given to a
// fresh QPrinter for every print job.
class QtBookPrinter final : public BookPrinter {
public:
    // The default printer with its own defaults.
    QtBookPrinter();
    ~QtBookPrinter() override;

    std::vector<std::string> Printers() const override;
    void Select(int index) override;
    std::string DeviceName() const override;
    std::int16_t Option(PrinterOption option) const override;
    bool SetOption(PrinterOption option, std::int16_t value) override;
    PageCanvas Paper() const override;
    std::optional<PrinterChoice> ShowSetup(const PrinterChoice& preset) override;

    // Whether the current printer is an installed one; else the book goes to a PDF file.
    bool Installed() const;
    // A printer for one print job, set up with the current options.
    std::unique_ptr<QPrinter> MakePrinter() const;

private:
    void TakeDefaults(const QString& name);

    QString name_;
    PrinterChoice options_;
};

// The printer the book is laid out for and printed on: the one a test has installed, else
// the desktop's.
BookPrinter& ApplicationPrinter();
// The desktop's own printer, the one that prints.
QtBookPrinter& DesktopPrinter();

// The sheet of a printer's paper as a page layout without margins, portrait or landscape
// as it stands.
QPageLayout PaperLayout(PageCanvas paper);

}  // namespace veldra
