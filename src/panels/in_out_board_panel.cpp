#include "panels/in_out_board_panel.h"

namespace veldra {

namespace {

bool Holds(const std::vector<IndicatorRow>& rows, int row) {
    return row >= 0 && row < int(rows.size());
}

void ShowLamp(std::vector<IndicatorRow>& rows, int row, bool value) {
    if (Holds(rows, row)) {
        rows[std::size_t(row)].lamp = LampFor(value);
    }
}

}  // namespace

InOutBoardPanel::InOutBoardPanel(PendingInputs& IOBits) : IOPanel(IOBits) {
    inputRows_.push_back(IndicatorRow(kFirstTop));
    outputRows_.push_back(IndicatorRow(kFirstTop));
    size_ = {kWidth, 5040};
}

void InOutBoardPanel::AddRow(std::vector<IndicatorRow>& rows, int& built, std::string_view name) {
    if (built > 0) {
        const IndicatorRow& above = rows.back();
        rows.push_back(IndicatorRow(above.top + kRowHeight + kRowGap));
    }
    IndicatorRow& row = rows[std::size_t(built)];
    row.caption = std::string(name);
    row.toolTip = row.caption;
    const int bottom = row.top + kRowHeight;
    if (bottom + 500 > heightLimit_) {
        heightLimit_ = bottom + 500;
    }
    size_.height = heightLimit_;
    ++built;
}

void InOutBoardPanel::InputAdded(std::string_view name) {
    AddRow(inputRows_, inputsBuilt_, name);
}

void InOutBoardPanel::OutputAdded(std::string_view name) {
    AddRow(outputRows_, outputsBuilt_, name);
}

void InOutBoardPanel::ShowInputLamp(int row, bool value) {
    ShowLamp(inputRows_, row, value);
}

void InOutBoardPanel::ShowOutputLamp(int row, bool value) {
    ShowLamp(outputRows_, row, value);
}

void InOutBoardPanel::OnCreateimgIndic() {
    for (std::size_t i = 0; i < inputRows_.size(); ++i) {
        if (inputRows_[i].Spare()) {
            continue;
        }
        if (BoardInput* input = FindInput(inputRows_[i].caption)) {
            input->intIndex = std::int16_t(i);
        }
    }
    for (std::size_t i = 0; i < outputRows_.size(); ++i) {
        if (outputRows_[i].Spare()) {
            continue;
        }
        if (BoardOutput* output = FindOutput(outputRows_[i].caption)) {
            output->intIndex = std::int16_t(i);
        }
    }
    BitsKnown();
}

void InOutBoardPanel::OnUpdateIndicators() {
    for (std::size_t i = 0; i < inputRows_.size(); ++i) {
        if (inputRows_[i].Spare()) {
            continue;
        }
        if (const BoardInput* input = FindInput(inputRows_[i].caption)) {
            ShowLamp(inputRows_, int(i), input->InputState);
        }
    }
    for (std::size_t i = 0; i < outputRows_.size(); ++i) {
        if (outputRows_[i].Spare()) {
            continue;
        }
        if (const BoardOutput* output = FindOutput(outputRows_[i].caption)) {
            ShowLamp(outputRows_, int(i), output->OutputState);
        }
    }
    LampsDrawn(false);
}

bool InOutBoardPanel::MouseDownInput(int row, MouseButton button) {
    if (!Holds(inputRows_, row)) {
        return false;
    }
    if (button == MouseButton::Right) {
        rightClick_ = true;
    }
    return !inputRows_[std::size_t(row)].Spare();
}

void InOutBoardPanel::ClickInput(int row) {
    if (Holds(inputRows_, row)) {
        InputClick(inputRows_[std::size_t(row)].caption);
    }
}

void InOutBoardPanel::MouseUpOutput(int row, MouseButton button) {
    if (Holds(outputRows_, row) && button == MouseButton::Right &&
        !outputRows_[std::size_t(row)].Spare()) {
        ShowBitAssign(outputRows_[std::size_t(row)].caption);
    }
}

}  // namespace veldra
