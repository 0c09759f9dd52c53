#include "loader/parse_text.h"

#include <algorithm>
#include <array>
#include <exception>
#include <limits>
#include <new>
#include <system_error>

#include "engine/program_engine.h"
#include "loader/board_reader.h"
#include "loader/keywords.h"
#include "loader/loader_host.h"
#include "loader/source_census.h"
#include "loader/source_memory.h"
#include "platform/file_replacement.h"
#include "platform/load_under_way.h"
#include "platform/memory_room.h"
#include "platform/platform.h"
#include "platform/runtime_error.h"

namespace veldra {
namespace {

// How many pieces (comment and empty ones included) are read between two yields to
// the desktop: often enough for a responsive window, rarely enough to cost nothing.
constexpr std::uint64_t kPiecesPerYield = 256;

// How much of the source is read between two looks at the memory left: some thirteen times
// as much address space is taken meanwhile, some five hundred times in board sections (each
// board makes a window of some 130 kB from some 270 bytes of text), about 32 MB, within the
// desktop's reserve either way; a look costs less than a tenth of a millisecond.
constexpr std::uint64_t kSourceBytesPerMemoryLook = std::uint64_t(64) << 10;

// A source up to this size is counted, which takes a second at most, before its need is
// weighed, so that even one refused is told what it takes; a larger one is first weighed
// by what any source of its size takes at the least, and refused uncounted if that fails.
constexpr std::uint64_t kCountedWhateverTheRoom = std::uint64_t(512) << 20;

// A piece handed from section to section this often without a new piece being read
// can only be a board reader that keeps giving its piece back; it is then passed over.
constexpr int kMostRedispatches = 64;

// What the check before reading found: why the source cannot be loaded, if it cannot, and
// its census, when it was counted.
struct RoomCheck {
    std::optional<std::string> noRoom;
    std::optional<SourceCensus> census;
};

// Why the source at `path` cannot be loaded in the memory left, with `givenBack` more that a
// program about to close will leave; nothing when it fits or cannot be sized. What a source
// takes depends on what it holds far more than on its size, so it is counted first, a piece
// at a time, unless `counted` already is its census; a large one that could not fit whatever
// it held is refused uncounted.
RoomCheck CheckRoom(const std::filesystem::path& path, const MemoryNeed& givenBack,
                    std::optional<SourceCensus> counted) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        return {};  // the reader says why it cannot be read
    }
    if (counted && counted->sourceBytes != size) {
        counted.reset();  // changed since it was counted
    }
    if (!counted && size > kCountedWhateverTheRoom) {
        if (std::optional<std::string> noRoom =
                NoRoomFor(path, size, MemoryToHold(size), givenBack)) {
            return {std::move(noRoom), std::nullopt};
        }
    }
    const std::optional<SourceCensus> census = counted ? counted : CountSourceFile(path);
    if (!census) {
        return {};
    }
    return {NoRoomFor(path, size, MemoryToLoad(*census), givenBack), census};
}

// The source text and its census, with the loader's own words for a file it cannot read. One
// that cannot fit in the memory left is not read at all: a load that ran out of memory half
// way would take the machine's memory from everything else meanwhile.
SourceFile ReadSource(const std::filesystem::path& path,
                      const std::optional<SourceCensus>& counted = {}) {
    RoomCheck check = CheckRoom(path, {}, counted);
    if (check.noRoom) {
        throw RuntimeError(*check.noRoom);
    }
    std::string text;
    try {
        text = ReadWholeFile(path);
    } catch (const FileReadError& error) {
        switch (error.Reason()) {
            case ReadFailure::Denied:
                throw RuntimeError("Permission denied: " + path.string());
            case ReadFailure::Missing:
                throw RuntimeError("File not found: " + path.string());
            case ReadFailure::NotRegular:
                throw RuntimeError(error.what());
            case ReadFailure::Short:
                throw RuntimeError("Input past end of file: " + path.string());
            case ReadFailure::TooLarge:
            case ReadFailure::NotOpened:
                break;
        }
        throw RuntimeError("Path/File access error: " + path.string());
    }
    // A file that could not be counted, or changed since, is counted as read.
    if (!check.census || check.census->sourceBytes != text.size()) {
        check.census = CountSource(text);
    }
    return {std::move(text), *check.census};
}

