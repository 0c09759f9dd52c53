#include "loader/keywords.h"

#include <array>

namespace veldra {
namespace {

bool IsPrintable(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 33 && code <= 126;
}

// Searched in this order; the first one found decides.
constexpr std::array<std::string_view, 19> kSectionKeywords = {
    "BOARD:",
    "LOG BITS",
    "NUMERIC VARIABLES",
    "BOOLEAN BITS",
    "NV.BOOLEAN BITS",
    "TIMER BITS",
    "LOGIC BEGIN",
    "COMM",
    "USER NUMERIC",
    "USER BIT",
    "END PROGRAM",
    "END LOGIC",
    "TABLES BEGIN",
    "NUMERIC BEGIN",
    "CONSTANTS BOOLEAN",
    "CONFIGURATION",
    "CODED OUTPUTS",
    "SYSTEM",
    "LINK:",
};

}  // namespace

bool KeyWord(std::string_view piece) {
    for (std::string_view keyword : kSectionKeywords) {
        if (Contains(piece, keyword)) {
            return piece.size() == keyword.size() || IsWholeKeyword(piece, keyword);
        }
    }
    return false;
}

bool IsWholeKeyword(std::string_view piece, std::string_view keyword) {
    const std::size_t at = piece.find(keyword);
    if (at == std::string_view::npos) {
        return false;
    }
    const std::size_t end = at + keyword.size();
    const bool freeBefore = at == 0 || !IsPrintable(piece[at - 1]);
    const bool freeAfter = end == piece.size() || !IsPrintable(piece[end]);
    return freeBefore && freeAfter;
}

bool EndsWord(char c) {
    return !IsPrintable(c) || c == ',' || c == ';' || c == ':';
}

bool StartsWithWord(std::string_view text, std::string_view word) {
    return text.starts_with(word) && (text.size() == word.size() || EndsWord(text[word.size()]));
}

std::size_t FindWord(std::string_view text, std::string_view word) {
    for (std::size_t at = text.find(word); at != std::string_view::npos;
         at = text.find(word, at + 1)) {
        const bool freeBefore = at == 0 || !IsPrintable(text[at - 1]) || text[at - 1] == ',';
        if (freeBefore && StartsWithWord(text.substr(at), word)) {
            return at;
        }
    }
    return std::string_view::npos;
}

std::string Excerpt(std::string_view text) {
    constexpr std::size_t kLongest = 60;
    if (text.size() <= kLongest) {
        return std::string(text);
    }
    return std::string(text.substr(0, kLongest - 3)) + "...";
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && !IsPrintable(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && !IsPrintable(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace veldra
