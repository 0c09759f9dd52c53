#include "engine/qt/bit_status_frame.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableView>
#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/program_pages.h"
#include "engine/qt/core_list_model.h"
#include "engine/qt/status_grid_delegate.h"
#include "engine/qt/status_grid_model.h"
#include "engine/qt/status_grid_view.h"
#include "platform/load_under_way.h"
#include "platform/memory_room.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/text_column.h"
#include "platform/qt/twips.h"

namespace veldra {
namespace {

// The grid's fixed first column, in twips.
constexpr int kFixedColumnTwips = 300;
// What the grid's header takes for a row: its entry (8 bytes in Qt 6), twice over for the
// list it stands in while that is made.
constexpr std::uint64_t kHeaderBytesPerRow = 16;
// The finder's box: room for a name of the usual length, in twips.
constexpr int kFindBoxTwips = 1500;

// The width of the widest of the grid's names. Names differ mostly in their numbers, and
// laying out every one of tens of thousands costs more than the rest of a window's load:
// each name is measured with every digit as the widest digit, once per distinct form.
// Where the digits are of one width, as in the usual fonts, that is each name's own width;
// elsewhere it is at least as wide, kerning aside, so no name is cut short.
int WidestName(const QFontMetrics& metrics, const std::vector<BitStatusPage::Row>& rows) {
    char widestDigit = '0';
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (metrics.horizontalAdvance(QLatin1Char(digit)) >
            metrics.horizontalAdvance(QLatin1Char(widestDigit))) {
            widestDigit = digit;
        }
    }
    std::unordered_set<std::string> forms;
    int widest = 0;
    std::string form;
    for (const BitStatusPage::Row& row : rows) {
        form = row.name;
        for (char& c : form) {
            if (c >= '0' && c <= '9') {
                c = widestDigit;
            }
        }
        if (forms.insert(form).second) {
            widest = std::max(widest, metrics.horizontalAdvance(ToQString(form)));
        }
    }
    return widest;
}

}  // namespace

using namespace page_controls;

BitStatusFrame::BitStatusFrame(ProgramEngine& engine, ProgramPages& pages, QWidget* parent)
    : ProgramPageFrame("Bit Status", 2, engine, pages, parent) {
    auto* layout = new QGridLayout(this);
    BitStatusPage& status = pages_.Status();

    auto* grid = new StatusGridView(this);
    grdStatus_ = grid;
    grdStatus_->setObjectName("grdStatus");
    statusGrid_ = new StatusGridModel(status, *grid);
    grdStatus_->setModel(statusGrid_);
    grdStatus_->setItemDelegate(new StatusGridDelegate(grdStatus_));
    connect(grid, &StatusGridView::aboutToPaint, statusGrid_, &StatusGridModel::SightMayHaveMoved);
    grdStatus_->horizontalHeader()->hide();
    grdStatus_->verticalHeader()->hide();
    grdStatus_->setSelectionMode(QAbstractItemView::SingleSelection);
    grdStatus_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdStatus_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdStatus_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Names wider than the grid scroll by the pixel: scrolled by the column, the names
    // would show their ends only.
    grdStatus_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    OnLineChosen(grdStatus_, [&status](int row) { status.SetCurrentRow(row); });
    connect(grid, &StatusGridView::bitDoubleClicked, this, &ProgramPageFrame::bitAssignAsked);
    layout->addWidget(grdStatus_, 0, 0, 6, 1);

    layout->addWidget(Label("Values not real time", this), 0, 1, 1, 2);
    lstNumericStat_ = List("lstNumericStat", this);
    numericStat_ = ShowLines(
        lstNumericStat_, [&status]() -> const auto& { return status.NumericLines(); },
        [&status](int line) { status.SetNumericLine(line); });
    layout->addWidget(lstNumericStat_, 1, 1, 1, 2);
    // The numbers' list is as wide as the finder below it, whatever its lines.
    lstNumericStat_->setSizePolicy(QSizePolicy::Ignored,
                                   lstNumericStat_->sizePolicy().verticalPolicy());
    layout->addWidget(Label("Bit Name", this), 2, 1, 1, 2);
    txtBit_ = Box("txtBit", this);
    txtBit_->setMinimumWidth(PixelsFromTwips(kFindBoxTwips));
    layout->addWidget(txtBit_, 3, 1);
    QPushButton* find = Button("Find", "cmdFind", this);
    layout->addWidget(find, 3, 2);
    layout->setRowStretch(5, 1);
    // The finder keeps its room, whatever the names; the grid takes what is left.
    layout->setColumnStretch(0, 1);
    const auto findBit = [this, &status] {
        Command([&] { status.Find(ToStdString(txtBit_->text())); });
    };
    connect(find, &QPushButton::clicked, this, findBit);
    connect(txtBit_, &QLineEdit::returnPressed, this, findBit);

    changed_ = status.Changed.Subscribe([this] { SyncFinder(); });
}

