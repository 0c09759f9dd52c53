#include "loader/source_values.h"

#include <charconv>
#include <string>

#include "loader/keywords.h"
#include "platform/ascii_text.h"
#include "platform/runtime_error.h"

namespace veldra {
namespace {

[[noreturn]] void Mismatch(std::string_view text, std::string_view expected) {
    throw RuntimeError(std::string(errors::kTypeMismatch) + ": \"" + Excerpt(text) + "\" is not " +
                       std::string(expected));
}

}  // namespace

double SourceNumber(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    std::string_view digits = trimmed;
    if (digits.starts_with('+')) {
        digits.remove_prefix(1);  // from_chars takes a minus sign only
    }
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
        digits.starts_with('-') != trimmed.starts_with('-') || Contains(digits, "N") ||
        Contains(digits, "n")) {
        Mismatch(trimmed, "a number");
    }
    return value;
}

bool SourceBoolean(std::string_view text) {
    const std::string_view trimmed = TrimBlanks(text);
    if (EqualsIgnoringCase(trimmed, "TRUE")) {
        return true;
    }
    if (EqualsIgnoringCase(trimmed, "FALSE")) {
        return false;
    }
    try {
        return SourceNumber(trimmed) != 0;
    } catch (const RuntimeError&) {
        Mismatch(trimmed, "a Boolean value (1 or 0)");
    }
}

}  // namespace veldra
