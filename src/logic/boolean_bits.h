#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "logic/bit_layout_watcher.h"
#include "logic/bit_rows_watcher.h"
#include "logic/boolean_bit.h"
#include "logic/model_collection.h"
#include "platform/event.h"
#include "platform/sole_watcher.h"

namespace veldra {

// The keyed collection of bits: every bit of the program, and also a track window's
// received bits. It re-raises BitChanged for exactly one bit: the one it last handed out
// with Item or found with Add. Beside the bits it keeps only their values and the bit
// holding each slot; whoever reads more of the bits by slot keeps its own copy and is
// told of changes (BitLayoutWatcher, BitRowsWatcher).
class BooleanBits : public ForwardingCollection<BooleanBit> {
public:
    BooleanBits() = default;
    ~BooleanBits() override;
    BooleanBits(const BooleanBits&) = delete;
    BooleanBits& operator=(const BooleanBits&) = delete;

    // Creates the bit, or, when the name exists, sets that bit's value without an
    // immediate-window line and returns nothing. The bit named "1" is always born True.
    // IsTimer is ignored: a bit is a timer bit when it has a delay.
    BooleanBit* Add(std::string_view BitName, bool BitValue, bool IsTimer = false,
                    std::int32_t OnTime = 0, std::int32_t OffTime = 0, bool IsFormBit = false);

    // Adds a new bit and then sets its first value with its immediate-window line. A
    // name that exists yields nothing and changes nothing, silently.
    BooleanBit* AddIO(std::string_view BitName, bool IsFormBit, bool BitValue);

    // Every bit's value (0 or 1) by the bit's slot, kept current by the bits' change rules:
    // what a SolveProgram reads. A slot is given when a bit joins and never given again
    // while the collection holds a bit.
    const std::uint8_t* Values() const { return values_.data(); }
    std::uint32_t SlotCount() const { return static_cast<std::uint32_t>(values_.size()); }
    // The bit holding a slot; none for a slot no bit holds now.
    BooleanBit* BitAt(std::uint32_t slot) const {
        return slot < bitAt_.size() ? bitAt_[slot] : nullptr;
    }

    // Gives the bit in the slot its new value where none of the bit's own change rules has
    // anything to do (no delay, watch, trigger or listener of its own, as its flags tell):
    // the scan's short way. The change is forwarded from the collection's own arrays, so
    // that a scan the program window follows reads nothing of the bit unless somebody hears
    // the collection's BitChanged (which names the bit's row).
    void StoreHeardChange(std::uint32_t slot, bool value) {
        StoreValue(slot, value);
        // The scan's way, once per change while the rows are shown: a change of a row out
        // of sight that nobody hears asks for nothing more, and is tested here rather than
        // in a call.
        const BitRowsWatcher* rows = rows_.Get();
        if (rows == nullptr || rows->Wants(slot) || !IsForwardedSlot(slot) ||
            BitChanged.HasSubscribers()) {
            ForwardSlotChanged(slot, value);
        }
    }
    // The same where the collection's changes are not heard (ChangesHeard), without the
    // bit in hand at all.
    void StoreChangedValue(std::uint32_t slot, bool value) { StoreValue(slot, value); }
    // Whether anybody hears the collection's BitChanged or shows its rows.
    bool ChangesHeard() const { return rows_.Get() != nullptr || BitChanged.HasSubscribers(); }

    // Follows the bit in the slot, as Follow would the bit itself.
    void FollowSlot(std::uint32_t slot) { ForwardingCollection<BooleanBit>::FollowSlot(slot); }

    // Grows whenever a bit's list of reading statements changes.
    std::uint64_t ReadersRevision() const { return readersRevision_; }

    Event<std::int32_t, bool> BitChanged;

    // Who shows the bits a row each and is told of every change by slot; one at a time, the
    // last to start. It stops watching as the subscription ends.
    [[nodiscard]] Subscription WatchRows(BitRowsWatcher& watcher) { return rows_.Watch(watcher); }
    // Who keeps its own copy of the held bits' flags and board places by slot and is told
    // as they change; one at a time, the last to start. It stops watching as the
    // subscription ends, and is told too as the collection goes.
    [[nodiscard]] Subscription WatchLayout(BitLayoutWatcher& watcher) {
        return layout_.Watch(watcher);
    }

private:
    friend class BooleanBit;
    // `before` is the bit's value before the change, `value` its value as it is now.
    void ForwardBitChanged(const BooleanBit& bit, bool before, bool value);
    void ForwardSlotChanged(std::uint32_t slot, bool value);
    // Either of the above: `forwarded` when BitChanged names the change, `row` the bit's.
    void ForwardChange(std::uint32_t slot, bool forwarded, bool before, bool value,
                       std::int32_t row);
    void Removing(const BooleanBit& bit) override;
    std::uint32_t TakeSlot(BooleanBit& bit, bool value, std::int32_t row) {
        // A collection used as a queue (outside inputs, received track bits) empties again
        // and again: no bit holds a slot then, so the slots start afresh.
        if (Count() == 0) {
            values_.clear();
            bitAt_.clear();
        }
        values_.push_back(value ? 1 : 0);
        bitAt_.push_back(&bit);
        const auto slot = static_cast<std::uint32_t>(values_.size() - 1);
        if (BitRowsWatcher* watcher = rows_.Get(); watcher != nullptr && row >= 0) {
            watcher->RowGiven(slot, row);
        }
        return slot;
    }
    void StoreValue(std::uint32_t slot, bool value) { values_[slot] = value ? 1 : 0; }
    void TellFlags(std::uint32_t slot, std::uint8_t flags) {
        if (BitLayoutWatcher* watcher = layout_.Get()) {
            watcher->FlagsChanged(slot, flags);
        }
    }
    void TellRow(std::uint32_t slot, std::int32_t row) {
        if (BitRowsWatcher* watcher = rows_.Get()) {
            watcher->RowGiven(slot, row);
        }
    }
    void TellPlace(std::uint32_t slot, BoardPanel* window, int row, std::uint32_t rowsRevision) {
        if (BitLayoutWatcher* watcher = layout_.Get()) {
            watcher->PlaceChanged(slot, window, row, rowsRevision);
        }
    }
    void ReadersChanged() { ++readersRevision_; }

    std::vector<std::uint8_t> values_;
    std::vector<BooleanBit*> bitAt_;  // by slot, as values_: none where the bit left
    std::uint64_t readersRevision_ = 0;
    SoleWatcher<BitRowsWatcher> rows_;
    SoleWatcher<BitLayoutWatcher> layout_;
};

}  // namespace veldra
