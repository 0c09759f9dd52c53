#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace veldra {

class BoardPanel;
class BooleanBit;
class BooleanBits;
class ScanLayout;

// The board bits changed in the current scan, each once, with the value and window they
// had when last recorded: a plain list, and a mark per bit slot saying where a bit stands
// in it. The scan's end pushes them to their windows, newest first.
class ChangedBoardBits {
public:
    // Records the bit, or takes its new value and window where it is recorded already.
    void Record(const BooleanBit& bit);
    // The same for a board bit laid out in `layout` whose slot, value, window and row are
    // in hand, so that neither recording nor the push reads any of the bit (its name is the
    // layout's, by slot).
    void Record(const ScanLayout& layout, const BooleanBit* bit, std::uint32_t slot, bool value,
                BoardPanel* window, int row, std::uint32_t rowsRevision);
    // A first start records every board bit of `layout`, slot by slot: into a list still
    // empty, each is kept as a byte by slot (Sweep) rather than an entry, and its window,
    // row and name are read from `layout` as it is pushed (bits are bound to their windows
    // as the program loads, before it starts). False when the list holds entries already:
    // each is then recorded as usual.
    bool BeginSweep(const ScanLayout& layout);
    // Records the board bit in the slot of the collection swept, as Record by slot would.
    void Sweep(std::uint32_t slot, bool value) {
        if (sweep_[slot] == 0) {
            ++sweepLeft_;
        }
        sweep_[slot] = std::uint8_t(kSwept | (value ? 1 : 0));
    }
    // Room for the board bits of `slots` slots, `boardBits` of them recorded at once.
    void Reserve(std::uint32_t slots, std::size_t boardBits);
    int Count() const { return static_cast<int>(entries_.size() + sweepLeft_); }
    void Clear();

    // Takes out the newest entry and pushes its value to its window. False when empty.
    bool PushNewest();

private:
    // 32 bytes: a first start records every board bit, and the list is written and read
    // once each.
    struct Entry {
        // A bit recorded by slot: the layout, which holds its name. Otherwise the bit
        // itself.
        const void* source;
        BoardPanel* window;
        std::uint32_t slot;
        std::int32_t row;            // the bit's row in the window, 0 for none
        std::uint32_t rowsRevision;  // the window's rows as the bit was bound there, or 0
        bool value;
        bool bySlot;
        bool isFormBit;
    };
    static_assert(sizeof(void*) != 8 || sizeof(Entry) == 32);
    // Whether an entry stands for the bit `bit` of `owner` at `slot`.
    static bool Holds(const Entry& entry, const BooleanBit* bit, const BooleanBits* owner);
    void Store(const Entry& entry, const BooleanBit* bit, const BooleanBits* owner);

    // Pushes the newest of the bits swept that are still waiting.
    void PushSwept();
    // The bits laid out in the layout being swept; none outside a sweep.
    const BooleanBits* SweptBits() const;
    // Takes the new value of a bit of `bits` recorded by the sweep and still waiting: it
    // keeps its place in the order. False, doing nothing, for any other bit.
    bool RecordSwept(const BooleanBits& bits, std::uint32_t slot, bool value) {
        if (slot >= sweep_.size() || sweep_[slot] == 0 || &bits != SweptBits()) {
            return false;
        }
        sweep_[slot] = std::uint8_t(kSwept | (value ? 1 : 0));
        return true;
    }

    std::vector<Entry> entries_;
    std::vector<std::uint32_t> positions_;  // by slot: position in entries_ plus one, or 0
    // The bits recorded by a sweep stand before every entry: by slot of `swept_`, kSwept
    // and the value for each one still waiting, 0 otherwise; pushed from the highest slot
    // down, as entries from the newest.
    static constexpr std::uint8_t kSwept = 2;
    const ScanLayout* swept_ = nullptr;
    std::vector<std::uint8_t> sweep_;
    std::size_t sweepLeft_ = 0;
    std::uint32_t sweepTop_ = 0;  // every slot from it up has been pushed
};

}  // namespace veldra
