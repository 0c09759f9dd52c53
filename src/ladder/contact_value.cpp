#include "ladder/contact_value.h"

#include <charconv>
#include <cstdint>
#include <optional>

#include "logic/boolean_bits.h"
#include "logic/text_helpers.h"

namespace veldra {
namespace {

std::optional<std::int16_t> WholeNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    std::int16_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::vector<std::string_view> ContactOperands(std::string_view name) {
    return SplitViews(name, '@');
}

bool GetContactValue(std::string_view name, const BooleanBits* bits) {
    std::size_t at = name.find('=');
    if (at == std::string_view::npos) {
        at = name.find('>');
    }
    if (at == std::string_view::npos) {
        at = name.find('<');
    }
    if (at == std::string_view::npos || bits == nullptr) {
        return false;
    }
    const BooleanBit* bit = bits->Find(name.substr(0, at));
    const std::optional<std::int16_t> value = WholeNumber(name.substr(at + 1));
    if (bit == nullptr || !value) {
        return false;
    }
    switch (name[at]) {
        case '=':
            return bit->NumValue() == *value;
        case '>':
            return bit->NumValue() > *value;
        default:
            return bit->NumValue() < *value;
    }
}

bool ContactValue(std::string_view name, const BooleanBits* bits) {
    bool value = false;
    for (const std::string_view operand : ContactOperands(name)) {
        const BooleanBit* bit = bits != nullptr ? bits->Find(operand) : nullptr;
        value = value != (bit != nullptr ? bit->BitValue() : GetContactValue(operand, bits));
    }
    return value;
}

}  // namespace veldra
