#include <gtest/gtest.h>

#include "boards/ases.h"
#include "boards/io_board.h"
#include "boards/lamp16.h"
#include "boards/mx_lamp.h"
#include "boards/serial_port.h"
#include "boards/track_board.h"
#include "logic/boolean_bits.h"
#include "platform/runtime_error.h"
#include "support/fake_platform.h"

namespace veldra {
namespace {

using testing::FakePlatform;

// The coded-track window as far as its codes see it: the bits they leave for the scan.
class FakeTrackWindow final : public TrackWindow {
public:
    BooleanBits& PendingBits() override {
        ++reached;
        return pending;
    }
    BooleanBits pending;
    int reached = 0;
};

// Every list a board holds is built on one template: how each board reaches its list,
// adds a named item, tells its window and swaps the list's holder.
struct IOInputs {
    IOBoard board;
    IOInputs() { Replace(); }
    void Replace() { board.SetBoardInput(std::make_unique<BoardInput>()); }
    ItemAdded& Added() { return board.InputBitAdded; }
    auto& List() { return board.BoardInput()->BoardInputs(); }
    auto* Add(std::string_view name) { return List().Add(name, false); }
};
struct IOOutputs {
    IOBoard board;
    IOOutputs() { Replace(); }
    void Replace() { board.SetBoardOutput(std::make_unique<BoardOutput>()); }
    ItemAdded& Added() { return board.OutputBitAdded; }
    auto& List() { return board.BoardOutput()->BoardOutputs(); }
    auto* Add(std::string_view name) { return List().Add(name, false); }
};
struct LampDriverLamps {
    Lamp16 board;
    void Replace() { board.SetLamp(std::make_unique<Lamp>()); }
    ItemAdded& Added() { return board.LampAdded; }
    auto& List() { return board.Lamp()->Lamps(); }
    auto* Add(std::string_view name) {
        return List().Add(false, false, name, "", "25W", false, false, false, 0, 0);
    }
};
template <int Head>
struct SignalHeadAspects {
    MXLamp board;
    void Replace() {
        if constexpr (Head == 1) {
            board.SetHead1(std::make_unique<Head1>());
        } else {
            board.SetHead2(std::make_unique<Head2>());
        }
    }
    ItemAdded& Added() { return Head == 1 ? board.Head1BitAdded : board.Head2BitAdded; }
    auto& List() {
        if constexpr (Head == 1) {
            return board.Head1()->Head1Aspect().Head1Aspects();
        } else {
            return board.Head2()->Head2Aspect().Head2Aspects();
        }
    }
    auto* Add(std::string_view name) { return List().Add(name, false, "", false); }
};
struct StationInBits {
    SerialPort board;
    void Replace() { board.SetSerialInBit(std::make_unique<SerialInBit>()); }
    ItemAdded& Added() { return board.InBitAdded; }
    auto& List() { return board.SerialInBit()->SerialInBits(); }
    auto* Add(std::string_view name) { return List().Add(name, false); }
};
struct StationOutBits {
    SerialPort board;
    void Replace() { board.SetSerialOutBit(std::make_unique<SerialOutBit>()); }
    ItemAdded& Added() { return board.OutBitAdded; }
    auto& List() { return board.SerialOutBit()->SerialOutBits(); }
    auto* Add(std::string_view name) { return List().Add(name, false); }
};
struct TrackInCodesA {
    TrackBoard board;
    FakeTrackWindow window;
    void Replace() { board.SetTrackA(std::make_unique<TrackA>()); }
    ItemAdded& Added() { return board.InACodeAdded; }
    auto& List() { return board.TrackA()->TrAInCode().TrAInCodes(); }
    auto* Add(std::string_view name) { return List().Add(name, false, &window); }
};
struct TrackOutCodesB {
    TrackBoard board;
    void Replace() { board.SetTrackB(std::make_unique<TrackB>()); }
    ItemAdded& Added() { return board.OutBCodeAdded; }
    auto& List() { return board.TrackB()->TrBOutCode().TrBOutCodes(); }
    auto* Add(std::string_view name) { return List().Add(name, false); }
};

template <class Collection>
class BoardCollection : public ::testing::Test {
protected:
    BoardCollection() {
        heard_ = collection.Added().Subscribe([this](std::string_view name) {
            // The window looks the item up as soon as it hears of it.
            heard.push_back(std::string(name) + (collection.List().Count() > 0 ? "" : " (absent)"));
        });
    }

