#include "loader/board_header_reader.h"

#include "loader/keywords.h"

namespace veldra {

BoardHeaderReader::Step BoardHeaderReader::NewBoard(std::string_view piece, std::string& BoardName,
                                                    std::string& BoardType) {
    // The next "BOARD:" (or any other section) before the type word: this board has no
    // type to be built with, and the keyword starts what it names.
    if (started_ && KeyWord(piece)) {
        return Step::NoTypeWord;
    }
    started_ = true;
    std::string s(TrimBlanks(piece));
    for (;;) {
        if (s.empty()) {
            return Step::Reading;
        }
        if (!nameKnown_) {
            BoardName = GetBoardName(s);
            name_ = BoardName;
            return Step::Reading;
        }
        if (ADJFIX(s) && !adjustable_) {
            if (GetAdjust(s) == "ADJUSTABLE") {
                adjustable_ = true;
                s = After(s, "ADJUSTABLE");
            } else {
                s = After(s, "FIXED");
            }
            s = std::string(TrimBlanks(s));
            continue;
        }
        if (Contains(s, "ENABLE") || enableAwaited_) {
            enableAwaited_ = true;
            const std::string value = GetEnable(s);
            if (!value.empty()) {
                enabled_ = value == "1";
                enableAwaited_ = false;
            }
            return Step::Reading;
        }
        const std::string type = GetBoardType(s);
        if (type.empty()) {
            return Step::Reading;
        }
        BoardType = type;
        return Step::Complete;
    }
}

std::string BoardHeaderReader::GetBoardName(std::string_view piece) {
    if (Contains(piece, "BOARD:")) {
        std::string name(TrimBlanks(After(piece, "BOARD:")));
        nameKnown_ = !name.empty();
        nameAwaited_ = name.empty();
        return name;
    }
    if (nameAwaited_) {
        std::string name(TrimBlanks(piece));
        if (!name.empty()) {
            nameKnown_ = true;
            nameAwaited_ = false;
        }
        return name;
    }
    return {};
}

// The value is the last character of the first non-empty piece from "ENABLE:" on: ":"
// keeps waiting, "1" enables, anything else disables. A closing ";" is no value: "1;"
// enables as the other boards' enable entries do.
std::string BoardHeaderReader::GetEnable(std::string_view piece) {
    std::string_view s = TrimBlanks(piece);
    if (!Contains(s, "ENABLE:") && !enableValueAwaited_) {
        return {};
    }
    enableValueAwaited_ = true;
    if (s.ends_with(';')) {
        s = TrimBlanks(s.substr(0, s.size() - 1));
    }
    if (s.empty() || s.back() == ':') {
        return {};
    }
    enableValueAwaited_ = false;
    return s.back() == '1' ? "1" : "0";
}

std::string GetBoardType(std::string_view piece) {
    if (Contains(piece, "TYPE:")) {
        return std::string(TrimBlanks(After(piece, "TYPE:")));
    }
    return std::string(TrimBlanks(piece));
}

std::string GetAdjust(std::string_view piece) {
    if (Contains(piece, "ADJUSTABLE")) {
        return "ADJUSTABLE";
    }
    if (Contains(piece, "FIXED")) {
        return "FIXED";
    }
    return {};
}

bool ADJFIX(std::string_view piece) {
    return Contains(piece, "ADJUSTABLE") || Contains(piece, "FIXED");
}

}  // namespace veldra
