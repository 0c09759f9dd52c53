#include "engine/qt/name_list_delegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>

namespace veldra {
namespace {

// `name` as it is shown in `room` pixels.
QString Shortened(const QFontMetrics& metrics, const QString& name, int room) {
    if (metrics.horizontalAdvance(name) <= room) {
        return name;
    }
    const QString gap(QChar(0x2026));
    // A few letters of the start say the board; the rest of the room keeps the end, where
    // names of one board differ.
    qsizetype start = 0;
    while (start < name.size() && metrics.horizontalAdvance(name.left(start + 1)) <= room / 6) {
        ++start;
    }
    const QString head = name.left(start) + gap;
    qsizetype end = 0;
    while (end < name.size() - start &&
           metrics.horizontalAdvance(head + name.right(end + 1)) <= room) {
        ++end;
    }
    if (end == 0) {
        return metrics.elidedText(name, Qt::ElideMiddle, room);
    }
    return head + name.right(end);
}

}  // namespace

void NameListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem line = option;
    initStyleOption(&line, index);
    const QWidget* view = option.widget;
    QStyle* style = view != nullptr ? view->style() : QApplication::style();
    // The style draws a line's text inside the focus frame's margin and one pixel more.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const int room =
        style->subElementRect(QStyle::SE_ItemViewItemText, &line, view).width() - 2 * margin;
    line.text = Shortened(line.fontMetrics, line.text, room);
    style->drawControl(QStyle::CE_ItemViewItem, &line, painter, view);
}

}  // namespace veldra
