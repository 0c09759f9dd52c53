#include "platform/qt/text_column.h"

#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <algorithm>

#include "platform/qt/twips.h"

namespace veldra {

int TextColumnWidth(const QAbstractItemView& grid, int textWidth, int paddingTwips) {
    // What the style puts around a cell's text: its rectangle for a text, less the text.
    QStyleOptionViewItem cell;
    cell.initFrom(&grid);
    cell.font = grid.font();
    cell.fontMetrics = QFontMetrics(cell.font);
    cell.features = QStyleOptionViewItem::HasDisplay;
    cell.text = QStringLiteral("0");
    cell.rect = QRect(0, 0, 1000, 100);
    const int margins =
        grid.style()->subElementRect(QStyle::SE_ItemViewItemText, &cell, &grid).width() -
        cell.fontMetrics.horizontalAdvance(cell.text);
    const auto* table = qobject_cast<const QTableView*>(&grid);
    const int line = table != nullptr && table->showGrid() ? 1 : 0;
    return textWidth + std::max(PixelsFromTwips(paddingTwips), margins + line);
}

}  // namespace veldra
