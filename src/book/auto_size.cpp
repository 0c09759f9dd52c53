#include "book/auto_size.h"

#include <algorithm>

#include "ladder/ladders.h"

namespace veldra {
void MeasureBook(Ladders& ladders, LadderExtent& extent,
                 const std::function<bool(int statement, int count)>& progress) {
    const int count = ladders.Count();
    for (int i = 1; i <= count; ++i) {
        if (progress && !progress(i, count)) {
            return;
        }
        const CreateLadder* ladder = ladders.Item(i);
        if (ladder == nullptr) {
            return;
        }
        // The book's own ladders have been indented, wrapped and split: lay the text out anew.
        CreateLadder bare;
        if (!ladder->Statement().empty()) {
            bare.SetStatement(ladder->Statement());
        }
        extent.MaxLadderRows = std::max(extent.MaxLadderRows, bare.GetElements().Rows());
        extent.MaxLadderCols = std::max(extent.MaxLadderCols, bare.GetElements().Cols());
    }
}

std::optional<std::int16_t> AutoSize(PageCanvas canvas, int maxCols, int maxRows, bool noWrap,
                                     bool noSpan) {
    for (int size = kLargestAutoSize; size >= kSmallestAutoSize; --size) {
        // A cell of the trial size gives the pitches exactly as the layout will take them.
        const Element trial(size);
        const PageFit holds = PageHolds(canvas, trial);
        const int colsThatFit = holds.maxCols;
        const int rowsThatFit = holds.maxRows - HeaderRows(trial);
        // The book indents every ladder by two columns.
        if (noWrap && maxCols + 2 > colsThatFit) {
            continue;
        }
        if (!noSpan || maxRows <= rowsThatFit) {
            return std::int16_t(size);
        }
    }
    return std::nullopt;
}

}  // namespace veldra
