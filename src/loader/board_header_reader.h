#pragma once

#include <string>
#include <string_view>

namespace veldra {

// Reads the header of a board section piece by piece: the board's name, whether the user
// may change its enabled state ("ADJUSTABLE" or "FIXED"), whether it starts enabled
// ("ENABLE:" and 1 or 0), and its type word, which completes the header:
//   BOARD: IN_1
//   ADJUSTABLE
//   ENABLE: 1
//   TYPE: IN16
// The adjust and enable words count only between the name and the type word. A header
// with neither is fixed and disabled.
class BoardHeaderReader {
public:
    enum class Step {
        Reading,     // more of the header is to come
        Complete,    // the type word has been read
        NoTypeWord,  // a section keyword came before the type word
    };

    // Reads one piece, the first one holding "BOARD:". BoardName and BoardType are the
    // loader's, kept from board to board; each is written as it is read. A section keyword
    // after the first piece ends the header without its type word; the piece is left for
    // the keyword's own section.
    Step NewBoard(std::string_view piece, std::string& BoardName, std::string& BoardType);

    bool Adjustable() const { return adjustable_; }
    bool Enabled() const { return enabled_; }
    // A header has begun and is not yet complete, and the name it has so far.
    bool Started() const { return started_; }
    const std::string& Name() const { return name_; }

    // Forgets the header, once its board has been built or dropped.
    void Clear() { *this = BoardHeaderReader(); }

private:
    std::string GetBoardName(std::string_view piece);
    std::string GetEnable(std::string_view piece);

    bool started_ = false;
    bool nameKnown_ = false;
    bool nameAwaited_ = false;
    bool adjustable_ = false;
    bool enabled_ = false;
    bool enableAwaited_ = false;
    bool enableValueAwaited_ = false;
    std::string name_;
};

// The type word of a header piece: the text after "TYPE:", or the whole piece; empty for
// "TYPE:" alone, whose word comes with the next piece.
std::string GetBoardType(std::string_view piece);

// "ADJUSTABLE", "FIXED" (when the piece holds no "ADJUSTABLE") or empty.
std::string GetAdjust(std::string_view piece);

// Whether the piece holds "ADJUSTABLE" or "FIXED".
bool ADJFIX(std::string_view piece);

}  // namespace veldra
