#include "panels/table_window.h"

#include <utility>

#include "logic/table.h"

namespace veldra {
namespace {

const std::string kNoText;

std::string CellText(const stInput& input) {
    if (input.BitName == "?") {
        return "?";
    }
    return input.IsNumeric ? std::to_string(input.Numeric) : input.BitValue ? "1" : "0";
}

// A numeric output shows the number it gives its bit, as the table writes it.
std::string CellText(const stOutput& output) {
    if (output.BitName == "?") {
        return "?";
    }
    return output.IsNumeric ? std::to_string(output.NumValue) : output.BitValue ? "1" : "0";
}

}  // namespace

TableWindow::TableWindow(Table& table)
    : table_(table),
      stateAdded_(table.StateAdded.Subscribe([this](std::int16_t number) {
          // The grid grows while the loader adds states.
          SetRowCount(number + 1);
          ++contentsVersion_;
          Notify();
      })),
      triggerAdded_(table.TriggerAdded.Subscribe([this](std::string_view name) {
          triggers_.emplace_back(name);
          ++contentsVersion_;
          Notify();
      })),
      updateOutput_(table.UpdateOutput.Subscribe([this](int position) {
          activeRow_ = position;
          Notify();
      })) {
    for (const Trigger& trigger : table.TriggerList()) {
        triggers_.push_back(trigger.BitName);
    }
    SetRowCount(table.Layout().Rows().Count() + 1);
}

std::string TableWindow::Caption() const {
    return "Table: " + std::to_string(table_.TableNumber());
}

void TableWindow::ShowHeldChanges() {
    held_ = false;
    if (std::exchange(changedWhileHeld_, false)) {
        Changed.Raise();
    }
}

void TableWindow::Notify() {
    if (held_) {
        changedWhileHeld_ = true;
    } else {
        Changed.Raise();
    }
}

int TableWindow::BitCount() const {
    BuildGrid();
    Changed.Raise();
    return 0;
}

void TableWindow::CloseWindow(bool close) {
    (void)close;  // any value closes it
    closingAllowed_ = true;
}

void TableWindow::SetRowCount(int rows) const {
    cells_.resize(std::size_t(rows), std::vector<std::string>(std::size_t(columns_)));
}

void TableWindow::BuildGrid() const {
    State& layout = table_.Layout();
    const int inputs = layout.Inputs().Count();
    const int outputs = layout.Outputs().Count();
    // Outputs start after the table's own input columns, whatever each state lists.
    const int equals = inputs + 1;
    columns_ = equals + 1 + outputs;
    ++contentsVersion_;

    widthTexts_.assign(std::size_t(columns_), std::string());
    widthTexts_[0] = "STATE";
    cells_.assign(1, std::vector<std::string>(std::size_t(columns_)));
    int column = 1;
    for (const stInput& input : layout.Inputs()) {
        widthTexts_[std::size_t(column)] = cells_[0][std::size_t(column)] = input.BitName;
        ++column;
    }
    column = equals + 1;
    for (const stOutput& output : layout.Outputs()) {
        widthTexts_[std::size_t(column)] = cells_[0][std::size_t(column)] = output.BitName;
        ++column;
    }

    for (State& state : layout.Rows()) {
        std::vector<std::string>& row = cells_.emplace_back(std::size_t(columns_));
        row[0] = "STATE";
        row[std::size_t(equals)] = "=";
        // By position, under the heading of the same place; a state listing more cells
        // than the table has columns shows only those that fit.
        column = 1;
        for (const stInput& input : state.Inputs()) {
            if (column < equals) {
                row[std::size_t(column)] = CellText(input);
            }
            ++column;
        }
        column = equals + 1;
        for (const stOutput& output : state.Outputs()) {
            if (column < columns_) {
                row[std::size_t(column)] = CellText(output);
            }
            ++column;
        }
    }
}

const std::string& TableWindow::Cell(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= columns_) {
        return kNoText;
    }
    return cells_[std::size_t(row)][std::size_t(column)];
}

const std::string& TableWindow::ColumnWidthText(int column) const {
    if (column < 0 || column >= int(widthTexts_.size())) {
        return kNoText;
    }
    return widthTexts_[std::size_t(column)];
}

}  // namespace veldra
