#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "logic/boolean_bits.h"
#include "platform/ascii_text.h"

namespace veldra {

// Calls `visit(row, bit)` for every bit that has a row of its own among `rowCount` status
// rows: the row its vIndex names, still under the bit's name. One walk over the bits, where a
// look-up by name per row would miss the cache 40,000 times in a large program; a bit made
// since the rows were listed has none.
template <class RowName, class Visit>
void ForEachBitAtItsRow(const BooleanBits& bits, std::size_t rowCount, const RowName& rowName,
                        const Visit& visit) {
    for (const BooleanBit& bit : bits) {
        const std::int32_t row = bit.vIndex();
        if (row >= 0 && std::size_t(row) < rowCount &&
            EqualsIgnoringCase(std::string_view(rowName(std::size_t(row))), bit.BitName())) {
            visit(std::size_t(row), bit);
        }
    }
}

}  // namespace veldra
