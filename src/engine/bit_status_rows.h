#pragma once

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "logic/bit_rows_watcher.h"
#include "platform/event.h"

namespace veldra {

class BooleanBits;

// The status grid's rows while they are shown: each row reads its colour from its bit's
// value in the bits as it is drawn, instead of being told of every change. A row's colour
// is its bit's value as the bits' BitChanged last named the row, which is the bit's value
// unless the bit changed without being the forwarded one (or left the bits), when the row
// keeps the colour it had. Only changes of the rows in sight are told of and taken.
class BitStatusRows final : private BitRowsWatcher {
public:
    static constexpr std::uint32_t kNoRowSlot = ~std::uint32_t(0);

    BitStatusRows() = default;
    BitStatusRows(const BitStatusRows&) = delete;
    BitStatusRows& operator=(const BitStatusRows&) = delete;

    // Shows the bits' rows: `slotOfRow` gives each row's bit (kNoRowSlot for none), as the
    // rows stand now; `changedInSight` is told as the first change of a row in sight waits
    // to be drawn, once until the rows changed are taken.
    void Show(BooleanBits& bits, std::vector<std::uint32_t> slotOfRow,
              std::function<void()> changedInSight);
    // Stops showing the rows, whether or not the bits are still there.
    void Stop();

    // The rows in sight, first to last (none while first > last): only their changes are
    // told of and taken; a row out of sight is read as it comes into sight.
    void SetRowsInSight(std::int32_t first, std::int32_t last);
    // A shown row's colour now.
    bool RowShown(std::int32_t row) const;
    // The rows in sight that changed since the last take, each once, first to last; from
    // now on the changes are told again.
    const std::vector<std::int32_t>& TakeRowsChangedInSight();

private:
    void SlotChanged(std::uint32_t slot, bool forwarded, bool before, bool value) override;
    void SlotLeaving(std::uint32_t slot, bool value) override;
    void RowGiven(std::uint32_t slot, std::int32_t row) override;

    // The row the bit in the slot was given, -1 for none.
    std::int32_t RowOf(std::uint32_t slot) const {
        return slot < rowOfSlot_.size() ? rowOfSlot_[slot] : -1;
    }

    // The row whose own bit holds the slot among the rows shown; -1 when none.
    std::int32_t OwnRowOf(std::uint32_t slot) const;
    void ShowRowChange(std::uint32_t slot, bool value);
    void MarkRowInSight(std::int32_t row);
    // Tells the bits which slots' changes must reach this object on the scan's short way.
    void WantChanges();

    BooleanBits* bits_ = nullptr;
    Subscription watch_;
    // While every row's bit names that row and no other bit names a shown row, a change is
    // told by its slot alone: a change out of sight costs one comparison of the slot with
    // those of the rows in sight. Otherwise (a bit that joined or was given a row while
    // rows are shown) each change reads its row.
    bool rowsIrregular_ = false;
    std::vector<std::uint32_t> slotOfRow_;
    std::vector<std::int32_t> rowOfSlot_;  // each bit's vIndex, by slot
    // The rows whose colour is not their bit's value now: row and colour, few.
    std::unordered_map<std::int32_t, std::uint8_t> frozenRows_;
    // Rows in sight: the rows themselves and the span of their bits' slots.
    std::int32_t firstRowInSight_ = 0;
    std::vector<std::uint8_t> changedInSight_;  // by row from firstRowInSight_
    std::uint32_t firstSlotInSight_ = 0;
    std::uint32_t slotsInSight_ = 0;  // 0: none in sight
    bool toldInSight_ = false;
    std::vector<std::int32_t> rowsTaken_;
    std::function<void()> changedInSightTold_;
};

}  // namespace veldra
