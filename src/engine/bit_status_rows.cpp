#include "engine/bit_status_rows.h"

#include <algorithm>
#include <utility>

#include "logic/boolean_bit.h"
#include "logic/boolean_bits.h"

namespace veldra {

void BitStatusRows::Show(BooleanBits& bits, std::vector<std::uint32_t> slotOfRow,
                         std::function<void()> changedInSight) {
    bits_ = &bits;
    slotOfRow_ = std::move(slotOfRow);
    frozenRows_.clear();
    changedInSightTold_ = std::move(changedInSight);
    // Each bit's row (its vIndex), by slot, kept from here on as the bits tell of rows given.
    rowOfSlot_.assign(bits.SlotCount(), -1);
    for (std::uint32_t slot = 0; slot < bits.SlotCount(); ++slot) {
        if (const BooleanBit* bit = bits.BitAt(slot)) {
            rowOfSlot_[slot] = bit->vIndex();
        }
    }
    // Every row's bit names that row, and every bit that names a row is that row's bit.
    std::size_t named = 0;
    bool regular = true;
    for (std::size_t row = 0; row < slotOfRow_.size() && regular; ++row) {
        const std::uint32_t slot = slotOfRow_[row];
        if (slot != kNoRowSlot) {
            regular = slot < rowOfSlot_.size() && rowOfSlot_[slot] == std::int32_t(row);
            ++named;
        }
    }
    if (regular) {
        const auto rows = std::int32_t(slotOfRow_.size());
        named -=
            std::size_t(std::count_if(rowOfSlot_.begin(), rowOfSlot_.end(),
                                      [rows](std::int32_t row) { return row >= 0 && row < rows; }));
    }
    rowsIrregular_ = !regular || named != 0;
    SetRowsInSight(0, -1);
    watch_ = bits.WatchRows(*this);
}

void BitStatusRows::Stop() {
    watch_.Cancel();
    bits_ = nullptr;
    rowsIrregular_ = false;
    slotOfRow_.clear();
    rowOfSlot_.clear();
    frozenRows_.clear();
    changedInSightTold_ = nullptr;
    SetRowsInSight(0, -1);
}

void BitStatusRows::SlotChanged(std::uint32_t slot, bool forwarded, bool before, bool value) {
    if (!forwarded) {
        // A change BitChanged does not name: the bit's row keeps the colour it had.
        if (const std::int32_t own = OwnRowOf(slot); own >= 0) {
            frozenRows_.try_emplace(own, before ? 1 : 0);
            WantChanges();
        }
        return;
    }
    ShowRowChange(slot, value);
}

void BitStatusRows::SlotLeaving(std::uint32_t slot, bool value) {
    // The row keeps the colour its bit had as it left.
    if (const std::int32_t row = OwnRowOf(slot); row >= 0) {
        frozenRows_.try_emplace(row, value ? 1 : 0);
        slotOfRow_[std::size_t(row)] = kNoRowSlot;
        WantChanges();
    }
    if (slot < rowOfSlot_.size()) {
        rowOfSlot_[slot] = -1;  // names no row any more
    }
}

void BitStatusRows::RowGiven(std::uint32_t slot, std::int32_t row) {
    if (slot >= rowOfSlot_.size()) {
        rowOfSlot_.resize(std::size_t(slot) + 1, -1);  // joined since the rows were shown
    }
    rowOfSlot_[slot] = row;
    // A row given while rows are shown may be one another bit is shown in.
    rowsIrregular_ = true;
    WantChanges();
}

std::int32_t BitStatusRows::OwnRowOf(std::uint32_t slot) const {
    const std::int32_t row = RowOf(slot);
    return row >= 0 && std::size_t(row) < slotOfRow_.size() && slotOfRow_[std::size_t(row)] == slot
               ? row
               : -1;
}

void BitStatusRows::ShowRowChange(std::uint32_t slot, bool value) {
    const std::int32_t row = RowOf(slot);
    if (row < 0 || std::size_t(row) >= slotOfRow_.size()) {
        return;  // a numeric bit (-1) has no row
    }
    if (slotOfRow_[std::size_t(row)] == slot) {
        if (!frozenRows_.empty()) {
            frozenRows_.erase(row);
            WantChanges();
        }
    } else {
        frozenRows_[row] = value ? 1 : 0;  // another bit names the row
        WantChanges();
    }
    MarkRowInSight(row);
}

void BitStatusRows::MarkRowInSight(std::int32_t row) {
    const auto at = std::size_t(row - firstRowInSight_);
    if (row < firstRowInSight_ || at >= changedInSight_.size() || changedInSight_[at] != 0) {
        return;
    }
    changedInSight_[at] = 1;
    if (!toldInSight_) {
        toldInSight_ = true;
        if (changedInSightTold_) {
            changedInSightTold_();
        }
    }
}

void BitStatusRows::SetRowsInSight(std::int32_t first, std::int32_t last) {
    first = std::max(first, 0);
    last = std::min(last, std::int32_t(slotOfRow_.size()) - 1);
    firstRowInSight_ = first;
    changedInSight_.assign(first <= last ? std::size_t(last - first + 1) : 0, 0);
    toldInSight_ = false;
    std::uint32_t low = kNoRowSlot;
    std::uint32_t high = 0;
    for (std::int32_t row = first; row <= last; ++row) {
        const std::uint32_t slot = slotOfRow_[std::size_t(row)];
        if (slot != kNoRowSlot) {
            low = std::min(low, slot);
            high = std::max(high, slot);
        }
    }
    firstSlotInSight_ = low;
    slotsInSight_ = low <= high ? high - low + 1 : 0;
    WantChanges();
}

void BitStatusRows::WantChanges() {
    // Rows that are not each their own bit's, or that keep a colour of their own, are
    // found by the change's row: every change is told then.
    if (rowsIrregular_ || !frozenRows_.empty()) {
        WantEverySlot();
    } else {
        WantSlots(firstSlotInSight_, slotsInSight_);
    }
}

bool BitStatusRows::RowShown(std::int32_t row) const {
    if (!frozenRows_.empty()) {
        if (const auto kept = frozenRows_.find(row); kept != frozenRows_.end()) {
            return kept->second != 0;
        }
    }
    if (bits_ == nullptr || std::size_t(row) >= slotOfRow_.size()) {
        return false;  // no row of the rows shown (or none at all: -1)
    }
    const std::uint32_t slot = slotOfRow_[std::size_t(row)];
    return slot < bits_->SlotCount() && bits_->Values()[slot] != 0;
}

const std::vector<std::int32_t>& BitStatusRows::TakeRowsChangedInSight() {
    rowsTaken_.clear();
    for (std::size_t at = 0; at < changedInSight_.size(); ++at) {
        if (changedInSight_[at] != 0) {
            changedInSight_[at] = 0;
            rowsTaken_.push_back(firstRowInSight_ + std::int32_t(at));
        }
    }
    toldInSight_ = false;
    return rowsTaken_;
}

}  // namespace veldra
