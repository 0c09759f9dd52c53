#include "engine/typed_numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "logic/numbers.h"
#include "platform/runtime_error.h"

namespace veldra {

std::optional<std::int16_t> ValueBoxNumber(std::string_view text) {
    const double rounded = std::nearbyint(LeadingNumber(text));
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() &&
          rounded <= std::numeric_limits<std::int16_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::optional<std::int32_t> DelayBoxNumber(std::string_view text) {
    const double rounded = std::nearbyint(LeadingNumber(text));
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() &&
          rounded <= std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    const auto number = static_cast<std::int32_t>(rounded);
    if (std::to_string(number) != text) {
        return std::nullopt;
    }
    return number;
}

std::variant<int, std::string> IntervalBoxNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::string(errors::kTypeMismatch);
    }
    std::string_view number = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (number.front() == '+') {
        number.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size()) {
        return std::string(errors::kTypeMismatch);
    }
    const double rounded = std::nearbyint(value);
    if (!(rounded >= 0 && rounded <= kLongestInterval)) {
        return std::string(kInvalidPropertyValue);
    }
    return static_cast<int>(rounded);
}

}  // namespace veldra
