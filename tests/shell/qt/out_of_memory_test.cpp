// Loads that meet the end of the memory, in a process of their own whose address space is
// held to a little more than it takes: the limit never touches the test runner.
#include <gtest/gtest.h>
#include <malloc.h>
#include <sys/resource.h>

#include <QAction>
#include <QMdiArea>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "loader/source_census.h"
#include "loader/source_memory.h"
#include "platform/memory_room.h"
#include "support/address_sanitizer.h"
#include "support/qt/application_fixture.h"

namespace veldra::testing {
namespace {

const std::string kSource = VELDRA_TEST_DATA "/program_window/small.ml2";

// What the process may take beyond what it takes when the limit is set: enough for a small
// program with the desktop's reserve.
constexpr std::uint64_t kRoom = 384ULL << 20;

constexpr const char* kLogicBegin = "LOGIC BEGIN\r\n";

// A source of nothing but the shortest statements (after the sections `before` them and the
// line `logicBegin` that opens their section), each of which takes some thirty times its size
// once loaded: with `operands` bits read by each, declared nowhere, bits of its own or,
// `shared`, the same for every statement.
void WriteDenseSource(const std::filesystem::path& path, std::uint64_t bytes, int operands = 1,
                      const std::string& before = {}, const std::string& logicBegin = kLogicBegin,
                      bool shared = false) {
    std::ofstream out(path, std::ios::binary);
    out << "PROGRAM DENSE;\r\n" << before << logicBegin;
    for (std::uint64_t i = 0; out.tellp() < std::streamoff(bytes); ++i) {
        const std::string own = shared ? std::string() : std::to_string(i);
        out << "ASSIGN A" << own;
        for (int k = 1; k < operands; ++k) {
            out << " * " << char('C' + k) << own;
        }
        out << " TO B" << i << ";\r\n";
    }
    out << "END LOGIC\r\nEND PROGRAM\r\n";
}

// A dense source of this size makes some 200,000 bits, whose state file text takes some
// 40 MB. The save writes it a megabyte at a time: less than that piece is left for it.
constexpr std::uint64_t kManyBitsSource = 2560ULL << 10;
constexpr std::uint64_t kSaveRoom = 900ULL << 10;

// A dense source whose statements promise nine tenths of the address space a load may take
// now, and take more, so that it runs out half way: their section opens on the line of a
// list, which the count before reading, looking at each line's first words, takes it for,
// so the statements, which all read the same `operands` bits, are reckoned as the bit each
// writes alone.
void WriteDenseSourceThatPromisesToFit(const std::filesystem::path& path,
                                       const std::string& before = {}, int operands = 1) {
    const std::string logicBegin = "BOOLEAN BITS DENSE; LOGIC BEGIN\r\n";
    const std::uint64_t room = RoomForLoad(RoomsOf(CurrentMemoryFigures())).address.value_or(0);
    const std::uint64_t promise =
        room > kOpenMemory.address ? (room - kOpenMemory.address) * 9 / 10 : 0;
    // Written once at a guess, then again at the size that promises just that.
    std::uint64_t bytes = promise / 10;
    WriteDenseSource(path, bytes, operands, before, logicBegin, true);
    const std::uint64_t promised =
        MemoryToLoad(CountSourceFile(path).value_or(SourceCensus{})).address - kOpenMemory.address;
    WriteDenseSource(path, promised > 0 ? bytes * promise / promised : 0, operands, before,
                     logicBegin, true);
}

// Boards of every kind, read before the statements.
const std::string kBoards =
    "BOARD: IN_1\r\n    ADJUSTABLE\r\n    ENABLE: 1\r\n    TYPE: IN16\r\n"
    "    INPUT: PB_1, SPARE, PB_2;\r\n"
    "BOARD: OUT_1\r\n    FIXED\r\n    ENABLE: 1\r\n    TYPE: OUT16\r\n"
    "    OUTPUT: LAMP_1, SPARE;\r\n"
    "BOARD: MIX_1\r\n    ADJUSTABLE\r\n    ENABLE: 0\r\n    TYPE: IN8.OUT8\r\n"
    "    OUTPUT: PT_NWK, PT_RWK;\r\n    INPUT: PT_NWC, PT_RWC, I3, I4, I5, I6, I7, I8;\r\n";

class OutOfMemoryTest : public ApplicationFixture {
protected:
    static void SetUpTestSuite() {
        // The child starts afresh rather than as a copy of a process that has threads.
        GTEST_FLAG_SET(death_test_style, "threadsafe");
    }

