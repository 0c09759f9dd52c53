#include "book/printer_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/settings.h"
#include "support/fake_book_printer.h"

namespace veldra::testing {
namespace {

using Option = PrinterOption;

class MapSettings final : public Settings {
public:
    std::string GetSetting(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const override {
        const auto found = values.find(std::string(section) + "/" + std::string(key));
        return found == values.end() ? std::string(defaultValue) : found->second;
    }
    void SaveSetting(std::string_view section, std::string_view key,
                     std::string_view value) override {
        values[std::string(section) + "/" + std::string(key)] = value;
    }
    std::map<std::string, std::string> values;
};

using Applied = std::vector<std::pair<PrinterOption, std::int16_t>>;

TEST(PrinterSettings, TheStoredPrinterIsSelectedAndItsOptionsAppliedAsTheyWereStored) {
    struct Case {
        const char* what;
        std::map<std::string, std::string> stored;
        std::set<PrinterOption> refused;
        std::string selected;
        Applied applied;
    };
    const Case cases[] = {
        {"nothing stored", {{"Print/Copies", "3"}}, {}, "Start-up Printer", {}},
        {"no printer chosen",
         {{"Print/PrinterName", "NotSelected"}, {"Print/Copies", "3"}},
         {},
         "Start-up Printer",
         {}},
        {"a name in other letter case; 0 copies is applied",
         {{"Print/PrinterName", "PLOTTER"}, {"Print/Copies", "0"}, {"Print/Orientation", "1"}},
         {},
         "Plotter",
         {{Option::Copies, 0}, {Option::Orientation, 1}}},
        {"a printer no longer installed: the options go to the current one",
         {{"Print/PrinterName", "Gone"},
          {"Print/ColorMode", "2.5"},
          {"Print/Duplex", "-1"},
          {"Print/PaperBin", "-5"},
          {"Print/PaperSize", "A4"},
          {"Print/PrintQuality", "70000"}},
         {},
         "Start-up Printer",
         {{Option::ColorMode, 2}, {Option::PaperSize, 0}}},
        {"a refused option is skipped and the next applied",
         {{"Print/PrinterName", "Office Laser"}, {"Print/Duplex", "3"}, {"Print/PaperBin", "2"}},
         {Option::Duplex},
         "Office Laser",
         {{Option::Duplex, 3}, {Option::PaperBin, 2}}},
    };
    for (const Case& c : cases) {
        MapSettings settings;
        settings.values = c.stored;
        FakeBookPrinter printer;
        printer.refused = c.refused;
        LoadPrinterSettings(settings, printer);
        EXPECT_EQ(printer.name, c.selected) << c.what;
        EXPECT_EQ(printer.applied, c.applied) << c.what;
    }
}

TEST(PrinterSettings, SavedOptionsReadBackUnderTheirKeys) {
    MapSettings settings;
    FakeBookPrinter printer;
    printer.options = {0, 2, 1, 1, 4, 8, 300};
    SavePrinterSettings(settings, printer, "Plotter");
    EXPECT_EQ(settings.values, (std::map<std::string, std::string>{{"Print/PrinterName", "Plotter"},
                                                                   {"Print/ColorMode", "0"},
                                                                   {"Print/Copies", "2"},
                                                                   {"Print/Duplex", "1"},
                                                                   {"Print/Orientation", "1"},
                                                                   {"Print/PaperBin", "4"},
                                                                   {"Print/PaperSize", "8"},
                                                                   {"Print/PrintQuality", "300"}}));
    FakeBookPrinter next;
    LoadPrinterSettings(settings, next);
    EXPECT_EQ(next.name, "Plotter");
    EXPECT_EQ(next.options, printer.options);
}

TEST(PrinterSettings, PrintSetupTakesTheChosenInstalledPrinterStoresItAndNamesItsFont) {
    MapSettings settings;
    FakeBookPrinter printer;
    EXPECT_FALSE(PrintSetup(settings, printer));  // cancelled
    EXPECT_EQ(printer.preset.printerName, "Start-up Printer");
    EXPECT_EQ(printer.preset.options, FakeBookPrinter::kDefaults);

    PrinterChoice choice;
    choice.printerName = "Elsewhere";
    choice.options = {0, 0, 2, 1, 3, 5, 300};
    printer.choice = choice;
    EXPECT_FALSE(PrintSetup(settings, printer));  // not installed
    EXPECT_TRUE(settings.values.empty());
    EXPECT_EQ(printer.name, "Start-up Printer");

    printer.choice->printerName = "plotter";
    EXPECT_TRUE(PrintSetup(settings, printer));
    EXPECT_EQ(printer.name, "Plotter");
    // No copies from the dialog's 0; the rest in the dialog's order.
    EXPECT_EQ(printer.applied, (Applied{{Option::Duplex, 2},
                                        {Option::ColorMode, 0},
                                        {Option::PaperSize, 5},
                                        {Option::PrintQuality, 300},
                                        {Option::Orientation, 1},
                                        {Option::PaperBin, 3}}));
    EXPECT_EQ(settings.values["Print/PrinterName"], "plotter");
    EXPECT_EQ(settings.values["Print/Copies"], "1");
    EXPECT_EQ(settings.values["Print/Orientation"], "1");
    EXPECT_EQ(printer.FontName(), "Arial");

    settings.values["LADDER_FONT/NAME"] = "DejaVu Sans Mono";
    printer.choice->options[std::size_t(Option::Copies)] = 4;
    EXPECT_TRUE(PrintSetup(settings, printer));
    EXPECT_EQ(printer.Option(Option::Copies), 4);
    EXPECT_EQ(printer.FontName(), "DejaVu Sans Mono");
}

}  // namespace
}  // namespace veldra::testing
