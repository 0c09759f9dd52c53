#include "book/printer_settings.h"

#include <cmath>
#include <limits>

#include "logic/numbers.h"
#include "platform/ascii_text.h"
#include "platform/settings.h"

namespace veldra {
namespace {

constexpr std::string_view kSection = "Print";
constexpr std::string_view kNotSelected = "NotSelected";

// The installed printer of that name, compared without letter case; -1 when none.
int FindPrinter(const BookPrinter& printer, std::string_view name) {
    const std::vector<std::string> installed = printer.Printers();
    for (std::size_t i = 0; i < installed.size(); ++i) {
        if (EqualsIgnoringCase(installed[i], name)) {
            return int(i);
        }
    }
    return -1;
}

}  // namespace

std::string_view PrinterOptionKey(PrinterOption option) {
    switch (option) {
        case PrinterOption::ColorMode:
            return "ColorMode";
        case PrinterOption::Copies:
            return "Copies";
        case PrinterOption::Duplex:
            return "Duplex";
        case PrinterOption::Orientation:
            return "Orientation";
        case PrinterOption::PaperBin:
            return "PaperBin";
        case PrinterOption::PaperSize:
            return "PaperSize";
        case PrinterOption::PrintQuality:
            return "PrintQuality";
    }
    return {};
}

void LoadPrinterSettings(const Settings& settings, BookPrinter& printer) {
    const std::string name = settings.GetSetting(kSection, "PrinterName", kNotSelected);
    if (name == kNotSelected) {
        return;
    }
    if (const int index = FindPrinter(printer, name); index >= 0) {
        printer.Select(index);
    }
    for (const PrinterOption option : kPrinterOptions) {
        const double value =
            LeadingNumber(settings.GetSetting(kSection, PrinterOptionKey(option), "-1"));
        // -1 and below leave the option as the printer has it; a refused one is skipped.
        // A code beyond 16 bits is no printer's either.
        const double code = std::nearbyint(value);
        if (value > -1 && code <= std::numeric_limits<std::int16_t>::max()) {
            printer.SetOption(option, std::int16_t(code));
        }
    }
}

void SavePrinterSettings(Settings& settings, const BookPrinter& printer, std::string_view name) {
    settings.SaveSetting(kSection, "PrinterName", name);
    for (const PrinterOption option : kPrinterOptions) {
        settings.SaveSetting(kSection, PrinterOptionKey(option),
                             std::to_string(printer.Option(option)));
    }
}

bool PrintSetup(Settings& settings, BookPrinter& printer) {
    PrinterChoice preset;
    preset.printerName = printer.DeviceName();
    for (const PrinterOption option : kPrinterOptions) {
        preset[option] = printer.Option(option);
    }
    const std::optional<PrinterChoice> chosen = printer.ShowSetup(preset);
    if (!chosen) {
        return false;
    }
    const int index = FindPrinter(printer, chosen->printerName);
    if (index < 0) {
        return false;
    }
    printer.Select(index);
    if ((*chosen)[PrinterOption::Copies] > 0) {
        printer.SetOption(PrinterOption::Copies, (*chosen)[PrinterOption::Copies]);
    }
    for (const PrinterOption option :
         {PrinterOption::Duplex, PrinterOption::ColorMode, PrinterOption::PaperSize,
          PrinterOption::PrintQuality, PrinterOption::Orientation, PrinterOption::PaperBin}) {
        printer.SetOption(option, (*chosen)[option]);
    }
    SavePrinterSettings(settings, printer, chosen->printerName);
    return true;
}

}  // namespace veldra
