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
                                761 * kMB},
                      // 1,065,000 names of 80 characters that differ in their last ones, four
                      // operands and a result in each of 213,000 statements, none declared.
                      ShapeCase{"LongNamesOnlyStatementsUse",
                                {90951056, 0, 213000, 90951013, 0, 43, 1067143, 0, 0, 77155352},
                                902 * kMB,
                                785 * kMB}),
    [](const auto& info) { return std::string(info.param.name); });

// Words in comments cost nothing: a small program behind 10 MB of comments of different
// words each is priced as the program alone and the comments' text, which the load holds.
TEST(SourceMemoryTest, CommentsArePricedAsTheTextTheyAre) {
    std::string program = "PROGRAM P;\r\nBOOLEAN BITS A, B;\r\nLOGIC BEGIN\r\nASSIGN A TO B;\r\n";
    std::string comments;
    for (int i = 0; comments.size() < 10 * kMB; ++i) {
        const std::string n = std::to_string(i);
        comments += "// ROUTE" + n + " SIGNAL" + n + ", POINTS" + n + "; TRACK" + n + "\r\n";
        comments += "/* LOCK" + n + " RELEASE" + n + " */ % APPROACH" + n + " \\\r\n";
    }
    const MemoryNeed alone = MemoryToLoad(CountSource(program));
    const MemoryNeed commented = MemoryToLoad(CountSource(comments + program));
    // Each comment line ends with a line break, which is no comment and counts as text.
    EXPECT_LE(commented.address - alone.address, comments.size() * 2);
    EXPECT_LE(commented.resident - alone.resident, comments.size() * 2);
    EXPECT_GE(commented.resident - alone.resident, comments.size() * 9 / 10);
}

// The census of `source` taken as it goes by in pieces of `piece` characters.
SourceCensus CountInPieces(std::string_view source, std::size_t piece) {
    SourceCounter counter;
    for (std::size_t at = 0; at < source.size(); at += piece) {
        counter.Take(source.substr(at, piece));
    }
    return counter.Result();
}

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
        const SourceCensus census = CountInPieces(source, piece);
        EXPECT_EQ(census.sourceBytes, source.size());
        EXPECT_EQ(census.declarations, 6U);
        EXPECT_EQ(census.statements, 2U);
        EXPECT_EQ(
            census.statementBytes,
            std::string("LOGIC BEGIN\r\n  ASSIGN A1 * A2 TO A3;\r\n  ASSIGN A3 TO A1;\r\n").size());
        EXPECT_EQ(census.boards, 2U);
        // PROGRAM P BOOLEAN BITS A1 A2 COMMON A3 NUMERIC VARIABLES N1 N2 LOGIC BEGIN ASSIGN
        // TO END BOARD IN1 TYPE IN16 INPUT OUT1, letter case aside
        EXPECT_EQ(census.names, 23U);
        // boolean bits A1 A2 COMMON A3 NUMERIC VARIABLES N1 N2
        EXPECT_EQ(census.declaredNameBytes, 43U);
    }
}

// Comments hold no names, no items and no section keywords, whichever form they take, and
// names cost by their length wherever they stand: a text after the program line, what it
// holds, and how much of it is comment.
struct CensusCase {
    const char* name;
    const char* text;
    std::uint64_t names;  // beside PROGRAM and P
    std::uint64_t declarations;
    std::uint64_t statements;
    std::uint64_t commentBytes;
    std::uint64_t longerNameBytes;
};

void PrintTo(const CensusCase& census, std::ostream* out) {
    *out << census.name;
}

class CensusCases : public ::testing::TestWithParam<CensusCase> {};

