#include "engine/changed_board_bits.h"

#include "engine/scan_layout.h"
#include "logic/boolean_bit.h"
#include "logic/boolean_bits.h"

namespace veldra {

void ChangedBoardBits::Record(const BooleanBit& bit) {
    Store(Entry{&bit, bit.FormIndex(), bit.Slot(), bit.FormRow(), 0, bit.BitValue(), false,
                bit.IsFormBit()},
          &bit, bit.Owner());
}

void ChangedBoardBits::Record(const ScanLayout& layout, const BooleanBit* bit, std::uint32_t slot,
                              bool value, BoardPanel* window, int row, std::uint32_t rowsRevision) {
    Store(Entry{&layout, window, slot, row, rowsRevision, value, true, true}, bit, layout.Bits());
}

bool ChangedBoardBits::Holds(const Entry& entry, const BooleanBit* bit, const BooleanBits* owner) {
    // A collection gives a slot to one bit at a time.
    return entry.bySlot
               ? owner != nullptr && static_cast<const ScanLayout*>(entry.source)->Bits() == owner
               : bit != nullptr && entry.source == bit;
}

void ChangedBoardBits::Store(const Entry& entry, const BooleanBit* bit, const BooleanBits* owner) {
    const std::uint32_t slot = entry.slot;
    if (owner != nullptr && RecordSwept(*owner, slot, entry.value)) {
        return;
    }
    if (slot >= positions_.size()) {
        positions_.resize(std::size_t(slot) + 1, 0);
    }
    if (positions_[slot] != 0 && Holds(entries_[positions_[slot] - 1], bit, owner)) {
        Entry& recorded = entries_[positions_[slot] - 1];
        recorded.value = entry.value;
        recorded.window = entry.window;
        recorded.row = entry.row;
        recorded.rowsRevision = entry.rowsRevision;
        return;
    }
    entries_.push_back(entry);
    positions_[slot] = std::uint32_t(entries_.size());
}

bool ChangedBoardBits::BeginSweep(const ScanLayout& layout) {
    if (!entries_.empty() || sweepLeft_ != 0) {
        return false;
    }
    swept_ = &layout;
    sweep_.assign(layout.SlotCount(), 0);
    sweepTop_ = layout.SlotCount();
    return true;
}

void ChangedBoardBits::Reserve(std::uint32_t slots, std::size_t boardBits) {
    if (positions_.size() < slots) {
        positions_.resize(slots, 0);
    }
    entries_.reserve(boardBits);
}

const BooleanBits* ChangedBoardBits::SweptBits() const {
    return swept_ != nullptr ? swept_->Bits() : nullptr;
}

void ChangedBoardBits::Clear() {
    for (const Entry& entry : entries_) {
        positions_[entry.slot] = 0;
    }
    entries_.clear();
    swept_ = nullptr;
    sweep_.clear();
    sweepLeft_ = 0;
    sweepTop_ = 0;
}

bool ChangedBoardBits::PushNewest() {
    if (entries_.empty()) {
        if (sweepLeft_ == 0) {
            return false;
        }
        PushSwept();
        return true;
    }
    const Entry entry = entries_.back();
    entries_.pop_back();
    positions_[entry.slot] = 0;
    if (entry.isFormBit && entry.window != nullptr) {
        const std::string_view name =
            entry.bySlot ? static_cast<const ScanLayout*>(entry.source)->NameAt(entry.slot)
                         : static_cast<const BooleanBit*>(entry.source)->BitName();
        BooleanBit::UpdateIO(entry.window, entry.row, name, entry.value, entry.rowsRevision);
    }
    return true;
}

void ChangedBoardBits::PushSwept() {
    while (sweep_[--sweepTop_] == 0) {
    }
    const std::uint32_t slot = sweepTop_;
    const bool value = (sweep_[slot] & 1) != 0;
    sweep_[slot] = 0;
    const ScanLayout& layout = *swept_;
    if (--sweepLeft_ == 0) {
        swept_ = nullptr;
        sweep_.clear();
        sweepTop_ = 0;
    }
    const ScanLayout::BoardPlace place = layout.PlaceAt(slot);
    if (place.window != nullptr) {
        BooleanBit::UpdateIO(place.window, place.row, layout.NameAt(slot), value,
                             place.rowsRevision);
    }
}

}  // namespace veldra