// Thrown from a yield when the program was closed meanwhile: the load ends there,
// quietly, as the user asked for it.
struct ProgramClosed {};

// A source text never holds a NUL byte; a file that does is of some other kind.
void RefuseBinary(std::string_view text, std::string_view fileName = "The file") {
    const std::size_t nul = text.find('\0');
    if (nul == std::string_view::npos) {
        return;
    }
    int line = 1;
    for (std::size_t at = 0; at < nul; ++at) {
        line += text[at] == '\r' || (text[at] == '\n' && (at == 0 || text[at - 1] != '\r'));
    }
    throw RuntimeError(std::string(fileName) + " holds binary data (line " + std::to_string(line) +
                       ") and is no application source");
}

// The name on a program line, "PROGRAM name;".
std::string ProgramNameIn(std::string_view piece) {
    std::string name = After(piece, "PROGRAM");
    if (Contains(name, ";")) {
        name = Before(name, ";");
    }
    std::string_view trimmed = TrimBlanks(name);
    while (trimmed.starts_with(':')) {
        trimmed = TrimBlanks(trimmed.substr(1));
    }
    return std::string(trimmed);
}

enum class Section {
    Board,
    Logic,
    BooleanBits,
    NumericVariables,
    Timers,
    CodedOutputs,
    Constants,
    UserNumerics,
    UserBits,
    Link,
    Tables,
    NumericBlocks,
};

struct SectionEntry {
    std::string_view keyword;
    bool keyWordRequired;
    std::string_view status;
    Section section;
};

// Tested by plain containment, in this order; only the first keyword found counts.
constexpr std::array<SectionEntry, 12> kSections = {{
    {"BOARD:", true, "Loading Board", Section::Board},
    {"LOGIC BEGIN", true, "Loading Program Logic", Section::Logic},
    {"BOOLEAN BITS", true, "Loading Boolean Bits", Section::BooleanBits},
    {"NUMERIC VARIABLES", true, "Loading Numeric Variables", Section::NumericVariables},
    {"TIMER BITS", true, "Loading Timers", Section::Timers},
    {"CODED OUTPUTS", true, "Loading Coded Outputs", Section::CodedOutputs},
    {"CONSTANTS BOOLEAN", true, "Loading Constants", Section::Constants},
    {"USER NUMERIC", true, "Loading User Numerics", Section::UserNumerics},
    {"USER BIT", true, "Loading User Bits", Section::UserBits},
    {"LINK:", false, "Loading Serial Port", Section::Link},
    {"TABLES BEGIN", false, "Loading Tables", Section::Tables},
    {"NUMERIC BEGIN", false, "Loading Numeric Blocks", Section::NumericBlocks},
}};

}  // namespace

ParseText::ParseText(ProgramEngine& engine, LoaderHost& host)
    : ParseText(engine, host, passBoardsOver_) {}

ParseText::ParseText(ProgramEngine& engine, LoaderHost& host, BoardSectionReader& boards)
    : engine_(engine),
      host_(host),
      boards_(&boards),
      context_(engine, host),
      declarations_(context_),
      timers_(context_),
      logic_(context_),
      numericBlocks_(context_),
      codedOutputs_(context_),
      tables_(context_) {}

ParseText::ParseText(ProgramEngine& engine, LoaderHost& host, BoardWindowFactory& windows)
    : ParseText(engine, host, passBoardsOver_) {
    ownBoards_ = std::make_unique<BoardReader>(context_, windows);
    boards_ = ownBoards_.get();
}

ParseText::~ParseText() {
    boards_->ReleaseBoardWindow();
}

std::string ParseText::GetProgram(const std::filesystem::path& path) {
    path_ = path;
    context_.SetSourcePath(path.string());
    return LoadGuarded([&] {
        SourceFile source = ReadSource(path);
        census_ = source.census;
        return std::move(source.text);
    });
}

