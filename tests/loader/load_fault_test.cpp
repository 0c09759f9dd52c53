// Memory running out at every point of a load: a test allocator refuses one allocation of
// a load, the Nth, for each N in turn (support/refused_allocation.cpp, this executable's
// own).

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
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
#include "support/refused_allocation.h"

namespace veldra {
namespace {

using testing::Refusal;
using testing::refusal;

// A source of every section that grows a table while it loads: declared bits, toggles of
// coded outputs in several groups, statements, one statement of many long operands, and
// input and output boards; and user bits, Boolean and numeric, which load completion lists
// in the immediate window as it makes their bits.
struct FaultSource {
    int bits = 0;
    int statements = 0;
    int toggleGroups = 0;
    int togglesPerGroup = 0;
    int longOperands = 0;
    int boards = 0;
    int userBits = 0;  // as many Boolean ones as numeric ones

    static std::string Bit(int i) { return "B" + std::to_string(i); }
    static std::string LongOperand(int i) {
        return "A_RATHER_LONG_OPERAND_NAME_OF_A_ROUTE_" + std::to_string(i);
    }
    static std::string UserBit(int i) { return "U" + std::to_string(i); }
    static std::string UserNumeric(int i) { return "N" + std::to_string(i); }
    static std::string BoardBit(int board, int i) {
        return "IO" + std::to_string(board) + "_" + std::to_string(i);
    }

    std::vector<std::string> StatementNames() const {
        std::vector<std::string> names;
        for (int i = 0; i < statements; ++i) {
            names.push_back("R" + std::to_string(i));
        }
        names.emplace_back("LONG_RESULT");
        return names;
    }

