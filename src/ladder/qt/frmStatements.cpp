#include "ladder/qt/frmStatements.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "engine/program_engine.h"
#include "engine/qt/frmProgram.h"
#include "engine/qt/statement_view_host.h"
#include "ladder/qt/show_bit_assign.h"
#include "ladder/qt/statements_model.h"
#include "logic/statements.h"
#include "platform/platform.h"
#include "platform/qt/busy_cursor.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/text_column.h"
#include "platform/qt/twips.h"
#include "platform/qt/window_frame.h"

namespace veldra {
namespace {

// Room the window keeps beside the grid's columns, and the least width worth wrapping to.
constexpr int kWindowMarginTwips = 450;
constexpr int kLeastWrapWidthTwips = 100;
// A row's text needs this much more than its width to stand on one line.
constexpr int kTextMarginTwips = 200;
// The widest results column; longer result lists wrap.
constexpr int kWidestResultsTwips = 4000;

}  // namespace

std::string frmStatements::OpenWindow::Caption() const {
    return ToStdString(window_.windowTitle());
}

void frmStatements::OpenWindow::CloseWindow(bool close) {
    if (close) {
        WindowFrame(window_).close();
    }
}

frmStatements::frmStatements(WindowRegistry& windows, frmProgram& program, QWidget* parent)
    : QWidget(parent), windows_(windows), program_(&program) {
    setObjectName(kClassName);
    setWindowTitle("Statements");
    setAttribute(Qt::WA_DeleteOnClose);
    BuildWindow();
    resize(SizeFromTwips(9600, 6000));
    lineHeight_ = QFontMetrics(grdState_->font()).boundingRect("TEST").height();
    if (Statements* statements = MyStat()) {
        statementChanged_ = statements->StatementChanged.Subscribe(
            [this](std::string_view key, bool) { MyStat_StatementChanged(key); });
    }
    registration_ = std::make_unique<WindowRegistry::Registration>(windows_, panel_);
}

frmStatements::~frmStatements() {
    registration_.reset();
    statementChanged_.Cancel();
    if (!closed_) {
        closed_ = true;
        Q_EMIT closed();  // gone without a close: the main window learns of it all the same
    }
}

void frmStatements::BuildWindow() {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    auto* options = new QHBoxLayout;
    auto* label = new QLabel("Show Only:", this);
    label->setObjectName("Label1");
    options->addWidget(label);
    txtFilter_ = new QLineEdit(this);
    txtFilter_->setObjectName("txtFilter");
    options->addWidget(txtFilter_, 1);
    const char* captions[] = {"Show All", "Filter"};
    for (int index = 0; index < 2; ++index) {
        auto* option = new QRadioButton(captions[index], this);
        option->setObjectName(QStringLiteral("optFilter_%1").arg(index));
        // A click counts even on the option already chosen: it filters again.
        connect(option, &QRadioButton::clicked, this, [this, index] { optFilter_Click(index); });
        options->addWidget(option);
        optFilter_[std::size_t(index)] = option;
    }
    optFilter_[0]->setChecked(true);
    chkAutoSize_ = new QCheckBox("Disable Auto Size", this);
    chkAutoSize_->setObjectName("chkAutoSize");
    options->addWidget(chkAutoSize_);
    outer->addLayout(options);

    grdState_ = new QTableView(this);
    grdState_->setObjectName("grdState");
    model_ = new StatementsModel([this] { return MyStat(); }, this);
    grdState_->setModel(model_);
    grdState_->horizontalHeader()->hide();
    grdState_->verticalHeader()->hide();
    grdState_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdState_->setSelectionBehavior(QAbstractItemView::SelectRows);
    // One block of rows at a time, as the grid's rows were chosen.
    grdState_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grdState_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdState_->setWordWrap(true);
    grdState_->viewport()->installEventFilter(this);
    connect(grdState_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { ShowStatementOf(index.row()); });
    connect(txtFilter_, &QLineEdit::returnPressed, this, [this] {
        if (optFilter_[1]->isChecked()) {
            optFilter_Click(1);
        }
    });
    outer->addWidget(grdState_, 1);
}

Statements* frmStatements::MyStat() const {
    if (!program_ || !program_->Engine().ProgramLoaded()) {
        return nullptr;
    }
    return program_->Engine().prgAssigns.get();
}

// ---------------------------------------------------------------------------------------
// Filling and laying out

void frmStatements::Fill() {
    grdState_->hide();
    model_->Load();
    const QFontMetrics metrics(grdState_->font());
    grdState_->setColumnWidth(
        StatementsModel::kAssign,
        TextColumnWidth(*grdState_, metrics.horizontalAdvance("ASSIGN"), 100));
    grdState_->setColumnWidth(StatementsModel::kSelector, PixelsFromTwips(300));
    SetArray();
    tmrFixWindow.SetEnabled(true);
    grdState_->show();
}

void frmStatements::SetArray() {
    const int rows = model_->rowCount();
    const QFontMetrics metrics(grdState_->font());
    rowWidths_.assign(std::size_t(rows), 0);
    rowHeights_.assign(std::size_t(rows), -1);
    rowHidden_.assign(std::size_t(rows), false);
    int widestResults = 0;
    for (int row = 0; row < rows; ++row) {
        rowWidths_[std::size_t(row)] = metrics.horizontalAdvance(model_->ExpressionText(row));
        widestResults =
            std::max(widestResults, metrics.horizontalAdvance(model_->ResultsText(row)));
    }
    grdState_->setColumnWidth(StatementsModel::kResults,
                              std::min(widestResults + 2 * metrics.averageCharWidth(),
                                       PixelsFromTwips(kWidestResultsTwips)));
}

void frmStatements::tmrFixWindow_Timer() {
    if (MyStat() == nullptr) {
        WindowFrame(*this).close();
        return;
    }
    tmrFixWindow.SetEnabled(false);
    const BusyCursor busy;
    const int rows = std::min(model_->rowCount(), int(rowWidths_.size()));
    const int avail = width() - grdState_->columnWidth(StatementsModel::kSelector) -
                      grdState_->columnWidth(StatementsModel::kAssign) -
                      grdState_->columnWidth(StatementsModel::kResults) -
                      PixelsFromTwips(kWindowMarginTwips);
    const bool wraps = avail > PixelsFromTwips(kLeastWrapWidthTwips);
    if (wraps) {
        grdState_->setColumnWidth(StatementsModel::kExpression, avail);
    }
    for (int row = 0; row < rows; ++row) {
        const Statement* statement = model_->StatementAt(row);
        const std::size_t at = std::size_t(row);
        if (statement == nullptr || !statement->IsFiltered()) {
            if (!wraps) {
                continue;  // too narrow: the row keeps what it had
            }
            const int width = rowWidths_[at];
            const int height =
                avail >= width + PixelsFromTwips(kTextMarginTwips)
                    ? lineHeight_ * 3 / 2
                    : int(std::lround(double(width) / avail + 1)) * lineHeight_ + lineHeight_ / 2;
            if (rowHeights_[at] != height) {
                rowHeights_[at] = height;
                grdState_->setRowHeight(row, height);
            }
            if (rowHidden_[at]) {
                rowHidden_[at] = false;
                grdState_->setRowHidden(row, false);
            }
        } else if (!rowHidden_[at]) {
            rowHidden_[at] = true;
            grdState_->setRowHidden(row, true);
        }
    }
    rowMap_.clear();
    for (int row = 0; row < model_->rowCount(); ++row) {
        rowMap_.try_emplace(model_->Key(row), row);
    }
}

void frmStatements::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    tmrFixWindow.SetEnabled(false);
    if (!chkAutoSize_->isChecked() && !WindowFrame(*this).isMinimized()) {
        tmrFixWindow.SetEnabled(true);  // one pass once the resizing is over
    }
}

