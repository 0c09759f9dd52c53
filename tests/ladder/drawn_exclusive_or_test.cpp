// An exclusive or cannot be drawn as written: the drawing's own redrawing of chains,
// negated brackets of chains and chains nested in products is read back here as a network
// and compared, for every input, with the evaluator the scan solves by.

#include <gtest/gtest.h>

#include "support/drawn_logic.h"

namespace veldra::testing {
namespace {

class DrawnExclusiveOr : public ::testing::TestWithParam<const char*> {};

TEST_P(DrawnExclusiveOr, DrawsTheLogicThatRuns) {
    EXPECT_TRUE(DrawsItsOwnLogic(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    Statements, DrawnExclusiveOr,
    ::testing::Values(
        // Plain operands gathered into one contact, negations counted on it.
        "A@B TO X;", "A@~B TO X;", "~A@~B@C TO X;", "A1~B1@C TO X;", "~A1~B1@C~D TO X;",
        // A negated bracket of a chain, alone, amid a product and inside a chain.
        "~(P@Q) TO X;", "~(P@Q)*R TO X;", "R+~(P@~Q) TO X;", "A@~(B@C) TO X;",
        "~(A@~(B@C))@D TO X;", "~(P@Q)@~(R@S) TO X;",
        // Products and brackets in a chain are spelt out around the contact.
        "A*B@C@D TO X;", "A@B*C@D TO X;", "(A+B)@C TO X;", "~(A*B+C)@D@E TO X;",
        // A chain inside a product inside a chain.
        "A@B*(C@D)@E TO X;", "A@(B*(C@~D))@E TO X;", "~(A*(B@C@D))@E*F TO X;",
        "(A@B)*(C@D)+E@F*(G@H) TO X;", "P@(Q*(R@(S*(T@U)))) TO X;",
        // Two results share the drawing of the first.
        "A@~(B@C)*D TO X, Y;"));

}  // namespace
}  // namespace veldra::testing
