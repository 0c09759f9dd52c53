#pragma once

class QAbstractItemView;

namespace veldra {

// The width of a grid's column sized from its text: the text's width and the padding the
// layouts give it in twips, or, where the style's cell margins and the grid's line take
// more than that padding, what they take, so that the text shows whole.
int TextColumnWidth(const QAbstractItemView& grid, int textWidth, int paddingTwips);

}  // namespace veldra
