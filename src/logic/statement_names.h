#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veldra {

// The text a statement was given, taken apart: its normalised expression, its result bit
// names and its distinct operand names. Read by editors, windows and the mapping, never
// by a solve, so it is kept in one block apart from what the scan reads: the operand
// names are places in the expression, not copies of it.
class StatementNames {
public:
    // An empty statement: no expression, one empty result and one empty operand.
    StatementNames() = default;
    // The operands are found in the expression, in order of first appearance.
    StatementNames(std::string_view expression, const std::vector<std::string>& results);
    StatementNames(const StatementNames& other);
    StatementNames& operator=(const StatementNames& other);
    StatementNames(StatementNames&&) noexcept = default;
    StatementNames& operator=(StatementNames&&) noexcept = default;

    std::string_view Expression() const;
    // At least one of each; an index past the last gives the empty text.
    int ResultCount() const { return block_ ? int(Header().results) : 1; }
    int OperandCount() const { return block_ ? int(Header().operands) : 1; }
    std::string_view Result(int index) const;
    std::string_view Operand(int index) const;

    std::vector<std::string> Results() const;
    std::vector<std::string_view> Operands() const;

private:
    struct Head {
        std::uint32_t results;
        std::uint32_t operands;
        std::uint32_t expressionLength;
        std::uint32_t size;  // of the whole block, in bytes
    };
    struct Span {
        std::uint32_t start;  // from the first character of the expression
        std::uint32_t length;
    };
    Head Header() const;
    Span SpanAt(std::uint32_t index) const;
    const char* Chars() const;

    std::unique_ptr<char[]> block_;  // Head, a Span per result and operand, the characters
};

}  // namespace veldra
