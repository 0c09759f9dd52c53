#include "logic/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "platform/ascii_text.h"
#include "platform/runtime_error.h"

namespace veldra {

std::int16_t ToInt16(double value) {
    if (std::isnan(value)) {
        throw RuntimeError(errors::kOverflow);
    }
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        throw RuntimeError(errors::kOverflow);
    }
    return static_cast<std::int16_t>(rounded);
}

double LeadingNumber(std::string_view text) {
    std::string number;
    std::size_t i = 0;
    const auto digitAt = [&](std::size_t at) {
        return at < text.size() && text[at] >= '0' && text[at] <= '9';
    };
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i++] == '-';
    }
    bool anyDigit = false;
    while (digitAt(i)) {
        number += text[i++];
        anyDigit = true;
    }
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (digitAt(i)) {
            number += text[i++];
            anyDigit = true;
        }
    }
    if (!anyDigit) {
        return 0;
    }
    if (i < text.size() && (ToUpperAscii(text[i]) == 'E' || ToUpperAscii(text[i]) == 'D')) {
        std::size_t at = i + 1;
        std::string exponent = "e";
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            exponent += text[at++];
        }
        if (digitAt(at)) {
            while (digitAt(at)) {
                exponent += text[at++];
            }
            number += exponent;
        }
    }
    // from_chars, unlike strtod, reads the same whatever locale the desktop has set.
    double value = 0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return negative ? -value : value;
}

}  // namespace veldra
