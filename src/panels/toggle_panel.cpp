#include "panels/toggle_panel.h"

namespace veldra {

TogglePanel::TogglePanel(PendingInputs& IOBits, std::function<int(std::string_view)> textWidth)
    : BoardWindow(IOBits), textWidth_(std::move(textWidth)) {
    SetCaption("Toggle Bits");
    cells_.assign(2, std::vector<ToggleCell>(1));
    columnWidths_.assign(1, kFirstColumnWidth);
    rowHeights_.assign(2, 0);
    size_ = StartSize();
}

void TogglePanel::AddRow() {
    cells_.emplace_back(columnWidths_.size());
    rowHeights_.push_back(0);
}

void TogglePanel::AddBits(std::string_view BitName, std::string_view GroupName) {
    if (Closed()) {
        return;
    }
    if (bits_ == nullptr) {
        bits_ = std::make_unique<BooleanBits>();
    }
    // A name already listed keeps its one record, now False; every cell of it follows it.
    bits_->Add(BitName, false, false, 0, 0, true);

    const int columns = int(columnWidths_.size());
    for (int column = 0; column < columns; ++column) {
        if (cells_[0][std::size_t(column)].text != GroupName) {
            continue;
        }
        int row = 1;
        while (row < int(cells_.size()) &&
               !cells_[std::size_t(row)][std::size_t(column)].text.empty()) {
            ++row;
        }
        if (row == int(cells_.size())) {
            AddRow();
        }
        Place(BitName, row, column);
        Changed.Raise();
        return;
    }
    int column = 0;
    if (!cells_[0][0].text.empty()) {
        for (std::vector<ToggleCell>& cells : cells_) {
            cells.emplace_back();
        }
        columnWidths_.push_back(kFirstColumnWidth);
        column = columns;
    }
    cells_[0][std::size_t(column)].text = std::string(GroupName);
    Place(BitName, 1, column);
    Changed.Raise();
}

void TogglePanel::Place(std::string_view BitName, int row, int column) {
    ToggleCell& cell = cells_[std::size_t(row)][std::size_t(column)];
    cell.text = std::string(BitName);
    cell.picture = LampImage::Dark;
    const int wanted = (textWidth_ ? textWidth_(BitName) : EstimatedWidth(BitName)) + kTextMargin;
    int& width = columnWidths_[std::size_t(column)];
    if (width < wanted) {
        width = wanted;
    }
    BooleanBit& record = *bits_->Find(BitName);
    record.SetOnTime(row);
    record.SetOffTime(column);
    cellsOf_[std::string(BitName)].emplace_back(row, column);
    ++placed_;
}

std::string TogglePanel::GetSystemBit(int Index) const {
    const BooleanBit* record = bits_ != nullptr && Index >= 1 ? bits_->Find(Index) : nullptr;
    return record != nullptr ? record->BitName() : std::string();
}

void TogglePanel::OnCreateimgIndic() {
    for (std::size_t row = 1; row < rowHeights_.size(); ++row) {
        rowHeights_[row] = kBitRowHeight;
    }
}

// Only names bound to this window reach it, so a name without a record is passed over.
void TogglePanel::OnUpdateOutput(std::string_view BitName, bool BitValue) {
    BooleanBit* record = bits_ != nullptr ? bits_->Find(BitName) : nullptr;
    if (record == nullptr || record->BitValue() == BitValue) {
        return;
    }
    record->SetBitValue(BitValue);
    currentRow_ = record->OnTime();
    currentColumn_ = record->OffTime();
    const auto cells = cellsOf_.find(std::string(BitName));
    if (cells == cellsOf_.end()) {
        return;
    }
    for (const auto& [row, column] : cells->second) {
        cells_[std::size_t(row)][std::size_t(column)].picture = LampFor(BitValue);
        CellShown.Raise(row, column);
    }
}

void TogglePanel::DoubleClick() {
    ShowBitAssign(cells_[std::size_t(currentRow_)][std::size_t(currentColumn_)].text);
}

void TogglePanel::SelectCell(int row, int column) {
    if (row >= 0 && row < int(cells_.size()) && column >= 0 && column < int(columnWidths_.size())) {
        currentRow_ = row;
        currentColumn_ = column;
    }
}

}  // namespace veldra
