#pragma once

#include <cstdint>

namespace veldra {

class BoardPanel;

// Whoever keeps a copy of what its reader tests of each bit of a collection, by slot (the
// engine's layout of the program for the scan), and is told as a held bit's flags or board
// place change, so that its copy is exact whenever it is read. It is told of every held bit,
// those that joined after it laid its copy out included: it may pass over slots beyond its
// copy, which is laid out again once the collection's slots grew.
class BitLayoutWatcher {
public:
    // The bit in the slot has these flags now (BooleanBit::Flags).
    virtual void FlagsChanged(std::uint32_t slot, std::uint8_t flags) = 0;
    // The bit in the slot is shown by this board window at this row now (none: nullptr, 0);
    // `rowsRevision` is the window's RowsRevision as the row was found, 0 when not known.
    virtual void PlaceChanged(std::uint32_t slot, BoardPanel* window, int row,
                              std::uint32_t rowsRevision) = 0;
    // The collection is going: nothing more is told, and it is not to be read again.
    virtual void BitsGone() = 0;

protected:
    BitLayoutWatcher() = default;
    ~BitLayoutWatcher() = default;
    BitLayoutWatcher(const BitLayoutWatcher&) = default;
    BitLayoutWatcher& operator=(const BitLayoutWatcher&) = default;
};

}  // namespace veldra
