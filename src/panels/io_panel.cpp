#include "panels/io_panel.h"

namespace veldra {

void IOPanel::Hear(IOBoard& board) {
    Keep(board.InputBitAdded.Subscribe([this](std::string_view name) {
        InputAdded(name);
        Changed.Raise();
    }));
    Keep(board.OutputBitAdded.Subscribe([this](std::string_view name) {
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
        input->InputState = BitValue;
        ShowInputLamp(input->intIndex, BitValue);
        LampShown.Raise(false, input->intIndex);
    } else if (BitName != EnabledBitName()) {
        // The logic's writes to the board's own ".ENABLED" bit do not move the box.
        ReportBitNotFound(std::string(BitName) + ": Was sent to " + board_->BoardName(),
                          "Bit Not Found!");
    }
}

void IOPanel::OnUpdateOutputAt(int Index, std::string_view BitName, bool BitValue) {
    // Outputs are looked for before inputs by name: only an output row is taken as it is.
    const int inputs = InputCount();
    if (Index > inputs && board_ != nullptr && board_->BoardOutput() != nullptr) {
        BoardOutput* output = board_->BoardOutput()->BoardOutputs().Item(Index - inputs);
        if (output != nullptr && output->OutputName == BitName) {
            ShowOutput(*output, BitValue);
            return;
        }
    }
    OnUpdateOutput(BitName, BitValue);
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
    } else if (BitName == EnabledBitName()) {
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

void IOPanel::ShowBoardHeader() {
    if (board_ == nullptr) {
        return;
    }
    SetCaption(board_->BoardName() + " : " + board_->BoardType());
    if (board_->Enabled()) {
        SetEnabledBox(true);
    }
    ShowAdjustable(board_->Adjustable());
}

}  // namespace veldra
