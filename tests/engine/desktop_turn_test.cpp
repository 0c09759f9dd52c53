#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "engine/desktop_turns.h"
#include "engine/engine_fixture.h"
#include "engine/program_pages.h"

namespace veldra::testing {
namespace {

std::string Link(int i) {
    return "L" + std::to_string(i);
}

// The desktop's turns in the middle of a scan tick's work, and what the desktop may do
// there: stop the simulation, change the program, force a bit. Every look at the clock
// finds the desktop's wait over, so a turn comes once a round of solves.
class DesktopTurnTest : public EngineTest {
protected:
    DesktopTurnTest() { clock.steadyStep = DesktopTurns::kWait; }

    // L(k) = L(k+1) @ X for k from 1 to `links`: a rise of X sends a wave down the chain
    // and back, some links²/2 solves, every link settling at last opposite its neighbours.
    void XorChain(int links) {
        for (int i = 1; i <= links; ++i) {
            Assign(Link(i + 1) + " @ X", Link(i));
        }
    }

    std::vector<bool> Links(int links) {
        std::vector<bool> values;
        for (int i = 1; i <= links; ++i) {
            values.push_back(Value(Link(i)));
        }
        return values;
    }

    // Ticks until the program settles, at most `ticks` of them.
    void TickUntilSettled(int ticks) {
        for (int i = 0; i < ticks && (driver.ScanRequested() || driver.PendingCount() > 0); ++i) {
            Tick();
        }
    }
};

// --- A Start after a Stop finishes the work the Stop broke off.

constexpr int kChainLinks = 300;

class StopInAWaveTest;

// How the run is stopped in the middle of the wave of X's rise.
struct StopCase {
    const char* name;
    // Readies the stop before the tick.
    std::function<void(StopInAWaveTest&)> stop;
};

void PrintTo(const StopCase& stop, std::ostream* out) {
    *out << stop.name;
}

class StopInAWaveTest : public DesktopTurnTest, public ::testing::WithParamInterface<StopCase> {
public:
    // Test bodies reach the fixture's members through these.
    FakeProgramWindow& Window() { return window; }
    ProgramEngine& Engine() { return engine; }
    BooleanBit& BitNamed(const std::string& name) { return Bit(name); }
};

TEST_P(StopInAWaveTest, AStartFinishesTheWaveAsAnUnstoppedRunLeavesIt) {
    XorChain(kChainLinks);
    Start();
    Input("X", true);
    Tick();
    const std::vector<bool> unstopped = Links(kChainLinks);
    Input("X", false);
    Tick();
    ASSERT_EQ(Links(kChainLinks), std::vector<bool>(kChainLinks, false));

    GetParam().stop(*this);
    Input("X", true);
    Tick();
    ASSERT_FALSE(engine.Running());
    ASSERT_NE(Links(kChainLinks), unstopped);  // stopped in the middle of the wave

    engine.StartStop();  // nothing new arrives
    TickUntilSettled(3);

    EXPECT_EQ(Links(kChainLinks), unstopped);
    EXPECT_FALSE(driver.ScanRequested());
}

INSTANTIATE_TEST_SUITE_P(
    Stops, StopInAWaveTest,
    ::testing::Values(
        StopCase{"FromTheDesktopInsideAPass",
                 [](StopInAWaveTest& test) {
                     test.Window().onTurn = [&test] {
                         test.Window().onTurn = nullptr;
                         test.Engine().StartStop();
                     };
                 }},
        StopCase{"FromTheDesktopBetweenPasses",
                 [](StopInAWaveTest& test) {
                     test.Window().onYield = [&test] {
                         if (test.Window().turns > 0 && !test.Window().InTurn()) {
                             test.Window().onYield = nullptr;
                             test.Engine().StartStop();
                         }
                     };
                 }},
        // A statement that cannot be solved stops the run when the wave reaches it and
        // is disabled, keeping its result: here the last link's, which is what it gives.
        StopCase{"ByAFaultyStatement",
                 [](StopInAWaveTest& test) {
                     test.Engine().prgAssigns->Add("ASSIGN (" + Link(kChainLinks) + " TO FAULT;");
                     test.Engine().MapBits();
                     test.BitNamed(Link(kChainLinks + 1));
                 }}),
    [](const ::testing::TestParamInfo<StopCase>& info) { return std::string(info.param.name); });

// "Logic Loop?" answered Yes stops a loop that is still queued: a Start takes it up again
// and asks again after as many passes.
TEST_F(DesktopTurnTest, ALogicLoopStoppedAtTheLimitTurnsAgainAfterAStart) {
    Assign("~OSC", "OSC");
    Start();
    window.onYield = [&] {
        // A loop that never asks is stopped by its count of passes.
        if (window.passYields > 4 * (ProgramEngine::kPassLimit + 1)) {
            driver.SetSolving(false);
        }
    };
    platform.Answer(MsgAnswer::Yes).Answer(MsgAnswer::Yes);
    Input("OSC", true);
    Tick();
    ASSERT_EQ(platform.boxes().size(), 1u);
    ASSERT_FALSE(engine.Running());

    engine.StartStop();
    Tick();

    EXPECT_EQ(platform.boxes().size(), 2u);
    EXPECT_FALSE(engine.Running());
}

// A Start with nothing left of the last scan runs no scan: the first start's queue of
// every statement waits for a tick with something to take in, as before.
TEST_F(DesktopTurnTest, AStartAfterASettledRunForcesNoScan) {
    XorChain(3);
    Start();
    Input("X", true);
    Tick();
    engine.StartStop();
    engine.StartStop();
    solved.clear();

    Tick();

    EXPECT_TRUE(solved.empty());
    EXPECT_FALSE(driver.ScanRequested());
}

// --- What the desktop does in a turn inside a pass.

// L(k) = L(k-1), L1 = IN: one pass of the make queue, a solve a link.
class TurnInAPassTest : public DesktopTurnTest {
protected:
    static constexpr int kLinks = 1000;

