#include "logic/statement_parser.h"

#include <algorithm>
#include <array>

#include "logic/expression_names.h"
#include "logic/operand_lookup.h"
#include "logic/text_helpers.h"
#include "platform/ascii_text.h"
#include "platform/hash_growth.h"
#include "platform/platform.h"

namespace veldra {
namespace {

bool Holds(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// The question a statement without TO asks; Yes ends the program.
void AskAboutMissingTo() {
    Platform& platform = ThePlatform();
    platform.UnloadLoadingProgress();
    const MsgAnswer answer = platform.MsgBox(
        {"Close Program?", MsgButtons::YesNo, MsgIcon::Critical, "Unable to locate keyword 'TO'"});
    if (answer == MsgAnswer::Yes) {
        platform.EndApplication();
    }
}

// Walks the list with a view, so that a statement with thousands of results costs no more
// than its length.
std::vector<std::string> SplitResults(std::string_view rest) {
    std::vector<std::string> results;
    for (std::size_t comma; (comma = rest.find(',')) != std::string_view::npos;) {
        results.push_back(TrimUpper(rest.substr(0, comma)));
        rest.remove_prefix(comma + 1);
    }
    // The last name counts only when ";" closes it.
    if (const std::size_t semicolon = rest.find(';'); semicolon != std::string_view::npos) {
        results.push_back(TrimUpper(rest.substr(0, semicolon)));
    }
    if (results.empty()) {
        results.emplace_back();
    }
    return results;
}

struct WordOperator {
    std::string_view pattern;
    std::string_view replacement;
    // How much of the pattern is used up: a trailing blank or bracket is left for the
    // next pattern to start from, so A AND NOT B finds both words.
    std::size_t consumed;
};

// Tried in this order at every position.
constexpr std::array kWordOperators = {
    WordOperator{" OR ", "+", 3},  WordOperator{"OR(", "+", 2},  WordOperator{")OR ", ")+", 3},
    WordOperator{" AND ", "*", 4}, WordOperator{"AND(", "*", 3}, WordOperator{")AND ", ")*", 4},
    WordOperator{" XOR ", "@", 4}, WordOperator{"XOR(", "@", 3}, WordOperator{")XOR ", ")@", 4},
    WordOperator{" NOT ", "~", 4}, WordOperator{"NOT(", "~", 3}, WordOperator{"(NOT ", "(~", 4},
};

// Where a word operator may begin: every other character is copied without trying any.
bool MayStartWordOperator(char c) {
    return c == ' ' || c == 'O' || c == 'A' || c == 'X' || c == 'N' || c == '(' || c == ')';
}

bool IsOperatorSymbol(char c) {
    return c == '+' || c == '*' || c == '@' || c == '~' || c == '(';
}

}  // namespace

std::string ConvertOperators(std::string_view expression) {
    std::string out;
    out.reserve(expression.size());
    for (std::size_t i = 0; i < expression.size();) {
        const char c = expression[i];
        if (!MayStartWordOperator(c)) {
            out += c;
            ++i;
            continue;
        }
        const std::string_view rest = expression.substr(i);
        // NOT that opens the expression or an operand position has no blank before it.
        const bool operandPosition = out.empty() || IsOperatorSymbol(out.back());
        if (operandPosition && rest.starts_with("NOT ")) {
            out += '~';
            i += 3;
            continue;
        }
        const auto match =
            std::find_if(kWordOperators.begin(), kWordOperators.end(), [&](const WordOperator& op) {
                return op.pattern[0] == c && rest.starts_with(op.pattern);
            });
        if (match != kWordOperators.end()) {
            out += match->replacement;
            i += match->consumed;
            continue;
        }
        if (expression[i] != ' ') {
            out += expression[i];
        }
        ++i;
    }
    return out;
}

std::vector<std::string> OperandNames(std::string_view expression) {
    const std::vector<std::string_view> views = OperandViews(expression);
    return {views.begin(), views.end()};
}

std::vector<std::string_view> OperandViews(std::string_view expression) {
    std::vector<std::string_view> names;
    // Views of the expression itself; the few names of most statements are told apart by
    // looking at each, the many of a long one by their hashes.
    constexpr std::size_t kNamesLookedAt = 16;
    HashSet<std::string_view> seen;
    const auto firstTime = [&](std::string_view name) {
        if (names.size() < kNamesLookedAt) {
            return std::find(names.begin(), names.end(), name) == names.end();
        }
        if (seen.empty()) {
            seen.insert(names.begin(), names.end());
        }
        return seen.insert(name).second;
    };
    ForEachName(expression, [&](const NameOccurrence& occurrence) {
        if (firstTime(occurrence.name)) {
            names.push_back(occurrence.name);
        }
    });
    if (names.empty()) {
        names.emplace_back();
    }
    return names;
}

bool ReadsBackContact(std::string_view expression, std::string_view bitName) {
    bool found = false;
    ForEachName(expression, [&](const NameOccurrence& occurrence) {
        found = found || (occurrence.negated && occurrence.name == bitName);
    });
    return found;
}

bool ReadsFrontContact(std::string_view expression, std::string_view bitName) {
    bool found = false;
    ForEachName(expression, [&](const NameOccurrence& occurrence) {
        found = found || (!occurrence.negated && occurrence.name == bitName);
    });
    return found;
}

std::vector<Contacts> ReadContacts(std::string_view expression,
                                   const std::vector<std::string_view>& operands) {
    std::vector<Contacts> contacts(operands.size());
    const OperandLookup lookup(operands);
    ForEachName(expression, [&](const NameOccurrence& occurrence) {
        if (const std::optional<std::uint32_t> index = lookup.Find(occurrence.name)) {
            (occurrence.negated ? contacts[*index].back : contacts[*index].front) = true;
        }
    });
    return contacts;
}

ParsedStatement ParseStatementText(std::string_view text) {
    const std::string upper = UpperCased(text);
    ParsedStatement parsed;

    std::string resultsPart;
    if (Holds(upper, " TO ")) {
        resultsPart = TextAfter(text, " TO ");
    } else if (Holds(upper, ")TO ")) {
        resultsPart = TextAfter(text, ")TO ");
    } else {
        AskAboutMissingTo();
        resultsPart = upper;
    }
    parsed.results = SplitResults(resultsPart);

    std::string expression;
    if (Holds(upper, " TO ")) {
        expression = TextBefore(text, " TO ");
    } else if (Holds(upper, ")TO ")) {
        expression = TextBefore(text, ")TO ") + ")";
    } else {
        AskAboutMissingTo();
        expression = upper;
    }
    parsed.expression = ConvertOperators(TrimUpper(TextAfter(expression, "ASSIGN")));
    return parsed;
}

}  // namespace veldra
