#include "engine/changed_board_bits.h"

#include "logic/boolean_bit.h"

namespace veldra {

void ChangedBoardBits::Record(const BooleanBit& bit) {
    const std::uint32_t slot = bit.Slot();
    if (slot >= positions_.size()) {
        positions_.resize(std::size_t(slot) + 1, 0);
    }
    if (positions_[slot] != 0 && entries_[positions_[slot] - 1].bit == &bit) {
        Entry& recorded = entries_[positions_[slot] - 1];
        recorded.value = bit.BitValue();
        recorded.window = bit.FormIndex();
        recorded.row = bit.FormRow();
        return;
    }
    entries_.push_back(
        Entry{&bit, slot, bit.BitValue(), bit.IsFormBit(), bit.FormIndex(), bit.FormRow()});
    positions_[slot] = std::uint32_t(entries_.size());
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
    if (entry.isFormBit) {
        entry.bit->UpdateIO(entry.window, entry.row, entry.value);
    }
    return true;
}

}  // namespace veldra
