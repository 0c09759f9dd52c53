#include "loader/keywords.h"

namespace veldra {
namespace {

bool IsPrintable(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 33 && code <= 126;
}

}  // namespace

bool KeyWord(std::string_view piece) {
    for (const SectionKeyword& section : kSectionKeywords) {
        if (Contains(piece, section.keyword)) {
            return piece.size() == section.keyword.size() || IsWholeKeyword(piece, section.keyword);
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
