#include "loader/declaration_reader.h"

#include <gtest/gtest.h>

#include "loader/loader_fixture.h"

namespace veldra::testing {
namespace {

using DeclarationReaderTest = LoaderTest;
using Lines = std::vector<std::string>;

// A file, or lines after the program line ("|" between them), and the bits it declares.
class Declares : public LoaderTest,
                 public ::testing::WithParamInterface<std::pair<const char*, const char*>> {};

TEST_P(Declares, TheBitsOfItsSections) {
    const std::string text = GetParam().first;
    if (text.ends_with(".ml2")) {
        LoadFile(text);
    } else {
        Load(BarredSource("PROGRAM P;|" + text));
    }
    EXPECT_TRUE(platform.boxes().empty());
    // The bits declared, in order, as "NAME" for a false bit, "NAME=1" for a true one and
    // "NAME#" for a numeric one.
    std::string declared;
    if (const BooleanBits* bits = engine.PrgBooleanBits()) {
        for (const BooleanBit& bit : *bits) {
            declared += (declared.empty() ? "" : ",") + bit.BitName() +
                        (bit.IsNumeric() ? "#" : "") + (bit.BitValue() ? "=1" : "");
        }
    }
    EXPECT_EQ(declared, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, Declares,
    ::testing::Values(
        std::pair{"boolean_bits.ml2", "A,B,C,D,E,F,G"},
        std::pair{"BOOLEAN BITS|A B C|D;", "A,B,C,D"},  // the last name of a line needs no comma
        std::pair{"BOOLEAN BITS|A,|NUMERIC VARIABLES|N;", "A,N#"},  // a list left open
        std::pair{"numeric_variables.ml2", "SPEED#,LIMIT#"},
        std::pair{"constants.ml2", "ON_1=1,OFF_1,ON_2=1"},
        std::pair{"CONSTANTS BOOLEAN|X|= 1;|Y = 1|Z = 0;", "X=1,Y=1,Z"},  // a name on its own line
        std::pair{"CONSTANTS BOOLEAN|X = 1;|BOOLEAN BITS|A, B;|CONSTANTS BOOLEAN Y = 1;",
                  "X=1,A,B,Y=1"}));

// Every section keyword ends a list left open, and is no name of the list.
class OpenListEndedBy : public LoaderTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(OpenListEndedBy, AnySectionKeyword) {
    Load(Source({"PROGRAM P;", "BOOLEAN BITS", "A,", GetParam(), "END PROGRAM"}));
    EXPECT_EQ(BitNames(), (Lines{"A"}));
}

INSTANTIATE_TEST_SUITE_P(Keywords, OpenListEndedBy,
                         ::testing::Values("BOARD:", "LOG BITS", "NUMERIC VARIABLES",
                                           "NV.BOOLEAN BITS", "TIMER BITS", "LOGIC BEGIN", "COMM",
                                           "USER NUMERIC", "USER BIT", "END PROGRAM", "END LOGIC",
                                           "TABLES BEGIN", "NUMERIC BEGIN", "CONSTANTS BOOLEAN",
                                           "CONFIGURATION", "CODED OUTPUTS", "SYSTEM", "LINK:"));

TEST_F(DeclarationReaderTest, ANumericVariableNamedLikeABitIsReportedAndTheOthersStillCount) {
    platform.Answer(MsgAnswer::No);
    Load(Source({"PROGRAM P;", "BOOLEAN BITS A;", "NUMERIC VARIABLES", "A, N;"}));
    EXPECT_EQ(Boxes(), (Lines{"Error: The numeric variable A is already declared as a bit "
                              "(line 4): End Program?"}));
    EXPECT_FALSE(Bit("A")->IsNumeric());
    EXPECT_TRUE(Bit("N")->IsNumeric());
}

TEST_F(DeclarationReaderTest, AConstantValueThatIsNoBooleanIsReportedWithItsLine) {
    platform.Answer(MsgAnswer::No);
    Load(Source({"PROGRAM P;", "CONSTANTS BOOLEAN", "X = MAYBE;", "Y = 1;"}));
    EXPECT_EQ(Boxes(), (Lines{"Error: Type mismatch: \"MAYBE\" is not a Boolean value (1 or 0) "
                              "(line 3): End Program?"}));
    EXPECT_EQ(BitNames(), (Lines{"Y"}));
}

// --- User bits and user numerics.

TEST_F(DeclarationReaderTest, UserValuesAreKeptByName) {
    LoadFile("user_values.ml2");
    const UserBit* limit = engine.prgUserBits.Item("LIMIT");
    ASSERT_NE(limit, nullptr);
    EXPECT_TRUE(limit->IsNumeric);
    EXPECT_EQ(limit->Numeric, 250);
    EXPECT_TRUE(engine.prgUserBits.Item("FLAG")->BitValue);
    EXPECT_FALSE(engine.prgUserBits.Item("FLAG_2")->BitValue);
    EXPECT_FALSE(engine.prgUserBits.Item("FLAG_2")->IsNumeric);
    EXPECT_NE(engine.PrgBooleanBits(), nullptr);
}

TEST_F(DeclarationReaderTest, AUserValueWithoutANameOfItsOwnIsReportedAsDeclaredTwice) {
    platform.Answer(MsgAnswer::No);
    Load(Source({"PROGRAM P;", "USER NUMERIC", "LIMIT:", "250;", "300;"}));
    EXPECT_EQ(Boxes(),
              (Lines{"Error: The user numeric LIMIT is already declared (line 5): End Program?"}));
    EXPECT_EQ(engine.prgUserBits.Item("LIMIT")->Numeric, 250);
}

TEST_F(DeclarationReaderTest, AUserNumericBeyondSixteenBitsIsReported) {
    platform.Answer(MsgAnswer::No);
    Load(Source({"PROGRAM P;", "USER NUMERIC", "BIG:", "40000;"}));
    EXPECT_EQ(Boxes(), (Lines{"Error: Overflow (line 4): End Program?"}));
    EXPECT_EQ(engine.prgUserBits.Count(), 0);
}

// A user entry that is no entry is reported with its line, and the entries around it stay:
// lines after the program line ("|" between them), the entries kept as "NAME=value" and
// the boxes.
struct MalformedUserCase {
    const char* name;
    const char* lines;
    Lines kept;
    Lines boxes;
};

void PrintTo(const MalformedUserCase& malformed, std::ostream* out) {
    *out << malformed.name;
}

class MalformedUserEntries : public LoaderTest,
                             public ::testing::WithParamInterface<MalformedUserCase> {};

TEST_P(MalformedUserEntries, AreReportedWithTheirLineAndTheOthersKept) {
    for (std::size_t box = 0; box < GetParam().boxes.size(); ++box) {
        platform.Answer(MsgAnswer::No);
    }
    Load(BarredSource(std::string("PROGRAM P;|") + GetParam().lines));
    Lines kept;
    for (const UserBit& entry : engine.prgUserBits) {
        kept.push_back(entry.BitName + "=" +
                       std::to_string(entry.IsNumeric ? entry.Numeric : int(entry.BitValue)));
    }
    EXPECT_EQ(kept, GetParam().kept);
    EXPECT_EQ(Boxes(), GetParam().boxes);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, MalformedUserEntries,
    ::testing::Values(
        MalformedUserCase{"NumericsWrittenAsAList",
                          "USER NUMERIC|X: 5;|A: 1, B: 2;|Y: 7;",
                          {"X=5", "Y=7"},
                          {"Error: The user numeric name \"1, B\" holds a blank or a comma: each "
                           "entry is written NAME: VALUE; (line 4): End Program?"}},
        MalformedUserCase{"BitsWrittenAsAList",
                          "USER BIT|F: 1, G: 0;|H: 1;",
                          {"H=1"},
                          {"Error: The user bit name \"1, G\" holds a blank or a comma: each "
                           "entry is written NAME: VALUE; (line 3): End Program?"}},
        MalformedUserCase{"ANameOfTwoWords",
                          "USER BIT|FLAG A: 1;|FLAG_B: 0;",
                          {"FLAG_B=0"},
                          {"Error: The user bit name \"FLAG A\" holds a blank or a comma: each "
                           "entry is written NAME: VALUE; (line 3): End Program?"}},
        MalformedUserCase{"ANameFollowedByTheNextName",
                          "USER NUMERIC|X:|Y: 7;",
                          {"Y=7"},
                          {"Error: The user numeric X has no value (line 3): End Program?"}},
        MalformedUserCase{"AnEmptyValue",
                          "USER NUMERIC|X: ;|Y: 7;",
                          {"Y=7"},
                          {"Error: The user numeric X has no value (line 3): End Program?"}},
        MalformedUserCase{"ANameEndingItsSection",
                          "USER BIT|F: 1;|G:|USER NUMERIC|X: 2;",
                          {"F=1", "X=2"},
                          {"Error: The user bit G has no value (line 4): End Program?"}},
        MalformedUserCase{"ANameEndingTheFile",
                          "USER NUMERIC|X: 2;|Y:",
                          {"X=2"},
                          {"Error: The user numeric Y has no value (line 4): End Program?"}},
        MalformedUserCase{"ANameWaitingWhenAMalformedOneComes",
                          "USER NUMERIC|X:|A B: 5;|Y: 7;",
                          {"Y=7"},
                          {"Error: The user numeric X has no value (line 3): End Program?",
                           "Error: The user numeric name \"A B\" holds a blank or a comma: each "
                           "entry is written NAME: VALUE; (line 4): End Program?"}},
        MalformedUserCase{"AWellFormedSectionSaysNothing",
                          "USER NUMERIC|X:|2;|Y: -3;|USER BIT|F:|1;",
                          {"X=2", "Y=-3", "F=1"},
                          {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Lines ended by a line feed alone are counted as those ended by both.
TEST_F(DeclarationReaderTest, AMalformedEntryIsReportedWithItsLineWhereLinesEndInALineFeed) {
    platform.Answer(MsgAnswer::No);
    Load("PROGRAM P;\nUSER NUMERIC\n    LIMIT:\n        250;\n    A: 1, B: 2;\n    SPAN: 40;\n");
    EXPECT_EQ(Boxes(), (Lines{"Error: The user numeric name \"1, B\" holds a blank or a comma: "
                              "each entry is written NAME: VALUE; (line 5): End Program?"}));
    EXPECT_EQ(engine.prgUserBits.Item("LIMIT")->Numeric, 250);
    EXPECT_EQ(engine.prgUserBits.Item("SPAN")->Numeric, 40);
    EXPECT_EQ(engine.prgUserBits.Count(), 2);
}

TEST_F(DeclarationReaderTest, AMalformedEntryOfAFileIsReportedWithTheFileAndItsLine) {
    platform.Answer(MsgAnswer::No);
    LoadFile("user_numerics_as_list.ml2");
    EXPECT_EQ(Boxes(), (Lines{"Error: The user numeric name \"1, B\" holds a blank or a comma: "
                              "each entry is written NAME: VALUE; (line 4 of " +
                              DataFile("user_numerics_as_list.ml2") + "): End Program?"}));
    EXPECT_EQ(engine.prgUserBits.Item("LIMIT")->Numeric, 250);
    EXPECT_EQ(engine.prgUserBits.Item("SPAN")->Numeric, 40);
    EXPECT_EQ(engine.prgUserBits.Count(), 2);
}

}  // namespace
}  // namespace veldra::testing
