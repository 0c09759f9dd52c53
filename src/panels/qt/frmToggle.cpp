#include "panels/qt/frmToggle.h"

#include <QHeaderView>
#include <QPixmap>
#include <QTableView>

#include "panels/toggle_panel.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/run_picture.h"
#include "platform/qt/twips.h"

namespace veldra {
namespace {

// The margins a cell keeps around its picture and its text, beyond the room the grid's
// widths allow for the picture.
constexpr int kCellPadding = 8;

// A lamp's picture, one for every toggle window of the run.
QPixmap Picture(const QString& name, QColor colour) {
    return PictureOfTheRun("veldra/frmToggle/" + name, [&] {
        QPixmap picture(15, 15);
        picture.fill(colour);
        return picture;
    });
}

}  // namespace

ToggleGridModel::ToggleGridModel(const TogglePanel& half, QObject* parent)
    : QAbstractTableModel(parent),
      half_(half),
      lit_(Picture("lit", QColor(0, 255, 0))),
      dark_(Picture("dark", QColor(128, 128, 128))) {
    Rebuild();
}

int ToggleGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int ToggleGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

// Model row r is the grid's row r + 1: the grid's row 0 holds the headings.
QVariant ToggleGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || index.column() >= columns_) {
        return {};
    }
    const ToggleCell& cell =
        half_.Cells()[std::size_t(index.row() + 1)][std::size_t(index.column())];
    switch (role) {
        case Qt::DisplayRole:
            return ToQString(cell.text);
        case Qt::DecorationRole: {
            if (cell.picture == LampImage::Parked) {
                return {};
            }
            return cell.picture == LampImage::Lit ? lit_ : dark_;
        }
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant ToggleGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return ToQString(half_.Cells()[0][std::size_t(section)].text);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignCenter);
    }
    return {};
}

void ToggleGridModel::Rebuild() {
    beginResetModel();
    rows_ = int(half_.Cells().size()) - 1;
    columns_ = int(half_.ColumnWidths().size());
    endResetModel();
}

void ToggleGridModel::CellShown(int row, int column) {
    const QModelIndex cell = index(row - 1, column);
    if (!cell.isValid()) {
        return;  // not drawn yet: the next rebuild shows it
    }
    Q_EMIT dataChanged(cell, cell, {Qt::DecorationRole});
}

frmToggle::frmToggle(TogglePanel& half) : BoardForm(half, "frmToggle"), half_(half) {
    model_ = new ToggleGridModel(half, this);
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("grdToggle"));
    grid_->setModel(model_);
    grid_->verticalHeader()->hide();
    grid_->setIconSize(QSize(15, 15));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setGeometry(RectFromTwips(120, 120, 7695, 5775));
    cellShown_ =
        half.CellShown.Subscribe([this](int row, int column) { model_->CellShown(row, column); });
    connect(grid_, &QTableView::doubleClicked, this, [this](const QModelIndex& cell) {
        half_.SelectCell(cell.row() + 1, cell.column());
        half_.DoubleClick();
    });
    DrawNow();
}

// Most turns only move the current cell: the layout is drawn again only when a bit was
// placed or the rows got their height, both of which happen while the program is read.
void frmToggle::Draw() {
    setWindowTitle(ToQString(half_.Caption()));
    const std::vector<int>& heights = half_.RowHeights();
    const bool heightsSet = heights.size() > 1 && heights.back() > 0;
    if (half_.CellsPlaced() != shownPlaced_ || heightsSet != heightsShown_) {
        shownPlaced_ = half_.CellsPlaced();
        heightsShown_ = heightsSet;
        model_->Rebuild();
        const std::vector<int>& widths = half_.ColumnWidths();
        for (std::size_t column = 0; column < widths.size(); ++column) {
            grid_->setColumnWidth(int(column), PixelsFromTwips(widths[column]) + kCellPadding);
        }
        for (std::size_t row = 1; row < heights.size(); ++row) {
            if (heights[row] > 0) {
                grid_->setRowHeight(int(row - 1), PixelsFromTwips(heights[row]));
            }
        }
    }
    if (half_.CurrentRow() > 0) {
        grid_->setCurrentIndex(model_->index(half_.CurrentRow() - 1, half_.CurrentColumn()));
    }
}

void frmToggle::FrameResized(WindowSize size) {
    QRect geometry = grid_->geometry();
    if (size.width > 500) {
        geometry.setWidth(PixelsFromTwips(size.width - 300));
    }
    if (size.height > 700) {
        geometry.setHeight(PixelsFromTwips(size.height - 700));
    }
    grid_->setGeometry(geometry);
}

}  // namespace veldra
