#include "loader/source_memory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <limits>
#include <optional>
#include <string>

#include "loader/source_census.h"

namespace veldra::testing {
namespace {

constexpr std::uint64_t kMB = 1024 * 1024;

// A source that takes 2,728 MB of address space and 2,064 MB of resident memory.
constexpr MemoryNeed kNeed{2064 * kMB, 2728 * kMB};

struct ShortfallCase {
    const char* name;
    MemoryRooms room;
    std::optional<std::string> shortfall;
};

void PrintTo(const ShortfallCase& shortfall, std::ostream* out) {
    *out << shortfall.name;
}

class ShortfallCases : public ::testing::TestWithParam<ShortfallCase> {};

TEST_P(ShortfallCases, ASourceIsRefusedWhenEitherKindOfMemoryFallsShortNamingWhatItLacks) {
    EXPECT_EQ(MemoryShortfall("/srv/HOLT.ml2", 200 * kMB, kNeed, GetParam().room),
              GetParam().shortfall);
}

INSTANTIATE_TEST_SUITE_P(
    Rooms, ShortfallCases,
    ::testing::Values(
        ShortfallCase{"NothingBounds", {std::nullopt, std::nullopt}, std::nullopt},
        ShortfallCase{"BothJustEnough", {2064 * kMB, 2728 * kMB}, std::nullopt},
        ShortfallCase{"AddressSpaceShort",
                      {8000 * kMB, 2700 * kMB},
                      "Not enough memory to load /srv/HOLT.ml2: the file is 200 MB, loading it "
                      "takes about 2,728 MB and only 2,700 MB can be given"},
        ShortfallCase{"FreeMemoryShortWithNoLimit",
                      {2063 * kMB, std::nullopt},
                      "Not enough memory to load /srv/HOLT.ml2: the file is 200 MB, loading it "
                      "takes about 2,064 MB and only 2,063 MB can be given"},
        ShortfallCase{"BothShortTheLimitNamed",
                      {1000 * kMB, 1000 * kMB + kMB / 2},
                      "Not enough memory to load /srv/HOLT.ml2: the file is 200 MB, loading it "
                      "takes about 2,728 MB and only 1,000 MB can be given"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SourceMemoryTest, AnyRoomLeavesTheDesktopItsReserveAndNoSourceOverflowsTheNeed) {
    EXPECT_EQ(RoomForLoad(MemoryRooms{100 * kMB, 32 * kMB}).resident, 36 * kMB);
    EXPECT_EQ(RoomForLoad(MemoryRooms{100 * kMB, 32 * kMB}).address, std::uint64_t(0));
    EXPECT_EQ(RoomForLoad(MemoryRooms{}).address, std::nullopt);
    SourceCensus most;
    most.sourceBytes = most.declarations = most.statementBytes = std::uint64_t(1) << 62;
    EXPECT_EQ(MemoryToLoad(most).address, std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(MemoryToLoad(most).resident, std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(MemoryToHold(std::numeric_limits<std::uint64_t>::max()).address,
              std::numeric_limits<std::uint64_t>::max());
}

// Shapes of source the program meets: some 7.6 million short declared names (65 MB), whose
// bits took some 2,000 MB of address space in the program; the generator's statements with
// two declared bits each, 1,000,000 of them (66 MB), which took some 930 MB, and 2,688,000
// with 200 boards (218 MB); short statements over five names each that no section declares
// (55 MB), which took some 2,060 MB. Reckoned by the file's size alone, the first, second
// and last were each promised some 840 to 990 MB. Declared names of 30 to 60 characters,
// 7.6 million of them (337 MB), took some 4,160 MB, twice as much as short ones: reckoned
// by their number alone, they were promised 2,100 MB.
struct ShapeCase {
    const char* name;
    SourceCensus census;
    std::uint64_t addressTaken;  // in the program, as measured
    std::uint64_t residentTaken;
};

void PrintTo(const ShapeCase& shape, std::ostream* out) {
    *out << shape.name;
}

class ShapeCases : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(ShapeCases, WhatASourceHoldsIsReckonedAtLeastAtWhatItTookWithinTheDesktopsReserve) {
    const ShapeCase& shape = GetParam();
    const MemoryNeed need = MemoryToLoad(shape.census);
    EXPECT_GE(need.address + kDesktopReserve, shape.addressTaken);
    EXPECT_GE(need.resident + kDesktopReserve, shape.residentTaken);
    // ... and not so far beyond it that a machine that can load it refuses it.
    EXPECT_LE(need.address, shape.addressTaken + shape.addressTaken / 8);
    EXPECT_LE(need.resident, shape.residentTaken + shape.residentTaken / 4);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ShapeCases,
    ::testing::Values(ShapeCase{"ManyShortDeclarations",
                                {68238983, 7600000, 1, 35, 0, 42},
                                2011 * kMB,
                                1521 * kMB},
                      ShapeCase{"TheGeneratorsStatements",
                                {69179992, 1000001, 1000000, 59665905, 0, 125},
                                931 * kMB,
                                648 * kMB},
                      ShapeCase{"TheGeneratorsStatementsWithBoards",
                                {228239449, 5374421, 2688000, 172208271, 200, 38706, 5500180},
                                2909 * kMB,
                                2213 * kMB},
                      ShapeCase{"StatementsOverNamesNoSectionDeclares",
                                {57444503, 0, 1000000, 57444470, 0, 33, 4965590},
                                2059 * kMB,
                                1442 * kMB},
                      ShapeCase{"ManyLongDeclarations",
                                {353423174, 7600000, 1, 60, 0, 40, 7643980, 342023000},
                                4161 * kMB,
                                2852 * kMB},
                      ShapeCase{"FewerLongDeclarations",
                                {93002176, 2000000, 1, 60, 0, 40, 2000030, 90002100},
                                1139 * kMB,
                                761 * kMB}),
    [](const auto& info) { return std::string(info.param.name); });

// What the census counts, section by section, whatever the case of the keywords and
// however the text is cut into pieces as it goes by.
TEST(SourceCensusTest, DeclarationsStatementsAndBoardsAreCountedInTheirSections) {
    const std::string source =
        "PROGRAM P; // a, b; c\r\n"
        "boolean bits\r\n"
        "  A1,A2,\r\n"
        "  COMMON,A3;\r\n"
        "NUMERIC VARIABLES N1, N2;\r\n"
        "LOGIC BEGIN\r\n"
        "  ASSIGN A1 * A2 TO A3;\r\n"
        "  ASSIGN A3 TO A1;\r\n"
        "END LOGIC\r\n"
        "BOARD: IN1\r\n"
        "  TYPE: IN16\r\n"
        "  INPUT: A1, A2;\r\n"
        "BOARD: OUT1\r\n"
        "END PROGRAM";
    for (const std::size_t piece : {source.size(), std::size_t(1), std::size_t(7)}) {
        SCOPED_TRACE("in pieces of " + std::to_string(piece));
        SourceCounter counter;
        for (std::size_t at = 0; at < source.size(); at += piece) {
            counter.Take(std::string_view(source).substr(at, piece));
        }
        const SourceCensus census = counter.Result();
        EXPECT_EQ(census.sourceBytes, source.size());
        EXPECT_EQ(census.declarations, 6U);
        EXPECT_EQ(census.statements, 2U);
        EXPECT_EQ(
            census.statementBytes,
            std::string("LOGIC BEGIN\r\n  ASSIGN A1 * A2 TO A3;\r\n  ASSIGN A3 TO A1;\r\n").size());
        EXPECT_EQ(census.boards, 2U);
        // PROGRAM P A B C BOOLEAN BITS A1 A2 COMMON A3 NUMERIC VARIABLES N1 N2 LOGIC BEGIN
        // ASSIGN TO END BOARD IN1 TYPE IN16 INPUT OUT1, letter case aside
        EXPECT_EQ(census.names, 26U);
        // boolean bits A1 A2 COMMON A3 NUMERIC VARIABLES N1 N2
        EXPECT_EQ(census.declaredNameBytes, 43U);
    }
}

// Many names, declared sixteen to a line and used again in statements (each use the same
// name as its declaration, whatever its case), are told apart within the count's stated
// error, 3 %, however the text is cut into pieces.
struct ManyNamesCase {
    const char* name;
    int names;
    std::string prefix;  // each name is the prefix and its number
};

void PrintTo(const ManyNamesCase& names, std::ostream* out) {
    *out << names.name;
}

class ManyNamesCases : public ::testing::TestWithParam<ManyNamesCase> {};

TEST_P(ManyNamesCases, DifferentNamesAreCountedWithinThreePercent) {
    const ManyNamesCase& many = GetParam();
    std::string source = "PROGRAM MANY;\r\nBOOLEAN BITS";
    for (int i = 0; i < many.names; ++i) {
        source += (i % 16 == 0 ? "\r\n" : "") + many.prefix + std::to_string(i) +
                  (i + 1 == many.names ? ";" : ",");
    }
    source += "\r\nLOGIC BEGIN\r\n";
    std::string lower = many.prefix;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); });
    for (int i = 0; i + 1 < many.names; i += 2) {
        source += "ASSIGN " + lower + std::to_string(i) + " TO " + many.prefix +
                  std::to_string(i + 1) + ";\r\n";
    }
    source += "END LOGIC\r\nEND PROGRAM\r\n";
    // PROGRAM MANY BOOLEAN BITS LOGIC BEGIN ASSIGN TO END
    const double words = many.names + 10;
    for (const std::size_t piece : {source.size(), std::size_t(4093)}) {
        SCOPED_TRACE("in pieces of " + std::to_string(piece));
        SourceCounter counter;
        for (std::size_t at = 0; at < source.size(); at += piece) {
            counter.Take(std::string_view(source).substr(at, piece));
        }
        const SourceCensus census = counter.Result();
        EXPECT_NEAR(double(census.names), words, words * 0.03);
        EXPECT_EQ(census.declarations, std::uint64_t(many.names));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Counts, ManyNamesCases,
    ::testing::Values(ManyNamesCase{"HundredThousandShort", 100000, "B"},
                      ManyNamesCase{"HundredThousandLong", 100000, "SIGNAL_AT_PLATFORM_END_"},
                      ManyNamesCase{"MillionShort", 1000000, "B"},
                      ManyNamesCase{"MillionLong", 1000000, "Route_Set_Over_Point_"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace veldra::testing
