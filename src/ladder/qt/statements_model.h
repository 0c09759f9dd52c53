#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <functional>
#include <string>
#include <vector>

namespace veldra {

class Statement;
class Statements;

// The statements list's grid over the program's statements: one row per statement in
// load order, an empty narrow column, "ASSIGN", the expression and the results. The text
// is taken once, when the list is filled, as the grid's cells held it; the expression's
// colour is read from the statement itself, so a repaint always shows its last result.
class StatementsModel final : public QAbstractTableModel {
public:
    enum Column { kSelector = 0, kAssign = 1, kExpression = 2, kResults = 3, kColumns = 4 };

    // `statements` gives the program's statements while it is loaded, none after.
    StatementsModel(std::function<Statements*()> statements, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // One row per statement, each as the statement writes its own row.
    void Load();

    // The statement shown in the row (0-based); none once the program is gone.
    Statement* StatementAt(int row) const;
    const QString& ExpressionText(int row) const { return rows_[std::size_t(row)].expression; }
    const QString& ResultsText(int row) const { return rows_[std::size_t(row)].results; }
    // The name the row's statement is keyed by: its first result, as its results cell
    // shows it.
    const std::string& Key(int row) const { return rows_[std::size_t(row)].key; }

    // The expression cell of the row takes its statement's present result.
    void Recolour(int row);

private:
    struct Row {
        QString expression;
        QString results;
        std::string key;
    };

    std::function<Statements*()> statements_;
    std::vector<Row> rows_;
};

}  // namespace veldra
