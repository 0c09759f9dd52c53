#pragma once

#include <QAbstractTableModel>

#include "platform/event.h"

namespace veldra {

class BitStatusPage;
class BooleanBits;

// The "Bit Status" grid over the core's rows: an empty narrow column, then one bit name
// per row, green while the bit is True. A bit that changes while the page is shown
// repaints its own cell and nothing else, so a 40,000-bit program costs no more per
// change than a small one.
class StatusGridModel final : public QAbstractTableModel {
public:
    StatusGridModel(BitStatusPage& page, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The rows were rebuilt for a program's bits (none when it closed).
    void Rebuild(BooleanBits* bits);
    // The page was entered: every row took its bit's colour.
    void Recoloured();

private:
    void BitChanged(int row);

    BitStatusPage& page_;
    int rows_ = 0;
    Subscription bitChanged_;
};

}  // namespace veldra
