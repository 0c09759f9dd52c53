#include "engine/scan_layout.h"

#include <utility>

#include "logic/boolean_bit.h"
#include "logic/boolean_bits.h"

namespace veldra {

ScanLayout& ScanLayout::operator=(ScanLayout&& other) noexcept {
    if (this != &other) {
        Clear();
        bits_ = std::exchange(other.bits_, nullptr);
        flags_ = std::move(other.flags_);
        placeOf_ = std::move(other.placeOf_);
        places_ = std::move(other.places_);
        nameChars_ = std::move(other.nameChars_);
        nameEnds_ = std::move(other.nameEnds_);
        other.Clear();
        if (bits_ != nullptr) {
            watch_ = bits_->WatchLayout(*this);
        }
    }
    return *this;
}

void ScanLayout::Clear() {
    watch_.Cancel();
    bits_ = nullptr;
    flags_.clear();
    placeOf_.clear();
    places_.clear();
    nameChars_.clear();
    nameEnds_.clear();
}

void ScanLayout::Build(BooleanBits& bits) {
    Clear();
    const std::uint32_t slots = bits.SlotCount();
    flags_.assign(slots, 0);
    nameEnds_.reserve(slots);
    std::size_t chars = 0;
    for (const BooleanBit& bit : bits) {
        chars += bit.BitName().size();
    }
    nameChars_.reserve(chars);
    // In slot order, which is the order the bits joined in: the bits are read as they lie.
    for (std::uint32_t slot = 0; slot < slots; ++slot) {
        if (const BooleanBit* bit = bits.BitAt(slot)) {
            flags_[slot] = bit->Flags();
            const std::string& name = bit->BitName();
            nameChars_.insert(nameChars_.end(), name.begin(), name.end());
            if (bit->FormIndex() != nullptr) {
                PlaceChanged(slot, bit->FormIndex(), bit->FormRow(), bit->FormRowsRevision());
            }
        }
        nameEnds_.push_back(std::uint32_t(nameChars_.size()));
    }
    bits_ = &bits;
    watch_ = bits.WatchLayout(*this);
}

void ScanLayout::PlaceChanged(std::uint32_t slot, BoardPanel* window, int row,
                              std::uint32_t rowsRevision) {
    if (slot >= flags_.size()) {
        return;  // joined since: laid out with the next layout
    }
    if (slot >= placeOf_.size()) {
        if (window == nullptr) {
            return;
        }
        placeOf_.resize(flags_.size(), 0);
    }
    std::uint32_t& at = placeOf_[slot];
    if (at != 0) {
        // A bit taken off its window keeps its entry, so that binding and unbinding it
        // again and again does not grow the places.
        places_[at - 1] = window != nullptr ? BoardPlace{window, row, rowsRevision} : BoardPlace{};
    } else if (window != nullptr) {
        places_.push_back(BoardPlace{window, row, rowsRevision});
        at = std::uint32_t(places_.size());
    }
}

}  // namespace veldra
