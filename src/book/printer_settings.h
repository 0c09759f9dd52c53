#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "book/page_layout.h"
#include "platform/service_scope.h"

namespace veldra {

class Settings;

// The printer options the book keeps from one run to the next, in the order they are
// stored and applied. Their codes are the printing platform's own values.
enum class PrinterOption {
    ColorMode,
    Copies,
    Duplex,
    Orientation,
    PaperBin,
    PaperSize,
    PrintQuality
};
inline constexpr std::size_t kPrinterOptionCount = 7;
inline constexpr std::array<PrinterOption, kPrinterOptionCount> kPrinterOptions = {
    PrinterOption::ColorMode,   PrinterOption::Copies,   PrinterOption::Duplex,
    PrinterOption::Orientation, PrinterOption::PaperBin, PrinterOption::PaperSize,
    PrinterOption::PrintQuality};

// The key of an option in the settings section "Print" ("ColorMode", "Copies", ...).
std::string_view PrinterOptionKey(PrinterOption option);

// A printer and its options as the printer set-up dialog shows and returns them.
struct PrinterChoice {
    std::string printerName;
    std::array<std::int16_t, kPrinterOptionCount> options{};

    std::int16_t& operator[](PrinterOption option) { return options[std::size_t(option)]; }
    std::int16_t operator[](PrinterOption option) const { return options[std::size_t(option)]; }
};

// The application's current printer, chosen among the installed ones: the book is laid out
// for its paper and printed on it. The desktop provides it; tests install their own.
class BookPrinter {
public:
    virtual ~BookPrinter() = default;

    // The device names of the printers that can be chosen, in the platform's order.
    virtual std::vector<std::string> Printers() const = 0;
    // Makes the installed printer at `index` (from 0) current, with its own default options.
    virtual void Select(int index) = 0;
    virtual std::string DeviceName() const = 0;
    virtual std::int16_t Option(PrinterOption option) const = 0;
    // False when the printer does not take the value: the option keeps its former one.
    virtual bool SetOption(PrinterOption option, std::int16_t value) = 0;
    // The sheet as the current options make it, in twips.
    virtual PageCanvas Paper() const = 0;
    // The printer set-up dialog over the active window, preset with `preset`: the user's
    // choice, or nothing when cancelled.
    virtual std::optional<PrinterChoice> ShowSetup(const PrinterChoice& preset) = 0;
};

using BookPrinterScope = ServiceScope<BookPrinter>;

// Selects the printer stored in the settings section "Print" when it is installed, and
// applies the stored options to the current printer. Nothing when none was ever stored.
void LoadPrinterSettings(const Settings& settings, BookPrinter& printer);

// Stores the printer's name as given and the current printer's options.
void SavePrinterSettings(Settings& settings, const BookPrinter& printer, std::string_view name);

// "Print Setup": the user chooses a printer and its options, which become current and are
// stored. The printer keeps writing in the ladder font, the one the book's names were
// measured in. True when the choice was taken, and the book must be laid out again for the
// paper; false when cancelled or when the printer chosen is not installed, and nothing has
// changed.
bool PrintSetup(Settings& settings, BookPrinter& printer);

}  // namespace veldra
