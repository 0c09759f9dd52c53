#pragma once

#include <cstdint>
#include <string_view>

namespace veldra {

// Numbers as the controller's application stores them.

// A number stored in a 16-bit integer: rounded to the nearest whole number, an exact
// half to the even one. Outside -32,768 to 32,767 it is an "Overflow" RuntimeError.
std::int16_t ToInt16(double value);

// The number at the start of the text, as the controller's tools read numbers: blanks
// skipped, an optional sign, digits with an optional decimal part and exponent; reading
// stops at the first character that does not fit. No number at all reads as 0.
double LeadingNumber(std::string_view text);

}  // namespace veldra
