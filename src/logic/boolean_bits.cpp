#include "logic/boolean_bits.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "platform/runtime_error.h"

namespace veldra {

BooleanBit* BooleanBits::Add(std::string_view BitName, bool BitValue, bool /*IsTimer*/,
                             std::int32_t OnTime, std::int32_t OffTime, bool IsFormBit) {
    return GuardModel(ProgressWindow::Close, nullptr, [&]() -> BooleanBit* {
        if (BooleanBit* existing = Item(BitName)) {
            existing->SetBitValue(BitValue, true);
            return nullptr;
        }
        auto bit = std::make_unique<BooleanBit>();
        bit->SetBitName(BitName);
        bit->SetBitValue(BitValue, true);
        bit->SetOnTime(OnTime);
        bit->SetOffTime(OffTime);
        bit->SetIsFormBit(IsFormBit);
        if (BitName == "1") {
            bit->SetBitValue(true, false);
        }
        bit->SetOwner(this);
        return &items_.Add(std::move(bit), BitName);
    });
}

BooleanBit* BooleanBits::AddIO(std::string_view BitName, bool IsFormBit, bool BitValue) {
    return GuardModel(ProgressWindow::Keep, nullptr, [&]() -> BooleanBit* {
        if (items_.Contains(BitName)) {
            return nullptr;
        }
        auto made = std::make_unique<BooleanBit>();
        made->SetBitName(BitName);
        made->SetIsFormBit(IsFormBit);
        made->SetOwner(this);
        BooleanBit& bit = items_.Add(std::move(made), BitName);
        // Set once the bit is in the collection, where the line's writer looks it up. The
        // bit "1" is the logic's constant True however it comes to exist.
        bit.SetBitValue(BitValue || BitName == "1", false);
        return &bit;
    });
}

void BooleanBits::ForwardBitChanged(const BooleanBit& bit, bool before, bool value) {
    // Nobody showing or hearing: the bit is not read at all.
    if (!showingRows_ && !BitChanged.HasSubscribers()) {
        return;
    }
    ForwardChange(bit.Slot(), IsForwarded(bit), before, value, bit.vIndex());
}

void BooleanBits::ForwardSlotChanged(std::uint32_t slot, bool value) {
    ForwardChange(slot, IsForwardedSlot(slot), !value, value, rows_[slot]);
}

void BooleanBits::ForwardChange(std::uint32_t slot, bool forwarded, bool before, bool value,
                                std::int32_t row) {
    if (!forwarded) {
        // A change BitChanged does not name: the bit's row keeps the colour it had.
        if (const std::int32_t own = showingRows_ ? OwnRowOf(slot) : -1; own >= 0) {
            frozenRows_.try_emplace(own, before ? 1 : 0);
        }
        return;
    }
    if (showingRows_) {
        ShowRowChange(slot, value);
    }
    if (BitChanged.HasSubscribers()) {
        BitChanged.Raise(row, value);
    }
}

std::int32_t BooleanBits::OwnRowOf(std::uint32_t slot) const {
    const std::int32_t row = slot < rows_.size() ? rows_[slot] : -1;
    return row >= 0 && std::size_t(row) < slotOfRow_.size() && slotOfRow_[std::size_t(row)] == slot
               ? row
               : -1;
}

void BooleanBits::ShowRowChange(std::uint32_t slot, bool value) {
    const std::int32_t row = rows_[slot];
    if (row < 0 || std::size_t(row) >= slotOfRow_.size()) {
        return;  // a numeric bit (-1) has no row
    }
    if (slotOfRow_[std::size_t(row)] == slot) {
        if (!frozenRows_.empty()) {
            frozenRows_.erase(row);
        }
    } else {
        frozenRows_[row] = value ? 1 : 0;  // another bit names the row
    }
    MarkRowInSight(row);
}

void BooleanBits::MarkRowInSight(std::int32_t row) {
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

void BooleanBits::Removing(const BooleanBit& bit) {
    const std::uint32_t slot = bit.Slot();
    // The row keeps the colour its bit had as it left.
    if (const std::int32_t row = showingRows_ ? OwnRowOf(slot) : -1; row >= 0) {
        frozenRows_.try_emplace(row, values_[slot]);
        slotOfRow_[std::size_t(row)] = kNoRowSlot;
    }
    if (slot < rows_.size()) {
        rows_[slot] = -1;  // names no row any more
    }
    ForwardingCollection<BooleanBit>::Removing(bit);
}

void BooleanBits::ShowRows(std::vector<std::uint32_t> slotOfRow,
                           std::function<void()> changedInSight) {
    showingRows_ = true;
    slotOfRow_ = std::move(slotOfRow);
    frozenRows_.clear();
    changedInSightTold_ = std::move(changedInSight);
    // Every row's bit names that row, and every bit that names a row is that row's bit.
    std::size_t named = 0;
    bool regular = true;
    for (std::size_t row = 0; row < slotOfRow_.size() && regular; ++row) {
        const std::uint32_t slot = slotOfRow_[row];
        if (slot != kNoRowSlot) {
            regular = slot < rows_.size() && rows_[slot] == std::int32_t(row);
            ++named;
        }
    }
    if (regular) {
        const auto rows = std::int32_t(slotOfRow_.size());
        named -= std::size_t(std::count_if(rows_.begin(), rows_.end(), [rows](std::int32_t row) {
            return row >= 0 && row < rows;
        }));
    }
    rowsIrregular_ = !regular || named != 0;
    SetRowsInSight(0, -1);
}

void BooleanBits::StopShowingRows() {
    showingRows_ = false;
    rowsIrregular_ = false;
    slotOfRow_.clear();
    frozenRows_.clear();
    changedInSightTold_ = nullptr;
    SetRowsInSight(0, -1);
}

void BooleanBits::SetRowsInSight(std::int32_t first, std::int32_t last) {
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
}

const std::vector<std::int32_t>& BooleanBits::TakeRowsChangedInSight() {
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
