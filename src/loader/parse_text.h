#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "loader/board_section_reader.h"
#include "loader/coded_output_reader.h"
#include "loader/declaration_reader.h"
#include "loader/load_context.h"
#include "loader/logic_reader.h"
#include "loader/numeric_block_reader.h"
#include "loader/piece_reader.h"
#include "loader/source_census.h"
#include "loader/table_reader.h"
#include "loader/timer_reader.h"
#include "platform/memory_room.h"

namespace veldra {

class BoardReader;
class BoardWindowFactory;
class LoaderHost;
class ProgramEngine;

// A source file read whole, with what it holds as the check before reading counted it.
struct SourceFile {
    std::string text;
    SourceCensus census;
};

// What the check before reading found of a source file: whether it fits in the memory left,
// and what it holds, when it could be counted.
struct SourceRoom {
    bool fits = true;
    std::optional<SourceCensus> census;
};

// The source loader: reads one application source and builds the program in the program
// window's engine: bits, numeric variables, constants, user values, timer delays, logic
// statements, numeric blocks, coded outputs, state tables and, through the board readers,
// the boards. Sections may come in any order and any number of times. At the end it shows
// the program window and lets it finish the load. One ParseText serves one load.
//
// A failure that no section reader answers for (a file that cannot be read, a numeric
// block without a number, a failure while the program window finishes the load) closes
// the progress window, says what went wrong followed by ": Error In Text Parser" under
// "Ostrel", and ends the application. Memory running out is the one exception: the
// half-loaded program is let go first, so that the box can be made, and then the
// application goes on without it. Where the host's windows let go of the program's windows
// and say so themselves, the loader lets go of what it holds and hands std::bad_alloc on.
class ParseText {
public:
    // The board and link sections are passed over.
    ParseText(ProgramEngine& engine, LoaderHost& host);
    // The board and link sections go to `boards`, which must outlive the loader.
    ParseText(ProgramEngine& engine, LoaderHost& host, BoardSectionReader& boards);
    // The board and link sections build their boards, each in a window that `windows`
    // makes and keeps; it must outlive the load.
    ParseText(ProgramEngine& engine, LoaderHost& host, BoardWindowFactory& windows);
    ~ParseText();
    ParseText(const ParseText&) = delete;
    ParseText& operator=(const ParseText&) = delete;

    // Reads the whole file and builds the program from it; returns the program's name,
    // empty when the source names none. While another load is under way (the desktop
    // runs between pieces), it does nothing and returns an empty name.
    std::string GetProgram(const std::filesystem::path& path);
    // The same for a source already in memory, read from `path`; its `census`, when it was
    // counted, lets the program's tables be made at their size at once.
    std::string GetProgramFromText(std::string text, const std::filesystem::path& path = {},
                                   const std::optional<SourceCensus>& census = {});

    // The whole text of a source file with its census, or nothing when the file cannot be a
    // source (missing, unreadable, not a regular file, binary, too large for the memory
    // left): then the reason, naming the file, is shown as a load failure is, but nothing
    // ends, so a mistyped path costs the user nothing. The source is counted once: a census
    // `counted` by RoomToLoad is taken while the file keeps its size.
    static std::optional<SourceFile> ReadSourceFile(
        const std::filesystem::path& path, const std::optional<SourceCensus>& counted = {});
    // Whether the source at `path` can fit in the memory left once `givenBack` more is
    // free; if not, says so as ReadSourceFile does.
    static SourceRoom RoomToLoad(const std::filesystem::path& path, const MemoryNeed& givenBack);

    // Says that memory ran out while the source at `path` was loaded and that the program
    // was not loaded; to be shown once the half-made program has gone.
    static void ReportOutOfMemory(const std::filesystem::path& path);

    // Whether the piece is a section keyword.
    static bool KeyWord(std::string_view piece) { return ::veldra::KeyWord(piece); }

    // The timer-bit reader, for one piece; true at the end of its section.
    bool GetTimers(std::string_view piece) { return timers_.GetTimers(piece); }

private:
    // What the dispatcher does after a section has had its pieces.
    enum class Next { ReadPiece, Redispatch, Stop };

    // Runs a load under the fatal-error rule; `source` gives the text.
    template <class Source>
    std::string LoadGuarded(Source&& source);
    std::string Load(std::string text);
    // Makes the bits' and statements' tables at the size the census promises, so that they
    // are not built again and again as the load fills them.
    void ReserveForCensus();
    std::string FindProgramName();
    bool ReadPiece();
    void ShowStatus(std::string_view text);
    // Lets the desktop run; a program closed meanwhile ends the load.
    void Yield();
    Next Dispatch();
    Next BoardLoop();
    Next LinkLoop();
    template <class Reader>
    Next ListLoop(Reader&& read);
    // `end` is told when the section ends, at a keyword or the end of the text.
    template <class Reader, class Ender>
    Next UserLoop(Reader&& read, Ender&& end);
    template <class Reader>
    Next BlockLoop(Reader&& read);
    Next LogicLoop();
    Next CodedOutputLoop();
    void EndOfSource();
    void Fatal(const std::string& description);
    // Lets go of the source and whatever the load has made so far.
    void LetGo();
    static void ReportFailure(const std::string& description);

    ProgramEngine& engine_;
    LoaderHost& host_;
    BoardSectionReader passBoardsOver_;
    BoardSectionReader* boards_;
    LoadContext context_;
    std::unique_ptr<BoardReader> ownBoards_;

    std::unique_ptr<PieceReader> reader_;
    std::filesystem::path path_;
    std::optional<SourceCensus> census_;
    std::string piece_;
    std::uint64_t piecesAtLastYield_ = 0;
    std::uint64_t positionAtLastMemoryLook_ = 0;

    // The board the dispatcher is in, and the name and type word of the last one.
    bool boardOpen_ = false;
    bool linkOpen_ = false;
    std::string boardName_;
    std::string boardType_;

    DeclarationReader declarations_;
    TimerReader timers_;
    LogicReader logic_;
    NumericBlockReader numericBlocks_;
    CodedOutputReader codedOutputs_;
    TableReader tables_;
};

}  // namespace veldra
