#pragma once

#include <QAbstractTableModel>
#include <QTimer>

namespace veldra {

class BitStatusPage;

// The "Bit Status" grid over the core's rows: an empty narrow column, then one bit name
// per row, green while the bit is True. The cells of the bits that change while the page
// is shown are repainted together once the desktop next gets its turn, and only those in
// sight are drawn, so a scan that changes thousands of bits costs one repaint.
class StatusGridModel final : public QAbstractTableModel {
public:
    StatusGridModel(BitStatusPage& page, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The rows were rebuilt for a program's bits (none when it closed).
    void Rebuild();
    // The page was entered: every row took its bit's colour.
    void Recoloured();

private:
    void BitChanged(int row);
    void RepaintChanged();

    BitStatusPage& page_;
    int rows_ = 0;
    // The rows changed since the last repaint; none while first > last.
    int firstChanged_ = 0;
    int lastChanged_ = -1;
    QTimer repaint_;
};

}  // namespace veldra
