#pragma once

#include <cstddef>
#include <string_view>

namespace veldra {

// How every reader of a statement finds its names, so that the evaluator, the operand
// table, the contacts that queue the statement, the drawing and everything built on them
// take the same names. A name runs from its first character to the next blank, "+", "*",
// "@", "(" or ")". A "~" before a name or a bracket negates it; a "~" after a name's first
// character is part of the name, so A1~B1 is one name and ~A1~B1 its negation.
constexpr bool EndsName(char c) {
    return c == ' ' || c == '+' || c == '*' || c == '@' || c == '(' || c == ')';
}

// The "~" at `at` is part of a name, not a NOT mark: a name character stands before it,
// perhaps behind more "~". A text cut there would start its next line with what reads as
// a negation.
constexpr bool TildeInsideName(std::string_view text, std::size_t at) {
    if (at >= text.size() || text[at] != '~') {
        return false;
    }
    while (at > 0 && text[at - 1] == '~') {
        --at;
    }
    return at > 0 && !EndsName(text[at - 1]);
}

// Where a line of text that starts at `start` and would be cut at `cut` ends instead:
// sooner, so that the next line does not start with a "~" inside a name, unless the line
// would then hold nothing.
constexpr std::size_t CutOutsideName(std::string_view text, std::size_t start, std::size_t cut) {
    std::size_t end = cut;
    while (end > start + 1 && TildeInsideName(text, end)) {
        --end;
    }
    return TildeInsideName(text, end) ? cut : end;
}

// One occurrence of a name in an expression.
struct NameOccurrence {
    std::string_view name;  // a view of the expression itself
    // A "~" stands right before it. One before a bracket negates the group, not the names
    // inside it.
    bool negated = false;
};

// Calls visit(NameOccurrence) for every occurrence of a name, in order, repeats included.
template <class Visit>
void ForEachName(std::string_view expression, Visit&& visit) {
    bool negated = false;
    for (std::size_t i = 0; i < expression.size();) {
        const char c = expression[i];
        if (c == '~' || c == ' ') {
            negated = negated || c == '~';
            ++i;
            continue;
        }
        if (EndsName(c)) {
            negated = false;
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        while (end < expression.size() && !EndsName(expression[end])) {
            ++end;
        }
        visit(NameOccurrence{expression.substr(i, end - i), negated});
        negated = false;
        i = end;
    }
}

}  // namespace veldra
