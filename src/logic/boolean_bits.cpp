#include "logic/boolean_bits.h"

#include <memory>
#include <utility>

#include "platform/runtime_error.h"

namespace veldra {

BooleanBits::~BooleanBits() {
    if (BitLayoutWatcher* watcher = layout_.Get()) {
        watcher->BitsGone();
    }
}

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
    if (rows_.Get() == nullptr && !BitChanged.HasSubscribers()) {
        return;
    }
    ForwardChange(bit.Slot(), IsForwarded(bit), before, value, bit.vIndex());
}

void BooleanBits::ForwardSlotChanged(std::uint32_t slot, bool value) {
    const bool forwarded = IsForwardedSlot(slot);
    // The bit itself is read only when its change is to be raised with its row.
    const BooleanBit* bit = forwarded && BitChanged.HasSubscribers() ? bitAt_[slot] : nullptr;
    ForwardChange(slot, forwarded, !value, value, bit != nullptr ? bit->vIndex() : -1);
}

void BooleanBits::ForwardChange(std::uint32_t slot, bool forwarded, bool before, bool value,
                                std::int32_t row) {
    if (BitRowsWatcher* watcher = rows_.Get()) {
        watcher->SlotChanged(slot, forwarded, before, value);
    }
    if (forwarded && BitChanged.HasSubscribers()) {
        BitChanged.Raise(row, value);
    }
}

void BooleanBits::Removing(const BooleanBit& bit) {
    const std::uint32_t slot = bit.Slot();
    if (BitRowsWatcher* watcher = rows_.Get()) {
        watcher->SlotLeaving(slot, values_[slot] != 0);
    }
    bitAt_[slot] = nullptr;
    ForwardingCollection<BooleanBit>::Removing(bit);
}

}  // namespace veldra
