#include "logic/boolean_bits.h"

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

namespace {

// Out of line, so that a change nobody keeps costs the change rule nothing more.
[[gnu::noinline]] void KeepRowChangeAndRaise(std::vector<BooleanBits::RowChange>& changes,
                                             const std::function<void(std::size_t)>& waiting,
                                             const Event<std::int32_t, bool>& changed,
                                             const BooleanBit& bit) {
    changes.push_back({bit.vIndex(), bit.BitValue()});
    if (changes.size() % BooleanBits::kRowChangesBatch == 1 && waiting) {
        waiting(changes.size());
    }
    changed.Raise(bit.vIndex(), bit.BitValue());
}

}  // namespace

void BooleanBits::ForwardBitChanged(const BooleanBit& bit) {
    // Nobody keeping or hearing: the bit is not read at all.
    if ((!keepingRowChanges_ && !BitChanged.HasSubscribers()) || !IsForwarded(bit)) {
        return;
    }
    if (keepingRowChanges_) {
        KeepRowChangeAndRaise(rowChanges_, rowChangesWaiting_, BitChanged, bit);
        return;
    }
    BitChanged.Raise(bit.vIndex(), bit.BitValue());
}

void BooleanBits::KeepRowChanges(std::function<void(std::size_t)> waiting) {
    keepingRowChanges_ = true;
    rowChanges_.clear();
    rowChangesWaiting_ = std::move(waiting);
}

void BooleanBits::StopRowChanges() {
    keepingRowChanges_ = false;
    rowChanges_.clear();
    rowChangesWaiting_ = nullptr;
}

void BooleanBits::TakeRowChanges(std::vector<RowChange>& into) {
    into.clear();
    into.swap(rowChanges_);
}

}  // namespace veldra
