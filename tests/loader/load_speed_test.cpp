#include <gtest/gtest.h>

#include <chrono>
#include <iostream>

#include "loader/loader_fixture.h"

namespace veldra::testing {
namespace {

// A large application: 40,000 bits, 20,000 statements, 200 boards, timers, tables and
// numeric blocks, as a big interlocking's source would hold them.
std::string LargeSource() {
    constexpr int kBits = 40000;
    constexpr int kStatements = 20000;
    std::string text = "// generated\r\nPROGRAM LARGE_STATION;\r\nBOOLEAN BITS\r\n";
    for (int i = 0; i < kBits; ++i) {
        text +=
            "B" + std::to_string(i) + (i + 1 == kBits ? ";\r\n" : (i % 10 == 9 ? ",\r\n" : ", "));
    }
    text += "TIMER BITS\r\n";
    for (int i = 0; i < 500; ++i) {
        text += "    B" + std::to_string(i) + " : SET = 2 : SEC,\r\n    CLEAR = 500 : MSEC;\r\n";
    }
    text += "LOGIC BEGIN\r\n";
    for (int i = 0; i < kStatements; ++i) {
        const auto b = [&](int k) { return "B" + std::to_string((i * 7 + k * 13) % kBits); };
        text += "    ASSIGN " + b(1) + " * ~" + b(2) + " + (" + b(3) + " * " + b(4) +
                ")  // route " + std::to_string(i) + "\r\n        TO R" + std::to_string(i) +
                ";\r\n";
    }
    text += "END LOGIC\r\n";
    for (int board = 0; board < 200; ++board) {
        text += "BOARD: IO" + std::to_string(board) + "\r\n    FIXED\r\n    ENABLE: 1\r\n" +
                "    TYPE: IN8.OUT8\r\n    INPUT: ";
        for (int k = 0; k < 8; ++k) {
            text += "B" + std::to_string(board * 16 + k) + (k == 7 ? ";\r\n" : ", ");
        }
        text += "    OUTPUT: ";
        for (int k = 8; k < 16; ++k) {
            text += "B" + std::to_string(board * 16 + k) + (k == 15 ? ";\r\n" : ", ");
        }
    }
    text += "TABLES BEGIN\r\n";
    for (int table = 0; table < 50; ++table) {
        text +=
            "TABLE 1\r\nTRIGGERS ON B1 AND\r\nINPUTS: B1, B2\r\nOUTPUTS: B3;\r\n"
            "STATE: 1 1 YIELDS: 1;\r\nUNDEFINED 0;\r\nEND TABLE\r\n";
    }
    text += "END TABLES\r\nEND PROGRAM\r\n";
    return text;
}

// Run by hand: loader_tests --gtest_also_run_disabled_tests --gtest_filter='*LoadSpeed*'
TEST_F(LoaderTest, DISABLED_LoadSpeedOfALargeGeneratedSource) {
    const std::string text = LargeSource();
    const auto start = std::chrono::steady_clock::now();
    Load(text);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    std::cout << text.size() / 1024 << " KiB, " << engine.PrgBooleanBits()->Count() << " bits, "
              << engine.prgAssigns->Count() << " statements, " << engine.prgTables.Count()
              << " tables: "
              << std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() << " ms\n";
    EXPECT_EQ(engine.prgAssigns->Count(), 20000);
}

}  // namespace
}  // namespace veldra::testing