    void Chain() {
        for (int i = 1; i <= kLinks; ++i) {
            Assign(i == 1 ? "IN" : Link(i - 1), Link(i));
        }
    }

    // The links solved when the first turn came; -1 while no turn came.
    int solvedAtTurn = -1;
    // Runs `act` in the first turn, after noting how far the wave had come.
    void AtFirstTurn(std::function<void()> act) {
        window.onTurn = [this, act] {
            window.onTurn = nullptr;
            solvedAtTurn = int(solved.size());
            act();
        };
    }
};

// An edit that detaches a link the wave has not reached yet: the rest of the pass follows
// the program as it now stands.
TEST_F(TurnInAPassTest, AProgramChangedInATurnIsFollowedByTheRestOfThePass) {
    Chain();
    Start();
    // As an edit of a statement begins: the bit's readers are taken from it.
    AtFirstTurn([&] { Bits().Find(Link(kLinks / 2))->ResetAssigns(); });

    Input("IN", true);
    Tick();

    ASSERT_GT(solvedAtTurn, 0) << "no turn was taken";
    ASSERT_LT(solvedAtTurn, kLinks / 2);
    EXPECT_TRUE(Value(Link(kLinks / 2)));
    EXPECT_FALSE(Value(Link(kLinks / 2 + 1)));
    EXPECT_EQ(int(solved.size()), kLinks / 2);
}

// S(i) = IN + T(i) and T(i) = S(i) * ZERO lie on loops, yet each is solved once a rise of
// IN: one pass. An edit in a turn lays the program out again in the reverse order; the
// marks of the statements solved before it are not taken for those of the new layout.
TEST_F(TurnInAPassTest, AProgramLaidOutAgainInATurnEndsThePassNoEarlier) {
    constexpr int kPairs = 600;
    const auto s = [](int i) { return "S" + std::to_string(i); };
    const auto t = [](int i) { return "T" + std::to_string(i); };
    for (int i = 1; i <= kPairs; ++i) {
        Assign("IN + " + t(i), s(i));
    }
    for (int i = 1; i <= kPairs; ++i) {
        Assign(s(i) + " * ZERO", t(i));
    }
    Start();
    driver.ClearTriggersPending();  // the pass's evaluation of triggers would add a pass
    AtFirstTurn([&] {
        // The same statements, listed last first, mapped as an edit maps them.
        auto reversed = std::make_unique<Statements>();
        for (int i = kPairs; i >= 1; --i) {
            reversed->Add("ASSIGN " + s(i) + " * ZERO TO " + t(i) + ";");
        }
        for (int i = kPairs; i >= 1; --i) {
            reversed->Add("ASSIGN IN + " + t(i) + " TO " + s(i) + ";");
        }
        solvedWatch = reversed->StatementChanged.Subscribe(
            [this](std::string_view key, bool) { solved.push_back(std::string(key)); });
        for (BooleanBit& bit : Bits()) {
            bit.ResetAssigns();
        }
        engine.prgAssigns = std::move(reversed);
        engine.MapBits();
    });
    const int passesBefore = window.passYields;

    Input("IN", true);
    Tick();

    ASSERT_GT(solvedAtTurn, 0) << "no turn was taken";
    EXPECT_EQ(int(solved.size()), 2 * kPairs);
    EXPECT_EQ(window.passYields - passesBefore, 1);
    for (int i = 1; i <= kPairs; ++i) {
        ASSERT_TRUE(Value(s(i))) << s(i);
        ASSERT_FALSE(Value(t(i))) << t(i);
    }
}

// A bit forced in a turn in the middle of the make queue: the break work it queues is
// solved next, before the rest of the make queue.
TEST_F(TurnInAPassTest, BreakWorkQueuedInATurnGoesBeforeTheRestOfTheMakeQueue) {
    Chain();
    Assign("~B", "R");
    Bit("R", true);
    Start();
    ProgramPages pages{engine};
    AtFirstTurn([&] { pages.ForceBit("B", true); });

    Input("IN", true);
    Tick();

    ASSERT_GT(solvedAtTurn, 0) << "no turn was taken";
    ASSERT_LT(solvedAtTurn, kLinks);
    EXPECT_EQ(solved[std::size_t(solvedAtTurn)], "R");
    EXPECT_EQ(solved[std::size_t(solvedAtTurn) + 1], Link(solvedAtTurn + 1));
    EXPECT_FALSE(Value("R"));
    EXPECT_TRUE(Value(Link(kLinks)));
}

// --- Tables and numeric blocks are work between the desktop's turns.

// `tables` tables, each triggered by X and copying it to its own output; a numeric block of
// `statements` statements, triggered by X's rise, copying it to outputs of their own.
std::string TablesAndBlock(int tables, int statements) {
    std::string bits = "BOOLEAN BITS X";
    std::string source = "TABLES BEGIN\n";
    for (int i = 1; i <= tables; ++i) {
        const std::string out = "T" + std::to_string(i);
        bits += ", " + out;
        source += "TABLE " + std::to_string(i) + "\nTRIGGERS ON X AND\nINPUTS: X\nOUTPUTS: " + out +
                  ";\nSTATE: 1 YIELDS: 1;\nSTATE: ? YIELDS: 0;\nEND TABLE\n";
    }
    source += "END TABLES\nNUMERIC BEGIN\nBLOCK 1\nTRIGGERS ON X AND\n";
    for (int i = 1; i <= statements; ++i) {
        const std::string out = "N" + std::to_string(i);
        bits += ", " + out;
        source += "ASSIGN X TO " + out + ";\n";
    }
    source += "END BLOCK\nEND NUMERIC\nLOGIC BEGIN\nASSIGN X TO COPY;\nEND LOGIC\n";
    return bits + ";\nCONSTANTS BOOLEAN\nCPS.STATUS = 1;\n" + source;
}

class TriggeredWorkTest : public ::testing::Test {
protected:
    static constexpr int kTables = 40;
    static constexpr int kStatements = 3 * DesktopTurns::kUnitsPerLook;

