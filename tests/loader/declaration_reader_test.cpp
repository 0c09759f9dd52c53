#include "loader/declaration_reader.h"

#include <gtest/gtest.h>

#include "loader/loader_fixture.h"

namespace veldra::testing {
namespace {

using DeclarationReaderTest = LoaderTest;
using Lines = std::vector<std::string>;

// --- Boolean bits and numeric variables.

TEST_F(DeclarationReaderTest, ABooleanBitsSectionDeclaresEveryNameAsAFalseBit) {
    LoadFile("boolean_bits.ml2");
    EXPECT_EQ(BitNames(), (Lines{"A", "B", "C", "D", "E", "F", "G"}));
    EXPECT_FALSE(Bit("A")->BitValue());
    EXPECT_FALSE(Bit("A")->IsNumeric());
}

TEST_F(DeclarationReaderTest, TheLastNameOfALineNeedsNoComma) {
    Load(Source({"PROGRAM P;", "BOOLEAN BITS", "A B C", "D;"}));
    EXPECT_EQ(BitNames(), (Lines{"A", "B", "C", "D"}));
}

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

TEST_F(DeclarationReaderTest, AListWithoutItsSemicolonEndsAtTheNextKeyword) {
    Load(Source({"PROGRAM P;", "BOOLEAN BITS", "A,", "NUMERIC VARIABLES", "N;"}));
    EXPECT_EQ(BitNames(), (Lines{"A", "N"}));
    EXPECT_TRUE(Bit("N")->IsNumeric());
}

TEST_F(DeclarationReaderTest, NumericVariablesAreNumericBits) {
    LoadFile("numeric_variables.ml2");
    EXPECT_EQ(BitNames(), (Lines{"SPEED", "LIMIT"}));
    EXPECT_TRUE(Bit("SPEED")->IsNumeric());
    EXPECT_TRUE(Bit("LIMIT")->IsNumeric());
}

TEST_F(DeclarationReaderTest, ANumericVariableNamedLikeABitIsReportedAndTheOthersStillCount) {
    platform.Answer(MsgAnswer::No);
    Load(Source({"PROGRAM P;", "BOOLEAN BITS A;", "NUMERIC VARIABLES", "A, N;"}));
    EXPECT_EQ(Boxes(), (Lines{"Error: The numeric variable A is already declared as a bit "
                              "(line 4): End Program?"}));
    EXPECT_FALSE(Bit("A")->IsNumeric());
    EXPECT_TRUE(Bit("N")->IsNumeric());
}

// --- Constants.

TEST_F(DeclarationReaderTest, ConstantsAreBitsWithTheirStartingValue) {
    LoadFile("constants.ml2");
    EXPECT_EQ(BitNames(), (Lines{"ON_1", "OFF_1", "ON_2"}));
    EXPECT_TRUE(Bit("ON_1")->BitValue());
    EXPECT_FALSE(Bit("OFF_1")->BitValue());
    EXPECT_TRUE(Bit("ON_2")->BitValue());
}

TEST_F(DeclarationReaderTest, AConstantsNameMayStandAloneOnTheLineBeforeItsValue) {
    Load(Source({"PROGRAM P;", "CONSTANTS BOOLEAN", "X", "= 1;", "Y = 1", "Z = 0;"}));
    EXPECT_EQ(BitNames(), (Lines{"X", "Y", "Z"}));
    EXPECT_TRUE(Bit("X")->BitValue());
    EXPECT_TRUE(Bit("Y")->BitValue());
}

TEST_F(DeclarationReaderTest, ABooleanBitsKeywordEndsAConstantsSection) {
    Load(Source({"PROGRAM P;", "CONSTANTS BOOLEAN", "X = 1;", "BOOLEAN BITS", "A, B;",
                 "CONSTANTS BOOLEAN Y = 1;"}));
    EXPECT_EQ(BitNames(), (Lines{"X", "A", "B", "Y"}));
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
