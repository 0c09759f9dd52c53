#include "loader/parse_text.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <new>
#include <optional>

#include "loader/board_section_reader.h"
#include "loader/loader_fixture.h"
#include "loader/source_memory.h"
#include "platform/memory_room.h"
#include "support/address_sanitizer.h"
#include "support/engine_driver.h"
#include "support/without_privileges.h"

namespace veldra::testing {
namespace {

using ParseTextTest = LoaderTest;
using Lines = std::vector<std::string>;

// --- The program name and the order of a load.

TEST_F(ParseTextTest, ReturnsTheProgramNameAndShowsItInTheStatusLine) {
    EXPECT_EQ(Load(Source({"// the name line", "program  Demo_Station ;", "BOOLEAN BITS A;"})),
              "DEMO_STATION");
    EXPECT_EQ(platform.loadingStatus,
              (Lines{"Opening File...", "DEMO_STATION", "Loading Boolean Bits"}));
    EXPECT_EQ(host.journal, (Lines{"program window shown", "load finished"}));
}

TEST_F(ParseTextTest, TheNameMayStandOnTheLineAfterTheWordProgramOrBeMissing) {
    EXPECT_EQ(Load(Source({"PROGRAM", "DEMO;"})), "DEMO");
    EXPECT_EQ(ParseText(engine, host).GetProgramFromText(Source({"BOOLEAN BITS A, B;"})), "");
    EXPECT_EQ(BitNames(), (Lines{"A", "B"}));
}

TEST_F(ParseTextTest, SectionsMayComeInAnyOrderAndAnyNumberOfTimes) {
    Load(Source({"PROGRAM P;", "LOGIC BEGIN", "ASSIGN A TO X;", "END LOGIC", "BOOLEAN BITS A;",
                 "LOGIC BEGIN ASSIGN X TO Y;", "BOOLEAN BITS B;"}));
    EXPECT_EQ(BitNames(), (Lines{"A", "B"}));
    EXPECT_EQ(StatementTexts(), (Lines{"ASSIGN A TO X;", "ASSIGN X TO Y;"}));
}

TEST_F(ParseTextTest, LinesOutsideAnySectionAndUnknownKeywordsArePassedOver) {
    Load(Source({"PROGRAM P;", "CONFIGURATION", "SPEED 9600;", "SYSTEM", "WHATEVER: 1;",
                 "BOOLEAN BITS A;"}));
    EXPECT_EQ(BitNames(), (Lines{"A"}));
    EXPECT_TRUE(platform.boxes().empty());
}

// --- Boards and serial links, read by a reader of their own.

// Records what the dispatcher hands the board readers.
class RecordingBoards final : public BoardSectionReader {
public:
    bool NewBoard(std::string& piece, std::string& BoardName, std::string& BoardType) override {
        calls.push_back("header " + piece);
        if (piece == "BOARD:") {
            return false;
        }
        if (BoardName.empty()) {
            BoardName = piece;
            return false;
        }
        BoardType = After(piece, "TYPE ");
        return !BoardType.empty();
    }
    bool GetBoardIO(std::string& piece, std::string_view BoardType) override {
        calls.push_back("body " + piece + " of " + std::string(BoardType));
        return piece.ends_with(";");
    }
    void SetBoardReset() override { calls.push_back("reset"); }
    void ShowBoardWindow() override { calls.push_back("show"); }
    void NewSerialPort() override { calls.push_back("new station"); }
    bool GetLink(std::string& piece) override {
        calls.push_back("link " + piece);
        return KeyWord(piece);
    }
    Lines calls;
};

// Board sections go to the board readers header first; a section keyword interrupts a
// board and resets its lists; a link section runs to the next keyword. The source after its
// program line ("|" between lines), the calls the readers get ("|" between them), and the
// bit the rest of the source declares.
class BoardReaderCalls
    : public LoaderTest,
      public ::testing::WithParamInterface<std::tuple<const char*, const char*, const char*>> {};

TEST_P(BoardReaderCalls, FollowTheSource) {
    const auto& [lines, calls, bit] = GetParam();
    RecordingBoards boards;
    ParseText(engine, host, boards)
        .GetProgramFromText(BarredSource("PROGRAM P;|" + std::string(lines)));
    std::string heard;
    for (const std::string& call : boards.calls) {
        heard += (heard.empty() ? "" : "|") + call;
    }
    EXPECT_EQ(heard, calls);
    EXPECT_EQ(BitNames(), (Lines{bit}));
}

INSTANTIATE_TEST_SUITE_P(
    Sections, BoardReaderCalls,
    ::testing::Values(
        std::tuple{"BOARD:|B1|TYPE IN16|INPUT A, B;|BOOLEAN BITS X;",
                   "header BOARD:|header B1|header TYPE IN16|body INPUT A, B; of IN16|show", "X"},
        std::tuple{"BOARD:|B1|TYPE IN16|INPUT A|BOOLEAN BITS X;",
                   "header BOARD:|header B1|header TYPE IN16|body INPUT A of IN16|reset|show", "X"},
        std::tuple{"LINK:|STATION.NAME:|NEXT|TIMER BITS|T : SET = 1 : SEC, CLEAR = 1 : SEC;",
                   "new station|link |link STATION.NAME:|link NEXT|link TIMER BITS|show", "T"}));

TEST_F(ParseTextTest, WithoutBoardReadersABoardIsPassedOverAndTheRestLoads) {
    Load(Source({"PROGRAM P;", "BOARD:", "B1", "TYPE: IN16", "INPUT: A, B;", "OUTPUT: C;",
                 "LINK:", "STATION.NAME: S", "INPUT: D;", "BOOLEAN BITS X;"}));
    EXPECT_EQ(BitNames(), (Lines{"X"}));
}

// --- Failures that end the load.

// A path that is no readable source ends the application with the parser's message, naming
// the path, before anything is read; a named pipe with no writer must not hang the load.
class RefusedPathTest : public LoaderTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedPathTest, EndsTheApplicationWithTheParserMessageNamingThePath) {
    const std::string kind = GetParam();
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) /
                                         ("refused_" + kind + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::filesystem::path path = folder;
    if (kind == "missing") {
        path = folder / "no_such_source.ml2";
    } else if (kind == "unreadable" || kind == "in_a_locked_folder") {
        const std::filesystem::path inside = kind == "unreadable" ? folder : folder / "locked";
        std::filesystem::create_directories(inside);
        path = inside / "source.ml2";
        std::ofstream(path) << "PROGRAM P;\r\n";
        std::filesystem::permissions(kind == "unreadable" ? path : inside,
                                     std::filesystem::perms::none);
    } else if (kind != "folder") {
        ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
        path = folder / "link.ml2";
        std::filesystem::create_symlink(folder / "pipe", path);
    }
    platform.Answer(MsgAnswer::Ok);
    {
        const WithoutPrivileges permissions;
        ASSERT_TRUE(permissions.InForce());
        EXPECT_EQ(ParseText(engine, host).GetProgram(path.string()), "");
    }
    ASSERT_EQ(platform.boxes().size(), 1u);
    const MsgBoxRequest& box = platform.boxes()[0];
    const std::string message =
        kind == "missing" ? "File not found: " + path.string()
        : kind == "folder" || kind == "link_to_pipe"
            ? "Path/File access error: " + path.string() + " is not a regular file"
            : "Permission denied: " + path.string();
    EXPECT_EQ(box.title + ": " + box.prompt, "Ostrel: " + message + ": Error In Text Parser");
    EXPECT_TRUE(box.icon == MsgIcon::Information && box.buttons == MsgButtons::Ok);
    EXPECT_TRUE(platform.ended() && host.journal.empty());
    EXPECT_EQ(platform.journal().front(), "unload progress");
    std::error_code ignored;
    std::filesystem::permissions(folder / "locked", std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(folder);
}

// A named pipe with no writer, reached through a link, must not hang the load.
INSTANTIATE_TEST_SUITE_P(Paths, RefusedPathTest,
                         ::testing::Values("missing", "folder", "link_to_pipe", "unreadable",
                                           "in_a_locked_folder"));

// --- Memory.

// A source far larger than any machine's memory (a sparse file, which takes no room on the
// disk) is refused before it is read, naming the file, its size and what it would need of
// the kind it lacks: address space under an address-space limit (`ulimit -v`), which is
// looked at first, otherwise memory. Nothing ends.
TEST_F(ParseTextTest, ASourceTooLargeForTheMemoryLeftIsRefusedUnreadAndNothingEnds) {
    const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) /
                                       ("huge_" + std::to_string(::getpid()) + ".ml2");
    constexpr std::uintmax_t kTerabyte = std::uintmax_t(1) << 40;
    // The text and the open's own: 128 MB of address space, 32 MB of memory.
    const std::optional<std::uint64_t> addressLimit = CurrentMemoryFigures().addressLimit;
    const bool addressLacking = addressLimit && *addressLimit < kTerabyte;
    const std::string need = addressLacking ? "1,048,704 MB" : "1,048,608 MB";
    std::ofstream(path) << "PROGRAM HUGE;\r\n";
    std::filesystem::resize_file(path, kTerabyte);
    platform.Answer(MsgAnswer::Ok);
    EXPECT_EQ(ParseText::ReadSourceFile(path), std::nullopt);
    std::filesystem::remove(path);
    ASSERT_EQ(Boxes().size(), 1U);
    EXPECT_TRUE(Boxes()[0].starts_with("Ostrel: Not enough memory to load " + path.string() +
                                       ": the file is 1,048,576 MB, loading it takes about " +
                                       need + " and only "))
        << Boxes()[0];
    EXPECT_TRUE(Boxes()[0].ends_with(" MB can be given: Error In Text Parser")) << Boxes()[0];
    EXPECT_FALSE(platform.ended());
}

// What the process may take beyond what it takes when the limit is set.
constexpr std::uint64_t kMemoryRoom = std::uint64_t(400) << 20;

// Holds the process's address space to `room` beyond what it takes now.
void HoldAddressSpace(std::uint64_t room) {
    const std::uint64_t limit = CurrentMemoryFigures().addressInUse + room;
    const rlimit held{limit, limit};
    if (::setrlimit(RLIMIT_AS, &held) != 0) {
        std::_Exit(2);
    }
}

// Writes a source of at least `bytes` in one of two shapes: short declared names, or the
// usual statements over two declared bits each.
void WriteSourceOfShape(const std::filesystem::path& path, bool shortNames, std::uint64_t bytes) {
    std::ofstream out(path, std::ios::binary);
    out << "PROGRAM SHAPE;\r\nBOOLEAN BITS";
    const std::uint64_t perItem = shortNames ? 9 : 66;
    const std::uint64_t items = bytes / perItem;
    for (std::uint64_t i = 0; i < items; ++i) {
        out << (i % 16 == 0 ? "\r\n" : "") << (shortNames ? "B" : "L") << i;
        if (!shortNames) {
            out << ",R" << i;
        }
        out << (i + 1 == items ? ";" : ",");
    }
    out << "\r\nLOGIC BEGIN\r\n";
    for (std::uint64_t i = 1; !shortNames && i < items; ++i) {
        out << "    ASSIGN L" << i - 1 << " * ~R" << i << " + L" << i - 1 << " * R0 TO L" << i
            << ";\r\n";
    }
    out << "    ASSIGN B0 TO B1;\r\nEND LOGIC\r\nEND PROGRAM\r\n";
}

// Loads in a child whose address space is held to a limit, which the address sanitizer,
// reserving more than any limit leaves, cannot run under.
class UnderAnAddressSpaceLimit : public LoaderTest {
protected:
    void SetUp() override {
#ifdef VELDRA_ADDRESS_SANITIZER
        GTEST_SKIP() << "the address sanitizer reserves more address space than any limit leaves";
#endif
        GTEST_FLAG_SET(death_test_style, "threadsafe");
    }

