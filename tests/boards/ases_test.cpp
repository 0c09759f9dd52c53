#include "boards/ases.h"

#include <gtest/gtest.h>

#include "boards/board_listener.h"
#include "platform/runtime_error.h"
#include "support/fake_platform.h"

namespace veldra {
namespace {

using testing::FakePlatform;
using testing::kDuplicateRefused;

TEST(EncoderBoard, HasItsFiveChannelsFromTheStart) {
    ASES encoder;
    Channels& channels = encoder.Channel().Channels();

    ASSERT_EQ(channels.Count(), 5);
    EXPECT_EQ(&channels.Item("3"), &channels.Item(3));
    for (const Channel& channel : channels) {
        EXPECT_FALSE(channel.Enabled);
        EXPECT_FALSE(channel.Adjustable);
    }
}

TEST(EncoderBoard, AskingForAChannelItDoesNotHaveIsAnErrorForTheCaller) {
    FakePlatform platform;
    ASES encoder;
    Channels& channels = encoder.Channel().Channels();

    EXPECT_THROW(channels.Item("6"), RuntimeError);
    EXPECT_THROW(channels.Item(0), RuntimeError);
    EXPECT_THROW(channels.Item(6), RuntimeError);
    EXPECT_TRUE(platform.boxes().empty());
}

TEST(EncoderBoard, ControlBitsAreKeyedByNameEvenWhenSpare) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::No);
    ASES encoder;
    ControlBits& bits = encoder.ControlBit().ControlBits();

    bits.Add("SPARE", false, 1);
    EXPECT_EQ(bits.Add("SPARE", false, 2), nullptr);

    EXPECT_EQ(platform.journal(), kDuplicateRefused);
    EXPECT_EQ(bits.Count(), 1);
    EXPECT_EQ(bits.Item("spare")->Channel, 1);
}

TEST(EncoderBoard, AControlBitKeepsItsNameAsKeyAndAnyChannelNumber) {
    FakePlatform platform;
    ASES encoder;
    ControlBits& bits = encoder.ControlBit().ControlBits();

    bits.Add("C1", true, 7, "OTHER");

    EXPECT_EQ(bits.Item("OTHER"), nullptr);
    EXPECT_EQ(bits.Item("c1")->Channel, 7);
    EXPECT_TRUE(bits.Item("C1")->BitValue);
    EXPECT_EQ(bits.Item("C9"), nullptr);
    EXPECT_TRUE(platform.boxes().empty());
}

}  // namespace
}  // namespace veldra
