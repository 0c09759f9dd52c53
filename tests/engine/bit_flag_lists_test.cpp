#include "engine/bit_flag_lists.h"

#include <gtest/gtest.h>

#include "engine/engine_fixture.h"

namespace veldra::testing {
namespace {

using Names = std::vector<std::string>;

class BitFlagListsTest : public EngineTest {
protected:
    BitFlagListsTest() {
        for (const char* name : {"TR2", "sig1", "TR1"}) {
            Bit(name);
        }
        Bit("IN1").SetIsFormBit(true);
    }

    BitFlagLists filter{engine, BitFlagLists::Flag::Filter};
    BitFlagLists watch{engine, BitFlagLists::Flag::Watch};
};

TEST_F(BitFlagListsTest, MovingANameAndMovingItBackRestoresTheFlagAndKeepsTheListsSorted) {
    Bits().Find("TR2")->SetFilter(true);
    filter.Load();
    EXPECT_EQ(filter.Cleared(), (Names{"IN1", "sig1", "TR1"}));
    EXPECT_EQ(filter.Set(), (Names{"TR2"}));

    filter.MoveToSet(2);  // TR1
    EXPECT_TRUE(Bits().Find("TR1")->Filter());
    EXPECT_EQ(filter.Set(), (Names{"TR1", "TR2"}));

    filter.MoveToCleared(0);  // TR1
    filter.MoveToCleared(-1);
    EXPECT_FALSE(Bits().Find("TR1")->Filter());
    EXPECT_EQ(filter.Cleared(), (Names{"IN1", "sig1", "TR1"}));
}

TEST_F(BitFlagListsTest, TheBulkButtonsSetEveryBitsFlag) {
    Bits().Find("TR1")->SetFilter(true);
    filter.Load();

    filter.FlagBoardBits();
    EXPECT_EQ(filter.Set(), (Names{"IN1"}));
    EXPECT_EQ(filter.Cleared(), (Names{"sig1", "TR1", "TR2"}));

    filter.FlagAll(true);
    EXPECT_TRUE(filter.Cleared().empty());
    filter.FlagAll(false);
    EXPECT_TRUE(filter.Set().empty());
}

TEST_F(BitFlagListsTest, AWatchedBitStopsWithABoxUntilItIsMovedBack) {
    EXPECT_EQ(watch.SetTitle(), "Watch");
    watch.Load();
    watch.MoveToSet(2);  // TR1

    platform.Answer(MsgAnswer::Ok);
    Bits().Find("TR1")->SetBitValue(true);
    EXPECT_EQ(platform.boxes().back().title, "Bit Watch");

    watch.MoveToCleared(0);
    Bits().Find("TR1")->SetBitValue(false);
    EXPECT_EQ(platform.boxes().size(), 1u);
}

}  // namespace
}  // namespace veldra::testing
