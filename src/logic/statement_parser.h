#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veldra {

// A statement text taken apart: "ASSIGN " expression " TO " results ";".
struct ParsedStatement {
    // Normalised: upper case, no blanks, word operators turned into symbols.
    std::string expression;
    // The result bit names in order; at least one entry, empty when there is none.
    std::vector<std::string> results;
};

// Splits a whole statement text. A text without TO asks the user, once for the results
// and once for the expression, whether to close the program; both then come from the
// whole text.
ParsedStatement ParseStatementText(std::string_view text);

// Turns the words OR, AND, XOR and NOT into "+", "*", "@" and "~" and drops every blank:
// A AND NOT B OR C becomes A*~B+C. The words must be upper case.
std::string ConvertOperators(std::string_view expression);

// The distinct operand names of a normalised expression, in order of first appearance,
// read as logic/expression_names.h reads every name. "=", ">" and "<" are name characters,
// so a comparison such as X=5 is one name.
std::vector<std::string> OperandNames(std::string_view expression);
// The same names as places in the expression.
std::vector<std::string_view> OperandViews(std::string_view expression);

// Whether the expression reads the bit through a back contact (an occurrence right
// behind "~") or a front contact (any other occurrence). Operands inside a negated
// group ~( ... ) are front contacts: the group, not the bit, is negated.
bool ReadsBackContact(std::string_view expression, std::string_view bitName);
bool ReadsFrontContact(std::string_view expression, std::string_view bitName);

// How a statement reads one of its operands.
struct Contacts {
    bool back = false;
    bool front = false;
};
// The contacts of every operand in `operands`, in their order, found in one walk of the
// expression: a long statement is read once, not once per operand.
std::vector<Contacts> ReadContacts(std::string_view expression,
                                   const std::vector<std::string_view>& operands);

}  // namespace veldra
