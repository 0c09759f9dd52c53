#pragma once

#include <string>
#include <string_view>

namespace veldra {

class Statement;

// A statement's text for editing: "ASSIGN ", the expression with a blank on each side of
// every "*", "+" and "@", " TO ", the results separated by ", ", and ";".
std::string EditableText(const Statement& statement);

// An edited statement as one line: a line break or a tab typed into it counts as a blank,
// so that it never becomes part of an operand's name.
std::string OneLine(std::string_view text);

}  // namespace veldra
