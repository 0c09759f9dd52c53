#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "logic/bit_layout_watcher.h"
#include "platform/event.h"

namespace veldra {

class BoardPanel;
class BooleanBits;

// What the scan reads of each bit of the program besides its value, by slot, laid out from
// the bits as the program is laid out for the scan: the bit's flags (BooleanBit::Flag), its
// name, packed side by side, and the board window and row that show it. The bits tell it of
// every later change of a flag or place, so that it is exact whenever the scan reads it; bits
// that join afterwards are not held until it is laid out again.
class ScanLayout final : private BitLayoutWatcher {
public:
    // The board window that shows a bit and the bit's row there (0 for none).
    struct BoardPlace {
        BoardPanel* window = nullptr;
        std::int32_t row = 0;
        // The window's RowsRevision as the bit was bound to the row, 0 when not known.
        std::uint32_t rowsRevision = 0;
    };

    ScanLayout() = default;
    ~ScanLayout() { Clear(); }
    ScanLayout(const ScanLayout&) = delete;
    ScanLayout& operator=(const ScanLayout&) = delete;
    // The bits are told of the one that takes over.
    ScanLayout(ScanLayout&& other) noexcept { *this = std::move(other); }
    ScanLayout& operator=(ScanLayout&& other) noexcept;

    // Lays out every bit the bits hold now and follows their changes.
    void Build(BooleanBits& bits);
    // Holds nothing and follows no bits.
    void Clear();

    // The bits laid out; none once they went.
    const BooleanBits* Bits() const { return bits_; }
    std::uint32_t SlotCount() const { return std::uint32_t(flags_.size()); }
    // Every slot's flags, 0 for a slot no bit held.
    const std::uint8_t* Flags() const { return flags_.data(); }
    BoardPlace PlaceAt(std::uint32_t slot) const {
        const std::uint32_t at = slot < placeOf_.size() ? placeOf_[slot] : 0;
        return at != 0 ? places_[at - 1] : BoardPlace{};
    }
    // The name of the bit in a slot, as the immediate-window line of a change made by slot
    // reads it; empty for a slot not laid out.
    std::string_view NameAt(std::uint32_t slot) const {
        if (slot >= nameEnds_.size()) {
            return {};
        }
        const std::uint32_t begin = slot == 0 ? 0 : nameEnds_[slot - 1];
        return {nameChars_.data() + begin, nameEnds_[slot] - begin};
    }

private:
    void FlagsChanged(std::uint32_t slot, std::uint8_t flags) override {
        if (slot < flags_.size()) {
            flags_[slot] = flags;
        }
    }
    void PlaceChanged(std::uint32_t slot, BoardPanel* window, int row,
                      std::uint32_t rowsRevision) override;
    void BitsGone() override { bits_ = nullptr; }

    BooleanBits* bits_ = nullptr;
    Subscription watch_;
    std::vector<std::uint8_t> flags_;  // by slot
    // By slot, a board bit's place in places_ plus one, or 0: four bytes a bit, read in
    // slot order without the misses of a hashed look-up.
    std::vector<std::uint32_t> placeOf_;
    std::vector<BoardPlace> places_;
    std::vector<char> nameChars_;          // every slot's name, one after the other
    std::vector<std::uint32_t> nameEnds_;  // by slot: where its name ends in nameChars_
};

}  // namespace veldra