    FakePlatform platform;
    Collection collection;
    std::vector<std::string> heard;
    Subscription heard_;
};

using Collections = ::testing::Types<IOInputs, IOOutputs, LampDriverLamps, SignalHeadAspects<1>,
                                     SignalHeadAspects<2>, StationInBits, StationOutBits,
                                     TrackInCodesA, TrackOutCodesB>;
TYPED_TEST_SUITE(BoardCollection, Collections);

TYPED_TEST(BoardCollection, TheWindowHearsEveryAdditionInOrderAndSparesRepeatByPositionOnly) {
    auto& list = this->collection.List();
    this->collection.Add("A1");
    this->collection.Add("SPARE");
    this->collection.Add("SPARE");
    this->collection.Add("B2");

    EXPECT_EQ(this->heard, (std::vector<std::string>{"A1", "SPARE", "SPARE", "B2"}));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Item("a1"), list.Item(1));
    EXPECT_TRUE(list.Item("SPARE") == nullptr && list.Item(3) != nullptr);
}

TYPED_TEST(BoardCollection, ANameListedInAnyCaseIsRefusedUnheardAndTheListGoesOn) {
    this->platform.Answer(MsgAnswer::No).Answer(MsgAnswer::No);
    this->collection.Add("Spare");
    this->collection.Add("A1");

    EXPECT_EQ(this->collection.Add("a1"), nullptr);
    EXPECT_EQ(this->collection.Add("spare"), nullptr);  // only "SPARE" is no name

    EXPECT_EQ(this->platform.journal(),
              (std::vector<std::string>{
                  "unload progress",
                  std::string("box: Error: ") + errors::kDuplicateKey + ": End Program?",
                  "unload progress",
                  std::string("box: Error: ") + errors::kDuplicateKey + ": End Program?"}));
    EXPECT_NE(this->collection.Add("B2"), nullptr);
    EXPECT_EQ(this->heard, (std::vector<std::string>{"Spare", "A1", "B2"}));
}

TYPED_TEST(BoardCollection, ANewHolderReplacesTheListAndIsHeardInstead) {
    this->collection.Add("A1");

    this->collection.Replace();
    EXPECT_EQ(this->collection.List().Count(), 0);
    this->collection.Add("A1");

    EXPECT_EQ(this->heard, (std::vector<std::string>{"A1", "A1"}));
}

TEST(EncoderBoard, ControlBitsAreKeyedByNameEvenWhenSpareAndChannelsRunFromOneToFive) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::No);
    ASES encoder;
    ControlBits& bits = encoder.ControlBit().ControlBits();

    bits.Add("SPARE", false, 1);
    bits.Add("C1", true, 7, "OTHER");
    EXPECT_EQ(bits.Add("spare", false, 2), nullptr);

    EXPECT_EQ(bits.Item("SPARE")->Channel, 1);
    EXPECT_EQ(bits.Item("c1")->Channel, 7);
    EXPECT_EQ(bits.Item("OTHER"), nullptr);
    Channels& channels = encoder.Channel().Channels();
    EXPECT_EQ(&channels.Item("5"), &channels.Item(5));
    EXPECT_THROW(channels.Item("6"), RuntimeError);
    EXPECT_THROW(channels.Item(0), RuntimeError);
    EXPECT_EQ(platform.boxes().size(), 1u);
}

// A received code, or a bit a station receives, is read once per change.
TEST(ReceivedBits, ATrackCodeReachesThePendingBitsOncePerChangeWithItsLastValue) {
    FakePlatform platform;
    FakeTrackWindow window;
    TrackBoard board;
    TrAInCode& a75 = *board.TrackA()->TrAInCode().TrAInCodes().Add("75", false, &window);
    board.TrackB()->TrBInCode().TrBInCodes().Add("120", true, &window);
    EXPECT_EQ(window.reached, 1);  // a code added True is pending at once

    a75.SetCodeValue(false);
    a75.SetCodeValue(true);
    a75.SetCodeValue(false);
    a75.SetCodeValue(false);

    EXPECT_EQ(window.reached, 3);
    ASSERT_EQ(window.pending.Count(), 2);
    EXPECT_FALSE(window.pending.Item("75")->BitValue());
    EXPECT_TRUE(window.pending.Item("120")->BitValue());
}

TEST(ReceivedBits, AStationBitsLatchIsReadOncePerChangeEvenThereAndBack) {
    FakePlatform platform;
    SerialPort station;
    SerialInBits& in = station.SerialInBit()->SerialInBits();
    SerialInBit& rx1 = *in.Add("RX1", false);
    EXPECT_TRUE(in.Add("RX2", true)->IsChanged());

    rx1.SetBitValue(false);
    EXPECT_FALSE(rx1.IsChanged());
    rx1.SetBitValue(true);
    rx1.SetBitValue(false);
    EXPECT_TRUE(rx1.IsChanged());
    EXPECT_FALSE(rx1.IsChanged());
}

}  // namespace
}  // namespace veldra
