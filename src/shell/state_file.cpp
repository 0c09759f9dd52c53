#include "shell/state_file.h"

#include <charconv>
#include <limits>
#include <pugixml.hpp>
#include <unordered_map>

#include "logic/boolean_bits.h"
#include "platform/ascii_text.h"
#include "platform/runtime_error.h"

namespace veldra {
namespace {

constexpr std::string_view kRoot = "Save_State_Values";
constexpr std::string_view kPrefix = "b_";

// A Latin-1 byte that may stand in an element name after its first character.
bool NameByte(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.' || c == 0xB7 || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}

void AppendUtf8(std::string& out, std::string_view latin1) {
    for (const char ch : latin1) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        }
    }
}

// The name as the program holds it; a character no single byte holds cannot be a bit's.
std::string Latin1(std::string_view utf8, bool& representable) {
    std::string out;
    representable = true;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += char(c);
        } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
            out += char(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        } else {
            representable = false;
            out += '?';
        }
    }
    return out;
}

void AppendBool(std::string& out, std::string_view element, bool value) {
    out.append("<").append(element).append(">");
    out.append(value ? "True" : "False");
    out.append("</").append(element).append(">");
}

void AppendNumber(std::string& out, std::string_view element, std::int32_t value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append("<").append(element).append(">");
    out.append(digits, end);
    out.append("</").append(element).append(">");
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

[[noreturn]] void BadValue(std::string_view element, std::string_view text) {
    throw RuntimeError("\"" + std::string(text) + "\" is not a value of " + std::string(element));
}

std::int64_t Integer(std::string_view element, std::string_view text, std::int64_t low,
                     std::int64_t high) {
    const std::string_view digits = Trimmed(text);
    std::int64_t value = 0;
    const char* begin = digits.data();
    if (!digits.empty() && digits.front() == '+') {
        ++begin;
    }
    const auto [end, error] = std::from_chars(begin, digits.data() + digits.size(), value);
    if (digits.empty() || end != digits.data() + digits.size() ||
        error == std::errc::invalid_argument) {
        BadValue(element, text);
    }
    if (error == std::errc::result_out_of_range || value < low || value > high) {
        throw RuntimeError("Overflow: " + std::string(element) + " " + std::string(digits) +
                           " is out of range");
    }
    return value;
}

bool Boolean(std::string_view element, std::string_view text) {
    const std::string word = UpperCased(Trimmed(text));
    if (word == "TRUE") {
        return true;
    }
    if (word == "FALSE") {
        return false;
    }
    constexpr auto kLong = std::numeric_limits<std::int64_t>::max();
    return Integer(element, text, -kLong, kLong) != 0;
}

void ReadValues(const pugi::xml_node& element, BitStateCopy& copy) {
    constexpr auto kInt32Low = std::numeric_limits<std::int32_t>::min();
    constexpr auto kInt32High = std::numeric_limits<std::int32_t>::max();
    for (const pugi::xml_node& value : element.children()) {
        if (value.type() != pugi::node_element) {
            continue;
        }
        const std::string_view name = value.name();
        const std::string_view text = value.child_value();
        if (name == "BitValue") {
            copy.BitValue = Boolean(name, text);
        } else if (name == "Filter") {
            copy.Filter = Boolean(name, text);
        } else if (name == "IsWatch") {
            copy.IsWatch = Boolean(name, text);
        } else if (name == "OnTime") {
            if (copy.bit->IsTimer()) {
                copy.OnTime = std::int32_t(Integer(name, text, kInt32Low, kInt32High));
            }
        } else if (name == "OffTime") {
            if (copy.bit->IsTimer()) {
                copy.OffTime = std::int32_t(Integer(name, text, kInt32Low, kInt32High));
            }
        } else if (name == "IsNumeric") {
            copy.IsNumeric = Boolean(name, text);
        } else if (name == "NumValue") {
            if (copy.IsNumeric) {
                copy.NumValue = std::int16_t(Integer(name, text, -32768, 32767));
            }
        }
    }
}

}  // namespace

std::string StateFileText(const BooleanBits& bits) {
    std::string out;
    out.reserve(std::size_t(bits.Count()) * 200 + 64);
    out.append("<").append(kRoot).append(">");
    for (const BooleanBit& bit : bits) {
        const std::string& name = bit.BitName();
        for (const char c : name) {
            if (!NameByte(static_cast<unsigned char>(c))) {
                throw RuntimeError("The bit " + name + " has a name that a state file cannot hold");
            }
        }
        out.append("<").append(kPrefix);
        AppendUtf8(out, name);
        out.append(">");
        AppendBool(out, "BitValue", bit.BitValue());
        AppendBool(out, "Filter", bit.Filter());
        AppendBool(out, "IsWatch", bit.IsWatch());
        AppendNumber(out, "OnTime", bit.OnTime());
        AppendNumber(out, "OffTime", bit.OffTime());
        AppendBool(out, "IsNumeric", bit.IsNumeric());
        AppendNumber(out, "NumValue", bit.NumValue());
        out.append("</").append(kPrefix);
        AppendUtf8(out, name);
        out.append(">");
    }
    out.append("</").append(kRoot).append(">");
    return out;
}

std::uint64_t StateFileSizeLimit(int bitCount) {
    constexpr std::uint64_t kBase = 1u << 20;
    constexpr std::uint64_t kPerBit = 2048;
    return kBase + std::uint64_t(std::max(bitCount, 0)) * kPerBit;
}

std::vector<BitStateCopy> ReadStateFile(std::string_view bytes, BooleanBits& program,
                                        const std::function<void(const std::string&)>& notFound) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed) {
        throw RuntimeError(std::string("The file is not a well-formed state file: ") +
                           parsed.description() + " at byte " + std::to_string(parsed.offset));
    }
    const pugi::xml_node root = document.document_element();
    if (std::string_view(root.name()) != kRoot) {
        throw RuntimeError("The file is not a simulator state file: its document is \"" +
                           std::string(root.name()) + "\", not \"" + std::string(kRoot) + "\"");
    }
    std::vector<BitStateCopy> copies;
    std::unordered_map<const BooleanBit*, std::size_t> copyOf;
    for (const pugi::xml_node& element : root.children()) {
        if (element.type() != pugi::node_element) {
            continue;
        }
        const std::string_view fullName = element.name();
        if (fullName.size() < kPrefix.size()) {
            throw RuntimeError("\"" + std::string(fullName) + "\" is too short to name a bit");
        }
        bool representable = true;
        const std::string full = Latin1(fullName, representable);
        // A name in other letters may come out shorter than the prefix once converted.
        BooleanBit* bit = representable && full.size() >= kPrefix.size()
                              ? program.Find(full.substr(kPrefix.size()))
                              : nullptr;
        if (bit == nullptr) {
            notFound(full);
            continue;
        }
        // A bit named again keeps its one copy; only its value starts again from False.
        const auto [found, added] = copyOf.try_emplace(bit, copies.size());
        if (added) {
            copies.push_back({});
        }
        BitStateCopy& copy = copies[found->second];
        copy.bit = bit;
        copy.BitValue = false;
        ReadValues(element, copy);
    }
    return copies;
}

}  // namespace veldra
