#include "engine/changed_board_bits.h"

#include "logic/boolean_bit.h"

namespace veldra {

void ChangedBoardBits::Record(const BooleanBit& bit) {
    Store(Entry{&bit, bit.Slot(), bit.BitValue(), bit.IsFormBit(), bit.FormIndex(), bit.FormRow()});
}

void ChangedBoardBits::Record(const BooleanBit* bit, std::uint32_t slot, bool value,
                              BoardPanel* window, int row) {
    Store(Entry{bit, slot, value, true, window, row});
}

void ChangedBoardBits::Store(const Entry& entry) {
    const std::uint32_t slot = entry.slot;
    if (slot >= positions_.size()) {
        positions_.resize(std::size_t(slot) + 1, 0);
    }
    if (positions_[slot] != 0 && entries_[positions_[slot] - 1].bit == entry.bit) {
        Entry& recorded = entries_[positions_[slot] - 1];
        recorded.value = entry.value;
        recorded.window = entry.window;
        recorded.row = entry.row;
        return;
    }
    entries_.push_back(entry);
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
