#include "loader/piece_reader.h"

#include <algorithm>
#include <array>
#include <utility>

#include "loader/keywords.h"
#include "platform/ascii_text.h"

namespace veldra {
namespace {

bool IsPrintable(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 33 && code <= 126;
}

// A word that may begin a keyword written over two lines, and the word it stands for.
struct FirstWord {
    std::string_view written;
    std::string_view word;
};

// Joined with a word already waiting ("CONSTANTS" and "BOOLEAN"); otherwise they wait.
constexpr std::array<FirstWord, 4> kJoiningWords = {{
    {"BOOLEAN", "BOOLEAN"},
    {"NV.BOOLEAN", "BOOLEAN"},
    {"NUMERIC", "NUMERIC"},
    {"NV.NUMERIC", "NUMERIC"},
}};

// These replace any word already waiting.
constexpr std::array<std::string_view, 17> kWaitingWords = {
    "TIMER",  "LOGIC", "USER",    "LOG",    "CONSTANTS", "CODED",    "TABLES",   "BOARD", "TYPE",
    "INPUTS", "INPUT", "OUTPUTS", "OUTPUT", "NV.OUTPUT", "NV.INPUT", "LAMP.OUT", "LINK",
};

// A list header that is joined to a following ":" without a blank.
constexpr std::array<std::string_view, 10> kHeaderWords = {
    "BOARD",    "TYPE", "INPUT",     "OUTPUT", "NV.INPUT",
    "LAMP.OUT", "LINK", "NV.OUTPUT", "INPUTS", "OUTPUTS",
};

// Second words of a keyword; a first word is joined to them with one blank.
constexpr std::array<std::string_view, 8> kSecondWords = {
    "BIT", "BEGIN", "PROGRAM", "BOOLEAN", "OUTPUTS", "LOGIC", "TABLE", "VARIABLES",
};

constexpr std::string_view kEnable = "ENABLE";

// A first word counts only as a word of its own, so that names such as TIMER2, USER1 or
// OUTPUT_RELAY are never cut after their first letters.
bool StartsWithFirstWord(std::string_view s, std::string_view word) {
    return s.starts_with(word) &&
           (s.size() == word.size() || s[word.size()] == ' ' || s[word.size()] == ':');
}

// Where a trailing "ENABLE" (or "ENABLE:") of the piece ends, standing as a word of its own
// ("CHANNEL1 ENABLE:"); 0 when the piece does not end so.
std::size_t TrailingEnableEnd(std::string_view s) {
    std::string_view body = s;
    if (body.ends_with(':')) {
        body.remove_suffix(1);
    }
    if (!body.ends_with(kEnable)) {
        return 0;
    }
    const std::size_t at = body.size() - kEnable.size();
    return (at == 0 || body[at - 1] == ' ') ? body.size() : 0;
}

template <std::size_t N>
bool OneOf(std::string_view word, const std::array<std::string_view, N>& words) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

}  // namespace

PieceReader::PieceReader(std::string text) : text_(std::move(text)) {}

void PieceReader::Rewind() {
    position_ = 0;
    line_ = 1;
    pieceLine_ = 1;
    inBlockComment_ = false;
    inLineComment_ = false;
    pendingWord_.clear();
}

bool PieceReader::NextRawPiece(std::string_view& raw, bool& endsLine) {
    if (position_ >= text_.size()) {
        return false;
    }
    const std::size_t start = position_;
    const int startLine = line_;
    int firstPrintableLine = 0;
    std::size_t at = start;
    endsLine = true;  // the end of the text ends the last line too
    for (; at < text_.size(); ++at) {
        const char c = text_[at];
        if (c == '\r' || (c == '\n' && (at == 0 || text_[at - 1] != '\r'))) {
            ++line_;
            ++at;
            break;
        }
        if (c == ';' || c == ':') {
            endsLine = false;
            ++at;
            break;
        }
        if (firstPrintableLine == 0 && IsPrintable(c)) {
            firstPrintableLine = line_;
        }
    }
    position_ = at;
    pieceLine_ = firstPrintableLine != 0 ? firstPrintableLine : startLine;
    raw = std::string_view(text_).substr(start, at - start);
    ++rawPieces_;
    return true;
}

bool PieceReader::ReadPiece(std::string& piece) {
    std::string_view raw;
    bool endsLine = false;
    while (NextRawPiece(raw, endsLine)) {
        std::string text = StripWhite(StripComments(raw, endsLine));
        // The older tools' own mark for a line with nothing but a comment.
        if (text == "COMMENTS") {
            continue;
        }
        if (Contains(text, ":")) {
            text = TrimColon(text);
        }
        if (text.empty()) {
            continue;
        }
        if (BuildKeyword(text)) {
            piece = std::move(text);
            return true;
        }
    }
    // A first word that waits at the very end of the text is handed on as it stands.
    if (!pendingWord_.empty()) {
        piece = std::exchange(pendingWord_, {});
        pieceLine_ = pendingLine_;
        return true;
    }
    return false;
}

std::string PieceReader::StripComments(std::string_view raw, bool endsLine) {
    std::string code;
    std::size_t at = 0;
    while (at < raw.size()) {
        if (inBlockComment_) {
            // Either closer ends either kind of block; "*/" wins within one piece, so a
            // block holding a path such as C:\TEMP still ends at its own "*/".
            std::size_t close = raw.find("*/", at);
            std::size_t closeLength = 2;
            if (close == std::string_view::npos) {
                close = raw.find('\\', at);
                closeLength = 1;
            }
            if (close == std::string_view::npos) {
                break;
            }
            inBlockComment_ = false;
            at = close + closeLength;
            continue;
        }
        if (inLineComment_) {
            break;  // an opener inside a line comment is part of the comment
        }
        std::size_t opener = at;
        std::size_t openerLength = 0;
        for (; opener < raw.size(); ++opener) {
            if (raw[opener] == '%') {
                openerLength = 1;
                inBlockComment_ = true;
                break;
            }
            if (raw[opener] == '/' && opener + 1 < raw.size() &&
                (raw[opener + 1] == '/' || raw[opener + 1] == '*')) {
                openerLength = 2;
                (raw[opener + 1] == '/' ? inLineComment_ : inBlockComment_) = true;
                break;
            }
        }
        code.append(raw.substr(at, opener - at));
        if (openerLength == 0) {
            break;
        }
        code += ' ';
        at = opener + openerLength;
    }
    if (endsLine) {
        inLineComment_ = false;
    }
    return code;
}

std::string PieceReader::StripWhite(std::string_view piece) {
    const std::string_view trimmed = TrimBlanks(piece);
    std::string out(trimmed.size(), ' ');
    std::transform(trimmed.begin(), trimmed.end(), out.begin(),
                   [](char c) { return IsPrintable(c) ? ToUpperAscii(c) : ' '; });
    return out;
}

std::string PieceReader::TrimColon(std::string_view piece) {
    if (!Contains(piece, ":")) {
        return std::string(piece);
    }
    // Walking back from the end, blanks go until a colon has been passed and some other
    // character met; from there on everything stays.
    std::string reversed;
    reversed.reserve(piece.size());
    bool colonPassed = false;
    std::size_t at = piece.size();
    for (; at > 0; --at) {
        const char c = piece[at - 1];
        if (c == ':') {
            colonPassed = true;
        } else if (c != ' ' && colonPassed) {
            break;
        }
        if (c != ' ') {
            reversed += c;
        }
    }
    std::string out(piece.substr(0, at));
    out.append(reversed.rbegin(), reversed.rend());
    return out;
}

bool PieceReader::BuildKeyword(std::string& piece) {
    const std::string_view s = piece;
    std::string_view rest = s;
    bool classified = false;
    bool setHere = false;

    for (const FirstWord& first : kJoiningWords) {
        if (StartsWithFirstWord(s, first.written)) {
            if (pendingWord_.empty()) {
                pendingWord_ = first.word;
                rest = s.substr(first.written.size());
                setHere = true;
            }
            classified = true;
            break;
        }
    }
    if (!classified && (s == "END" || s.starts_with("END "))) {
        pendingWord_ = "END";
        rest = s.substr(3);
        classified = setHere = true;
    }
    if (!classified) {
        for (std::string_view word : kWaitingWords) {
            if (StartsWithFirstWord(s, word)) {
                pendingWord_ = word;
                rest = s.substr(word.size());
                classified = setHere = true;
                break;
            }
        }
    }
    if (!classified) {
        if (const std::size_t end = TrailingEnableEnd(s); end != 0) {
            pendingWord_ = s.substr(0, end);
            rest = s.substr(end);
            classified = setHere = true;
        }
    }
    if (!classified && pendingWord_.empty()) {
        return true;
    }

    rest = TrimBlanks(rest);
    if (rest.empty()) {
        pendingLine_ = pieceLine_;
        return false;
    }
    const bool startsSecondWord =
        std::any_of(kSecondWords.begin(), kSecondWords.end(),
                    [&](std::string_view w) { return rest.starts_with(w); });
    const bool headerColon =
        !startsSecondWord &&
        (OneOf(pendingWord_, kHeaderWords) || Contains(pendingWord_, kEnable)) &&
        Contains(rest, ":");
    std::string joined = std::exchange(pendingWord_, {});
    if (!headerColon) {
        joined += ' ';
    }
    joined.append(rest);
    if (!setHere) {
        pieceLine_ = pendingLine_;  // the joined piece begins where the waiting word stood
    }
    piece = std::move(joined);
    return true;
}

}  // namespace veldra
