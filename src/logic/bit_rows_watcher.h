#pragma once

#include <cstdint>

namespace veldra {

// Whoever shows the bits of a collection one a row (the program window's status grid) and
// is told of their changes by slot. The slots it wants to hear of when the scan changes a
// bit the short way are kept here, so that the bits test them inline: a change out of sight
// then costs one comparison and no call.
class BitRowsWatcher {
public:
    // A change of the bit in the slot: `forwarded` when the collection's BitChanged names
    // it, `before` and `value` the bit's value before and after.
    virtual void SlotChanged(std::uint32_t slot, bool forwarded, bool before, bool value) = 0;
    // The bit in the slot is leaving the collection with this value.
    virtual void SlotLeaving(std::uint32_t slot, bool value) = 0;
    // The bit in the slot was given a row (or joined with one) while being watched: its
    // vIndex, -1 for none.
    virtual void RowGiven(std::uint32_t slot, std::int32_t row) = 0;

    // Whether a change of the slot made the scan's short way is to be told.
    bool Wants(std::uint32_t slot) const {
        return wantsEverySlot_ || slot - firstWantedSlot_ < wantedSlots_;
    }

protected:
    BitRowsWatcher() = default;
    ~BitRowsWatcher() = default;
    BitRowsWatcher(const BitRowsWatcher&) = default;
    BitRowsWatcher& operator=(const BitRowsWatcher&) = default;

    // Every slot from now on, or only the `count` slots from `first`.
    void WantEverySlot() { wantsEverySlot_ = true; }
    void WantSlots(std::uint32_t first, std::uint32_t count) {
        wantsEverySlot_ = false;
        firstWantedSlot_ = first;
        wantedSlots_ = count;
    }

private:
    bool wantsEverySlot_ = false;
    std::uint32_t firstWantedSlot_ = 0;
    std::uint32_t wantedSlots_ = 0;
};

}  // namespace veldra
