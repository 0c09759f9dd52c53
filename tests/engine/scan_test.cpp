#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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

}  // namespace
}  // namespace veldra::testing