    std::string Text() const {
        std::string text = "PROGRAM FAULTS;\r\nBOOLEAN BITS\r\n";
        for (int i = 0; i < bits; ++i) {
            text += "    " + Bit(i) + ",\r\n";
        }
        const std::vector<std::string> results = StatementNames();
        for (const std::string& result : results) {
            text += "    " + result + (result == results.back() ? ";" : ",") + "\r\n";
        }
        if (userBits > 0) {
            text += "USER BIT\r\n";
            for (int i = 0; i < userBits; ++i) {
                text += "    " + UserBit(i) + ": " + std::to_string(i % 2) + ";\r\n";
            }
            text += "USER NUMERIC\r\n";
            for (int i = 0; i < userBits; ++i) {
                text += "    " + UserNumeric(i) + ": " + std::to_string(i + 2) + ";\r\n";
            }
        }
        text += "CODED OUTPUTS\r\n";
        for (int group = 0; group < toggleGroups; ++group) {
            text += "    TOGGLE G" + std::to_string(group) + " ON 2";
            for (int i = 0; i < togglesPerGroup; ++i) {
                text += std::string(i == 0 ? " " : ",\r\n    ") + "IF T" + std::to_string(group) +
                        "_" + std::to_string(i);
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
                    results[i] + ";\r\n";
        }
        text += "    ASSIGN ";
        for (int i = 0; i < longOperands; ++i) {
            text += (i == 0 ? "" : " + ") + LongOperand(i);
        }
        return text + " TO LONG_RESULT;\r\nEND LOGIC\r\nEND PROGRAM\r\n";
    }

    // Every name the loaded program holds a bit of.
    std::vector<std::string> BitNames() const {
        std::vector<std::string> names = StatementNames();
        for (int i = 0; i < bits; ++i) {
            names.push_back(Bit(i));
        }
        for (int i = 0; i < longOperands; ++i) {
            names.push_back(LongOperand(i));
        }
        for (int i = 0; i < userBits; ++i) {
            names.push_back(UserBit(i));
            names.push_back(UserNumeric(i));
        }
        for (int board = 0; board < boards; ++board) {
            for (int i = 0; i < 16; ++i) {
                names.push_back(BoardBit(board, i));
            }
        }
        return names;
    }
};

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

// What a loaded program lacks or holds twice.
std::string FaultsOfProgram(ProgramEngine& engine, PanelSet& panels, const FaultSource& source) {
    BooleanBits* bits = engine.PrgBooleanBits();
    if (!engine.prgAssigns) {
        return " loaded without statements;";
    }
    std::map<std::string, int> bitsHeld;
    std::map<std::string, int> statementsHeld;
    for (const BooleanBit& bit : *bits) {
        ++bitsHeld[bit.BitName()];
    }
    for (const Statement& statement : *engine.prgAssigns) {
        ++statementsHeld[std::string(statement.ResultBitName(0))];
    }
    std::string faults;
    const auto expectOnce = [&](const std::string& kind, const std::string& name, bool found,
                                std::map<std::string, int>& held) {
        if (!found || held[name] != 1) {
            faults += " loaded with " + kind + " " + name + " found " + std::to_string(held[name]) +
                      " times, by name " + (found ? "yes;" : "no;");
        }
    };
    for (const std::string& name : source.BitNames()) {
        expectOnce("bit", name, bits->Find(name) != nullptr, bitsHeld);
    }
    const std::vector<std::string> statements = source.StatementNames();
    for (const std::string& name : statements) {
        expectOnce("statement", name, engine.prgAssigns->Find(name) != nullptr, statementsHeld);
    }
    if (statementsHeld.size() != statements.size()) {
        faults += " loaded with " + std::to_string(statementsHeld.size()) + " statements;";
    }
    if (panels.ToggleWindow().BitCount() != source.toggleGroups * source.togglesPerGroup) {
        faults += " loaded with " + std::to_string(panels.ToggleWindow().BitCount()) + " toggles;";
    }
    return faults.substr(0, 600);
}

struct LoadEnd {
    bool refused = false;  // an allocation was refused in it
    // Empty when it loaded whole, or when it was refused with the one box after the program
    // was let go.
    std::string wrong;
};

// Loads the source as the user loads it, the Nth allocation of at least `largeFrom` bytes
// refused (none when N is 0).
LoadEnd LoadRefusing(const std::string& text, const FaultSource& source, long failAt,
                     std::size_t largeFrom) {
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
        const std::filesystem::path path("faults.ml2");
        refusal = Refusal{true, 0, failAt, largeFrom, false};
        loader.GetProgramFromText(std::move(copy), path);
        refusal.armed = false;
    }
    LoadEnd end{refusal.failed, desktop.ended ? " the application was ended;" : ""};
    refusal = Refusal{};
    if (engine.PrgBooleanBits() != nullptr) {
        if (!desktop.boxes.empty()) {
            end.wrong += " loaded with a box: " + desktop.boxes.front() + ";";
        }
        end.wrong += FaultsOfProgram(engine, panels, source);
        return end;
    }
    if (!end.refused) {
        end.wrong += " not loaded;";
    }
    if (desktop.boxes != std::vector<std::string>{kOutOfMemory}) {
        end.wrong += " boxes:";
        for (const std::string& box : desktop.boxes) {
            end.wrong += " [" + box + "]";
        }
        end.wrong += ";";
    }
    if (desktop.programHeldAtBox) {
        end.wrong += " the box came while the program was held;";
    }
    return end;
}

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

// A source, and which of its allocations are refused, one load each: those of at least
// `largeFrom` bytes, every one up to the `everyUpTo`th, then every `stepAfter`th.
struct FaultCase {
    const char* name;
    FaultSource source;
    std::size_t largeFrom;
    long everyUpTo;
    long stepAfter;
};

void PrintTo(const FaultCase& faultCase, std::ostream* out) {
    *out << faultCase.name;
}

const FaultCase kFaultCases[] = {
    // Small enough to fail at each of its allocations in turn, whatever their size: each
    // growth of each table, each entry, each window and each line of the immediate window.
    {"ASmallProgramWhicheverAllocationFails", {40, 30, 3, 10, 40, 4, 4}, 0, 0, 1},
    // Every one of its first allocations, then every 151st (some tens of thousands in all
    // would take minutes), so that each kind of table fails at some point of its growth in
    // a bounded time.
    {"AProgramOfThousandsWhicheverAllocationFails", {2000, 1000, 4, 100, 300, 12}, 0, 600, 151},
    // Its allocations of 4 kB or more: the tables' growths above all.
    {"AProgramOfThousandsWhicheverLargeAllocationFails",
     {3000, 2000, 4, 200, 600, 24},
     4 * 1024,
     0,
     1},
    // Where its tables grow large, their growth is what runs out of memory first.
    {"ALargeProgramWhicheverLargeAllocationFails",
     {40000 / kScale, 20000 / kScale, 4, 1000 / kScale, 600, 24},
     32 * 1024,
     0,
     1},
};

class LoadFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(LoadFault, LoadsWholeOrIsRefusedWithOneBoxAfterTheProgramIsLetGo) {
    const FaultCase& faultCase = GetParam();
    const std::string text = faultCase.source.Text();
    ASSERT_EQ(LoadRefusing(text, faultCase.source, 0, faultCase.largeFrom).wrong, "");
    long loads = 0;
    int listed = 0;
    for (long n = 1;; n += n < faultCase.everyUpTo ? 1 : faultCase.stepAfter) {
        const LoadEnd end = LoadRefusing(text, faultCase.source, n, faultCase.largeFrom);
        if (!end.refused) {
            break;  // past the load's last allocation
        }
        ++loads;
        if (!end.wrong.empty() && ++listed <= 5) {
            ADD_FAILURE() << "allocation " << n << (faultCase.largeFrom > 0 ? " (large)" : "")
                          << ":" << end.wrong;
        }
    }
    EXPECT_EQ(listed, 0) << "loads that ended wrong";
    EXPECT_GT(loads, 0);
    RecordProperty("failedLoads", std::to_string(loads));
}

INSTANTIATE_TEST_SUITE_P(Sources, LoadFault, ::testing::ValuesIn(kFaultCases),
                         [](const ::testing::TestParamInfo<FaultCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace veldra
