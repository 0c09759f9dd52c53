#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace veldra {

class BoardPanel;
class BooleanBit;
class BooleanBits;

// The board bits changed in the current scan, each once, with the value and window they
// had when last recorded: a plain list, and a mark per bit slot saying where a bit stands
// in it. The scan's end pushes them to their windows, newest first.
class ChangedBoardBits {
public:
    // Records the bit, or takes its new value and window where it is recorded already.
    void Record(const BooleanBit& bit);
    // The same for a board bit of `bits` whose slot, value, window and row are in hand, so
    // that neither recording nor the push reads any of the bit (its name is the
    // collection's, by slot).
    void Record(const BooleanBits& bits, const BooleanBit* bit, std::uint32_t slot, bool value,
                BoardPanel* window, int row);
    // Room for the board bits of `slots` slots, `boardBits` of them recorded at once.
    void Reserve(std::uint32_t slots, std::size_t boardBits);
    int Count() const { return static_cast<int>(entries_.size()); }
    void Clear();

    // Takes out the newest entry and pushes its value to its window. False when empty.
    bool PushNewest();

private:
    // 32 bytes: a first start records every board bit, and the list is written and read
    // once each.
    struct Entry {
        // A bit of a collection recorded by slot: the collection, which holds its name.
        // Otherwise the bit itself.
        const void* source;
        BoardPanel* window;
        std::uint32_t slot;
        std::int32_t row;  // the bit's row in the window, 0 for none
        bool value;
        bool bySlot;
        bool isFormBit;
    };
    static_assert(sizeof(void*) != 8 || sizeof(Entry) == 32);
    // Whether an entry stands for the bit `bit` of `owner` at `slot`.
    static bool Holds(const Entry& entry, const BooleanBit* bit, const BooleanBits* owner);
    void Store(const Entry& entry, const BooleanBit* bit, const BooleanBits* owner);

    std::vector<Entry> entries_;
    std::vector<std::uint32_t> positions_;  // by slot: position in entries_ plus one, or 0
};

}  // namespace veldra
