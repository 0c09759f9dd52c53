#pragma once

#include <string_view>
#include <vector>

namespace veldra {

class BooleanBits;

// Whether the contact reads the exclusive or of its operands ("A@B").
inline bool IsExclusiveOrContact(std::string_view name) {
    return name.find('@') != std::string_view::npos;
}

// The operands a contact reads: each side of an exclusive-or contact ("A@B"), else its
// one name.
std::vector<std::string_view> ContactOperands(std::string_view name);

// Whether a comparison contact ("BIT>3", "BIT=0", "BIT<7") holds for the bit's numeric
// value. A name without an operator, a bit that does not exist and a number that is not
// a whole 16-bit number all give false.
bool GetContactValue(std::string_view name, const BooleanBits* bits);

// The value a contact shows: its bit's value, whether its comparison holds, or for an
// exclusive-or contact ("A@B") the exclusive or of its operands' values; false for a bit
// that does not exist.
bool ContactValue(std::string_view name, const BooleanBits* bits);

}  // namespace veldra
