#include "engine/qt/status_grid_model.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

#include "engine/bit_status_page.h"
#include "engine/qt/status_grid_view.h"
#include "platform/qt/qt_text.h"

namespace veldra {
namespace {

constexpr int kNameColumn = 1;

QColor TrueColour() {
    const unsigned rgb = BitStatusPage::kTrueBackColour;
    return QColor(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

}  // namespace

StatusGridModel::StatusGridModel(BitStatusPage& page, StatusGridView& view)
    : QAbstractTableModel(&view), page_(page), view_(view) {
    repaint_.setSingleShot(true);
    repaint_.setInterval(0);
    connect(&repaint_, &QTimer::timeout, this, [this] { RepaintChanged(); });
    changesWaiting_ = page_.ChangesWaiting.Subscribe([this] {
        if (!repaint_.isActive()) {
            repaint_.start();
        }
    });
}

int StatusGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int StatusGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant StatusGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() != kNameColumn || index.row() >= rows_ ||
        index.row() >= int(page_.RowCount())) {
        return {};
    }
    const auto row = std::size_t(index.row());
    switch (role) {
        case Qt::DisplayRole:
            return ToQString(page_.RowName(row));
        case Qt::BackgroundRole:
            return page_.RowValue(row) ? QVariant(QBrush(TrueColour())) : QVariant();
        case Qt::TextAlignmentRole:
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

Qt::ItemFlags StatusGridModel::flags(const QModelIndex& index) const {
    // The narrow first column is fixed: it can be neither chosen nor edited.
    return index.column() == kNameColumn ? Qt::ItemIsEnabled | Qt::ItemIsSelectable
                                         : Qt::ItemIsEnabled;
}

void StatusGridModel::Rebuild() {
    beginResetModel();
    rows_ = int(page_.RowCount());
    endResetModel();
    sight_ = RowsInSight();
    page_.SetRowsInSight(sight_.first, sight_.second);
}

void StatusGridModel::Recoloured() {
    if (rows_ > 0) {
        Q_EMIT dataChanged(index(0, kNameColumn), index(rows_ - 1, kNameColumn),
                           {Qt::BackgroundRole});
    }
    sight_ = RowsInSight();
    page_.SetRowsInSight(sight_.first, sight_.second);
}

std::pair<int, int> StatusGridModel::RowsInSight() const {
    const auto [first, last] = view_.RowsInSight();
    if (first < 0) {
        return {0, -1};
    }
    return {first, last < 0 ? rows_ - 1 : std::min(last, rows_ - 1)};
}

void StatusGridModel::SightMayHaveMoved() {
    const std::pair<int, int> sight = RowsInSight();
    if (sight == sight_) {
        return;
    }
    // Cells changed in the rows that were in sight are drawn wherever they are now.
    RepaintChanged();
    sight_ = sight;
    page_.SetRowsInSight(sight.first, sight.second);
}

void StatusGridModel::RepaintChanged() {
    // One cell at a time: a range of cells would have the view repaint all it shows.
    for (const int row : page_.TakeRowsChangedInSight()) {
        if (row < rows_) {
            const QModelIndex cell = index(row, kNameColumn);
            Q_EMIT dataChanged(cell, cell, {Qt::BackgroundRole});
        }
    }
}

}  // namespace veldra
