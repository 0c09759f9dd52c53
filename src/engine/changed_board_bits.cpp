#include "engine/changed_board_bits.h"

#include "logic/boolean_bit.h"
#include "logic/boolean_bits.h"

namespace veldra {

void ChangedBoardBits::Record(const BooleanBit& bit) {
    Store(Entry{&bit, bit.FormIndex(), bit.Slot(), bit.FormRow(), bit.BitValue(), false,
                bit.IsFormBit()},
          &bit, bit.Owner());
}

void ChangedBoardBits::Record(const BooleanBits& bits, const BooleanBit* bit, std::uint32_t slot,
                              bool value, BoardPanel* window, int row) {
    Store(Entry{&bits, window, slot, row, value, true, true}, bit, &bits);
}

bool ChangedBoardBits::Holds(const Entry& entry, const BooleanBit* bit, const BooleanBits* owner) {
    // A collection gives a slot to one bit at a time.
    return entry.bySlot ? owner != nullptr && entry.source == owner
                        : bit != nullptr && entry.source == bit;
}

void ChangedBoardBits::Store(const Entry& entry, const BooleanBit* bit, const BooleanBits* owner) {
    const std::uint32_t slot = entry.slot;
    if (slot >= positions_.size()) {
        positions_.resize(std::size_t(slot) + 1, 0);
    }
    if (positions_[slot] != 0 && Holds(entries_[positions_[slot] - 1], bit, owner)) {
        Entry& recorded = entries_[positions_[slot] - 1];
        recorded.value = entry.value;
        recorded.window = entry.window;
        recorded.row = entry.row;
        return;
    }
    entries_.push_back(entry);
    positions_[slot] = std::uint32_t(entries_.size());
}

void ChangedBoardBits::Reserve(std::uint32_t slots, std::size_t boardBits) {
    if (positions_.size() < slots) {
        positions_.resize(slots, 0);
    }
    entries_.reserve(boardBits);
}

void ChangedBoardBits::Clear() {
    for (const Entry& entry : entries_) {
        positions_[entry.slot] = 0;
    }
    entries_.clear();
}

bool ChangedBoardBits::PushNewest() {
    if (entries_.empty()) {
        return false;
    }
    const Entry entry = entries_.back();
    entries_.pop_back();
    positions_[entry.slot] = 0;
    if (entry.isFormBit && entry.window != nullptr) {
        const std::string_view name =
            entry.bySlot ? static_cast<const BooleanBits*>(entry.source)->NameAt(entry.slot)
                         : static_cast<const BooleanBit*>(entry.source)->BitName();
        BooleanBit::UpdateIO(entry.window, entry.row, name, entry.value);
    }
    return true;
}

}  // namespace veldra
