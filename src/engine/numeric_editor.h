#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/event.h"

namespace veldra {

class ProgramEngine;

// A list of numeric bits with its value box, as on the "User Numeric" and "Force Bit"
// pages: the engineer picks a line, types a number and applies it to the bit. Each line
// reads "name = value"; the name is the text before the first blank.
class NumericEditor {
public:
    static constexpr const char* kInvalidTitle = "Invalid Entry";
    static constexpr const char* kInvalidPrompt = "Enter a whole number from -32768 to 32767";

    explicit NumericEditor(ProgramEngine& engine);

    // Takes the lines as load completion built them; no line is current.
    void Fill(std::vector<std::string> lines);
    // Lists every numeric bit of the program, in the program's order.
    void Rebuild();

    const std::vector<std::string>& Lines() const { return lines_; }
    // The current line, from 0; -1 when none.
    int CurrentLine() const { return currentLine_; }
    const std::string& ValueText() const { return valueText_; }
    // The value box is disabled until a line is first chosen.
    bool ValueEnabled() const { return valueEnabled_; }

    // The engineer chose a line: its bit's number goes into the value box.
    void Choose(int line);
    // The engineer typed into the value box.
    void SetValueText(std::string text) { valueText_ = std::move(text); }
    // Enter in the value box: applies the number and moves on to the next line.
    void Enter();
    // The focus left the value box (also by pressing "Apply"): applies the number. False
    // when the number was refused: the box is not to be left.
    bool LeaveValueBox();

    // Raised after anything shown here changed.
    Event<> Changed;

private:
    enum class Entry { Applied, Refused, Lost };

    // Sets the current line's bit to the typed number (0 when the text starts with none);
    // a number that does not fit is refused with a message and the box gets the bit's
    // number back.
    // A number the bit could not take (reported) is lost, not refused.
    Entry Apply();
    std::string CurrentName() const;

    ProgramEngine& engine_;
    std::vector<std::string> lines_;
    int currentLine_ = -1;
    std::string valueText_;
    bool valueEnabled_ = false;
};

}  // namespace veldra
