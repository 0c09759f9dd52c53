#pragma once

#include <string>
#include <vector>

#include "platform/board_panel.h"
#include "platform/event.h"

namespace veldra {

class Table;

// The window of one state table, as the engineer reads it: a grid with one row per
// state (its input values, "=", its output values), the table's trigger bits, and the
// row of the state its last evaluation chose. It answers the board-panel protocol like
// every loaded window; asked for its bits it builds its grid, since the table is
// complete by then, and reports none. Closed by hand it only minimises.
class TableWindow final : public BoardPanel {
public:
    // Each column is as wide as its widest-known text plus this, in twips.
    static constexpr int kColumnPadding = 200;

    // Opened for the table when the table is added, before the loader fills it.
    explicit TableWindow(Table& table);

    std::string Name() const override { return "frmTable"; }
    // "Table: " and the table's number.
    std::string Caption() const override;

    // Builds the grid from the table's columns and states and returns 0.
    int BitCount() const override;
    // Closes the window for good.
    void CloseWindow(bool close) override;
    // The engineer closes the window: true when it may go, otherwise it is to minimise.
    bool MayClose() const { return closingAllowed_; }
    bool Closed() const override { return closingAllowed_; }

    // The trigger names in the order the table was given them.
    const std::vector<std::string>& Triggers() const { return triggers_; }

    // The grid: row 0 holds the headings, row i the i-th state; column 0 reads "STATE".
    int RowCount() const { return int(cells_.size()); }
    int ColumnCount() const { return columns_; }
    const std::string& Cell(int row, int column) const;
    // The text whose width, plus kColumnPadding, gives the column's width.
    const std::string& ColumnWidthText(int column) const;

    // The grid row of the state chosen by the last evaluation, highlighted across every
    // column whatever the engineer clicks; 0 before the first evaluation.
    int ActiveRow() const { return activeRow_; }

    // Raised after anything shown here changed.
    Event<> Changed;

private:
    void BuildGrid() const;
    void SetRowCount(int rows) const;

    Table& table_;
    std::vector<std::string> triggers_;
    // The grid is built when the protocol asks for the window's bits.
    mutable std::vector<std::vector<std::string>> cells_;
    mutable std::vector<std::string> widthTexts_;
    mutable int columns_ = 0;
    int activeRow_ = 0;
    bool closingAllowed_ = false;
    Subscription stateAdded_;
    Subscription triggerAdded_;
    Subscription updateOutput_;
};

}  // namespace veldra
