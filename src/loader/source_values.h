#pragma once

#include <string_view>

namespace veldra {

// Values written in the source text, read as the controller's tools read them. A text
// that is not such a value is a "Type mismatch" RuntimeError naming it.

// A Boolean: a number (anything but 0 is True) or the word TRUE or FALSE.
bool SourceBoolean(std::string_view text);

// A number: an optional sign, digits with an optional decimal part and exponent, and
// nothing else.
double SourceNumber(std::string_view text);

}  // namespace veldra
