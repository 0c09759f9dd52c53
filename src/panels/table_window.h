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

    // Counts the changes of the grid and the triggers, not those of the row chosen: a
    // window that showed this count shows them as they are.
    int ContentsVersion() const { return contentsVersion_; }

    // The grid row of the state chosen by the last evaluation, highlighted across every
    // column whatever the engineer clicks; 0 before the first evaluation.
    int ActiveRow() const { return activeRow_; }

    // Raised after anything shown here changed; while changes are held, once when the
    // hold ends, if anything changed meanwhile.
    Event<> Changed;

    // A scan tick may choose a table's state many times over: its window is held for the
    // tick and shows only where the tick left it, drawn once.
    void HoldChanges() { held_ = true; }
    void ShowHeldChanges();

private:
    void Notify();
    void BuildGrid() const;
    void SetRowCount(int rows) const;

    Table& table_;
    std::vector<std::string> triggers_;
    // The grid is built when the protocol asks for the window's bits.
    mutable std::vector<std::vector<std::string>> cells_;
    mutable std::vector<std::string> widthTexts_;
    mutable int columns_ = 0;
    mutable int contentsVersion_ = 0;
    int activeRow_ = 0;
    bool closingAllowed_ = false;
    bool held_ = false;
    bool changedWhileHeld_ = false;
    Subscription stateAdded_;
    Subscription triggerAdded_;
    Subscription updateOutput_;
};

}  // namespace veldra
