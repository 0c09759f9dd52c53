#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace veldra {

// Cuts an application source, held whole in memory, into the pieces that the section
// readers see. A piece ends at a line end, ";" or ":" (kept at its end), or at the end of
// the text. Comments are removed, the piece is upper-cased, white space becomes blanks
// and is trimmed, and a section keyword split over two lines ("BOOLEAN" and "BITS",
// "BOARD" and ":") is joined into one piece. Pieces left empty are passed over.
class PieceReader {
public:
    explicit PieceReader(std::string text);

    // Replaces the piece with the next one; false, leaving it alone, at the end of the text.
    bool ReadPiece(std::string& piece);
    // Starts again from the beginning of the text, as if nothing had been read.
    void Rewind();

    // The line (from 1) on which the piece last read begins.
    int Line() const { return pieceLine_; }
    // How far the reading has come, in bytes, and the size of the whole text.
    std::size_t Position() const { return position_; }
    std::size_t Size() const { return text_.size(); }
    // Every piece cut so far, empty and comment ones included: a measure of the work done.
    std::uint64_t RawPieces() const { return rawPieces_; }

    // --- The steps a piece goes through, in order.

    // Removes comments from a raw piece: "//" to the end of its line, and blocks from
    // "/*" or "%" to the next "*/" or "\". A removed comment leaves a blank behind, so it
    // never joins the words on either side. `endsLine`: the piece ends its line.
    std::string StripComments(std::string_view raw, bool endsLine);
    // Upper case, every character outside printable ASCII a blank, trimmed.
    static std::string StripWhite(std::string_view piece);
    // Removes the blanks directly before the last ":" and after it: "TYPE :" is "TYPE:".
    static std::string TrimColon(std::string_view piece);
    // Joins a section keyword's first word to the piece that completes it. False while
    // the word waits for that piece; true with the piece to hand on.
    bool BuildKeyword(std::string& piece);

private:
    bool NextRawPiece(std::string_view& raw, bool& endsLine);

    std::string text_;
    std::size_t position_ = 0;
    int line_ = 1;
    int pieceLine_ = 1;
    std::uint64_t rawPieces_ = 0;

    // Comment state, carried from piece to piece.
    bool inBlockComment_ = false;
    bool inLineComment_ = false;

    // Keyword joining state: the first word waiting for the rest of its keyword.
    std::string pendingWord_;
    int pendingLine_ = 1;
};

}  // namespace veldra