    // The boxes shown since the last look, one line each on the error stream, where the
    // test runner reads them.
    void TellBoxes() {
        for (; told_ < dialogs.boxes().size(); ++told_) {
            std::fprintf(stderr, "box: %s: %s\n", dialogs.boxes()[told_].title.c_str(),
                         dialogs.boxes()[told_].prompt.c_str());
        }
    }

    // In the child: a source too large for the memory left, given on the command line; from
    // the menu one that runs out of it half way, then a small one; then the one too large
    // dropped on it.
    [[noreturn]] void RunOutOfMemory() {
        QTemporaryDir folder;
        const std::filesystem::path huge = folder.filePath("huge.ml2").toStdString();
        const std::filesystem::path dense = folder.filePath("dense.ml2").toStdString();
        std::ofstream(huge) << "PROGRAM HUGE;\r\n";
        std::filesystem::resize_file(huge, kRoom);  // sparse: it takes no room on the disk

        // A thread that first allocates after this point would reserve an arena of its own,
        // 64 MB of address space at a moment the test does not choose: every thread shares
        // the one arena instead, so that the room measured is the room the loads meet.
        ::mallopt(M_ARENA_MAX, 1);
        const std::uint64_t limit = CurrentMemoryFigures().addressInUse + kRoom;
        const rlimit held{limit, limit};
        if (::setrlimit(RLIMIT_AS, &held) != 0) {
            std::_Exit(2);
        }
        dialogs.Answer(MsgAnswer::Ok);
        app = Started(huge.string());
        TellBoxes();

        WriteDenseSourceThatPromisesToFit(dense);
        dialogs.Answer(MsgAnswer::Ok).Choose(dense);
        Item("mnuOpen")->trigger();
        Settle();
        TellBoxes();
        TellMain("after the open");

        dialogs.Answer(MsgAnswer::Ok).Choose(kSource);
        Item("mnuOpen")->trigger();
        Settle();
        TellBoxes();
        TellProgram("then");

        // Dropped on the program open, the source too large is refused before the program
        // closes, and that program stays.
        dialogs.Answer(MsgAnswer::Ok);
        Main().DropFiles({huge.string()});
        Settle();
        TellBoxes();
        TellProgram("after the drop");
        std::fflush(stderr);
        std::_Exit(0);
    }
    // In the child: a small program opened from the command line, then a source dropped on
    // it that runs out of memory half way.
    [[noreturn]] void DropOneThatRunsOut() {
        QTemporaryDir folder;
        const std::filesystem::path dense = folder.filePath("dense.ml2").toStdString();
        ::mallopt(M_ARENA_MAX, 1);
        app = Started(kSource);
        const std::uint64_t limit = CurrentMemoryFigures().addressInUse + kRoom;
        const rlimit held{limit, limit};
        if (::setrlimit(RLIMIT_AS, &held) != 0) {
            std::_Exit(2);
        }
        WriteDenseSourceThatPromisesToFit(dense);
        TellMain("before");
        dialogs.Answer(MsgAnswer::Ok).Answer(MsgAnswer::Ok);  // "Continue Open?", the failure
        Main().DropFiles({dense.string()});
        Settle();
        TellBoxes();
        TellMain("after");
        std::fflush(stderr);
        std::_Exit(0);
    }
    // In the child: a source whose boards are read before its statements run out of memory,
    // opened from the menu; what of the program is still there when the box is up. Its
    // statements read `operands` bits each, the same for all.
    [[noreturn]] void RunOutAfterTheBoards(int operands = 1) {
        QTemporaryDir folder;
        const std::filesystem::path dense = folder.filePath("boards.ml2").toStdString();
        ::mallopt(M_ARENA_MAX, 1);
        app = Started("");
        const std::uint64_t limit = CurrentMemoryFigures().addressInUse + kRoom;
        const rlimit held{limit, limit};
        if (::setrlimit(RLIMIT_AS, &held) != 0) {
            std::_Exit(2);
        }
        WriteDenseSourceThatPromisesToFit(dense, kBoards, operands);
        dialogs.whileShown = [this](const MsgBoxRequest& box) {
            if (box.prompt.starts_with("Out of memory")) {
                std::fprintf(stderr, "at the box: %s, %d windows in the area, %s\n",
                             Main().Program() ? "a program window" : "no program window",
                             int(Main().Area().subWindowList().size()),
                             Main().windowTitle().toStdString().c_str());
            }
        };
        dialogs.Answer(MsgAnswer::Ok).Choose(dense);
        Item("mnuOpen")->trigger();
        Settle();
        TellBoxes();
        TellMain("after the open");
        std::fflush(stderr);
        std::_Exit(0);
    }
    // In the child: a program of many bits loaded, then its state saved over an old file
    // and to a new one, each time with less memory left than the file's text takes.
    [[noreturn]] void SaveStateOutOfMemory() {
        QTemporaryDir folder;
        const std::filesystem::path source = folder.filePath("many.ml2").toStdString();
        const std::filesystem::path old = folder.filePath("OLD.sst").toStdString();
        const std::filesystem::path fresh = folder.filePath("NEW.sst").toStdString();
        WriteDenseSource(source, kManyBitsSource);
        std::ofstream(old, std::ios::binary) << "the old state";
        ::mallopt(M_ARENA_MAX, 1);
        app = Started(source.string());
        TellBoxes();
        const std::uint64_t limit = CurrentMemoryFigures().addressInUse + kSaveRoom;
        const rlimit held{limit, limit};
        if (::setrlimit(RLIMIT_AS, &held) != 0) {
            std::_Exit(2);
        }
        dialogs.Answer(MsgAnswer::Yes).Answer(MsgAnswer::Ok).Choose(old);  // "Replace", the failure
        Item("mnuSaveState")->trigger();
        Settle();
        TellBoxes();
        dialogs.Answer(MsgAnswer::Ok).Choose(fresh);
        Item("mnuSaveState")->trigger();
        Settle();
        TellBoxes();
        std::ifstream in(old, std::ios::binary);
        const std::string kept{std::istreambuf_iterator<char>(in), {}};
        std::fprintf(
            stderr, "the old file holds \"%s\"; %d files in the folder\n", kept.c_str(),
            int(std::distance(std::filesystem::directory_iterator(folder.path().toStdString()),
                              std::filesystem::directory_iterator())));
        std::fflush(stderr);
        std::_Exit(0);
    }
    // Whether the main window is where the user can reach it, and what its caption says.
    void TellMain(const char* when) {
        std::fprintf(stderr, "%s: %s, %s\n", when, Main().isMinimized() ? "minimised" : "shown",
                     Main().windowTitle().toStdString().c_str());
    }
    void TellProgram(const char* when) {
        std::fprintf(
            stderr, "%s: %s, %d ends\n", when,
            Main().Program() ? Main().Program()->windowTitle().toStdString().c_str() : "no program",
            ends);
    }

private:
    std::size_t told_ = 0;
};

TEST_F(OutOfMemoryTest, ASourceTooLargeIsRefusedOneThatRunsOutHalfWayIsLetGoAndTheNextLoads) {
#ifdef VELDRA_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer reserves more address space than any limit leaves";
#else
    EXPECT_EXIT(RunOutOfMemory(), ::testing::ExitedWithCode(0),
                "box: Ostrel: Not enough memory to load [^\n]*huge\\.ml2: the file is 384 MB, "
                "loading it takes about 5,121 MB and only [0-9,]+ MB can be given: Error In "
                "Text Parser\n"
                "box: Ostrel: Out of memory while loading [^\n]*dense\\.ml2; the program was "
                "not loaded: Error In Text Parser\n"
                "after the open: shown, Card File\n"
                "then: SID 0, Program Window: SMALL, 0 ends\n"
                "box: Ostrel: Not enough memory to load [^\n]*huge\\.ml2[^\n]*\n"
                "after the drop: SID 0, Program Window: SMALL, 0 ends\n");
#endif
}

// Minimised while it loads, the main window used to stay so after the failure, out of the
// user's reach without a task bar, its caption still naming the program it had closed.
TEST_F(OutOfMemoryTest, ADroppedSourceThatRunsOutHalfWayLeavesTheMainWindowShownWithoutAProgram) {
#ifdef VELDRA_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer reserves more address space than any limit leaves";
#else
    EXPECT_EXIT(DropOneThatRunsOut(), ::testing::ExitedWithCode(0),
                "before: shown, SID 0, Card File: SMALL\n"
                "box: Continue Open\\?: Opening a new file will close any current program\n"
                "box: Ostrel: Out of memory while loading [^\n]*dense\\.ml2; the program was "
                "not loaded: Error In Text Parser\n"
                "after: shown, Card File\n");
#endif
}

// The box used to be made while the board windows the load had made and the program window
// were still there, held out of sight, taking the memory it needed.
TEST_F(OutOfMemoryTest, ALoadThatRunsOutAfterItsBoardsLetsGoOfEveryWindowBeforeTheBox) {
#ifdef VELDRA_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer reserves more address space than any limit leaves";
#else
    EXPECT_EXIT(RunOutAfterTheBoards(), ::testing::ExitedWithCode(0),
                "at the box: no program window, 0 windows in the area, Card File\n"
                "box: Ostrel: Out of memory while loading [^\n]*boards\\.ml2; the program was "
                "not loaded: Error In Text Parser\n"
                "after the open: shown, Card File\n");
#endif
}

// Statements that share several bits run out where the program let go at the load's end is
// still drawn: its window's grid was rebuilt from the end of the load's hold on the program,
// and memory running short there ended the application.
TEST_F(OutOfMemoryTest, ALoadOfStatementsSharingBitsThatRunsOutAfterItsBoardsSaysSoAndGoesOn) {
#ifdef VELDRA_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer reserves more address space than any limit leaves";
#else
    EXPECT_EXIT(RunOutAfterTheBoards(4), ::testing::ExitedWithCode(0),
                "at the box: no program window, 0 windows in the area, Card File\n"
                "box: Ostrel: Out of memory while loading [^\n]*boards\\.ml2; the program was "
                "not loaded: Error In Text Parser\n"
                "after the open: shown, Card File\n");
#endif
}

TEST_F(OutOfMemoryTest, ASaveStateThatRunsOutOfMemorySaysSoAndLeavesTheOldFileAsItWas) {
#ifdef VELDRA_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer reserves more address space than any limit leaves";
#else
    EXPECT_EXIT(SaveStateOutOfMemory(), ::testing::ExitedWithCode(0),
                "box: File Exists: Replace Existing File\n"
                "box: Veldra: Not enough memory to save [^\n]*OLD\\.sst; the old file is "
                "unchanged\\. Close the windows and programs you do not need, or raise the "
                "memory limit, and try again\\.\n"
                "box: Veldra: Not enough memory to save [^\n]*NEW\\.sst; nothing was "
                "written\\. Close [^\n]*\n"
                "the old file holds \"the old state\"; 2 files in the folder\n");
#endif
}

}  // namespace
}  // namespace veldra::testing