TEST_P(CensusCases, CommentsCostNothingButTheirTextAndNamesCostByTheirLength) {
    const CensusCase& expected = GetParam();
    const std::string source = std::string("PROGRAM P;\r\n") + expected.text;
    for (const std::size_t piece :
         {source.size(), std::size_t(1), std::size_t(2), std::size_t(5)}) {
        SCOPED_TRACE("in pieces of " + std::to_string(piece));
        const SourceCensus census = CountInPieces(source, piece);
        EXPECT_EQ(census.names, expected.names + 2);
        EXPECT_EQ(census.declarations, expected.declarations);
        EXPECT_EQ(census.statements, expected.statements);
        EXPECT_EQ(census.commentBytes, expected.commentBytes);
        EXPECT_EQ(census.longerNameBytes, expected.longerNameBytes);
        EXPECT_EQ(census.sourceBytes, source.size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CensusCases,
    ::testing::Values(
        CensusCase{"LineComments", "// ALPHA, BETA; GAMMA\r\n// DELTA\r\n", 0, 0, 0, 29, 0},
        CensusCase{"CodeBeforeALineComment", "BOOLEAN BITS A, B; // C, D;\r\n", 4, 2, 0, 8,
                   0},  // BOOLEAN BITS A B
        CensusCase{"ALineCommentEndsAtACarriageReturnAlone", "// ALPHA\rBETA\r", 1, 0, 0, 8, 0},
        CensusCase{"ABlockOverLines", "/* ALPHA\r\nBETA, GAMMA; */ DELTA\r\n", 1, 0, 0, 24, 0},
        CensusCase{"APercentBlockClosedByABackslash", "% ALPHA \\ BETA\r\n", 1, 0, 0, 9, 0},
        CensusCase{"EitherCloserEndsEitherBlock", "% ALPHA */ BETA /* GAMMA \\ DELTA\r\n", 2, 0, 0,
                   20, 0},
        CensusCase{"AnOpenerInALineCommentOpensNothing", "// ALPHA /* BETA\r\nGAMMA\r\n", 1, 0, 0,
                   16, 0},
        CensusCase{"ASectionKeywordInABlockStartsNoSection",
                   "LOGIC BEGIN\r\n/*\r\nBOOLEAN BITS\r\nA, B;\r\n*/\r\nASSIGN X TO Y;\r\n", 6, 0,
                   1, 24, 0},  // LOGIC BEGIN ASSIGN X TO Y
        CensusCase{"ASlashAloneOpensNothing", "LOGIC BEGIN\r\nASSIGN A / B TO C;\r\n", 7, 0, 1, 0,
                   0},
        CensusCase{"ANameUsedOnlyInStatementsCostsByItsLength",
                   "LOGIC BEGIN\r\nASSIGN ROUTE_SETTING_OVER_POINT_12_NORMAL_ABCDE TO "
                   "ROUTE_SETTING_OVER_POINT_12_NORMAL_ABCDE;\r\n",
                   5, 0, 1, 0, 32},  // a name of 40 characters
        CensusCase{"ALongNameInACommentCostsNothing",
                   "// ROUTE_SETTING_OVER_POINT_12_NORMAL_ABCDE\r\n", 0, 0, 0, 43, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Many names of 80 characters used only in statements, each three times, are told apart
// wherever they differ and reckoned at their characters beyond the eighth, within the
// count's stated error, however the text is cut into pieces.
class LongOperandNames : public ::testing::TestWithParam<bool> {};

TEST_P(LongOperandNames, AreToldApartAndReckonedByTheirLength) {
    constexpr int kNames = 100000;
    const bool numberLast = GetParam();
    const auto name = [&](int i) {
        const std::string number = std::to_string(i);
        const std::string filler(80 - 9 - number.size(), 'X');
        return numberLast ? "OPERAND_" + filler + "_" + number : "OPERAND_" + number + "_" + filler;
    };
    std::string source = "PROGRAM LONG;\r\nLOGIC BEGIN\r\n";
    for (int i = 0; i < kNames; ++i) {
        source += "ASSIGN " + name(i) + " * " + name((i + 1) % kNames) + " TO " +
                  name((i + 2) % kNames) + ";\r\n";
    }
    source += "END LOGIC\r\nEND PROGRAM\r\n";
    for (const std::size_t piece : {source.size(), std::size_t(4093), std::size_t(77)}) {
        SCOPED_TRACE("in pieces of " + std::to_string(piece));
        const SourceCensus census = CountInPieces(source, piece);
        EXPECT_NEAR(double(census.names), kNames + 7.0, kNames * 0.03);
        const double expected = kNames * 72.0;
        EXPECT_NEAR(double(census.longerNameBytes), expected, expected * 0.03);
        EXPECT_EQ(census.declaredNameBytes, 0U);
    }
}

INSTANTIATE_TEST_SUITE_P(Names, LongOperandNames, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "DifferingInTheirLastCharacters" : "DifferingAtTheirStart");
});

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
        const SourceCensus census = CountInPieces(source, piece);
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