    TriggeredWorkTest() {
        program.clock.steadyStep = DesktopTurns::kWait;
        program.Start();
        program.Scan();
    }

    // Outputs up, of the tables and of the block.
    int TablesUp() { return Up("T", kTables); }
    int BlockOutputsUp() { return Up("N", kStatements); }

    FakePlatform platform;
    Controller program{SourceText{TablesAndBlock(kTables, kStatements)}};

private:
    int Up(const std::string& prefix, int count) {
        int up = 0;
        for (int i = 1; i <= count; ++i) {
            up += program.Value(prefix + std::to_string(i)) ? 1 : 0;
        }
        return up;
    }
};

TEST_F(TriggeredWorkTest, EachTableAndEachRoundOfBlockStatementsGivesTheDesktopATurn) {
    const int turnsBefore = program.window.turns;

    program.Change("X", true);

    ASSERT_EQ(TablesUp(), kTables);
    ASSERT_EQ(BlockOutputsUp(), kStatements);
    // A turn before each table, and one a round of block statements, but the last.
    EXPECT_GE(program.window.turns - turnsBefore,
              kTables + kStatements / DesktopTurns::kUnitsPerLook - 1);
}

// A Stop at a turn among the tables ends the scan there; the tables not yet evaluated,
// and the block, wait for the next tick, which a Start gives.
TEST_F(TriggeredWorkTest, AStopAmongTheTablesLeavesTheRestForTheTickAfterAStart) {
    int turnsLeft = kTables / 2;
    program.window.onTurn = [&] {
        if (--turnsLeft == 0) {
            program.engine.StartStop();
        }
    };

    program.Change("X", true);
    program.window.onTurn = nullptr;

    ASSERT_FALSE(program.engine.Running());
    EXPECT_GT(TablesUp(), 0);
    EXPECT_LT(TablesUp(), kTables);
    EXPECT_EQ(BlockOutputsUp(), 0);

    program.engine.StartStop();
    program.Scan();

    EXPECT_EQ(TablesUp(), kTables);
    EXPECT_EQ(BlockOutputsUp(), kStatements);
}

}  // namespace
}  // namespace veldra::testing
