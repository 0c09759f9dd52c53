#include "engine/changed_board_bits.h"

#include "logic/boolean_bit.h"
#include "logic/boolean_bits.h"

namespace veldra {

void ChangedBoardBits::Record(const BooleanBit& bit) {
    Store(Entry{&bit, bit.Owner(), bit.Slot(), bit.BitValue(), bit.IsFormBit(), bit.FormIndex(),
                bit.FormRow()});
}

void ChangedBoardBits::Record(const BooleanBits& bits, const BooleanBit* bit, std::uint32_t slot,
                              bool value, BoardPanel* window, int row) {
    Store(Entry{bit, &bits, slot, value, true, window, row});
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
            entry.names != nullptr ? entry.names->NameAt(entry.slot) : entry.bit->BitName();
        BooleanBit::UpdateIO(entry.window, entry.row, name, entry.value);
    }
    return true;
}

}  // namespace veldra
