// Memory running out at every point of two commands of the user's: the program book made of
// a small program, and a state file loaded into it. A test allocator refuses one allocation
// of the command, the Nth, for each N in turn (support/refused_allocation.cpp, this
// executable's own).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "book/bit_index.h"
#include "book/book_texts.h"
#include "book/page_layout.h"
#include "ladder/ladders.h"
#include "logic/statements.h"
#include "platform/file_replacement.h"
#include "platform/window_errors.h"
#include "shell/state_file.h"
#include "shell/state_load.h"
#include "support/controller.h"
#include "support/refused_allocation.h"

namespace veldra::testing {
namespace {

constexpr const char* kProgram = R"(PROGRAM SMALL;
BOOLEAN BITS
    PB_1, PB_2, ROUTE_1, ROUTE_2, FAST, A_RATHER_LONG_NAME_OF_A_ROUTE_SETTING_BIT;
NUMERIC VARIABLES
    SPEED;
TIMER BITS
    SLOW_1 : SET = 2 : SEC, CLEAR = 500 : MSEC;
LOGIC BEGIN
    ASSIGN PB_1 * ~PB_2 TO ROUTE_1;
    ASSIGN ROUTE_1 + PB_2 * (FAST + ~A_RATHER_LONG_NAME_OF_A_ROUTE_SETTING_BIT) TO ROUTE_2, FAST;
    ASSIGN ROUTE_1 TO SLOW_1;
    ASSIGN ~ROUTE_2 TO A_RATHER_LONG_NAME_OF_A_ROUTE_SETTING_BIT;
END LOGIC
END PROGRAM
)";

constexpr const char* kWhatToDo =
    "Out of memory. Close the windows and programs you do not need, or raise the memory limit, "
    "and try again.";

class NoProgress final : public LayoutProgress {
public:
    void Begin(std::string_view, int) override {}
    void Step() override {}
    void End() override {}
};

class FixedPitch final : public TextMetrics {
public:
    double TextWidth(std::string_view text) const override { return 100.0 * double(text.size()); }
    double TextHeight(std::string_view) const override { return 200; }
};

// The book as the book command makes it, with its bit index: what it came to, or nothing
// where it failed.
void MakeBook(Controller& program, std::string& made) {
    ReportWindowErrors(
        [&] {
            Ladders book(100);
            for (const Statement& statement : *program.engine.prgAssigns) {
                book.Add(false, BookStatementText(statement));
            }
            NoProgress progress;
            const FixedPitch metrics;
            const BooleanBits* bits = program.engine.PrgBooleanBits();
            const int pages = CreateDocument(book, {11906, 16838}, {}, bits, progress, &metrics);
            const auto byPage = LaddersByPage(book, pages);
            made = std::to_string(byPage.size()) + " pages\n" +
                   IndexFileText(clsIndex().GetIndex(book, bits));
        },
        "Create Book Failed", "The program book could not be made. ");
}

// Made before any allocation is refused, as the file dialog makes it before the command.
const std::filesystem::path& StateFile() {
    static const std::filesystem::path file =
        std::filesystem::path(::testing::TempDir()) / "command_fault.sst";
    return file;
}

// The state file loaded as "Load State" loads it.
void LoadState(Controller& program, std::string&) {
    ProgramHostScope active{program.engine};
    StateLoadHost host;
    ReportWindowErrors([&] { LoadStateFile(program.engine, StateFile(), host); },
                       "Error Loading File");
}

// What the program's bits came to.
std::string BitsOf(Controller& program) {
    return StateFileText(*program.engine.PrgBooleanBits());
}

// How one run of a command ended.
struct CommandEnd {
    bool refused = false;  // an allocation was refused in it
    std::vector<std::string> boxes;
    std::string result;
    std::vector<std::string> statuses;  // the progress window's status lines
};

// The desktop: every box answered with its most cautious button, as a user clicking through
// would, and noted with the progress window's status lines.
class RecordingDesktop final : public Platform {
public:
    explicit RecordingDesktop(CommandEnd& end) : end_(end), scope_(*this) {}
    MsgAnswer MsgBox(const MsgBoxRequest& request) override {
        end_.boxes.push_back(request.title + ": " + request.prompt);
        return MostCautiousAnswer(request.buttons);
    }
    void EndApplication() override { end_.boxes.emplace_back("the application was ended"); }
    void UnloadLoadingProgress() override {}
    void SetLoadingStatus(const std::string& text) override { end_.statuses.push_back(text); }

private:
    CommandEnd& end_;
    PlatformScope scope_;
};

struct FaultCase {
    const char* name;
    void (*command)(Controller&, std::string& made);
    // What the command came to, where that is not what it made: read once it has ended.
    std::string (*cameTo)(Controller&);
    const char* memoryBox;
    // Where the command has begun to change the program: a refusal before it leaves the
    // program as it was.
    const char* changesFrom;
};

void PrintTo(const FaultCase& faultCase, std::ostream* out) {
    *out << faultCase.name;
}

CommandEnd RunRefusing(Controller& program, long failAt, const FaultCase& fault) {
    CommandEnd end;
    end.boxes.reserve(4);  // noted without asking for memory where the command ran short
    end.statuses.reserve(8);
    {
        RecordingDesktop desktop(end);
        refusal = Refusal{true, 0, failAt, 0, false};
        std::string made;
        fault.command(program, made);
        refusal.armed = false;
        end.result = std::move(made);
    }
    if (fault.cameTo != nullptr) {
        end.result = fault.cameTo(program);
    }
    end.refused = refusal.failed;
    refusal = Refusal{};
    return end;
}

class CommandFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(CommandFault, EndsWholeOrWithTheOneMemoryBox) {
    const FaultCase& fault = GetParam();
    {
        // A state that differs from the program's as loaded in every kind of value.
        Controller program{SourceText{kProgram}};
        BooleanBits& bits = *program.engine.PrgBooleanBits();
        bits.Find("PB_1")->SetBitValue(true, true);
        bits.Find("SLOW_1")->SetOnTime(4000);
        bits.Find("SPEED")->SetIsNumeric(true);
        bits.Find("SPEED")->SetNumValue(-12, true);
        bits.Find("FAST")->SetFilter(true);
        ReplaceFile(StateFile(), StateFileText(bits));
    }
    const auto fresh = [] { return std::make_unique<Controller>(SourceText{kProgram}); };
    std::string whole;
    {
        auto program = fresh();
        const CommandEnd end = RunRefusing(*program, 0, fault);
        ASSERT_TRUE(end.boxes.empty()) << end.boxes.front();
        whole = end.result;
    }
    const std::string asLoaded = StateFileText(*fresh()->engine.PrgBooleanBits());
    ASSERT_NE(whole, "");
    long runs = 0;
    int listed = 0;
    for (long n = 1;; ++n) {
        auto program = fresh();
        const CommandEnd end = RunRefusing(*program, n, fault);
        if (!end.refused) {
            EXPECT_EQ(end.result, whole) << "past the last allocation, " << n;
            break;
        }
        ++runs;
        std::string wrong;
        if (end.boxes.empty()) {
            // A refusal the command could do without (a sort's extra room) changes nothing.
            if (end.result != whole) {
                wrong += " ended without a box, not whole;";
            }
        } else if (end.boxes != std::vector<std::string>{fault.memoryBox}) {
            wrong += " boxes:";
            for (const std::string& box : end.boxes) {
                wrong += " [" + box + "]";
            }
            wrong += ";";
        }
        const bool changing = std::find(end.statuses.begin(), end.statuses.end(),
                                        fault.changesFrom) != end.statuses.end();
        if (!changing && fault.cameTo != nullptr &&
            StateFileText(*program->engine.PrgBooleanBits()) != asLoaded) {
            wrong += " the program changed;";
        }
        if (!wrong.empty() && ++listed <= 5) {
            ADD_FAILURE() << "allocation " << n << ":" << wrong;
        }
    }
    EXPECT_EQ(listed, 0) << "runs that ended wrong";
    EXPECT_GT(runs, 10);
    RecordProperty("failedRuns", std::to_string(runs));
}

std::string Box(const char* title, const char* lead) {
    return std::string(title) + ": " + lead + kWhatToDo;
}

const std::string kBookBox = Box("Create Book Failed", "The program book could not be made. ");
const std::string kStateBox = Box("Error Loading File", "");

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandFault,
    ::testing::Values(FaultCase{"TheProgramBook", &MakeBook, nullptr, kBookBox.c_str(), ""},
                      FaultCase{"LoadState", &LoadState, &BitsOf, kStateBox.c_str(),
                                "Updating bit table..."}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace veldra::testing
