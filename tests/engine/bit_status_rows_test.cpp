#include "engine/bit_status_rows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "logic/boolean_bits.h"
#include "support/fake_platform.h"
#include "support/fake_program_host.h"

namespace veldra {
namespace {

using testing::FakePlatform;
using testing::FakeProgramHost;

// The status grid's rows over a collection of bits, as the program window shows them.
class BitStatusRowsTest : public ::testing::Test {
protected:
    BooleanBit& AddBit(std::string_view name) { return *bits.Add(name, false); }

    FakePlatform platform;
    FakeProgramHost host;
    BooleanBits bits;
    BitStatusRows rows;
};

// A shown row takes its bit's colour from each forwarded change; a change that is not
// forwarded, or a bit that leaves, leaves the row as it was.
TEST_F(BitStatusRowsTest, AShownRowFollowsItsBitsForwardedChangesOnly) {
    BooleanBit& a = AddBit("A");
    BooleanBit& b = AddBit("B");
    a.SetvIndex(0);
    b.SetvIndex(1);
    rows.Show(bits, {a.Slot(), b.Slot()}, nullptr);

    bits.Item("A");
    a.SetBitValue(true);
    b.SetBitValue(true);  // not the bit fetched last: not forwarded
    EXPECT_TRUE(rows.RowShown(0));
    EXPECT_FALSE(rows.RowShown(1));
    EXPECT_TRUE(b.BitValue());

    bits.Item("B");
    b.SetBitValue(false);
    b.SetBitValue(true);
    EXPECT_TRUE(rows.RowShown(1));

    a.SetBitValue(false);  // B is the one forwarded now
    bits.Remove("A");
    EXPECT_TRUE(rows.RowShown(0));

    rows.Stop();
    rows.Show(bits, {BitStatusRows::kNoRowSlot, b.Slot()}, nullptr);
    EXPECT_FALSE(rows.RowShown(0));
    EXPECT_TRUE(rows.RowShown(1));
}

// Only a change of a row in sight is told of, once until the rows changed are taken, each
// row once however often it changed.
TEST_F(BitStatusRowsTest, OnlyChangesOfRowsInSightAreToldAndTakenOnce) {
    std::vector<BooleanBit*> row;
    std::vector<std::uint32_t> slots;
    for (int i = 0; i < 6; ++i) {
        row.push_back(&AddBit("R" + std::to_string(i)));
        row.back()->SetvIndex(i);
        slots.push_back(row.back()->Slot());
    }
    int told = 0;
    rows.Show(bits, slots, [&] { ++told; });
    rows.SetRowsInSight(2, 3);
    const auto change = [&](int i) {
        bits.Item("R" + std::to_string(i));
        row[std::size_t(i)]->SetBitValue(!row[std::size_t(i)]->BitValue());
    };

    change(0);
    change(5);
    EXPECT_EQ(told, 0);
    EXPECT_TRUE(rows.TakeRowsChangedInSight().empty());
    EXPECT_TRUE(rows.RowShown(5));

    change(3);
    change(2);
    change(3);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(rows.TakeRowsChangedInSight(), (std::vector<std::int32_t>{2, 3}));
    change(2);
    EXPECT_EQ(told, 2);

    rows.Stop();
    change(2);
    EXPECT_EQ(told, 2);
    EXPECT_TRUE(rows.TakeRowsChangedInSight().empty());
}

// Rows that stop leave the rows shown since over the same bits told of their changes, and
// rows may stop after their bits went.
TEST_F(BitStatusRowsTest, RowsThatStopLeaveTheWatchOfRowsShownSince) {
    BooleanBit& a = AddBit("A");
    a.SetvIndex(0);
    rows.Show(bits, {a.Slot()}, nullptr);
    BitStatusRows later;
    int told = 0;
    later.Show(bits, {a.Slot()}, [&] { ++told; });
    later.SetRowsInSight(0, 0);

    rows.Stop();
    bits.Item("A");
    a.SetBitValue(true);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(later.TakeRowsChangedInSight(), (std::vector<std::int32_t>{0}));

    auto going = std::make_unique<BooleanBits>();
    going->Add("B", false)->SetvIndex(0);
    later.Show(*going, {0}, nullptr);
    going.reset();
    later.Stop();
}

// A bit that joins while rows are shown, naming a row of another bit, colours that row as
// the collection's event would name it.
TEST_F(BitStatusRowsTest, ABitJoiningWhileRowsAreShownColoursTheRowItNames) {
    BooleanBit& a = AddBit("A");
    a.SetvIndex(0);
    int told = 0;
    rows.Show(bits, {a.Slot()}, [&] { ++told; });
    rows.SetRowsInSight(0, 0);

    BooleanBit& late = AddBit("LATE");  // its row is 0 until rows are built again
    bits.Item("LATE");
    late.SetBitValue(true);
    EXPECT_TRUE(rows.RowShown(0));
    EXPECT_FALSE(a.BitValue());
    EXPECT_EQ(told, 1);

    bits.Item("A");
    a.SetBitValue(true);
    a.SetBitValue(false);
    EXPECT_FALSE(rows.RowShown(0));
}

// A change stored by slot is heard and shown as the same change made through the bit: with
// the row the bit was given last, and only for the bit followed, by slot or by fetching.
TEST_F(BitStatusRowsTest, AChangeStoredBySlotIsForwardedAsTheBitsOwnChangeIs) {
    struct Case {
        const char* follow;  // "slot A", "slot B" or "item A"
        int rowsHeard;       // of A's change
    };
    for (const Case& c : {Case{"slot A", 7}, Case{"slot B", 0}, Case{"item A", 7}}) {
        BooleanBits local;
        BooleanBit& a = *local.Add("A", false);
        BooleanBit& b = *local.Add("B", false);
        a.SetvIndex(3);
        a.SetvIndex(7);  // given again, as a new load of the grid does
        b.SetvIndex(2);
        std::vector<int> heard;
        Subscription s = local.BitChanged.Subscribe(
            [&](std::int32_t row, bool value) { heard.push_back(value ? row : -row); });
        std::vector<std::uint32_t> slotOfRow(8, BitStatusRows::kNoRowSlot);
        slotOfRow[7] = a.Slot();
        slotOfRow[2] = b.Slot();
        rows.Show(local, slotOfRow, nullptr);
        rows.SetRowsInSight(0, 7);
        const std::string follow = c.follow;
        if (follow == "item A") {
            local.Item("A");
        } else {
            local.FollowSlot(follow == "slot A" ? a.Slot() : b.Slot());
        }

        local.StoreHeardChange(a.Slot(), true);

        EXPECT_TRUE(a.BitValue()) << c.follow;
        const std::vector<int> expected =
            c.rowsHeard != 0 ? std::vector<int>{c.rowsHeard} : std::vector<int>{};
        EXPECT_EQ(heard, expected) << c.follow;
        EXPECT_EQ(rows.RowShown(7), c.rowsHeard != 0) << c.follow;
        const std::vector<std::int32_t> taken = rows.TakeRowsChangedInSight();
        EXPECT_EQ(taken,
                  c.rowsHeard != 0 ? std::vector<std::int32_t>{7} : std::vector<std::int32_t>{})
            << c.follow;
        rows.Stop();
    }
}

}  // namespace
}  // namespace veldra
