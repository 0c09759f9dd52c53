#pragma once

#include <string>
#include <string_view>

#include "loader/keywords.h"

namespace veldra {

// The readers of the board ("BOARD:") and serial-link ("LINK:") sections: they build one
// board window with its board model per board or station. The loader drives them piece by
// piece and knows nothing of boards; this default passes every board and link over, so
// that a source with boards still loads all of its other sections.
class BoardSectionReader {
public:
    virtual ~BoardSectionReader() = default;

    // Reads one piece of a board header (first the one holding "BOARD:"). BoardName and
    // BoardType are the loader's, kept from board to board. True once the header is
    // complete and the board built, or dropped ("SCC", unknown types).
    virtual bool NewBoard(std::string& piece, std::string& BoardName, std::string& BoardType) {
        (void)piece, (void)BoardName, (void)BoardType;
        return true;
    }

    // Reads one piece of a board's body; true when the board's text is complete. A board
    // that never reports its end is ended by the next section keyword.
    virtual bool GetBoardIO(std::string& piece, std::string_view BoardType) {
        (void)piece, (void)BoardType;
        return false;
    }

    // A section keyword interrupted the board's body: the next GetBoardIO starts afresh.
    virtual void SetBoardReset() {}

    // Shows the board or station window most recently made, if any.
    virtual void ShowBoardWindow() {}

    // A "LINK:" section starts: its first station's window and model are made.
    virtual void NewSerialPort() {}

    // Reads one piece of a serial-link section; true only at a section keyword.
    virtual bool GetLink(std::string& piece) { return KeyWord(piece); }

    // The source has ended, maybe inside a board's header or body: what was read of it is
    // finished as a section keyword would finish it. The window is shown afterwards.
    virtual void EndOfSource() {}

    // The load is over: the reference to the current board window is let go.
    virtual void ReleaseBoardWindow() {}
};

}  // namespace veldra
