#include "panels/io_panel.h"

#include <algorithm>

namespace veldra {

void IOPanel::Hear(IOBoard& board) {
    RowsMoved();
    Keep(board.InputBitAdded.Subscribe([this](std::string_view name) {
        RowsMoved();
        InputAdded(name);
        Changed.Raise();
    }));
    Keep(board.HoldersGiven.Subscribe([this] { RowsMoved(); }));
    Keep(board.OutputBitAdded.Subscribe([this](std::string_view name) {
        RowsMoved();
        OutputAdded(name);
        Changed.Raise();
    }));
}

void IOPanel::RowsMoved() {
    // A row added is counted with the others at the next push by row; a bit bound before
    // it no longer vouches for its row. 0 stands for "not known", so the count skips it.
    rows_.counted = false;
    if (++rowsRevision_ == 0) {
        rowsRevision_ = 1;
    }
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
    // Which row the name's input or output is on is not known here.
    ForgetShown();
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

std::uint32_t IOPanel::RowsRevision() {
    if (board_ != nullptr) {
        CountRowsIfChanged();  // lists given since the last count move it
    }
    return rowsRevision_;
}

bool IOPanel::OnUpdateOutputAt(int Index, std::string_view BitName, bool BitValue,
                               std::uint32_t boundRevision) {
    // The row is taken only where it still shows the bit and the name would lead to it.
    if (board_ != nullptr && Index >= 1) {
        // Bound while the rows were as they are now counted: the row shows the bit. The
        // rows then need no look at the board, whose lists announce every change.
        bool bound = rows_.counted && boundRevision != 0 && boundRevision == rowsRevision_;
        if (!bound) {
            CountRowsIfChanged();
            bound = boundRevision != 0 && boundRevision == rowsRevision_;
        }
        const std::size_t inputCount = rows_.inputRows.size();
        const std::size_t outputCount = rows_.outputRows.size();
        const auto row = std::size_t(Index - 1);
        const bool output = row >= inputCount && row - inputCount < outputCount;
        if ((output || (row < inputCount && !rows_.sharedNames)) &&
            (bound || RowName(row) == BitName)) {
            std::int8_t& shown = rows_.shown[row];
            if (shown == std::int8_t(BitValue)) {
                return false;
            }
            // A spare's input or output has no lamp of its own: showing it may move another
            // row's lamp.
            const bool ownLamp = rows_.tracked && !IsUnkeyedName(BitName);
            if (!ownLamp) {
                ForgetShown();
            }
            if (output) {
                ShowOutput(*rows_.outputRows[row - inputCount], rows_.lamps[row], BitValue);
            } else {
                ShowInput(*rows_.inputRows[row], rows_.lamps[row], BitValue);
            }
            if (ownLamp) {
                shown = std::int8_t(BitValue);
            }
            return true;
        }
        if (row == inputCount + outputCount && (bound || IsEnabledBit(BitName))) {
            return false;  // the logic's writes to the ".ENABLED" bit do not move the box
        }
    }
    OnUpdateOutput(BitName, BitValue);
    return true;
}

void IOPanel::CountRowsIfChanged() {
    if (!rows_.counted || board_->BoardInput() != rows_.inputs ||
        board_->BoardOutput() != rows_.outputs) {
        CountRows();
    }
}

void IOPanel::CountRows() {
    if (board_->BoardInput() != rows_.inputs || board_->BoardOutput() != rows_.outputs) {
        RowsMoved();  // lists given before the board was heard, or counted for the first time
    }
    rows_ = RowLayout{};
    rows_.counted = true;
    rows_.inputs = board_->BoardInput();
    rows_.outputs = board_->BoardOutput();
    for (int i = 1; i <= InputCount(); ++i) {
        BoardInput* input = rows_.inputs->BoardInputs().Item(i);
        rows_.inputRows.push_back(input);
        rows_.sharedNames = rows_.sharedNames || FindOutput(input->InputName) != nullptr;
        rows_.names += input->InputName;
        rows_.nameEnds.push_back(std::uint32_t(rows_.names.size()));
        rows_.lamps.push_back(input->intIndex);
    }
    for (int i = 1; i <= OutputCount(); ++i) {
        BoardOutput* output = rows_.outputs->BoardOutputs().Item(i);
        rows_.outputRows.push_back(output);
        rows_.names += output->OutputName;
        rows_.nameEnds.push_back(std::uint32_t(rows_.names.size()));
        rows_.lamps.push_back(output->intIndex);
    }
    rows_.shown.assign(rows_.nameEnds.size(), kUnknown);
}

std::string_view IOPanel::RowName(std::size_t row) const {
    const std::uint32_t begin = row == 0 ? 0 : rows_.nameEnds[row - 1];
    return std::string_view(rows_.names).substr(begin, rows_.nameEnds[row] - begin);
}

void IOPanel::ForgetShown() {
    std::fill(rows_.shown.begin(), rows_.shown.end(), kUnknown);
}

void IOPanel::LampsDrawn(bool oneColumn) {
    if (board_ == nullptr) {
        return;
    }
    CountRowsIfChanged();
    // Where two rows share a lamp, showing one row's value may change what the other's
    // lamp shows: such a window keeps nothing. Spares are never found by name and show
    // nothing of their own.
    const std::size_t inputCount = rows_.inputRows.size();
    const auto keyed = [&](std::size_t row) { return !IsUnkeyedName(RowName(row)); };
    std::vector<int> inputLamps;
    std::vector<int> outputLamps;
    for (std::size_t row = 0; row < rows_.lamps.size(); ++row) {
        if (keyed(row)) {
            (row < inputCount || oneColumn ? inputLamps : outputLamps).push_back(rows_.lamps[row]);
        }
    }
    const auto distinct = [](std::vector<int>& lamps) {
        std::sort(lamps.begin(), lamps.end());
        return std::adjacent_find(lamps.begin(), lamps.end()) == lamps.end();
    };
    rows_.tracked = !rows_.sharedNames && distinct(inputLamps) && distinct(outputLamps);
    ForgetShown();
    if (!rows_.tracked) {
        return;
    }
    for (std::size_t row = 0; row < rows_.shown.size(); ++row) {
        if (keyed(row)) {
            rows_.shown[row] =
                std::int8_t(row < inputCount ? rows_.inputRows[row]->InputState
                                             : rows_.outputRows[row - inputCount]->OutputState);
        }
    }
}

void IOPanel::ShowInput(BoardInput& input, int lamp, bool BitValue) {
    input.InputState = BitValue;
    ShowInputLamp(lamp, BitValue);
    LampShown.Raise(false, lamp);
}

void IOPanel::ShowOutput(BoardOutput& output, int lamp, bool BitValue) {
    output.OutputState = BitValue;
    ShowOutputLamp(lamp, BitValue);
    LampShown.Raise(true, lamp);
}

void IOPanel::OnLoadState(std::string_view BitName, bool BitValue) {
    if (board_ == nullptr) {
        return;
    }
    // The lamp follows with the UpdateOutput and UpdateIndicators that the state-file
    // reader sends afterwards. Outputs are the logic's to set, not the file's.
    if (BoardInput* input = FindInput(BitName)) {
        ForgetShown();  // the input's lamp no longer shows its state
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
