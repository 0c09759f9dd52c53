#include "logic/text_helpers.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace veldra {
namespace {

using testing::FakePlatform;

TEST(TrimUpper, UpperCasesAndTrimsNonPrintingCharactersAtBothEndsOnly) {
    EXPECT_EQ(TrimUpper(" ab c\t"), "AB C");
    EXPECT_EQ(TrimUpper("\r\n\x7f"
                        "tr1 \xe9"),
              "TR1");
    EXPECT_EQ(TrimUpper("a  b"), "A  B");
    EXPECT_EQ(TrimUpper(""), "");
    EXPECT_EQ(TrimUpper("   \t "), "");
}

// The text is upper-cased; an absent key cuts its length less one characters.
TEST(TextAfter, YieldsEverythingBehindTheFirstOccurrenceOfTheKey) {
    FakePlatform platform;
    EXPECT_EQ((std::vector<std::string>{
                  TextAfter("assign a TO b;", " TO "), TextAfter("a to b", " to "),
                  TextAfter("A TO B TO C", " TO "), TextAfter("ABC", "C"), TextAfter("a*b", "~"),
                  TextAfter("ABCDEF", "XYZ"), TextAfter("AB", "XYZ")}),
              (std::vector<std::string>{"B;", "B", "B TO C", "", "A*B", "CDEF", ""}));
    EXPECT_TRUE(platform.boxes().empty());
}

TEST(TextAfter, AnAbsentKeyTwoLongerThanTheTextIsReportedAndYieldsEmpty) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::No);

    EXPECT_EQ(TextAfter("A", "XYZ"), "");
    EXPECT_EQ(
        platform.journal(),
        (std::vector<std::string>{"unload progress",
                                  "box: Error: Invalid procedure call or argument: End Program?"}));
}

TEST(TextBefore, YieldsEverythingBeforeTheFirstOccurrenceOfTheKey) {
    FakePlatform platform;
    EXPECT_EQ((std::vector<std::string>{TextBefore("assign a TO b;", " TO "),
                                        TextBefore("a to b", " TO "), TextBefore("X;Y;", ";"),
                                        TextBefore(";", ";")}),
              (std::vector<std::string>{"ASSIGN A", "A", "X", ""}));
}

TEST(TextBefore, AnAbsentKeyAsksToEndTheProgram) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::No).Answer(MsgAnswer::Yes);

    EXPECT_EQ(TextBefore("ABC", ";"), "");
    EXPECT_FALSE(platform.ended());
    EXPECT_EQ(platform.boxes()[0].title, "Error: Invalid procedure call or argument");

    EXPECT_EQ(TextBefore("", ";"), "");
    EXPECT_TRUE(platform.ended());
}

TEST(AssignText, RebuildsTheCanonicalStatementText) {
    EXPECT_EQ(AssignText("A*~B", {"X", "Y"}), "ASSIGN A*~B TO X, Y;");
    EXPECT_EQ(AssignText("A*~B", {""}), "ASSIGN A*~B TO ;");
    EXPECT_EQ(AssignText("(A+B)@C", {"OUT 1"}), "ASSIGN (A+B)@C TO OUT 1;");
}

}  // namespace
}  // namespace veldra
