#pragma once

#include <string_view>
#include <vector>

namespace veldra {

class BooleanBits;

// The operands a contact reads: each side of an exclusive-or contact ("A@B"), else its
// one name.
std::vector<std::string_view> ContactOperands(std::string_view name);

// Whether a comparison contact ("BIT>3", "BIT=0", "BIT<7") holds for the bit's numeric
// value. A name without an operator, a bit that does not exist and a number that is not
// a whole 16-bit number all give false.
bool GetContactValue(std::string_view name, const BooleanBits* bits);

// The value an exclusive-or contact ("A@B") shows: the exclusive or of its operands, each
// its bit's value or a comparison that holds.
bool ExclusiveOrValue(std::string_view name, const BooleanBits* bits);

}  // namespace veldra
