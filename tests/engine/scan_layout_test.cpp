#include "engine/scan_layout.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "logic/boolean_bits.h"
#include "platform/event.h"
#include "support/fake_platform.h"
#include "support/fake_program_host.h"
#include "support/recording_board.h"

namespace veldra {
namespace {

using testing::FakePlatform;
using testing::FakeProgramHost;
using testing::RecordingBoard;

// The scan's copy of the program bits' flags, names and board places, as laid out and as the
// bits change afterwards.
class ScanLayoutTest : public ::testing::Test {
protected:
    std::uint8_t FlagsOf(const BooleanBit& bit) const { return layout.Flags()[bit.Slot()]; }

    FakePlatform platform;
    FakeProgramHost host;
    BooleanBits bits;
    ScanLayout layout;
    RecordingBoard board;
    RecordingBoard other;
};

TEST_F(ScanLayoutTest, HoldsEachBitsFlagsNameAndPlaceBySlot) {
    BooleanBit& timer = *bits.Add("T1", false, false, 200, 0);
    BooleanBit& out = *bits.Add("OUT", false, false, 0, 0, true);
    BooleanBit& gone = *bits.Add("GONE", false);
    BooleanBit& last = *bits.Add("LAST", false);
    out.SetFormIndex(&board, 3, 9);
    bits.Remove("GONE");

    layout.Build(bits);

    EXPECT_EQ(layout.Bits(), &bits);
    EXPECT_EQ(layout.SlotCount(), 4u);
    EXPECT_EQ(FlagsOf(timer), BooleanBit::kTimer);
    EXPECT_EQ(FlagsOf(out), BooleanBit::kFormBit);
    EXPECT_EQ(layout.Flags()[2], 0);  // the slot GONE held
    EXPECT_EQ(layout.NameAt(timer.Slot()), "T1");
    EXPECT_EQ(layout.NameAt(out.Slot()), "OUT");
    EXPECT_EQ(layout.NameAt(2), "");
    EXPECT_EQ(layout.NameAt(last.Slot()), "LAST");
    const ScanLayout::BoardPlace place = layout.PlaceAt(out.Slot());
    EXPECT_EQ(place.window, &board);
    EXPECT_EQ(place.row, 3);
    EXPECT_EQ(place.rowsRevision, 9u);
    EXPECT_EQ(layout.PlaceAt(timer.Slot()).window, nullptr);
    (void)gone;
}

// Filter and watch lists, the timer page, a state load and a listener change a bit's flags
// between scans: the layout has each change as soon as it is made, and each change undone.
TEST_F(ScanLayoutTest, FlagsChangedAfterTheLayoutAreHeldAtOnce) {
    struct Case {
        const char* name;
        std::uint8_t flag;
        std::function<void(BooleanBit&, bool)> set;
    };
    Subscription listening;
    const Case cases[] = {
        {"delay", BooleanBit::kTimer, [](BooleanBit& bit, bool on) { bit.SetOffTime(on ? 5 : 0); }},
        // A delay below zero is no delay.
        {"on delay", BooleanBit::kTimer,
         [](BooleanBit& bit, bool on) { bit.SetOnTime(on ? 5 : -5); }},
        {"board", BooleanBit::kFormBit, [](BooleanBit& bit, bool on) { bit.SetIsFormBit(on); }},
        {"trigger", BooleanBit::kTrigger, [](BooleanBit& bit, bool on) { bit.SetIsTrigger(on); }},
        {"watch", BooleanBit::kWatch, [](BooleanBit& bit, bool on) { bit.SetIsWatch(on); }},
        {"filter", BooleanBit::kFilter, [](BooleanBit& bit, bool on) { bit.SetFilter(on); }},
        {"assigned", BooleanBit::kAssigned,
         [](BooleanBit& bit, bool on) { bit.SetIsAssigned(on); }},
        {"numeric", BooleanBit::kNumeric, [](BooleanBit& bit, bool on) { bit.SetIsNumeric(on); }},
    };
    for (const Case& c : cases) {
        BooleanBits local;
        BooleanBit& bit = *local.Add("B", false);
        ScanLayout followed;
        followed.Build(local);
        c.set(bit, true);
        EXPECT_EQ(followed.Flags()[bit.Slot()], c.flag) << c.name;
        c.set(bit, false);
        EXPECT_EQ(followed.Flags()[bit.Slot()], 0) << c.name;
    }
    BooleanBit& heard = *bits.Add("HEARD", false);
    layout.Build(bits);
    listening = heard.BitChanged().Subscribe([](std::int32_t, bool) {});
    EXPECT_EQ(FlagsOf(heard), BooleanBit::kHeard);
}

TEST_F(ScanLayoutTest, ABitMovedToAnotherWindowOrOffItsWindowIsHeldThere) {
    BooleanBit& out = *bits.Add("OUT", false, false, 0, 0, true);
    BooleanBit& late = *bits.Add("LATE", false);
    out.SetFormIndex(&board, 1, 4);
    layout.Build(bits);

    out.SetFormIndex(&other, 2);
    EXPECT_EQ(layout.PlaceAt(out.Slot()).window, &other);
    EXPECT_EQ(layout.PlaceAt(out.Slot()).row, 2);
    EXPECT_EQ(layout.PlaceAt(out.Slot()).rowsRevision, 0u);
    late.SetFormIndex(&board, 7, 1);
    EXPECT_EQ(layout.PlaceAt(late.Slot()).window, &board);
    EXPECT_EQ(layout.PlaceAt(late.Slot()).row, 7);
    out.SetFormIndex(nullptr);
    EXPECT_EQ(layout.PlaceAt(out.Slot()).window, nullptr);
    EXPECT_EQ(layout.PlaceAt(out.Slot()).row, 0);
}

// A bit that joins after the layout waits for the next one; the layout stops following bits
// that go, and a layout that takes another's place follows its bits.
TEST_F(ScanLayoutTest, FollowsOnlyTheBitsItLaidOutWhileTheyAreThere) {
    BooleanBit& first = *bits.Add("FIRST", false);
    layout.Build(bits);
    BooleanBit& joined = *bits.Add("JOINED", false);
    joined.SetIsWatch(true);
    joined.SetFormIndex(&board, 1);
    EXPECT_EQ(layout.SlotCount(), 1u);
    EXPECT_EQ(layout.NameAt(joined.Slot()), "");
    EXPECT_EQ(layout.PlaceAt(joined.Slot()).window, nullptr);

    ScanLayout taken = std::move(layout);
    first.SetFilter(true);
    EXPECT_EQ(taken.Flags()[first.Slot()], BooleanBit::kFilter);
    EXPECT_EQ(taken.NameAt(first.Slot()), "FIRST");
    EXPECT_EQ(layout.Bits(), nullptr);
    EXPECT_EQ(layout.SlotCount(), 0u);

    auto going = std::make_unique<BooleanBits>();
    going->Add("X", false)->SetFilter(true);
    taken.Build(*going);
    first.SetFilter(false);  // of bits no longer followed: slot 0 is X's now
    EXPECT_EQ(taken.Flags()[0], BooleanBit::kFilter);
    going.reset();
    EXPECT_EQ(taken.Bits(), nullptr);
    taken.Clear();
}

}  // namespace
}  // namespace veldra
