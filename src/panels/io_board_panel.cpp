#include "panels/io_board_panel.h"

namespace veldra {

IOBoardPanel::IOBoardPanel(PendingInputs& IOBits) : IOPanel(IOBits) {
    rows_.push_back(IndicatorRow(kFirstTop));
    size_ = {2505, 7200};
}

// One list of rows in the order the bits arrive, whatever their direction: a board that
// somehow carries both still shows every bit, rather than its outputs writing over the
// labels of its inputs.
void IOBoardPanel::AddRow(std::string_view name) {
    if (built_ > 0) {
        const IndicatorRow& above = rows_.back();
        rows_.push_back(IndicatorRow(above.top + kRowHeight + kRowGap));
    }
    IndicatorRow& row = rows_[std::size_t(built_)];
    row.caption = std::string(name);
    row.toolTip = row.caption;
    ++built_;
}

void IOBoardPanel::InputAdded(std::string_view name) {
    AddRow(name);
    heading_ = "INPUTS";
}

void IOBoardPanel::OutputAdded(std::string_view name) {
    AddRow(name);
    heading_ = "OUTPUTS";
}

void IOBoardPanel::OnCreateimgIndic() {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const IndicatorRow& row = rows_[i];
        if (row.Spare()) {
            continue;
        }
        if (BoardInput* input = FindInput(row.caption)) {
            input->intIndex = std::int16_t(i);
        } else if (BoardOutput* output = FindOutput(row.caption)) {
            output->intIndex = std::int16_t(i);
        }
    }
    BitsKnown();
}

// Every board type is drawn at load, IN6 included, so that no lamp waits for the first
// change of its bit.
void IOBoardPanel::OnUpdateIndicators() {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const IndicatorRow& row = rows_[i];
        if (row.Spare()) {
            continue;
        }
        if (const BoardInput* input = FindInput(row.caption)) {
            ShowLamp(int(i), input->InputState);
        } else if (const BoardOutput* output = FindOutput(row.caption)) {
            ShowLamp(int(i), output->OutputState);
        }
    }
    LampsDrawn(true);
}

bool IOBoardPanel::ShowsBorder(int row) const {
    return row >= 0 && row < int(rows_.size()) && !rows_[std::size_t(row)].Spare() &&
           FindInput(rows_[std::size_t(row)].caption) != nullptr;
}

void IOBoardPanel::MouseUp(int row, MouseButton button) {
    if (row < 0 || row >= int(rows_.size()) || button != MouseButton::Right) {
        return;
    }
    const std::string& caption = rows_[std::size_t(row)].caption;
    if (caption != "SPARE" && FindOutput(caption) != nullptr) {
        ShowBitAssign(caption);
    }
    rightClick_ = true;
}

void IOBoardPanel::Click(int row) {
    if (row < 0 || row >= int(rows_.size())) {
        return;
    }
    InputClick(rows_[std::size_t(row)].caption);
}

void IOBoardPanel::ShowLamp(int row, bool value) {
    if (row >= 0 && row < int(rows_.size())) {
        rows_[std::size_t(row)].lamp = LampFor(value);
    }
}

}  // namespace veldra
