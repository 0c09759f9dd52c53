#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "logic/boolean_bits.h"
#include "panels/board_window.h"
#include "platform/hash_growth.h"

namespace veldra {

// One cell of the toggle grid: a group heading (row 0) or a bit's name with its picture,
// green while the bit is True and grey while it is False.
struct ToggleCell {
    std::string text;
    LampImage picture = LampImage::Parked;
};

// The "Toggle Bits" window (frmToggle): the toggle bits of the coded outputs, one column
// per toggle group headed by the group's name, one cell per bit below it. It has no board:
// it keeps its own record of each bit, which the scan never sees, and the program's bit of
// the same name is bound to it like any board bit. The user only watches it.
class TogglePanel final : public BoardWindow {
public:
    static constexpr int kFirstColumnWidth = 960;
    static constexpr int kBitRowHeight = 300;
    static constexpr int kTextMargin = 400;

    // `textWidth` measures a name in the window's font, in twips.
    explicit TogglePanel(PendingInputs& IOBits,
                         std::function<int(std::string_view)> textWidth = EstimatedWidth);

    std::string Name() const override { return "frmToggle"; }
    WindowSize StartSize() const override { return {8055, 6435}; }

    // Adds a toggle bit in the column of its group (compared with letter case), taking the
    // first empty cell of that column or a new row; a new group takes a new column. Raises
    // Changed.
    void AddBits(std::string_view BitName, std::string_view GroupName);

    // Every bit once, in the order first added.
    int BitCount() const override { return bits_ != nullptr ? bits_->Count() : 0; }
    std::string GetSystemBit(int Index) const override;

    // The grid, by row and column: row 0 holds the group headings.
    const std::vector<std::vector<ToggleCell>>& Cells() const { return cells_; }
    const std::vector<int>& ColumnWidths() const { return columnWidths_; }
    // Bit rows get their height once the program is bound; 0 keeps the grid's standard.
    const std::vector<int>& RowHeights() const { return rowHeights_; }
    // The cell the last change was shown in; a double click opens its bit's statement.
    int CurrentRow() const { return currentRow_; }
    int CurrentColumn() const { return currentColumn_; }
    void DoubleClick();
    // How many cells have been given a bit so far: the grid's drawing is out of date when
    // it differs.
    int CellsPlaced() const { return placed_; }
    // The user makes a cell current (as a click on it does).
    void SelectCell(int row, int column);

    // Raised for each cell whose picture a change of its bit has turned, by row and column.
    Event<int, int> CellShown;

    // About 105 twips a character, for use without a display.
    static int EstimatedWidth(std::string_view text) { return int(text.size()) * 105; }

private:
    void OnCreateimgIndic() override;
    void OnUpdateOutput(std::string_view BitName, bool BitValue) override;
    void OnLoadState(std::string_view BitName, bool BitValue) override {
        OnUpdateOutput(BitName, BitValue);
    }
    void ReleaseBoard() override {
        bits_.reset();
        cellsOf_.clear();
    }

    void AddRow();
    void Place(std::string_view BitName, int row, int column);

    std::function<int(std::string_view)> textWidth_;
    std::unique_ptr<BooleanBits> bits_;
    std::vector<std::vector<ToggleCell>> cells_;
    std::vector<int> columnWidths_;
    std::vector<int> rowHeights_;
    // Every cell of each name: a name listed twice shows its value in both.
    HashMap<std::string, std::vector<std::pair<int, int>>> cellsOf_;
    int placed_ = 0;
    int currentRow_ = 0;
    int currentColumn_ = 0;
};

}  // namespace veldra