    // In the child: how the load ended and the boxes it showed, a line each.
    [[noreturn]] void ReportAndExit(const std::string& outcome) {
        std::fprintf(stderr, "%s\n", outcome.c_str());
        for (const std::string& box : Boxes()) {
            std::fprintf(stderr, "box: %s\n", box.c_str());
        }
        std::fflush(stderr);
        std::_Exit(0);
    }
};

constexpr char kLetGoBox[] =
    "box: Ostrel: Out of memory while loading /srv/p.ml2; the program was not loaded: Error In "
    "Text Parser\n$";

struct SourceShape {
    const char* name;
    bool shortNames;
    const char* outcome;
};

void PrintTo(const SourceShape& shape, std::ostream* out) {
    *out << shape.name;
}

class SourceShapeTest : public UnderAnAddressSpaceLimit,
                        public ::testing::WithParamInterface<SourceShape> {};

// Two sources of 8 MB, each promised the same 232 MB by their size, of which 336 MB are free
// for a load: the short names take some 370 MB and are refused unread; the statements take
// some 260 MB and are read.
TEST_P(SourceShapeTest, ASourceIsRefusedUnreadWhenWhatItHoldsCannotFitWhateverItsSize) {
    const std::filesystem::path path =
        std::filesystem::path(::testing::TempDir()) /
        (std::string(GetParam().name) + "_" + std::to_string(::getpid()) + ".ml2");
    WriteSourceOfShape(path, GetParam().shortNames, std::uint64_t(8) << 20);
    const auto readWithRoomLeft = [&] {
        platform.Answer(MsgAnswer::Ok);
        HoldAddressSpace(kMemoryRoom);
        ReportAndExit(ParseText::ReadSourceFile(path).has_value() ? "read" : "refused");
    };
    EXPECT_EXIT(readWithRoomLeft(), ::testing::ExitedWithCode(0), GetParam().outcome);
    std::filesystem::remove(path);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, SourceShapeTest,
    ::testing::Values(SourceShape{"ShortNames", true,
                                  "^refused\nbox: Ostrel: Not enough memory to load "
                                  "[^\n]*ShortNames[^\n]*: the file is 8 MB, loading it takes "
                                  "about [0-9,]+ MB and only [0-9,]+ MB can be given: Error In "
                                  "Text Parser\n$"},
                      SourceShape{"Statements", false, "^read\n$"}),
    [](const auto& info) { return std::string(info.param.name); });

// Made and filled, the program's windows must leave the desktop the reserve the check
// before reading promised it; a program that took it is let go as one that ran out of
// memory while it was read, and nothing ends.
TEST_F(UnderAnAddressSpaceLimit, AProgramWhoseWindowsLeaveTheDesktopLessThanItsReserveIsLetGo) {
    const auto loadWithTheWindowsTakingTheReserve = [&] {
        platform.Answer(MsgAnswer::Ok);
        host.onLoadFinished = [] { HoldAddressSpace(kDesktopReserve / 2); };
        const std::string name =
            ParseText(engine, host)
                .GetProgramFromText(Source({"PROGRAM P;", "BOOLEAN BITS A;", "LOGIC BEGIN",
                                            "ASSIGN A TO B;", "END LOGIC"}),
                                    "/srv/p.ml2");
        ReportAndExit("name \"" + name + "\", loaded " + std::to_string(engine.ProgramLoaded()) +
                      ", ended " + std::to_string(platform.ended()));
    };
    EXPECT_EXIT(loadWithTheWindowsTakingTheReserve(), ::testing::ExitedWithCode(0),
                std::string("^name \"\", loaded 0, ended 0\n") + kLetGoBox);
}

// Load completion makes a bit for every name no section declared: with the desktop's reserve
// gone before it starts, it stops within its first pass over the statements, and the
// program is let go as above.
TEST_F(UnderAnAddressSpaceLimit,
       LoadCompletionStopsOnceTheDesktopsReserveIsGoneAndTheProgramIsLetGo) {
    constexpr int kStatements = 3000;
    const auto completeWithoutTheReserve = [&] {
        std::string source = "PROGRAM P;\r\nLOGIC BEGIN\r\n";
        for (int i = 0; i < kStatements; ++i) {
            source += "ASSIGN A" + std::to_string(i) + " TO B" + std::to_string(i) + ";\r\n";
        }
        platform.Answer(MsgAnswer::Ok);
        host.onLoadFinished = [&] {
            HoldAddressSpace(kDesktopReserve / 2);
            engine.LoadFinished({});
        };
        ParseText(engine, host).GetProgramFromText(source, "/srv/p.ml2");
        ReportAndExit("stopped in the first pass " + std::to_string(window.yields < kStatements) +
                      ", loaded " + std::to_string(engine.ProgramLoaded()) + ", ended " +
                      std::to_string(platform.ended()));
    };
    EXPECT_EXIT(completeWithoutTheReserve(), ::testing::ExitedWithCode(0),
                std::string("^stopped in the first pass 1, loaded 0, ended 0\n") + kLetGoBox);
}

// Memory that runs out half way through a load: the half-loaded program is let go before
// the box is made (making it needs memory too), the box is the loader's, and the
// application goes on without the program.
TEST_F(ParseTextTest, MemoryRunningOutHalfWayLetsTheProgramGoBeforeSayingSoAndNothingEnds) {
    std::vector<std::string_view> lines = {"PROGRAM DENSE;", "BOOLEAN BITS"};
    std::vector<std::string> names;
    for (int i = 0; i < 2000; ++i) {
        names.push_back("B" + std::to_string(i) + ",");
    }
    lines.insert(lines.end(), names.begin(), names.end());
    lines.push_back("LAST;");
    bool bitsHeldAtTheBox = true;
    class Noting final : public Platform {
    public:
        explicit Noting(std::function<void()> atBox) : atBox_(std::move(atBox)) {}
        MsgAnswer MsgBox(const MsgBoxRequest& request) override {
            atBox_();
            boxes.push_back(request.title + ": " + request.prompt);
            return MsgAnswer::Ok;
        }
        void EndApplication() override { ended = true; }
        void UnloadLoadingProgress() override {}
        std::vector<std::string> boxes;
        bool ended = false;

    private:
        std::function<void()> atBox_;
    } noting([&] { bitsHeldAtTheBox = engine.PrgBooleanBits() != nullptr; });
    const PlatformScope installed(noting);
    host.onYield = [&] {
        if (BitNames().size() > 1000) {
            throw std::bad_alloc();
        }
    };
    EXPECT_EQ(ParseText(engine, host).GetProgramFromText(Source(lines), "/srv/dense.ml2"), "");
    EXPECT_EQ(noting.boxes,
              std::vector<std::string>{"Ostrel: Out of memory while loading /srv/dense.ml2; the "
                                       "program was not loaded: Error In Text Parser"});
    EXPECT_FALSE(bitsHeldAtTheBox);
    EXPECT_FALSE(noting.ended);
    EXPECT_FALSE(engine.ProgramLoaded());

    // The engine takes the next program as a fresh one.
    host.onYield = nullptr;
    EXPECT_EQ(ParseText(engine, host).GetProgramFromText(Source({"PROGRAM P;", "BOOLEAN BITS A;"})),
              "P");
    EXPECT_EQ(BitNames(), (Lines{"A"}));
}

TEST_F(ParseTextTest, ABinaryFileIsRefusedNamingTheLineOfItsFirstNulByte) {
    platform.Answer(MsgAnswer::Ok);
    using namespace std::string_literals;
    Load("PROGRAM P;\r\nBOOLEAN BITS A;\r\n\x01\x00\x02"s);
    EXPECT_EQ(Boxes(), (Lines{"Ostrel: The file holds binary data (line 3) and is no "
                              "application source: Error In Text Parser"}));
    EXPECT_TRUE(platform.ended());
    EXPECT_EQ(engine.PrgBooleanBits(), nullptr);
}

TEST_F(ParseTextTest, AFailureWhileTheProgramWindowFinishesTheLoadIsFatalToo) {
    host.onLoadFinished = [] { throw RuntimeError("Bit LED.9 not found"); };
    platform.Answer(MsgAnswer::Ok);
    Load(Source({"PROGRAM P;"}));
    EXPECT_EQ(Boxes(), (Lines{"Ostrel: Bit LED.9 not found: Error In Text Parser"}));
    const std::vector<std::string>& happened = platform.journal();
    ASSERT_GE(happened.size(), 3u);
    EXPECT_EQ(happened[happened.size() - 3], "unload progress");
}

// --- The desktop during a load.

TEST_F(ParseTextTest, ALongSourceYieldsToTheDesktopAndFillsTheProgressBar) {
    std::string text = "PROGRAM P;\r\nBOOLEAN BITS\r\n";
    for (int i = 0; i < 5000; ++i) {
        text += "BIT_" + std::to_string(i) + ",\r\n";
    }
    text += "LAST;\r\n";
    Load(text);
    EXPECT_EQ(engine.PrgBooleanBits()->Count(), 5001);
    EXPECT_GT(host.yields, 0);
    EXPECT_EQ(platform.barValue, double(text.size()));
    EXPECT_EQ(platform.barMax, double(text.size()));
}

TEST_F(ParseTextTest, ALoadCannotBeStartedWhileOneIsUnderWay) {
    std::string inner = "not run";
    host.onYield = [&] {
        host.onYield = nullptr;
        EXPECT_TRUE(LoadUnderWay());
        inner = ParseText(engine, host).GetProgramFromText(Source({"PROGRAM OTHER;"}));
    };
    EXPECT_EQ(Load(Source({"PROGRAM FIRST;", "BOOLEAN BITS A;"})), "FIRST");
    EXPECT_EQ(inner, "");
    EXPECT_FALSE(LoadUnderWay());
    EXPECT_EQ(std::count(host.journal.begin(), host.journal.end(), "load finished"), 1);
}

// --- A whole application.

TEST_F(ParseTextTest, ASourceWithEveryNonBoardSectionLoadsIntoTheEngineAndRuns) {
    EXPECT_EQ(LoadFile("every_section.ml2"), "DEMO_STATION");
    EXPECT_TRUE(platform.boxes().empty());

    EXPECT_EQ(BitNames(),
              (Lines{"TR1", "TR2", "ROUTE_SET", "CPS.STATUS", "LAMP", "SIG_CLEAR", "APPROACH",
                     "OVERSPEED", "SPEED", "LIMIT", "ALWAYS", "NEVER", "TR1_SLOW"}));
    EXPECT_EQ((std::vector<long>{Bit("SPEED")->IsNumeric(), Bit("ALWAYS")->BitValue(),
                                 Bit("TR1_SLOW")->OnTime(), Bit("TR1_SLOW")->OffTime(),
                                 engine.prgUserBits.Item("WITH_FLANK")->BitValue,
                                 engine.prgUserBits.Item("MAX_SPEED")->Numeric}),
              (std::vector<long>{1, 1, 2000, 500, 1, 80}));
    EXPECT_EQ(host.Toggles(), (Lines{"G1 CODE_75", "G1 CODE_120"}));
    EXPECT_EQ(StatementTexts(),
              (Lines{"ASSIGN TR1*ROUTE_SET TO SIG_CLEAR;", "ASSIGN ~TR1 TO TR1_SLOW;",
                     "ASSIGN TR1_SLOW+TR2 TO APPROACH;"}));
    ASSERT_NE(engine.prgNumBlks, nullptr);
    EXPECT_EQ((std::vector<int>{engine.prgNumBlks->Count(), engine.prgTables.Count(),
                                engine.prgTables.Item(1)->Layout().Rows().Count()}),
              (std::vector<int>{1, 1, 2}));

    engine.LoadFinished({});
    Bit("CPS.STATUS")->SetBitValue(true, true);
    EngineDriver(engine).SetStatementsQueued(true);
    engine.StartStop();
    engine.PostInput("ROUTE_SET", true);
    engine.PostInput("TR1", true);
    engine.tmrProgram_Timer();
    EXPECT_TRUE(Bit("SIG_CLEAR")->BitValue());
}

}  // namespace
}  // namespace veldra::testing
