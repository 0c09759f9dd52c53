#include "logic/user_bits.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace veldra {
namespace {

using testing::FakePlatform;

TEST(UserBits, AUserNumericIsRoundedHalfToEven) {
    FakePlatform platform;
    UserBits bits;

    struct Case {
        const char* name;
        double value;
        int stored;
    };
    for (const Case& c :
         {Case{"N1", 2.5, 2}, Case{"N2", 3.5, 4}, Case{"N3", -2.5, -2}, Case{"N4", 2.6, 3},
          Case{"N5", 32767, 32767}, Case{"N6", -32768, -32768}}) {
        const UserBit* bit = bits.Add(c.name, c.value, true, "");
        ASSERT_NE(bit, nullptr) << c.name;
        EXPECT_EQ(bit->Numeric, c.stored) << c.name;
    }
}

TEST(UserBits, AUserNumericOutsideSixteenBitsIsRefusedWithOverflow) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::No).Answer(MsgAnswer::No);
    UserBits bits;

    EXPECT_EQ(bits.Add("BIG", 32767.5, true, ""), nullptr);
    EXPECT_EQ(bits.Add("SMALL", -32769, true, ""), nullptr);
    EXPECT_EQ(bits.Count(), 0);
    EXPECT_EQ(platform.boxes().at(0).title, "Error: Overflow");
    EXPECT_EQ(platform.journal().front(), "unload progress");
}

TEST(UserBits, KeyedByNameUnlessAKeyIsGivenAndFalseOnlyForZero) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::No);
    UserBits bits;

    bits.Add("UB1", 1, false, "");
    EXPECT_EQ(bits.Item("ub1")->BitName, "UB1");

    // Under keys of their own, one name can be listed twice; only zero is False.
    bits.Add("TR1", 0, false, "row1");
    bits.Add("TR1", 0.5, false, "row2");
    EXPECT_EQ(bits.Count(), 3);
    EXPECT_FALSE(bits.Item("ROW1")->BitValue);
    EXPECT_TRUE(bits.Item("row2")->BitValue);

    // A second entry under a key already present is refused, the first kept.
    EXPECT_EQ(bits.Add("UB1", 0, false, ""), nullptr);
    EXPECT_TRUE(bits.Item("UB1")->BitValue);
    EXPECT_EQ(bits.Count(), 3);
}

}  // namespace
}  // namespace veldra
