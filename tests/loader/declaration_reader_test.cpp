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

}  // namespace
}  // namespace veldra::testing
