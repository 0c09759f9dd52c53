#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "logic/bit_rows_watcher.h"
#include "logic/boolean_bit.h"
#include "logic/model_collection.h"
#include "platform/event.h"

namespace veldra {

// The keyed collection of bits: every bit of the program, and also a track window's
// received bits. It re-raises BitChanged
// for exactly one bit: the one it last handed out with Item or found with Add.
class BooleanBits : public ForwardingCollection<BooleanBit> {
public:
    BooleanBits() = default;
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
    // What the scan and the change rules test of each bit, by slot, kept current by the
    // bits' setters (filter and watch lists, timer page, state load included): the scan
    // reads these instead of the bits themselves.
    enum Flag : std::uint8_t {
        kTimer = 1,  // has a delay
        kFormBit = 2,
        kTrigger = 4,
        kWatch = 8,
        kFilter = 16,
        kAssigned = 32,
        kNumeric = 64,
        kHeard = 128,  // somebody listens to the bit's own BitChanged
    };
    const std::uint8_t* Flags() const { return flags_.data(); }

    // The board window that shows the bit in a slot and the bit's row there (0 for none),
    // kept by the bits' SetFormIndex: what recording a changed board bit reads. Only the
    // few bits of boards have one; a first start reads every one of them in slot order.
    struct BoardPlace {
        BoardPanel* window = nullptr;
        std::int32_t row = 0;
        // The window's RowsRevision as the bit was bound to the row, 0 when not known.
        std::uint32_t rowsRevision = 0;
    };
    BoardPlace PlaceAt(std::uint32_t slot) const {
        const std::uint32_t at = slot < placeOf_.size() ? placeOf_[slot] : 0;
        return at != 0 ? places_[at - 1] : BoardPlace{};
    }
    // The name of the bit in a slot, side by side with the other names, as the
    // immediate-window line of a change made by slot reads it. A bit keeps its name while
    // a collection holds it.
    std::string_view NameAt(std::uint32_t slot) const {
        const std::uint32_t begin = slot == 0 ? 0 : nameEnds_[slot - 1];
        return {nameChars_.data() + begin, nameEnds_[slot] - begin};
    }

    // Gives the bit in the slot its new value where none of the bit's own change rules has
    // anything to do (no delay, watch, trigger or listener of its own, as its flags say):
    // the scan's short way. The change is forwarded from the collection's own arrays, so
    // that a scan the program window follows reads nothing of the bit either.
    void StoreHeardChange(std::uint32_t slot, bool value) {
        StoreValue(slot, value);
        // The scan's way, once per change while the rows are shown: a change of a row out
        // of sight that nobody hears asks for nothing more, and is tested here rather than
        // in a call.
        if (rowsWatcher_ == nullptr || rowsWatcher_->Wants(slot) || !IsForwardedSlot(slot) ||
            BitChanged.HasSubscribers()) {
            ForwardSlotChanged(slot, value);
        }
    }
    // The same where the collection's changes are not heard (ChangesHeard), without the
    // bit in hand at all.
    void StoreChangedValue(std::uint32_t slot, bool value) { StoreValue(slot, value); }
    // Whether anybody hears the collection's BitChanged or shows its rows.
    bool ChangesHeard() const { return rowsWatcher_ != nullptr || BitChanged.HasSubscribers(); }

    // Follows the bit in the slot, as Follow would the bit itself.
    void FollowSlot(std::uint32_t slot) { ForwardingCollection<BooleanBit>::FollowSlot(slot); }

    // Grows whenever a bit's list of reading statements changes.
    std::uint64_t ReadersRevision() const { return readersRevision_; }

    Event<std::int32_t, bool> BitChanged;

    // The row each bit was given (its vIndex, -1 for none), by slot.
    std::int32_t RowOf(std::uint32_t slot) const {
        return slot < rows_.size() ? rows_[slot] : -1;
    }
    std::span<const std::int32_t> Rows() const { return rows_; }
    // Who shows the bits a row each and is told of every change by slot; one at a time,
    // none to stop.
    void SetRowsWatcher(BitRowsWatcher* watcher) { rowsWatcher_ = watcher; }

private:
    friend class BooleanBit;
    // `before` is the bit's value before the change, `value` its value as it is now.
    void ForwardBitChanged(const BooleanBit& bit, bool before, bool value);
    void ForwardSlotChanged(std::uint32_t slot, bool value);
    // Either of the above: `forwarded` when BitChanged names the change, `row` the bit's.
    void ForwardChange(std::uint32_t slot, bool forwarded, bool before, bool value,
                       std::int32_t row);
    void Removing(const BooleanBit& bit) override;
    std::uint32_t TakeSlot(std::string_view name, bool value, std::uint8_t flags,
                           std::int32_t row) {
        // A collection used as a queue (outside inputs, received track bits) empties again
        // and again: no bit holds a slot then, so the slots start afresh.
        if (Count() == 0) {
            values_.clear();
            flags_.clear();
            placeOf_.clear();
            places_.clear();
            nameChars_.clear();
            nameEnds_.clear();
            rows_.clear();
        }
        values_.push_back(value ? 1 : 0);
        rows_.push_back(row);
        flags_.push_back(flags);
        nameChars_.insert(nameChars_.end(), name.begin(), name.end());
        nameEnds_.push_back(std::uint32_t(nameChars_.size()));
        const auto slot = static_cast<std::uint32_t>(values_.size() - 1);
        if (rowsWatcher_ != nullptr && row >= 0) {
            rowsWatcher_->RowGiven(slot);
        }
        return slot;
    }
    void StoreValue(std::uint32_t slot, bool value) { values_[slot] = value ? 1 : 0; }
    void StoreFlags(std::uint32_t slot, std::uint8_t flags) { flags_[slot] = flags; }
    void StoreRow(std::uint32_t slot, std::int32_t row) {
        rows_[slot] = row;
        if (rowsWatcher_ != nullptr) {
            rowsWatcher_->RowGiven(slot);
        }
    }
    void StorePlace(std::uint32_t slot, BoardPanel* window, int row,
                    std::uint32_t rowsRevision = 0) {
        if (slot >= placeOf_.size()) {
            if (window == nullptr) {
                return;
            }
            placeOf_.resize(values_.size(), 0);
        }
        std::uint32_t& at = placeOf_[slot];
        if (at != 0) {
            // A bit taken off its window keeps its entry, so that binding and unbinding
            // it again and again does not grow the places.
            places_[at - 1] =
                window != nullptr ? BoardPlace{window, row, rowsRevision} : BoardPlace{};
        } else if (window != nullptr) {
            places_.push_back(BoardPlace{window, row, rowsRevision});
            at = std::uint32_t(places_.size());
        }
    }
    void ReadersChanged() { ++readersRevision_; }

    std::vector<std::uint8_t> values_;
    std::vector<std::uint8_t> flags_;  // by slot, as values_
    std::vector<std::int32_t> rows_;   // by slot: the bit's vIndex, passed with BitChanged
    // By slot, a board bit's place in places_ plus one, or 0: four bytes a bit, read in
    // slot order without the misses of a hashed look-up.
    std::vector<std::uint32_t> placeOf_;
    std::vector<BoardPlace> places_;
    std::vector<char> nameChars_;          // every slot's name, one after the other
    std::vector<std::uint32_t> nameEnds_;  // by slot: where its name ends in nameChars_
    std::uint64_t readersRevision_ = 0;
    BitRowsWatcher* rowsWatcher_ = nullptr;
};

}  // namespace veldra
