#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "engine/desktop_turns.h"
#include "engine/engine_fixture.h"

namespace veldra::testing {
namespace {

using ScanTest = EngineTest;

// Logging a line may show a box (a log that cannot be written) in which a timer sets
// another bit: each line is kept whole.
TEST_F(ScanTest, ALineWrittenWhileAnotherIsBeingLoggedLeavesBothWhole) {
    Bit("OUTER_BIT_WITH_A_NAME_LONGER_THAN_THE_OTHER");
    Bit("INNER");
    Start();
    int from = engine.Status().StatusIndex();
    bool nested = false;
    const Subscription logged = engine.Status().Logged.Subscribe([&](std::string_view) {
        if (!std::exchange(nested, true)) {
            Bits().Find("INNER")->SetBitValue(true);
        }
    });
    Bits().Find("OUTER_BIT_WITH_A_NAME_LONGER_THAN_THE_OTHER")->SetBitValue(true);
    EXPECT_EQ(
        StatusLinesSince(engine.Status(), from),
        (std::vector<std::string>{"Setting bit: INNER",
                                  "Setting bit: OUTER_BIT_WITH_A_NAME_LONGER_THAN_THE_OTHER"}));
}

TEST_F(ScanTest, TheFiveThousandAndFirstPassAsksAndNoStartsTheCountAgain) {
    Assign("~OSC", "OSC");
    Start();
    const int started = window.yields;
    int yieldAfterFirstBox = 0;
    window.onYield = [&] {
        if (platform.boxes().size() == 1 && yieldAfterFirstBox == 0) {
            yieldAfterFirstBox = window.yields;
        }
        // A loop that never asks is stopped by its count of passes.
        if (window.yields - started > 3 * (ProgramEngine::kPassLimit + 1)) {
            driver.SetSolving(false);
        }
    };
    platform.Answer(MsgAnswer::No).Answer(MsgAnswer::Yes);

    Input("OSC", true);
    Tick();

    ASSERT_EQ(platform.boxes().size(), 2u);
    EXPECT_EQ(platform.boxes()[0].title, "Logic Loop?");
    EXPECT_EQ(platform.boxes()[0].prompt,
              "VELDRA has scanned your program 5,000 times and is unable to resolve the "
              "logic.\r\nStop Simulation?");
    EXPECT_EQ(platform.boxes()[0].buttons, MsgButtons::YesNo);
    // One yield a pass: the first box comes on pass 5,001, the second 5,001 passes later,
    // and Yes ends the scan there.
    EXPECT_EQ(yieldAfterFirstBox - started, 5002);
    EXPECT_EQ(window.yields - started, 10002);
    EXPECT_FALSE(engine.Running());
    EXPECT_FALSE(driver.ScanTimerEnabled());
}

// The box's count is the limit's, grouped by thousands as the box writes it.
TEST(LogicLoopPrompt, WritesTheLimitInGroupsOfThreeDigits) {
    for (const auto& [passes, count] :
         {std::pair{0, "0"}, std::pair{999, "999"}, std::pair{1000, "1,000"},
          std::pair{20000, "20,000"}, std::pair{1234567, "1,234,567"}}) {
        EXPECT_EQ(ProgramEngine::LogicLoopPrompt(passes),
                  "VELDRA has scanned your program " + std::string(count) +
                      " times and is unable to resolve the logic.\r\nStop Simulation?");
    }
}

TEST_F(ScanTest, AStopWhileTheScanYieldsLeavesTheBoardBitsForTheNextScan) {
    RecordingBoard board;
    Assign("IN", "OUT1");
    Assign("OUT1", "OUT2");
    Bit("OUT1").SetIsFormBit(true);
    Bit("OUT1").SetFormIndex(&board);
    Start();
    window.onYield = [&] {
        if (Value("OUT1")) {
            window.onYield = nullptr;
            engine.StartStop();
        }
    };

    Input("IN", true);
    Tick();

    EXPECT_TRUE(board.shown.empty());
    EXPECT_FALSE(engine.SolvingLampLit());

    engine.SetShowIOUpdates(true);
    Start();
    Input("IN", false);
    Tick();
    EXPECT_EQ(board.shown, (std::vector<std::string>{"OUT1 off"}));
    EXPECT_EQ(StatusLines().back(), "Updating IO");
}

// The first start queues the readers of every bit the program holds, in the bits' order,
// and of none that has left it.
struct FirstStartCase {
    const char* name;
    const char* removed;  // a bit taken out after the mapping, or none
    std::vector<std::string> solved;
};

class FirstStartTest : public EngineTest, public ::testing::WithParamInterface<FirstStartCase> {};

TEST_P(FirstStartTest, QueuesTheReadersOfTheBitsHeldInTheirOrder) {
    for (const char* name : {"A", "B", "C"}) {
        Bit(name);
    }
    Assign("C", "Z");
    Assign("A", "X");
    Assign("B * A", "Y");
    engine.MapBits();
    if (GetParam().removed != nullptr) {
        Bits().Remove(GetParam().removed);
    }
    engine.StartStop();
    ASSERT_TRUE(engine.Running());
    Input("A", false);  // a scan runs when there is something to take in
    Tick();
    EXPECT_EQ(solved, GetParam().solved);
}

INSTANTIATE_TEST_SUITE_P(Bits, FirstStartTest,
                         ::testing::Values(FirstStartCase{"EveryBitHeld", nullptr, {"X", "Y", "Z"}},
                                           FirstStartCase{"ABitRemoved", "A", {"Y", "Z"}},
                                           FirstStartCase{"AnotherBitRemoved", "C", {"X", "Y"}}),
                         [](const ::testing::TestParamInfo<FirstStartCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(ScanTest, ABoardBitNamedAndChangedInOneScanIsPushedOnceWithItsLastValue) {
    RecordingBoard board;
    Assign("IN", "OUT1");
    Bit("OUT1").SetIsFormBit(true);
    Bit("OUT1").SetFormIndex(&board);
    Start();

    engine.AddChangedBit("OUT1");  // as a table naming its output does
    Input("IN", true);
    Tick();

    EXPECT_EQ(board.shown, (std::vector<std::string>{"OUT1 on"}));
}

// The faulty statement keeps the result it had, and that is what its result bits are given.
TEST_F(ScanTest, AFaultyStatementStopsTheRunAndGivesItsLastResult) {
    Assign("(IN", "X");
    Bit("X", true);
    Start();
    const int changes = window.runStateChanges;

    Input("IN", true);
    Tick();

    EXPECT_FALSE(engine.Running());
    EXPECT_GT(window.runStateChanges, changes);
    EXPECT_FALSE(Value("X"));
    ASSERT_EQ(window.edited.size(), 1u);
    EXPECT_TRUE(window.edited[0]->Disable() && !driver.ScanTimerEnabled());
}

// --- The desktop's turns inside a long pass.

class LongPassTest : public EngineTest {
protected:
    // A chain of `links` links, each the one before it: one pass of as many solves.
    void AssignChain(int links) {
        for (int i = 1; i <= links; ++i) {
            Assign(i == 1 ? "IN" : Link(i - 1), Link(i));
        }
    }
    static std::string Link(int i) { return "L" + std::to_string(i); }
};

TEST_F(LongPassTest, AStopFromTheDesktopInsideItEndsTheScanThereAndTheRestWaitsQueued) {
    constexpr int kLinks = 1000;
    AssignChain(kLinks);
    Start();
    clock.steadyStep = DesktopTurns::kWait;  // every look at the clock finds the wait over
    int stoppedAfter = -1;
    window.onYield = [&] {
        if (Value("L1")) {  // not before the pass began
            window.onYield = nullptr;
            stoppedAfter = int(solved.size());
            engine.StartStop();
        }
    };

    Input("IN", true);
    Tick();

    ASSERT_GT(stoppedAfter, 0) << "no turn was taken";
    ASSERT_LE(stoppedAfter, DesktopTurns::kUnitsPerLook);
    EXPECT_EQ(int(solved.size()), stoppedAfter);
    EXPECT_FALSE(engine.Running());
    EXPECT_FALSE(engine.Solving());
    EXPECT_FALSE(engine.SolvingLampLit());
    EXPECT_TRUE(Value(Link(stoppedAfter)));
    EXPECT_FALSE(Value(Link(stoppedAfter + 1)));

    // Started again, the next tick takes the chain on where it stood.
    engine.StartStop();
    engine.RequestScan();
    Tick();
    ASSERT_EQ(int(solved.size()), kLinks);
    for (int i = 1; i <= kLinks; ++i) {
        EXPECT_EQ(solved[std::size_t(i - 1)], Link(i)) << "solve " << i;
    }
    EXPECT_TRUE(Value(Link(kLinks)));
}

TEST_F(LongPassTest, AProgramClosedInsideItEndsTheScanThere) {
    AssignChain(1000);
    Start();
    clock.steadyStep = DesktopTurns::kWait;
    window.onYield = [&] {
        if (Value("L1")) {
            window.onYield = nullptr;
            engine.CloseWindow();
        }
    };

    Input("IN", true);
    Tick();

    EXPECT_LE(int(solved.size()), DesktopTurns::kUnitsPerLook);
    EXPECT_EQ(window.releases, 1);
    EXPECT_EQ(engine.PrgBooleanBits(), nullptr);
    EXPECT_FALSE(engine.InUse());
}

// Exclusive-or links, each reading both contacts of the link before it and of the input,
// listed last first: a change of the input ripples through the chain again and again, in
// some n²/2 solves. The desktop's turns inside the passes change nothing of the solves.
TEST_F(LongPassTest, TheDesktopsTurnsLeaveTheSolvesTheirOrderAndTheirResults) {
    constexpr int kLinks = 200;
    for (int i = kLinks; i >= 1; --i) {
        const std::string before = i == 1 ? "X" : "B" + std::to_string(i - 1);
        Assign("(" + before + " + " + before + " * ~" + before + ") @ (X + X * ~X)",
               "B" + std::to_string(i));
    }
    Start();
    struct Rise {
        std::vector<std::string> solved;
        std::vector<bool> links;
        int yields = 0;
    };
    const auto rise = [&](bool turns) {
        clock.steadyStep = turns ? DesktopTurns::kWait : std::chrono::nanoseconds(0);
        Rise outcome;
        solved.clear();
        const int yieldsBefore = window.yields;
        Input("X", true);
        Tick();
        outcome.solved = solved;
        outcome.yields = window.yields - yieldsBefore;
        for (int i = 1; i <= kLinks; ++i) {
            outcome.links.push_back(Value("B" + std::to_string(i)));
        }
        Input("X", false);
        Tick();
        return outcome;
    };

    const Rise untouched = rise(false);
    const Rise served = rise(true);

    ASSERT_GT(untouched.solved.size(), std::size_t(kLinks * kLinks / 4));
    EXPECT_EQ(served.solved, untouched.solved);
    EXPECT_EQ(served.links, untouched.links);
    // A turn once a round of solves, beside the yields between passes.
    EXPECT_GE(served.yields - untouched.yields,
              int(untouched.solved.size()) / DesktopTurns::kUnitsPerLook - 1);
}

}  // namespace
}  // namespace veldra::testing