std::string ParseText::GetProgramFromText(std::string text, const std::filesystem::path& path,
                                          const std::optional<SourceCensus>& census) {
    path_ = path;
    context_.SetSourcePath(path.string());
    census_ = census;
    return LoadGuarded([&] { return std::move(text); });
}

std::optional<SourceFile> ParseText::ReadSourceFile(const std::filesystem::path& path,
                                                    const std::optional<SourceCensus>& counted) {
    try {
        SourceFile source = ReadSource(path, counted);
        RefuseBinary(source.text, path.string());
        return source;
    } catch (const RuntimeError& error) {
        ReportFailure(error.what());
        return std::nullopt;
    }
}

SourceRoom ParseText::RoomToLoad(const std::filesystem::path& path, const MemoryNeed& givenBack) {
    RoomCheck check = CheckRoom(path, givenBack, std::nullopt);
    if (check.noRoom) {
        ReportFailure(*check.noRoom);
        return {false, std::move(check.census)};
    }
    return {true, std::move(check.census)};
}

template <class Source>
std::string ParseText::LoadGuarded(Source&& source) {
    if (LoadUnderWay()) {
        return {};
    }
    const LoadUnderWayScope underWay;
    {
        const ProgramEngine::Hold hold(engine_);  // closing it meanwhile ends the load first
        try {
            return Load(source());
        } catch (const ProgramClosed&) {
            ThePlatform().UnloadLoadingProgress();
            return {};
        } catch (const std::bad_alloc&) {
            LetGo();
        } catch (const std::exception& error) {
            Fatal(error.what());
            return {};
        }
    }
    // The program has gone with the hold: there is memory again for the box, and the
    // application, which holds nothing of the load, goes on. Windows that hold more of the
    // program let go of it before they say so.
    if (host_.ReportsOutOfMemory()) {
        throw std::bad_alloc();
    }
    ReportOutOfMemory(path_);
    return {};
}

void ParseText::ReportOutOfMemory(const std::filesystem::path& path) {
    // What the program held goes back to the system before the box is made: the box, and
    // after it the next open's dialog and threads, are mapped anew, never in the allocator.
    HandBackFreeMemory();
    ThePlatform().UnloadLoadingProgress();
    ReportFailure("Out of memory while loading " +
                  (path.empty() ? std::string("the program") : path.string()) +
                  "; the program was not loaded");
}

std::string ParseText::Load(std::string text) {
    RefuseBinary(text);
    reader_ = std::make_unique<PieceReader>(std::move(text));
    ReserveForCensus();
    ThePlatform().SetLoadingProgress(0, double(reader_->Size()));
    ThePlatform().SetLoadingStatus("Opening File...");
    Yield();

    std::string name = FindProgramName();
    if (name.empty()) {
        // Without a program line every section is still read, from the top.
        reader_->Rewind();
    } else {
        ShowStatus(name);
    }

    bool more = ReadPiece();
    int redispatches = 0;
    while (more) {
        const Next next = Dispatch();
        if (next == Next::Redispatch && ++redispatches < kMostRedispatches) {
            continue;
        }
        redispatches = 0;
        if (next == Next::Stop) {
            break;
        }
        more = ReadPiece();
    }
    EndOfSource();

    reader_.reset();
    boards_->ReleaseBoardWindow();
    host_.ShowProgramWindow();
    host_.LoadFinished();
    if (engine_.ReleasePending()) {
        throw ProgramClosed{};
    }
    // The program's windows are made and filled: a program that left the desktop less than
    // the reserve the check before reading promised it goes now, while the desktop can still
    // say so, not at the next paint.
    RequireDesktopReserve();
    return name;
}

void ParseText::ReserveForCensus() {
    if (!census_ || census_->sourceBytes != reader_->Size()) {
        return;
    }
    // Every name, declared or only used, becomes a bit: the larger of the two numbers, each
    // within a few percent. A table's room is a few bytes an entry, beside the hundreds the
    // check before reading priced each item at, so a census too high costs little.
    context_.ExpectItems(std::max(census_->declarations, census_->names), census_->statements);
}

