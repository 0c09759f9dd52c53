#pragma once

#include <QAbstractTableModel>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "logic/boolean_bits.h"

namespace veldra {

class BitStatusPage;

// The "Bit Status" grid over the core's rows: an empty narrow column, then one bit name
// per row, green while the bit is True. The changes of the bits while the page is shown are
// taken in together once the desktop next gets its turn, and only the changed cells in
// sight are drawn, so a scan that changes thousands of bits costs at most
// one repaint of what the engineer sees; a row out of sight is read as it scrolls in.
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

    // The first and last row in sight (-1 for none, or for the last when the rows end
    // above the bottom); without it every changed row counts as in sight.
    std::function<std::pair<int, int>()> rowsInSight;

private:
    void RowsChanged(std::span<const BooleanBits::RowChange> changes);
    void RepaintChanged();

    BitStatusPage& page_;
    void ForgetChanges();

    int rows_ = 0;
    // The rows changed since the last repaint, marked and bounded; none while first > last.
    std::vector<std::uint8_t> changed_;
    int firstChanged_ = 0;
    int lastChanged_ = -1;
    QTimer repaint_;
};

}  // namespace veldra
