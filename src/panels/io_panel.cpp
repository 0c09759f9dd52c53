#include "panels/io_panel.h"

namespace veldra {

void IOPanel::Hear(IOBoard& board) {
    // A row added is counted with the others at the next push by row.
    rows_.counted = false;
    Keep(board.InputBitAdded.Subscribe([this](std::string_view name) {
        rows_.counted = false;
        InputAdded(name);
        Changed.Raise();
    }));
    Keep(board.OutputBitAdded.Subscribe([this](std::string_view name) {
        rows_.counted = false;
        OutputAdded(name);
        Changed.Raise();
    }));
}

int IOPanel::BitCount() const {
    if (bitCount_ == 0 && board_ != nullptr) {
        bitCount_ = InputCount() + OutputCount() + 1;
    }
    return bitCount_;
}

std::string IOPanel::GetSystemBit(int Index) const {
    if (board_ == nullptr || Index < 1) {
        return {};
    }
    const int inputs = InputCount();
    const int outputs = OutputCount();
    if (Index <= inputs) {
        return board_->BoardInput()->BoardInputs().Item(Index)->InputName;
    }
    if (Index <= inputs + outputs) {
        return board_->BoardOutput()->BoardOutputs().Item(Index - inputs)->OutputName;
    }
    return EnabledBitName();
}

void IOPanel::OnUpdateOutput(std::string_view BitName, bool BitValue) {
    if (board_ == nullptr) {
        return;
    }
    if (BoardOutput* output = FindOutput(BitName)) {
        ShowOutput(*output, BitValue);
    } else if (BoardInput* input = FindInput(BitName)) {
        ShowInput(*input, BitValue);
    } else if (!IsEnabledBit(BitName)) {
        // The logic's writes to the board's own ".ENABLED" bit do not move the box.
        ReportBitNotFound(std::string(BitName) + ": Was sent to " + board_->BoardName(),
                          "Bit Not Found!");
    }
}

void IOPanel::OnUpdateOutputAt(int Index, std::string_view BitName, bool BitValue) {
    // The row is taken only where it still shows the bit and the name would lead to it.
    if (board_ != nullptr && Index >= 1) {
        BoardInput* inputs = board_->BoardInput();
        BoardOutput* outputs = board_->BoardOutput();
        if (!rows_.counted || inputs != rows_.inputs || outputs != rows_.outputs) {
            CountRows();
        }
        const std::size_t inputCount = rows_.inputRows.size();
        const auto row = std::size_t(Index - 1);
        if (row >= inputCount && row - inputCount < rows_.outputRows.size()) {
            BoardOutput& output = *rows_.outputRows[row - inputCount];
            if (output.OutputName == BitName) {
                ShowOutput(output, BitValue);
                return;
            }
        } else if (row < inputCount && !rows_.sharedNames) {
            BoardInput& input = *rows_.inputRows[row];
            if (input.InputName == BitName) {
                ShowInput(input, BitValue);
                return;
            }
        } else if (row == inputCount + rows_.outputRows.size() && IsEnabledBit(BitName)) {
            return;  // the logic's writes to the ".ENABLED" bit do not move the box
        }
    }
    OnUpdateOutput(BitName, BitValue);
}

void IOPanel::CountRows() {
    rows_ = RowLayout{true, board_->BoardInput(), board_->BoardOutput(), {}, {}, false};
    for (int i = 1; i <= InputCount(); ++i) {
        rows_.inputRows.push_back(rows_.inputs->BoardInputs().Item(i));
        rows_.sharedNames =
            rows_.sharedNames || FindOutput(rows_.inputRows.back()->InputName) != nullptr;
    }
    for (int i = 1; i <= OutputCount(); ++i) {
        rows_.outputRows.push_back(rows_.outputs->BoardOutputs().Item(i));
    }
}

void IOPanel::ShowInput(BoardInput& input, bool BitValue) {
    input.InputState = BitValue;
    ShowInputLamp(input.intIndex, BitValue);
    LampShown.Raise(false, input.intIndex);
}

void IOPanel::ShowOutput(BoardOutput& output, bool BitValue) {
    output.OutputState = BitValue;
    ShowOutputLamp(output.intIndex, BitValue);
    LampShown.Raise(true, output.intIndex);
}

void IOPanel::OnLoadState(std::string_view BitName, bool BitValue) {
    if (board_ == nullptr) {
        return;
    }
    // The lamp follows with the UpdateOutput and UpdateIndicators that the state-file
    // reader sends afterwards. Outputs are the logic's to set, not the file's.
    if (BoardInput* input = FindInput(BitName)) {
        input->InputState = BitValue;
    } else if (IsEnabledBit(BitName)) {
        SetEnabledBox(BitValue);
    }
}

BoardInput* IOPanel::FindInput(std::string_view name) const {
    if (board_ == nullptr || board_->BoardInput() == nullptr) {
        return nullptr;
    }
    return board_->BoardInput()->BoardInputs().Item(name);
}

BoardOutput* IOPanel::FindOutput(std::string_view name) const {
    if (board_ == nullptr || board_->BoardOutput() == nullptr) {
        return nullptr;
    }
    return board_->BoardOutput()->BoardOutputs().Item(name);
}

int IOPanel::InputCount() const {
    if (board_ == nullptr || board_->BoardInput() == nullptr) {
        return 0;
    }
    return board_->BoardInput()->BoardInputs().Count();
}

int IOPanel::OutputCount() const {
    if (board_ == nullptr || board_->BoardOutput() == nullptr) {
        return 0;
    }
    return board_->BoardOutput()->BoardOutputs().Count();
}

void IOPanel::InputClick(const std::string& caption) {
    if (!rightClick_ && caption != "SPARE") {
        if (BoardInput* input = FindInput(caption)) {
            input->InputState = !input->InputState;
            const std::string name = input->InputName;
            const bool state = input->InputState;
            Post(name, state);
            UpdateOutput(name, state);
        }
    }
    rightClick_ = false;
}

void IOPanel::BitsKnown() {
    if (board_ == nullptr) {
        return;
    }
    // Counted here, as the load leaves the rows, so that the first scan's pushes find them
    // counted rather than count every window's rows on the way.
    CountRows();
    SetCaption(board_->BoardName() + " : " + board_->BoardType());
    if (board_->Enabled()) {
        SetEnabledBox(true);
    }
    ShowAdjustable(board_->Adjustable());
}

}  // namespace veldra
