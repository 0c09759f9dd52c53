#include "ladder/qt/statements_model.h"

#include <QBrush>
#include <QColor>

#include "logic/statements.h"
#include "platform/ascii_text.h"
#include "platform/qt/qt_text.h"

namespace veldra {
namespace {

// &HC000: the green of a statement whose result is True.
QColor TrueColour() {
    return QColor(0, 0xC0, 0);
}

// The first result of a results cell (" TO A, B;" gives "A"), upper-cased.
std::string FirstResult(const std::string& results) {
    const std::size_t comma = results.find(',');
    const std::string head =
        results.substr(0, comma != std::string::npos ? comma : results.find(';'));
    const std::size_t to = head.find("TO ");
    return UpperCased(to != std::string::npos ? head.substr(to + 3) : head);
}

}  // namespace

StatementsModel::StatementsModel(std::function<Statements*()> statements, QObject* parent)
    : QAbstractTableModel(parent), statements_(std::move(statements)) {}

int StatementsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int StatementsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant StatementsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(rows_.size())) {
        return {};
    }
    const Row& row = rows_[std::size_t(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            switch (index.column()) {
                case kAssign:
                    return QStringLiteral("ASSIGN");
                case kExpression:
                    return row.expression;
                case kResults:
                    return row.results;
                default:
                    return {};
            }
        case Qt::ToolTipRole:
            // The expression's column is as wide as the window leaves it; a name longer than
            // that is cut, and read whole here.
            return index.column() == kExpression ? QVariant(row.expression) : QVariant();
        case Qt::BackgroundRole:
            if (index.column() == kExpression) {
                const Statement* statement = StatementAt(index.row());
                if (statement != nullptr && statement->Result()) {
                    return QBrush(TrueColour());
                }
            }
            return {};
        case Qt::TextAlignmentRole:
            return int((index.column() == kAssign ? Qt::AlignRight : Qt::AlignLeft) |
                       Qt::AlignVCenter);
        default:
            return {};
    }
}

Qt::ItemFlags StatementsModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void StatementsModel::Load() {
    beginResetModel();
    rows_.clear();
    if (Statements* statements = statements_()) {
        rows_.reserve(std::size_t(statements->Count()));
        for (const Statement& statement : *statements) {
            StatementRow text = statement.LoadFrmStatements();
            rows_.push_back(
                {ToQString(text.expression), ToQString(text.results), FirstResult(text.results)});
        }
    }
    endResetModel();
}

Statement* StatementsModel::StatementAt(int row) const {
    Statements* statements = statements_();
    return statements != nullptr ? statements->Find(row + 1) : nullptr;
}

void StatementsModel::Recolour(int row) {
    if (row >= 0 && row < int(rows_.size())) {
        const QModelIndex cell = index(row, kExpression);
        Q_EMIT dataChanged(cell, cell, {Qt::BackgroundRole});
    }
}

}  // namespace veldra
