#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace veldra {

// The words of the source text that the loader and its section readers look for. Pieces
// reach them upper-cased, so every comparison here is exact.

// What the lines after a section keyword hold, as far as what their load makes goes.
enum class SectionKind { Other, Declarations, Logic, Board };

struct SectionKeyword {
    std::string_view keyword;
    SectionKind kind;
};

// Every section keyword, searched in this order; the first one found decides. The loader
// ends a section at any of them, and the count before reading finds the sections by them.
inline constexpr std::array<SectionKeyword, 19> kSectionKeywords = {{
    {"BOARD:", SectionKind::Board},
    {"LOG BITS", SectionKind::Declarations},
    {"NUMERIC VARIABLES", SectionKind::Declarations},
    {"BOOLEAN BITS", SectionKind::Declarations},
    {"NV.BOOLEAN BITS", SectionKind::Declarations},
    {"TIMER BITS", SectionKind::Declarations},
    {"LOGIC BEGIN", SectionKind::Logic},
    {"COMM", SectionKind::Other},
    {"USER NUMERIC", SectionKind::Declarations},
    {"USER BIT", SectionKind::Declarations},
    {"END PROGRAM", SectionKind::Other},
    {"END LOGIC", SectionKind::Other},
    {"TABLES BEGIN", SectionKind::Other},
    {"NUMERIC BEGIN", SectionKind::Other},
    {"CONSTANTS BOOLEAN", SectionKind::Declarations},
    {"CONFIGURATION", SectionKind::Other},
    {"CODED OUTPUTS", SectionKind::Other},
    {"SYSTEM", SectionKind::Other},
    {"LINK:", SectionKind::Other},
}};

// Whether the piece is a section keyword, one that ends the section in progress.
bool KeyWord(std::string_view piece);

// Whether the keyword's first occurrence in the piece stands on its own: neither preceded
// nor followed by a printable character.
bool IsWholeKeyword(std::string_view piece, std::string_view keyword);

inline bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// The text after the first occurrence of the key; empty when the key is absent.
inline std::string After(std::string_view text, std::string_view key) {
    const std::size_t at = text.find(key);
    return at == std::string_view::npos ? std::string() : std::string(text.substr(at + key.size()));
}

// The text before the first occurrence of the key; all of it when the key is absent.
inline std::string Before(std::string_view text, std::string_view key) {
    return std::string(text.substr(0, text.find(key)));
}

// Whether the character can end a word of the source: a blank (or any other character
// outside printable ASCII) or one of the punctuation marks the sections use between words.
bool EndsWord(char c);

// Whether the text starts with the word standing on its own, so that "AND" starts
// "AND B" and "AND;" but neither "ANDOVER" nor "AND.X".
bool StartsWithWord(std::string_view text, std::string_view word);

// Where the word first stands on its own in the text: at the start or after a blank or
// ",", and followed by what ends a word; npos when it never does.
std::size_t FindWord(std::string_view text, std::string_view word);

// Source text as a message quotes it: a long text is cut short with "...".
std::string Excerpt(std::string_view text);

// The text without blanks at either end.
std::string_view TrimBlanks(std::string_view text);

}  // namespace veldra
