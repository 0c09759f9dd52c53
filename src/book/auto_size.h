#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "book/page_layout.h"

namespace veldra {

class Ladders;

// The widest and tallest statement of the book, as the highest column and row of its bare
// ladder before the book indents, wraps or splits it. Kept by the main window for every
// book it makes and set back to 0 when the user asks for a new book, so that a second auto
// size of the same book, or of the book rebuilt from it, need not measure it again.
struct LadderExtent {
    int MaxLadderCols = 0;
    int MaxLadderRows = 0;
};

// The element sizes auto size tries, from the largest down, in percent.
inline constexpr int kLargestAutoSize = 200;
inline constexpr int kSmallestAutoSize = 50;

// Raises the extent's columns and rows to the bare ladder of every statement of the book.
// `progress` hears of each statement before it is measured (from 1, and the count) and
// answers false when the book has gone meanwhile, which ends the measuring.
void MeasureBook(Ladders& ladders, LadderExtent& extent,
                 const std::function<bool(int statement, int count)>& progress);

// The largest element size from 200 % down to 50 % at which a statement `maxCols` columns
// wide stands on the page without wrapping (when `noWrap`) and one `maxRows` rows high
// stands below the page header without running onto the next page (when `noSpan`);
// nothing when no size does.
std::optional<std::int16_t> AutoSize(PageCanvas canvas, int maxCols, int maxRows, bool noWrap,
                                     bool noSpan);

}  // namespace veldra
