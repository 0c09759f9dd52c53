// Memory running out at every point of a load: a test allocator refuses one allocation of
// a load, the Nth, for each N in turn. The replaced allocation functions are this
// executable's own, so that no other test runs under them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <new>
#include <string>
#include <vector>

#include "engine/program_engine.h"
#include "engine/program_pages.h"
#include "loader/loader_host.h"
#include "loader/parse_text.h"
#include "panels/panel_set.h"
#include "panels/toggle_panel.h"
#include "platform/platform.h"
#include "support/controller.h"
#include "support/fake_clock.h"

namespace {

// The allocations counted since the allocator was armed, and which of them fails: the
// Nth of all, or the Nth of those of at least `largeFrom` bytes.
struct Refusal {
    bool armed = false;
    long counted = 0;
    long countedLarge = 0;
    long failAt = 0;
    long failLargeAt = 0;
    std::size_t largeFrom = 0;
    bool failed = false;
};
Refusal refusal;

void* Allocate(std::size_t size) {
    if (refusal.armed) {
        ++refusal.counted;
        const bool large = size >= refusal.largeFrom;
        refusal.countedLarge += large ? 1 : 0;
        if ((refusal.failAt != 0 && refusal.counted == refusal.failAt) ||
            (large && refusal.failLargeAt != 0 && refusal.countedLarge == refusal.failLargeAt)) {
            refusal.failed = true;
            throw std::bad_alloc();
        }
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return operator new(size, std::nothrow);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace veldra {
namespace {

// A source of every section that grows a table while it loads: declared bits, toggles of
// coded outputs in several groups, statements, one statement of many long operands, and
// input and output boards.
struct FaultSource {
    int bits = 0;
    int statements = 0;
    int toggleGroups = 0;
    int togglesPerGroup = 0;
    int longOperands = 0;
    int boards = 0;

    static std::string Bit(int i) { return "B" + std::to_string(i); }
    static std::string Result(int i) { return "R" + std::to_string(i); }
    static std::string Toggle(int group, int i) {
        return "T" + std::to_string(group) + "_" + std::to_string(i);
    }
    static std::string LongOperand(int i) {
        return "A_RATHER_LONG_OPERAND_NAME_OF_A_ROUTE_" + std::to_string(i);
    }
    static std::string BoardBit(int board, int i) {
        return "IO" + std::to_string(board) + "_" + std::to_string(i);
    }

    std::string Text() const {
        std::string text = "PROGRAM FAULTS;\r\nBOOLEAN BITS\r\n";
        for (int i = 0; i < bits; ++i) {
            text += "    " + Bit(i) + ",\r\n";
        }
        for (int i = 0; i < statements; ++i) {
            text += "    " + Result(i) + ",\r\n";
        }
        text += "    LONG_RESULT;\r\nCODED OUTPUTS\r\n";
        for (int group = 0; group < toggleGroups; ++group) {
            text += "    TOGGLE G" + std::to_string(group) + " ON 2";
            for (int i = 0; i < togglesPerGroup; ++i) {
                text += std::string(i == 0 ? " " : ",\r\n    ") + "IF " + Toggle(group, i);
            }
            text += ";\r\n";
        }
        for (int board = 0; board < boards; ++board) {
            text += "BOARD: BRD" + std::to_string(board) +
                    "\r\n    ENABLE: 1\r\n    TYPE: " + (board % 2 == 0 ? "IN16" : "OUT16") +
                    "\r\n    " + (board % 2 == 0 ? "INPUT: " : "OUTPUT: ");
            for (int i = 0; i < 16; ++i) {
                text += (i == 0 ? "" : ", ") + BoardBit(board, i);
            }
            text += ";\r\n";
        }
        text += "LOGIC BEGIN\r\n";
        for (int i = 0; i < statements; ++i) {
            text += "    ASSIGN " + Bit(i % bits) + " * ~" + Bit((i + 1) % bits) + " TO " +
                    Result(i) + ";\r\n";
        }
        text += "    ASSIGN ";
        for (int i = 0; i < longOperands; ++i) {
            text += (i == 0 ? "" : " + ") + LongOperand(i);
        }
        text += " TO LONG_RESULT;\r\nEND LOGIC\r\nEND PROGRAM\r\n";
        return text;
    }

    // Every name the loaded program holds a bit of.
    std::vector<std::string> BitNames() const {
        std::vector<std::string> names;
        for (int i = 0; i < bits; ++i) {
            names.push_back(Bit(i));
        }
        for (int i = 0; i < statements; ++i) {
            names.push_back(Result(i));
        }
        names.emplace_back("LONG_RESULT");
        for (int i = 0; i < longOperands; ++i) {
            names.push_back(LongOperand(i));
        }
        for (int board = 0; board < boards; ++board) {
            for (int i = 0; i < 16; ++i) {
                names.push_back(BoardBit(board, i));
            }
        }
        return names;
    }
    std::vector<std::string> StatementNames() const {
        std::vector<std::string> names;
        for (int i = 0; i < statements; ++i) {
            names.push_back(Result(i));
        }
        names.emplace_back("LONG_RESULT");
        return names;
    }
    int Toggles() const { return toggleGroups * togglesPerGroup; }
};

constexpr char kPath[] = "faults.ml2";
constexpr char kOutOfMemory[] =
    "Out of memory while loading faults.ml2; the program was not loaded: Error In Text Parser";

// The desktop: every box answered with its most cautious button, as a user clicking through
// would; what the program held when each box came up is noted with it.
class RecordingDesktop final : public Platform {
public:
    explicit RecordingDesktop(ProgramEngine& engine) : engine_(engine), scope_(*this) {}
    MsgAnswer MsgBox(const MsgBoxRequest& request) override {
        boxes.push_back(request.prompt);
        programHeldAtBox = programHeldAtBox || engine_.PrgBooleanBits() != nullptr;
        return MostCautiousAnswer(request.buttons);
    }
    void EndApplication() override { ended = true; }
    void UnloadLoadingProgress() override {}

    std::vector<std::string> boxes;
    bool programHeldAtBox = false;
    bool ended = false;

private:
    ProgramEngine& engine_;
    PlatformScope scope_;
};

// The windows the load reports to: the toggle window gets its bits, load completion binds
// the board windows' bits, as on the desktop.
class WindowsHost final : public LoaderHost {
public:
    WindowsHost(ProgramEngine& engine, PanelSet& panels) : engine_(engine), panels_(panels) {}
    void DoEvents() override {}
    void AddBits(std::string_view BitName, std::string_view GroupName) override {
        panels_.ToggleWindow().AddBits(BitName, GroupName);
    }
    void ShowProgramWindow() override {}
    void LoadFinished() override { engine_.LoadFinished(panels_.Windows()); }

private:
    ProgramEngine& engine_;
    PanelSet& panels_;
};

// How one load ended.
struct LoadEnd {
    bool refused = false;  // an allocation was refused in it
    bool loaded = false;   // the engine holds a program
    std::vector<std::string> boxes;
    bool programHeldAtBox = false;
    bool ended = false;
    std::vector<std::string> faults;  // what a program loaded lacks or holds twice
};

std::vector<std::string> FaultsOfProgram(ProgramEngine& engine, PanelSet& panels,
                                         const FaultSource& source) {
    std::vector<std::string> faults;
    BooleanBits* bits = engine.PrgBooleanBits();
    if (bits == nullptr || !engine.prgAssigns) {
        return {"no program"};
    }
    std::map<std::string, int> bitsHeld;
    for (const BooleanBit& bit : *bits) {
        ++bitsHeld[bit.BitName()];
    }
    for (const std::string& name : source.BitNames()) {
        if (bits->Find(name) == nullptr || bitsHeld[name] != 1) {
            faults.push_back("bit " + name + " found " + std::to_string(bitsHeld[name]) +
                             " times, by name " + (bits->Find(name) ? "yes" : "no"));
        }
    }
    std::map<std::string, int> statementsHeld;
    for (const Statement& statement : *engine.prgAssigns) {
        ++statementsHeld[std::string(statement.ResultBitName(0))];
    }
    for (const std::string& name : source.StatementNames()) {
        if (engine.prgAssigns->Find(name) == nullptr || statementsHeld[name] != 1) {
            faults.push_back("statement " + name + " found " +
                             std::to_string(statementsHeld[name]) + " times");
        }
    }
    if (statementsHeld.size() != source.StatementNames().size()) {
        faults.push_back(std::to_string(statementsHeld.size()) + " statements");
    }
    if (panels.ToggleWindow().BitCount() != source.Toggles()) {
        faults.push_back(std::to_string(panels.ToggleWindow().BitCount()) + " toggles");
    }
    return faults;
}

// Loads the source as the user loads it, the Nth allocation of the load (or the Nth large
// one) refused.
LoadEnd LoadRefusing(const std::string& text, const FaultSource& source, long failAt,
                     long failLargeAt, std::size_t largeFrom) {
    testing::FakeClock clock;
    testing::FakeProgramWindow window;
    ProgramEngine engine(window, clock);
    // The program window's pages, the bit status page shown: load completion fills its rows.
    ProgramPages pages(engine);
    pages.ShowPage(ProgramPage::BitStatus);
    window.pages = &pages;
    const struct PagesGoFirst {
        testing::FakeProgramWindow& window;
        ~PagesGoFirst() { window.pages = nullptr; }
    } pagesGoFirst{window};
    PanelSet panels(engine.InputQueue());
    RecordingDesktop desktop(engine);
    WindowsHost host(engine, panels);
    {
        ParseText loader(engine, host, panels);
        std::string copy = text;
        const std::filesystem::path path(kPath);
        refusal = Refusal{true, 0, 0, failAt, failLargeAt, largeFrom, false};
        loader.GetProgramFromText(std::move(copy), path);
        refusal.armed = false;
    }
    LoadEnd end;
    end.refused = refusal.failed;
    refusal = Refusal{};
    end.boxes = desktop.boxes;
    end.programHeldAtBox = desktop.programHeldAtBox;
    end.ended = desktop.ended;
    end.loaded = engine.PrgBooleanBits() != nullptr;
    if (end.loaded) {
        end.faults = FaultsOfProgram(engine, panels, source);
    }
    return end;
}

// What is wrong with how a load ended; empty when it loaded whole, or when it was refused
// with the one box after the program was let go.
std::string WrongWith(const LoadEnd& end) {
    std::string wrong;
    if (end.ended) {
        wrong += " the application was ended;";
    }
    if (end.loaded) {
        if (!end.boxes.empty()) {
            wrong += " loaded with a box: " + end.boxes.front() + ";";
        }
        for (std::size_t i = 0; i < end.faults.size() && i < 3; ++i) {
            wrong += " loaded with " + end.faults[i] + ";";
        }
        return wrong;
    }
    if (end.boxes != std::vector<std::string>{kOutOfMemory}) {
        wrong += " boxes:";
        for (const std::string& box : end.boxes) {
            wrong += " [" + box + "]";
        }
        wrong += ";";
    }
    if (end.programHeldAtBox) {
        wrong += " the box came while the program was held;";
    }
    return wrong;
}

class LoadFault : public ::testing::Test {
protected:
    // Loads the source failing the allocations `which` gives, up to the load's count; at
    // most a few faults are listed.
    template <class Which>
    void ExpectWholeOrRefused(const FaultSource& source, Which&& which, bool large,
                              std::size_t largeFrom = 4 * 1024) {
        const std::string text = source.Text();
        const LoadEnd whole = LoadRefusing(text, source, 0, 0, largeFrom);
        ASSERT_TRUE(whole.loaded);
        ASSERT_EQ(WrongWith(whole), "");
        int listed = 0;
        for (long n = which(0); n != 0; n = which(n)) {
            const LoadEnd end = LoadRefusing(text, source, large ? 0 : n, large ? n : 0, largeFrom);
            if (!end.refused) {
                break;  // past the load's last allocation
            }
            ++loads;
            const std::string wrong = WrongWith(end);
            if (!wrong.empty() && ++listed <= 5) {
                ADD_FAILURE() << "allocation " << n << (large ? " (large)" : "") << ":" << wrong;
            }
        }
        EXPECT_EQ(listed, 0) << "loads that ended wrong";
        EXPECT_GT(loads, 0);
        RecordProperty("failedLoads", std::to_string(loads));
    }

    long loads = 0;
};

// Under the address sanitizer a load takes some ten times as long: the larger programs are
// made smaller there, so that the whole file stays within some thirty seconds.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELDRA_LOAD_FAULT_SANITIZED 1
#endif
#endif
#if defined(VELDRA_LOAD_FAULT_SANITIZED)
constexpr int kScale = 4;
#else
constexpr int kScale = 1;
#endif

// A program of every kind of table, small enough to fail at each of its allocations in
// turn: each growth of each table, each entry and each window.
TEST_F(LoadFault, ASmallProgramLoadsWholeOrIsRefusedWhicheverAllocationFails) {
    const FaultSource source{40, 30, 3, 10, 40, 4};
    ExpectWholeOrRefused(
        source, [](long n) { return n + 1; }, false);
}

// A program of a few thousand bits and statements: every one of its first allocations,
// then every 151st (some tens of thousands in all would take minutes), so that each kind of
// table fails at some point of its growth in a bounded time.
TEST_F(LoadFault, AProgramOfThousandsLoadsWholeOrIsRefusedWhicheverAllocationFails) {
    const FaultSource source{2000, 1000, 4, 100, 300, 12};
    ExpectWholeOrRefused(
        source, [](long n) { return n < 600 ? n + 1 : n + 151; }, false);
}

// A larger program failed at each of its allocations of 4 kB or more (the tables' growths
// above all) in turn.
TEST_F(LoadFault, AProgramOfThousandsLoadsWholeOrIsRefusedWhicheverLargeAllocationFails) {
    const FaultSource source{3000, 2000, 4, 200, 600, 24};
    ExpectWholeOrRefused(
        source, [](long n) { return n + 1; }, true);
}

// A large program, failed at each of its allocations of 32 kB or more in turn: where its
// tables grow large, their growth is what runs out of memory first.
TEST_F(LoadFault, ALargeProgramLoadsWholeOrIsRefusedWhicheverLargeAllocationFails) {
    const FaultSource source{40000 / kScale, 20000 / kScale, 4, 1000 / kScale, 600, 24};
    ExpectWholeOrRefused(
        source, [](long n) { return n + 1; }, true, 32 * 1024);
}

}  // namespace
}  // namespace veldra