// ---------------------------------------------------------------------------------------
// Live colour, filter, hide, open

void frmStatements::MyStat_StatementChanged(std::string_view key) {
    // Before the first layout pass the rows are not yet mapped: the row's colour is
    // read when it is next painted anyway.
    const auto row = rowMap_.find(key);
    if (row != rowMap_.end()) {
        model_->Recolour(row->second);
    }
}

void frmStatements::optFilter_Click(int index) {
    {
        const BusyCursor busy;
        const int rows = model_->rowCount();
        if (index == 1) {
            const QString filter = ToQString(UpperCased(ToStdString(txtFilter_->text())));
            for (int row = 0; !filter.isEmpty() && row < rows; ++row) {
                Statement* statement = model_->StatementAt(row);
                if (statement == nullptr) {
                    break;
                }
                const bool shown = model_->ExpressionText(row).contains(filter) ||
                                   model_->ResultsText(row).contains(filter);
                statement->SetIsFiltered(!shown);
                if (shown) {
                    model_->Recolour(row);
                }
            }
        } else {
            for (int row = 0; row < rows; ++row) {
                if (Statement* statement = model_->StatementAt(row)) {
                    statement->SetIsFiltered(false);
                    model_->Recolour(row);
                }
            }
        }
    }
    tmrFixWindow.SetEnabled(true);
}

void frmStatements::HideChosenRows() {
    if (!optFilter_[1]->isChecked()) {
        return;
    }
    // The rows from where the choice began down to where it ended; a choice made upwards
    // ends above its start and asks about nothing.
    const QModelIndex end = grdState_->currentIndex();
    if (!end.isValid()) {
        return;
    }
    int top = end.row();
    int bottom = end.row();
    for (const QModelIndex& chosen : grdState_->selectionModel()->selectedRows()) {
        top = std::min(top, chosen.row());
        bottom = std::max(bottom, chosen.row());
    }
    const int start = end.row() == bottom ? top : bottom;
    for (int row = start; row <= end.row(); ++row) {
        // The question lets the desktop run: the statement is looked up afresh each time.
        const Statement* statement = model_->StatementAt(row);
        if (statement == nullptr) {
            break;
        }
        const std::string prompt = "ASSIGN " + std::string(statement->strStatement()) +
                                   ToStdString(model_->ResultsText(row));
        if (MsgBox(prompt, MsgButtons::YesNo, MsgIcon::None, "Do Not Display This Statement") ==
            MsgAnswer::Yes) {
            if (Statement* hidden = model_->StatementAt(row)) {
                hidden->SetIsFiltered(true);
            }
        }
    }
    tmrFixWindow.SetEnabled(true);
}

void frmStatements::ShowStatementOf(int row) {
    if (Statement* statement = model_->StatementAt(row); statement != nullptr && program_) {
        ShowStatement(program_->ViewHost(), *statement);
    }
}

bool frmStatements::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grdState_->viewport() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        HideChosenRows();
        return true;  // the chosen rows stay as they are
    }
    return QWidget::eventFilter(watched, event);
}

void frmStatements::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        // Closed is gone: no walk over the open windows and no solved statement meets
        // it again, even before it is deleted.
        closed_ = true;
        registration_.reset();
        statementChanged_.Cancel();
        tmrFixWindow.SetEnabled(false);
        Q_EMIT closed();
    }
    event->accept();
}

}  // namespace veldra
