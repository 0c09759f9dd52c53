#include "engine/numeric_editor.h"

#include "engine/program_engine.h"
#include "engine/typed_numbers.h"
#include "platform/platform.h"
#include "platform/window_errors.h"

namespace veldra {
namespace {

std::string NumericLine(const BooleanBit& bit) {
    return bit.BitName() + " = " + std::to_string(bit.NumValue());
}

}  // namespace

NumericEditor::NumericEditor(ProgramEngine& engine) : engine_(engine) {}

void NumericEditor::Fill(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    currentLine_ = -1;
    Changed.Raise();
}

void NumericEditor::Rebuild() {
    lines_.clear();
    currentLine_ = -1;
    if (const BooleanBits* bits = engine_.PrgBooleanBits()) {
        for (const BooleanBit& bit : *bits) {
            if (bit.IsNumeric()) {
                lines_.push_back(NumericLine(bit));
            }
        }
    }
    Changed.Raise();
}

std::string NumericEditor::CurrentName() const {
    if (currentLine_ < 0 || currentLine_ >= int(lines_.size())) {
        return {};
    }
    const std::string& line = lines_[std::size_t(currentLine_)];
    return line.substr(0, line.find(' '));
}

void NumericEditor::Choose(int line) {
    if (line < 0 || line >= int(lines_.size())) {
        return;
    }
    currentLine_ = line;
    BooleanBits* bits = engine_.PrgBooleanBits();
    const BooleanBit* bit = bits != nullptr ? bits->Find(CurrentName()) : nullptr;
    if (bit != nullptr) {
        valueText_ = std::to_string(bit->NumValue());
        valueEnabled_ = true;
    }
    Changed.Raise();
}

NumericEditor::Entry NumericEditor::Apply() {
    const std::string name = CurrentName();
    BooleanBits* bits = engine_.PrgBooleanBits();
    BooleanBit* bit = bits != nullptr && !name.empty() ? bits->Find(name) : nullptr;
    if (bit == nullptr) {
        return Entry::Lost;
    }
    const std::optional<std::int16_t> number = ValueBoxNumber(valueText_);
    if (!number) {
        MsgBox(kInvalidPrompt, MsgButtons::Ok, MsgIcon::Information, kInvalidTitle);
        // Looked up again: the program may have changed while the box was open.
        bits = engine_.PrgBooleanBits();
        bit = bits != nullptr ? bits->Find(name) : nullptr;
        valueText_ = bit != nullptr ? std::to_string(bit->NumValue()) : std::string();
        Changed.Raise();
        return Entry::Refused;
    }
    bool applied = false;
    ReportWindowErrors([&] {
        bit->SetNumValue(*number, false);
        // Checked again: the status line lets the window repaint, and it may refill us.
        if (currentLine_ >= 0 && currentLine_ < int(lines_.size())) {
            lines_[std::size_t(currentLine_)] = name + " = " + std::to_string(*number);
        }
        applied = true;
    });
    Changed.Raise();
    return applied ? Entry::Applied : Entry::Lost;
}

void NumericEditor::Enter() {
    if (currentLine_ < 0) {
        return;
    }
    if (Apply() == Entry::Applied && currentLine_ + 1 < int(lines_.size())) {
        Choose(currentLine_ + 1);
    }
}

bool NumericEditor::LeaveValueBox() {
    return currentLine_ < 0 || Apply() != Entry::Refused;
}

}  // namespace veldra
