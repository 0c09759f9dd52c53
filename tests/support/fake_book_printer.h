#pragma once

#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "book/printer_settings.h"

namespace veldra::testing {

// Two installed printers, "Office Laser" and "Plotter"; the one the application started
// with is neither. Every option it is given is recorded, and those it refuses keep their
// value. Its sheet is A4, turned by the orientation code 1, unless given another. Its set-up dialog
// records the preset and answers with `choice` (nothing: cancelled).
class FakeBookPrinter final : public BookPrinter {
public:
    static constexpr std::array<std::int16_t, kPrinterOptionCount> kDefaults = {1, 1, 0,  0,
                                                                                7, 9, 600};

    std::vector<std::string> Printers() const override { return {"Office Laser", "Plotter"}; }
    void Select(int index) override {
        name = Printers()[std::size_t(index)];
        options = kDefaults;
    }
    std::string DeviceName() const override { return name; }
    std::int16_t Option(PrinterOption option) const override {
        return options[std::size_t(option)];
    }
    bool SetOption(PrinterOption option, std::int16_t value) override {
        applied.emplace_back(option, value);
        if (refused.contains(option)) {
            return false;
        }
        options[std::size_t(option)] = value;
        return true;
    }
    PageCanvas Paper() const override {
        if (paper) {
            return *paper;
        }
        return Option(PrinterOption::Orientation) == 1 ? PageCanvas{16840, 11900}
                                                       : PageCanvas{11900, 16840};
    }
    std::optional<PrinterChoice> ShowSetup(const PrinterChoice& given) override {
        preset = given;
        return choice;
    }

    std::string name = "Start-up Printer";
    std::array<std::int16_t, kPrinterOptionCount> options = kDefaults;
    std::set<PrinterOption> refused;
    std::vector<std::pair<PrinterOption, std::int16_t>> applied;
    std::optional<PrinterChoice> choice;
    PrinterChoice preset;
    // A sheet of its own in place of A4.
    std::optional<PageCanvas> paper;
};

}  // namespace veldra::testing
