#include "engine/qt/status_grid_model.h"

#include <QBrush>
#include <QColor>

#include "engine/bit_status_page.h"
#include "logic/boolean_bits.h"
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
    : QAbstractTableModel(parent), page_(page) {}

int StatusGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int StatusGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 2;
}

QVariant StatusGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() != kNameColumn || index.row() >= rows_ ||
        index.row() >= int(page_.Rows().size())) {
        return {};
    }
    const BitStatusPage::Row& row = page_.Rows()[std::size_t(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return ToQString(row.name);
        case Qt::BackgroundRole:
            return row.value ? QVariant(QBrush(TrueColour())) : QVariant();
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

void StatusGridModel::Rebuild(BooleanBits* bits) {
    beginResetModel();
    rows_ = int(page_.Rows().size());
    endResetModel();
    bitChanged_ =
        bits == nullptr
            ? Subscription()
            : bits->BitChanged.Subscribe([this](std::int16_t row, bool) { BitChanged(row); });
}

void StatusGridModel::Recoloured() {
    if (rows_ > 0) {
        Q_EMIT dataChanged(index(0, kNameColumn), index(rows_ - 1, kNameColumn),
                           {Qt::BackgroundRole});
    }
}

void StatusGridModel::BitChanged(int row) {
    // The core keeps the colours only while the page is shown; a numeric bit has no row.
    if (page_.Shown() && row >= 0 && row < rows_) {
        const QModelIndex cell = index(row, kNameColumn);
        Q_EMIT dataChanged(cell, cell, {Qt::BackgroundRole});
    }
}

}  // namespace veldra
