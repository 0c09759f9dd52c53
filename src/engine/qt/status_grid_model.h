#pragma once

#include <QAbstractTableModel>
#include <QTimer>
#include <utility>

#include "platform/event.h"

namespace veldra {

class BitStatusPage;
class StatusGridView;

// The "Bit Status" grid over the core's rows: an empty narrow column, then one bit name
// per row, green while the bit is True. A cell reads its colour from the bits' values as it
// is drawn; the bits tell only of changes to rows in sight, and those cells are drawn again
// once the desktop next gets its turn, so a scan that changes thousands of bits costs at
// most one repaint of what the engineer sees; a row out of sight is read as it comes in.
class StatusGridModel final : public QAbstractTableModel {
public:
    // The model of `view`, which it asks for the rows in sight.
    StatusGridModel(BitStatusPage& page, StatusGridView& view);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The rows were rebuilt for a program's bits (none when it closed).
    void Rebuild();
    // The page was entered: every row took its bit's colour.
    void Recoloured();

    // The view is about to be drawn, perhaps scrolled or resized: the rows in sight are
    // asked for again, after the cells changed in the old ones are marked to be drawn.
    void SightMayHaveMoved();

private:
    void RepaintChanged();
    std::pair<int, int> RowsInSight() const;

    BitStatusPage& page_;
    const StatusGridView& view_;
    int rows_ = 0;
    std::pair<int, int> sight_{0, -1};
    QTimer repaint_;
    Subscription changesWaiting_;
};

}  // namespace veldra