void BitStatusFrame::Rebuild() {
    // The rows' height is set before the rows come: set over millions of rows, it resizes
    // each, and tells the grid of each, which keeps a list of them.
    const QFontMetrics metrics(grdStatus_->font());
    grdStatus_->verticalHeader()->setDefaultSectionSize(metrics.height() * 3 / 2);
    // The grid's header makes an entry for every row in one piece as the rows come, and Qt
    // cannot say it found no memory for it: in a load it is made only where the desktop's
    // reserve stays free beside it. A grid emptied, as a program let go at a load that ran
    // short empties it, takes nothing: it is rebuilt while the memory let go is not yet
    // handed back, from the end of the load's hold on the program, where a failure could
    // only end the application.
    const std::uint64_t rows = pages_.Status().RowCount();
    if (LoadUnderWay() && rows > 0) {
        RequireDesktopReserve(rows * kHeaderBytesPerRow);
    }
    statusGrid_->Rebuild();
    shownFinder_.fill(-2);  // the rebuilt views show no current row yet
    SizeStatusGrid();
}

void BitStatusFrame::Entered() {
    statusGrid_->Recoloured();
    numericStat_->Sync();  // the snapshot of the numbers taken on entry
}

void BitStatusFrame::SyncFinder() {
    // Told of every bit change while the grid is shown: only a moved finder costs more.
    const BitStatusPage& status = pages_.Status();
    const std::array<int, 4> finder = {status.TopRow(), status.CurrentRow(), status.NumericLine(),
                                       int(status.NumericLines().size())};
    if (finder == shownFinder_ && numericStat_->rowCount() == finder[3]) {
        return;
    }
    shownFinder_ = finder;
    const Following following(*this);
    if (numericStat_->rowCount() != int(status.NumericLines().size())) {
        numericStat_->Sync();
    }
    ShowLine(lstNumericStat_, status.NumericLine());
    const int row = status.CurrentRow();
    if (row >= 0 && row < statusGrid_->rowCount()) {
        const QModelIndex cell = statusGrid_->index(row, 1);
        if (grdStatus_->currentIndex() != cell) {
            grdStatus_->setCurrentIndex(cell);
        }
        const int top = status.TopRow();
        if (top >= 0 && top < statusGrid_->rowCount() && grdStatus_->rowAt(0) != top) {
            grdStatus_->scrollTo(statusGrid_->index(top, 1), QAbstractItemView::PositionAtTop);
        }
    }
}

void BitStatusFrame::SizeStatusGrid() {
    // The name column fits the widest name and a margin (a row is one and a half lines). A
    // column wider than the room the page leaves the grid scrolls into sight.
    const QFontMetrics metrics(grdStatus_->font());
    const int widest = WidestName(metrics, pages_.Status().Rows());
    const int names = TextColumnWidth(*grdStatus_, widest, 100);
    grdStatus_->setColumnWidth(0, PixelsFromTwips(kFixedColumnTwips));
    grdStatus_->setColumnWidth(1, names);
}

}  // namespace veldra
