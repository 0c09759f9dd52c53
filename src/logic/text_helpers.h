#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veldra {

// Cutting and normalising of application text. Source text, bit names and statement
// keywords are compared in upper case throughout the program, so these work on
// upper-cased text and return it upper-cased.

// Upper-cases the text and drops, from both ends, every character outside printable
// ASCII (blanks, control characters, DEL and above). Inner characters stay.
std::string TrimUpper(std::string_view text);

// Everything behind the first occurrence of the key. For an absent key the same
// character count applies, so the result is the text less its first (key length - 1)
// characters: an absent one-character key yields the whole text. Statement parsing
// relies on that tail. An absent key longer than the text by two or more is an error,
// reported as the model reports errors; the result is then empty.
std::string TextAfter(std::string_view text, std::string_view key);

// Everything before the first occurrence of the key. An absent key is an error,
// reported as the model reports errors; the result is then empty.
std::string TextBefore(std::string_view text, std::string_view key);

// A statement's canonical one-line text: "ASSIGN ", the expression, " TO ", the
// result bit names separated by ", ", and ";".
std::string AssignText(std::string_view expression, const std::vector<std::string>& resultBitNames);

// The tail of a statement's text: " TO ", the result bit names separated by ", ", ";".
std::string ResultsText(const std::vector<std::string>& resultBitNames);

// The expression with a blank on each side of every "@", "*" and "+"; blanks already
// there stay. Every text that shows a statement to the user spaces it so.
std::string SpaceOperators(std::string_view expression);

// The pieces of the text between each two `separator`s, as views of it; one piece, the
// whole text, when it holds none.
std::vector<std::string_view> SplitViews(std::string_view text, char separator);

}  // namespace veldra