std::string ParseText::FindProgramName() {
    bool nameOnNextPiece = false;
    while (ReadPiece()) {
        if (nameOnNextPiece && !KeyWord(piece_)) {
            std::string name = ProgramNameIn("PROGRAM " + piece_);
            if (!name.empty()) {
                return name;
            }
        }
        nameOnNextPiece = false;
        if (Contains(piece_, "PROGRAM") && !Contains(piece_, "END PROGRAM")) {
            std::string name = ProgramNameIn(piece_);
            if (!name.empty()) {
                return name;
            }
            nameOnNextPiece = true;  // "PROGRAM" ends its line; the name is on the next
        }
    }
    return {};
}

bool ParseText::ReadPiece() {
    if (!reader_->ReadPiece(piece_)) {
        return false;
    }
    context_.SetLine(reader_->Line());
    if (reader_->RawPieces() - piecesAtLastYield_ >= kPiecesPerYield) {
        piecesAtLastYield_ = reader_->RawPieces();
        if (reader_->Position() - positionAtLastMemoryLook_ >= kSourceBytesPerMemoryLook) {
            positionAtLastMemoryLook_ = reader_->Position();
            // A source that takes more than its census promised stops while the desktop can
            // still say so.
            RequireDesktopReserve();
        }
        ThePlatform().SetLoadingProgress(double(reader_->Position()), double(reader_->Size()));
        Yield();
    }
    return true;
}

void ParseText::ShowStatus(std::string_view text) {
    ThePlatform().SetLoadingStatus(std::string(text));
    Yield();
}

void ParseText::Yield() {
    host_.DoEvents();
    if (engine_.ReleasePending()) {
        throw ProgramClosed{};
    }
}

ParseText::Next ParseText::Dispatch() {
    for (const SectionEntry& entry : kSections) {
        const std::size_t at = piece_.find(entry.keyword);
        if (at == std::string::npos) {
            continue;
        }
        if (entry.keyWordRequired && !KeyWord(piece_)) {
            return Next::ReadPiece;
        }
        ShowStatus(entry.status);
        if (entry.section != Section::Board) {
            piece_.erase(0, at + entry.keyword.size());
        }
        switch (entry.section) {
            case Section::Board:
                return BoardLoop();
            case Section::Logic:
                piece_ = std::string(TrimBlanks(piece_));
                return LogicLoop();
            case Section::BooleanBits:
                return ListLoop([this](std::string& p) { return declarations_.GetBooleanBits(p); });
            case Section::NumericVariables:
                return ListLoop(
                    [this](std::string& p) { return declarations_.GetNumericVariables(p); });
            case Section::Timers:
                return ListLoop([this](std::string& p) { return timers_.GetTimers(p); });
            case Section::CodedOutputs:
                return CodedOutputLoop();
            case Section::Constants:
                return ListLoop([this](std::string& p) { return declarations_.GetConstants(p); });
            case Section::UserNumerics:
                piece_ = std::string(TrimBlanks(piece_));
                return UserLoop([this](std::string_view p) { declarations_.GetUserNumerics(p); },
                                [this] { declarations_.EndUserNumerics(); });
            case Section::UserBits:
                piece_ = std::string(TrimBlanks(piece_));
                return UserLoop([this](std::string_view p) { declarations_.GetUserBits(p); },
                                [this] { declarations_.EndUserBits(); });
            case Section::Link:
                return LinkLoop();
            case Section::Tables:
                return BlockLoop([this](std::string& p) { return tables_.GetTables(p); });
            case Section::NumericBlocks:
                return BlockLoop(
                    [this](std::string& p) { return numericBlocks_.GetNumericBlocks(p); });
        }
    }
    return Next::ReadPiece;
}

// The readers of lists, constants and timers see every piece of their section, the
// keyword that ends it included.
template <class Reader>
ParseText::Next ParseText::ListLoop(Reader&& read) {
    for (;;) {
        if (read(piece_)) {
            return KeyWord(piece_) ? Next::Redispatch : Next::ReadPiece;
        }
        if (!ReadPiece()) {
            return Next::Stop;
        }
    }
}

