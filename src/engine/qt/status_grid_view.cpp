#include "engine/qt/status_grid_view.h"

#include <QMouseEvent>

namespace veldra {
namespace {

constexpr int kNameColumn = 1;

}  // namespace

void StatusGridView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton || model() == nullptr) {
        return;
    }
    const QModelIndex cell = indexAt(event->position().toPoint());
    Q_EMIT bitDoubleClicked(
        cell.isValid() ? model()->index(cell.row(), kNameColumn).data().toString() : QString());
}

std::pair<int, int> StatusGridView::RowsInSight() const {
    return {rowAt(0), rowAt(viewport()->height() - 1)};
}

void StatusGridView::paintEvent(QPaintEvent* event) {
    Q_EMIT aboutToPaint();
    QTableView::paintEvent(event);
}

}  // namespace veldra
