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

void BooleanBits::ForwardBitChanged(const BooleanBit& bit, bool value) {
    // Nobody keeping or hearing: the bit is not read at all.
    if ((!keepingRowChanges_ && !BitChanged.HasSubscribers()) || !IsForwarded(bit)) {
        return;
    }
    ForwardRowChanged(bit.vIndex(), value);
}

void BooleanBits::ForwardSlotChanged(std::uint32_t slot, bool value) {
    if ((!keepingRowChanges_ && !BitChanged.HasSubscribers()) || !IsForwardedSlot(slot)) {
        return;
    }
    ForwardRowChanged(rows_[slot], value);
}

void BooleanBits::ForwardRowChanged(std::int32_t row, bool value) {
    if (keepingRowChanges_) {
        if (rowChangesKept_ < rowChangesRoom_) {
            rowChanges_[rowChangesKept_++] = {row, value};
        } else {
            KeepRowChangeAtEdge(row, value);
        }
    }
    if (BitChanged.HasSubscribers()) {
        BitChanged.Raise(row, value);
    }
}

// Out of line, so that the change rule's way in carries no growing of storage.
[[gnu::noinline]] void BooleanBits::KeepRowChangeAtEdge(std::int32_t row, bool value) {
    if (rowChangesKept_ == rowChanges_.size()) {
        rowChanges_.resize(std::max(std::size_t(1024), 2 * rowChanges_.size()));
    }
    rowChanges_[rowChangesKept_++] = {row, value};
    const std::size_t kept = rowChangesKept_;
    rowChangesRoom_ =
        std::min(rowChanges_.size(), (kept / kRowChangesBatch + 1) * kRowChangesBatch);
    if (kept % kRowChangesBatch == 1 && rowChangesWaiting_) {
        rowChangesWaiting_(kept);
    }
}

void BooleanBits::KeepRowChanges(std::function<void(std::size_t)> waiting) {
    keepingRowChanges_ = true;
    ForgetRowChanges();
    rowChangesWaiting_ = std::move(waiting);
    // A scan may change every bit: room for a batch of them is made now, as the reader
    // starts, rather than grown (and copied) during the first scan it follows.
    const std::size_t room = std::min(std::size_t(Count()), kRowChangesBatch);
    if (rowChanges_.size() < room) {
        rowChanges_.resize(room);
    }
}

void BooleanBits::StopRowChanges() {
    keepingRowChanges_ = false;
    ForgetRowChanges();
    rowChangesWaiting_ = nullptr;
}

std::span<const BooleanBits::RowChange> BooleanBits::TakeRowChanges() {
    const std::span<const RowChange> taken(rowChanges_.data(), rowChangesKept_);
    rowChangesKept_ = 0;
    rowChangesRoom_ = 0;
    return taken;
}

void BooleanBits::ForgetRowChanges() {
    rowChangesKept_ = 0;
    rowChangesRoom_ = 0;
}

}  // namespace veldra
