#include "boards/serial_port.h"

#include <gtest/gtest.h>

#include "boards/board_listener.h"
#include "support/fake_platform.h"

namespace veldra {
namespace {

using testing::BoardListener;
using testing::FakePlatform;

class SerialPortTest : public ::testing::Test {
protected:
    SerialInBits& InBits() { return station.SerialInBit()->SerialInBits(); }
    SerialOutBits& OutBits() { return station.SerialOutBit()->SerialOutBits(); }

    FakePlatform platform;
    SerialPort station;
};

TEST_F(SerialPortTest, AChangeIsReadFromTheLatchOnce) {
    SerialInBit& bit = *InBits().Add("RX1", false);

    bit.SetBitValue(true);

    EXPECT_TRUE(bit.IsChanged());
    EXPECT_FALSE(bit.IsChanged());
    EXPECT_TRUE(bit.BitValue());
}

TEST_F(SerialPortTest, RepeatingTheValueHeldLeavesTheLatchClear) {
    SerialInBit& bit = *InBits().Add("RX1", false);

    bit.SetBitValue(false);

    EXPECT_FALSE(bit.IsChanged());
}

TEST_F(SerialPortTest, ThereAndBackBetweenReadsStillReadsAsChanged) {
    SerialOutBit& bit = *OutBits().Add("TX1", false);

    bit.SetBitValue(true);
    bit.SetBitValue(false);

    EXPECT_TRUE(bit.IsChanged());
    EXPECT_FALSE(bit.IsChanged());
}

TEST_F(SerialPortTest, ABitAddedTrueStartsChanged) {
    EXPECT_TRUE(InBits().Add("RX1", true)->IsChanged());
    EXPECT_FALSE(InBits().Add("RX2", false)->IsChanged());
}

TEST_F(SerialPortTest, TheWindowHearsInAndOutBitsApartAfterTheyAreListed) {
    BoardListener window;
    window.Hear(station.InBitAdded, "in").Hear(station.OutBitAdded, "out");
    Subscription check = station.InBitAdded.Subscribe([&](std::string_view name) {
        EXPECT_EQ(InBits().Item(InBits().Count())->BitName(), name);
    });

    InBits().Add("RX1", false);
    OutBits().Add("TX1", false, true, 100, 200);
    InBits().Add("SPARE", false);

    EXPECT_EQ(window.heard, (std::vector<std::string>{"in: RX1", "out: TX1", "in: SPARE"}));
    EXPECT_EQ(OutBits().Item("tx1")->OnTime(), 100);
}

}  // namespace
}  // namespace veldra