template <class Reader, class Ender>
ParseText::Next ParseText::UserLoop(Reader&& read, Ender&& end) {
    for (;;) {
        if (KeyWord(piece_)) {
            end();
            return Next::Redispatch;
        }
        read(piece_);
        if (!ReadPiece()) {
            end();
            return Next::Stop;
        }
    }
}

template <class Reader>
ParseText::Next ParseText::BlockLoop(Reader&& read) {
    for (;;) {
        if (KeyWord(piece_) || read(piece_)) {
            return Next::Redispatch;
        }
        if (!ReadPiece()) {
            return Next::Stop;
        }
    }
}

ParseText::Next ParseText::LogicLoop() {
    logic_.AddLogicText(piece_);
    for (;;) {
        if (!ReadPiece()) {
            return Next::Stop;
        }
        if (KeyWord(piece_)) {
            logic_.EndSection();
            return Next::Redispatch;
        }
        logic_.AddLogicText(piece_);
    }
}

ParseText::Next ParseText::CodedOutputLoop() {
    for (;;) {
        if (codedOutputs_.GetCodedOutputs(piece_)) {
            return Next::Redispatch;
        }
        if (!ReadPiece()) {
            return Next::Stop;
        }
    }
}

ParseText::Next ParseText::BoardLoop() {
    bool opening = true;
    while (!boardOpen_) {
        // A section keyword (the next "BOARD:" above all) before the header is complete
        // ends the header; the reader drops the board, and the keyword is read for itself.
        const bool keywordInHeader = !opening && KeyWord(piece_);
        opening = false;
        boardOpen_ = boards_->NewBoard(piece_, boardName_, boardType_);
        if (boardType_ == "SCC") {
            // Such boards are not simulated; their lines fall to the main loop unread.
            boardType_.clear();
            boardOpen_ = false;
            piece_.clear();
            return Next::Redispatch;
        }
        if (keywordInHeader) {
            boardOpen_ = false;
            return Next::Redispatch;
        }
        if (!ReadPiece()) {
            return Next::Stop;
        }
        ShowStatus("Loading " + boardName_);
    }
    for (;;) {
        if (boards_->GetBoardIO(piece_, boardType_)) {
            boardOpen_ = false;
            boards_->ShowBoardWindow();
            return KeyWord(piece_) ? Next::Redispatch : Next::ReadPiece;
        }
        if (!ReadPiece()) {
            return Next::Stop;
        }
        if (KeyWord(piece_)) {
            boards_->SetBoardReset();
            boards_->ShowBoardWindow();
            boardOpen_ = false;
            return Next::Redispatch;
        }
    }
}

ParseText::Next ParseText::LinkLoop() {
    boards_->NewSerialPort();
    linkOpen_ = true;
    for (;;) {
        if (boards_->GetLink(piece_)) {
            linkOpen_ = false;
            boards_->ShowBoardWindow();
            return KeyWord(piece_) ? Next::Redispatch : Next::ReadPiece;
        }
        if (!ReadPiece()) {
            return Next::Stop;
        }
    }
}

void ParseText::EndOfSource() {
    // What the source leaves open at its end is finished as a section keyword would.
    logic_.EndSection();
    numericBlocks_.EndSection();
    timers_.EndOfSource();
    codedOutputs_.EndSection();
    boards_->EndOfSource();
    if (boardOpen_ || linkOpen_) {
        boards_->ShowBoardWindow();
        boardOpen_ = false;
        linkOpen_ = false;
    }
    ThePlatform().SetLoadingProgress(double(reader_->Size()), double(reader_->Size()));
}

void ParseText::LetGo() {
    reader_.reset();
    piece_ = std::string();
    boards_->ReleaseBoardWindow();
    engine_.ReleaseProgram();
}

void ParseText::Fatal(const std::string& description) {
    reader_.reset();
    boards_->ReleaseBoardWindow();
    ThePlatform().UnloadLoadingProgress();
    ReportFailure(description);
    ThePlatform().EndApplication();
}

void ParseText::ReportFailure(const std::string& description) {
    MsgBox(description + ": Error In Text Parser", MsgButtons::Ok, MsgIcon::Information, "Ostrel");
}

}  // namespace veldra
