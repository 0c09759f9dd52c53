#include "book/printer_settings.h"

#include <gtest/gtest.h>

#include "support/map_settings.h"

#include <map>
#include <string>
#include <vector>

#include "platform/settings.h"
#include "support/fake_book_printer.h"

namespace veldra::testing {
namespace {

using Option = PrinterOption;
using Applied = std::vector<std::pair<PrinterOption, std::int16_t>>;

TEST(PrinterSettings, TheStoredPrinterIsSelectedAndItsOptionsAppliedAsTheyWereStored) {
    struct Case {
        const char* what;
        std::map<std::string, std::string> stored;
        std::string selected;
        Applied applied;
    };
    const Case cases[] = {
        {"nothing stored", {{"Print/Copies", "3"}}, "Start-up Printer", {}},
        {"no printer chosen",
         {{"Print/PrinterName", "NotSelected"}, {"Print/Copies", "3"}},
         "Start-up Printer",
         {}},
        {"a name in other letter case; 0 copies is applied",
         {{"Print/PrinterName", "PLOTTER"}, {"Print/Copies", "0"}, {"Print/Orientation", "1"}},
         "Plotter",
         {{Option::Copies, 0}, {Option::Orientation, 1}}},
        {"not installed: the options go to the current printer, refused Duplex skipped",
         {{"Print/PrinterName", "Gone"},
          {"Print/ColorMode", "2.5"},
          {"Print/Duplex", "3"},
          {"Print/PaperBin", "-5"},
          {"Print/PaperSize", "A4"},
          {"Print/PrintQuality", "70000"}},
         "Start-up Printer",
         {{Option::ColorMode, 2}, {Option::Duplex, 3}, {Option::PaperSize, 0}}},
    };
    for (const Case& c : cases) {
        MapSettings settings;
        settings.values = c.stored;
        FakeBookPrinter printer;
        printer.refused = {Option::Duplex};
        LoadPrinterSettings(settings, printer);
        EXPECT_EQ(printer.name, c.selected) << c.what;
        EXPECT_EQ(printer.applied, c.applied) << c.what;
        EXPECT_EQ(printer.Option(Option::Duplex), FakeBookPrinter::kDefaults[2]) << c.what;
    }
}

TEST(PrinterSettings, PrintSetupTakesTheChosenInstalledPrinterAndStoresItForTheNextRun) {
    MapSettings settings;
    FakeBookPrinter printer;
    EXPECT_FALSE(PrintSetup(settings, printer));  // cancelled
    EXPECT_EQ(printer.preset.printerName, "Start-up Printer");
    EXPECT_EQ(printer.preset.options, FakeBookPrinter::kDefaults);

    printer.choice = PrinterChoice{"Elsewhere", {0, 0, 2, 1, 3, 5, 300}};
    EXPECT_FALSE(PrintSetup(settings, printer));  // not installed
    EXPECT_TRUE(settings.values.empty());

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
    EXPECT_EQ(settings.values.size(), 8u);
    EXPECT_EQ(settings.values["Print/PrinterName"] + settings.values["Print/Copies"], "plotter1");

    FakeBookPrinter nextRun;
    LoadPrinterSettings(settings, nextRun);
    EXPECT_EQ(nextRun.name, "Plotter");
    EXPECT_EQ(nextRun.options, printer.options);
}

}  // namespace
}  // namespace veldra::testing
