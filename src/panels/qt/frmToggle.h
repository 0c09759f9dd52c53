#pragma once

#include <QAbstractTableModel>
#include <QPixmap>
#include <vector>

#include "panels/qt/board_form.h"

class QTableView;

namespace veldra {

class TogglePanel;

// The toggle grid as a model over the half's cells: the group headings are the columns'
// headers, each bit cell shows its name on the right and its green or grey picture on
// the left. A changed bit repaints its own cells only.
class ToggleGridModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ToggleGridModel(const TogglePanel& half, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The grid's shape or headings changed.
    void Rebuild();
    // The cell at the half's row and column shows a new picture.
    void CellShown(int row, int column);

private:
    const TogglePanel& half_;
    QPixmap lit_;
    QPixmap dark_;
    int rows_ = 0;
    int columns_ = 0;
};

// frmToggle, "Toggle Bits": the grid of the coded outputs' toggle groups.
class frmToggle final : public BoardForm {
    Q_OBJECT

public:
    explicit frmToggle(TogglePanel& half);

private:
    void Draw() override;
    void FrameResized(WindowSize size) override;

    TogglePanel& half_;
    ToggleGridModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    Subscription cellShown_;
    // What the grid's layout was last drawn from.
    int shownPlaced_ = -1;
    bool heightsShown_ = false;
};

}  // namespace veldra
