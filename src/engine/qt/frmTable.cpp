#include "engine/qt/frmTable.h"

#include <QAbstractTableModel>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QPalette>
#include <QTableView>
#include <algorithm>

#include "engine/qt/core_list_model.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/text_column.h"
#include "platform/qt/twips.h"
#include "platform/qt/window_frame.h"

namespace veldra {
namespace {

// The widest a table window makes itself to show its whole grid, in pixels.
constexpr int kMaxFittedWidth = 1200;

}  // namespace

// The grid over the core half's cells; row 0 (the headings) and column 0 ("STATE") are
// fixed, drawn as headings and never chosen.
class TableGridModel final : public QAbstractTableModel {
public:
    TableGridModel(const TableWindow& contents, QObject* parent)
        : QAbstractTableModel(parent), contents_(contents) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : rows_;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columns_;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) {
            return {};
        }
        switch (role) {
            case Qt::DisplayRole:
                return ToQString(contents_.Cell(index.row(), index.column()));
            case Qt::TextAlignmentRole:
                return int(Qt::AlignCenter);
            case Qt::BackgroundRole:
                if (index.row() == 0 || index.column() == 0) {
                    return QPalette().button();
                }
                return {};
            default:
                return {};
        }
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        return index.row() == 0 ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

    // Follows the core half: reshaped when its size changed, else redrawn. True when
    // reshaped.
    bool Sync() {
        if (rows_ != contents_.RowCount() || columns_ != contents_.ColumnCount()) {
            beginResetModel();
            rows_ = contents_.RowCount();
            columns_ = contents_.ColumnCount();
            endResetModel();
            return true;
        }
        if (rows_ > 0 && columns_ > 0) {
            Q_EMIT dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
        }
        return false;
    }

private:
    const TableWindow& contents_;
    int rows_ = 0;
    int columns_ = 0;
};

std::string frmTable::LoadedWindow::Caption() const {
    return ToStdString(window_.windowTitle());
}

void frmTable::LoadedWindow::CloseWindow(bool close) {
    window_.contents_.CloseWindow(close);
    WindowFrame(window_).close();
}

frmTable::frmTable(WindowRegistry& windows, Table& table, QWidget* parent)
    : QWidget(parent), contents_(table), registration_(windows, panel_) {
    setObjectName("frmTable");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(ToQString(contents_.Caption()));

    auto* layout = new QGridLayout(this);
    grdTable_ = new QTableView(this);
    grdTable_->setObjectName("grdTable");
    grid_ = new TableGridModel(contents_, grdTable_);
    grdTable_->setModel(grid_);
    grdTable_->horizontalHeader()->hide();
    grdTable_->verticalHeader()->hide();
    grdTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(grdTable_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { ReselectActiveRow(); });

    auto* label = new QLabel("Trigger List", this);
    label->setObjectName("Label1");
    lstTriggers_ = new QListView(this);
    lstTriggers_->setObjectName("lstTriggers");
    lstTriggers_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstTriggers_->setFixedWidth(PixelsFromTwips(1815));
    triggers_ = new CoreListModel(
        CoreListModel::Lines([this]() -> const auto& { return contents_.Triggers(); }),
        lstTriggers_);
    lstTriggers_->setModel(triggers_);
    connect(lstTriggers_, &QListView::doubleClicked, this,
            [this](const QModelIndex& line) { Q_EMIT bitAssignAsked(line.data().toString()); });

    layout->addWidget(grdTable_, 0, 0, 2, 1);
    layout->addWidget(label, 0, 1);
    layout->addWidget(lstTriggers_, 1, 1);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(0, 1);
    resize(SizeFromTwips(6000, 3000));

    changed_ = contents_.Changed.Subscribe([this] { Sync(); });
    Sync();
}

frmTable::~frmTable() = default;

void frmTable::HoldChanges(bool held) {
    if (held) {
        contents_.HoldChanges();
    } else {
        contents_.ShowHeldChanges();
    }
}

void frmTable::Sync() {
    // A scan changes only the row chosen: the grid and the list are drawn again only when
    // their contents changed.
    if (shownVersion_ != contents_.ContentsVersion()) {
        shownVersion_ = contents_.ContentsVersion();
        triggers_->Sync();
        if (grid_->Sync()) {
            SizeColumns();
        }
    }
    ReselectActiveRow();
}

void frmTable::SizeColumns() {
    const QFontMetrics metrics(grdTable_->font());
    int gridWidth = 2 * grdTable_->frameWidth();
    for (int column = 0; column < grid_->columnCount(); ++column) {
        const int text = metrics.horizontalAdvance(ToQString(contents_.ColumnWidthText(column)));
        grdTable_->setColumnWidth(column,
                                  TextColumnWidth(*grdTable_, text, TableWindow::kColumnPadding));
        gridWidth += grdTable_->columnWidth(column);
    }
    // The window first opens wide enough for the whole table, within reason; after that
    // its width is the engineer's.
    if (!fitted_ && grid_->columnCount() > 0) {
        fitted_ = true;
        layout()->activate();
        QWidget& frame = WindowFrame(*this);
        const int wider = std::min(gridWidth, kMaxFittedWidth) - grdTable_->width();
        if (wider > 0) {
            frame.resize(frame.width() + wider, frame.height());
        }
    }
}

void frmTable::ReselectActiveRow() {
    const int row = contents_.ActiveRow();
    if (reselecting_) {
        return;
    }
    reselecting_ = true;
    if (row <= 0 || row >= grid_->rowCount()) {
        // No state chosen yet: a row the user clicks is not shown as the table's choice.
        grdTable_->selectionModel()->clearSelection();
        reselecting_ = false;
        return;
    }
    const QModelIndex first = grid_->index(row, 0);
    grdTable_->setCurrentIndex(first);
    grdTable_->selectionModel()->select(
        first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    reselecting_ = false;
}

void frmTable::closeEvent(QCloseEvent* event) {
    if (contents_.MayClose()) {
        event->accept();
        return;
    }
    event->ignore();
    WindowFrame(*this).showMinimized();
}

}  // namespace veldra
