#include "engine/qt/status_grid_model.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

#include "engine/bit_status_page.h"
#include "platform/qt/qt_text.h"

namespace veldra {
namespace {

constexpr int kNameColumn = 1;

QColor TrueColour() {
    const unsigned rgb = BitStatusPage::kTrueBackColour;
    return QColor(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

}  // namespace

StatusGridModel::StatusGridModel(BitStatusPage& page, QObject* parent)
    : QAbstractTableModel(parent), page_(page) {
    repaint_.setSingleShot(true);
    repaint_.setInterval(0);
    connect(&repaint_, &QTimer::timeout, this, [this] { RepaintChanged(); });
    page_.changesWaiting = [this] {
        if (!repaint_.isActive()) {
            repaint_.start();
        }
    };
    page_.rowsChanged = [this](std::span<const BooleanBits::RowChange> changes) {
        RowsChanged(changes);
    };
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
    changed_.assign(std::size_t(rows_), 0);
    firstChanged_ = 0;
    lastChanged_ = -1;
    endResetModel();
}

void StatusGridModel::Recoloured() {
    if (rows_ > 0) {
        Q_EMIT dataChanged(index(0, kNameColumn), index(rows_ - 1, kNameColumn),
                           {Qt::BackgroundRole});
    }
}

void StatusGridModel::RowsChanged(std::span<const BooleanBits::RowChange> changes) {
    // A row out of sight now is read afresh as it scrolls in: only those in sight are marked.
    int top = 0;
    int bottom = rows_ - 1;
    if (rowsInSight) {
        const auto [first, last] = rowsInSight();
        if (first < 0) {
            return;
        }
        top = first;
        bottom = last < 0 ? rows_ - 1 : std::min(last, rows_ - 1);
    }
    for (const BooleanBits::RowChange& change : changes) {
        const int row = change.row;
        if (row < top || row > bottom || changed_[std::size_t(row)] != 0) {
            continue;
        }
        changed_[std::size_t(row)] = 1;
        if (firstChanged_ > lastChanged_) {
            firstChanged_ = lastChanged_ = row;
            if (!repaint_.isActive()) {
                repaint_.start();
            }
        } else {
            firstChanged_ = std::min(firstChanged_, row);
            lastChanged_ = std::max(lastChanged_, row);
        }
    }
}

void StatusGridModel::RepaintChanged() {
    page_.TakeChanges();
    if (firstChanged_ > lastChanged_ || lastChanged_ >= rows_) {
        ForgetChanges();
        return;
    }
    int top = 0;
    int bottom = rows_ - 1;
    if (rowsInSight) {
        const auto [first, last] = rowsInSight();
        if (first < 0) {
            ForgetChanges();  // no row in sight
            return;
        }
        top = first;
        bottom = last < 0 ? rows_ - 1 : std::min(last, rows_ - 1);
    }
    // One cell at a time: a range of cells would have the view repaint all it shows.
    for (int row = std::max(top, firstChanged_); row <= std::min(bottom, lastChanged_); ++row) {
        if (changed_[std::size_t(row)] != 0) {
            const QModelIndex cell = index(row, kNameColumn);
            Q_EMIT dataChanged(cell, cell, {Qt::BackgroundRole});
        }
    }
    ForgetChanges();
}

void StatusGridModel::ForgetChanges() {
    if (firstChanged_ <= lastChanged_ && lastChanged_ < int(changed_.size())) {
        std::fill(changed_.begin() + firstChanged_, changed_.begin() + lastChanged_ + 1, 0);
    }
    firstChanged_ = 0;
    lastChanged_ = -1;
}

}  // namespace veldra
