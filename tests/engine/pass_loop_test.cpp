#include "engine/pass_loop.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/desktop_turns.h"
#include "engine/solve_pass.h"
#include "support/fake_clock.h"

namespace veldra::testing {
namespace {

// --- The marks of the statements a pass has solved.

TEST(SolvePass, AStatementIsTakenOnceAPass) {
    SolvePass pass;
    pass.Begin();
    EXPECT_TRUE(pass.Take(3));
    EXPECT_TRUE(pass.Take(7));
    EXPECT_FALSE(pass.Take(3));
    pass.Begin();
    EXPECT_TRUE(pass.Take(3));
    EXPECT_TRUE(pass.Take(1000));  // past the room reserved
    EXPECT_FALSE(pass.Take(1000));
}

// A mark holds the number of its pass in a byte: the number wraps round every 255 passes,
// and a mark made that many passes ago must not pass for one of the current pass, whatever
// was marked meanwhile.
TEST(SolvePass, AMarkOfAnEarlierPassNeverPassesForThisPassesAcrossTheWrap) {
    for (int gap = 1; gap <= 600; ++gap) {
        SolvePass pass;
        pass.Reserve(4);
        pass.Begin();
        ASSERT_TRUE(pass.Take(0));
        for (int passes = 0; passes < gap; ++passes) {
            pass.Begin();
            if (passes % 2 == 0) {
                ASSERT_TRUE(pass.Take(1)) << "gap " << gap;
            }
        }
        EXPECT_TRUE(pass.Take(0)) << "taken " << gap << " passes after its mark";
    }
}

// --- The desktop's turns during a tick.

// The clock is looked at once a round of units only, and a turn is due at the first look
// that finds the wait over.
TEST(DesktopTurns, TheClockIsLookedAtOnceARoundAndTheTurnComesAtTheFirstLookPastTheWait) {
    constexpr int kRound = DesktopTurns::kUnitsPerLook;
    FakeClock clock;
    DesktopTurns turns(clock);
    turns.Taken();
    const int looksBefore = clock.steadyLooks;
    int due = 0;
    for (int unit = 0; unit < 3 * kRound; ++unit) {
        due += turns.Due() ? 1 : 0;
    }
    EXPECT_EQ(due, 0);
    EXPECT_EQ(clock.steadyLooks - looksBefore, 3);

    clock.steady += DesktopTurns::kWait;
    int unitsToTurn = 0;
    while (!turns.Due()) {
        ASSERT_LT(++unitsToTurn, 2 * kRound);
    }
    EXPECT_EQ(unitsToTurn, kRound - 1);
    turns.Taken();  // the wait starts again
    for (int unit = 0; unit < 2 * kRound; ++unit) {
        EXPECT_FALSE(turns.Due());
    }
}

// --- The loop.

// A scan's work as a script: what each pass does, numbered from 1, and what the desktop
// does before it. Every run is cut short at kPassCap passes, where the program is taken to
// be closed, so that a loop that would never end fails by its count.
struct Script {
    // What pass n does; by default it solves statements on no loop and drains its queue.
    std::function<PassOutcome(int)> pass = [](int) { return PassOutcome{}; };
    // Whether work is queued after pass n.
    std::function<bool(int)> queuedAfter = [](int) { return false; };
    // Triggered tables and numeric blocks pending after pass n (evaluated when the queues
    // are empty).
    std::function<bool(int)> triggersAfter = [](int) { return false; };
    // The simulation is stopped from the desktop before pass n, or from inside it.
    int stopBeforePass = 0;
    int stopInsidePass = 0;
    int closeBeforePass = 0;
    std::vector<bool> answers;  // Yes (stop) or No, box by box; No past the last
};

constexpr int kPassCap = 100000;

class ScriptedWork final : public PassLoop::Work {
public:
    explicit ScriptedWork(Script script) : script_(std::move(script)) {}

    void Yield() override {
        solving_ = solving_ && passes + 1 != script_.stopBeforePass;
        closed_ = closed_ || passes + 1 == script_.closeBeforePass || passes + 1 > kPassCap;
    }
    bool Closed() const override { return closed_; }
    bool Solving() const override { return solving_; }
    PassOutcome SolvePass() override {
        ++passes;
        solving_ = solving_ && passes != script_.stopInsidePass;
        return script_.pass(passes);
    }
    bool Queued() const override { return script_.queuedAfter(passes); }
    bool EvaluateTriggers() override { return script_.triggersAfter(passes); }
    bool AskToStop() override {
        boxes.push_back(passes);
        return boxes.size() <= script_.answers.size() && script_.answers[boxes.size() - 1];
    }
    void Stop() override {
        ++stops;
        solving_ = false;
    }

    int passes = 0;
    int stops = 0;
    std::vector<int> boxes;  // the pass each "Logic Loop?" came after

private:
    Script script_;
    bool solving_ = true;
    bool closed_ = false;
};

constexpr int kLimit = 5000;
using End = PassLoop::End;

PassOutcome OnLoop(int) {
    return {.cut = true, .onLoop = true};
}
bool Always(int) {
    return true;
}

// How a script's run ends: after how many passes, and after which passes it asked; it
// stops the simulation only when it ends at the limit.
struct LoopCase {
    const char* name;
    End end;
    int passes;
    std::vector<int> boxes;
    Script script;
};

void PrintTo(const LoopCase& loopCase, std::ostream* out) {
    *out << loopCase.name;
}

const LoopCase kLoopCases[] = {
    {"NothingQueuedSettlesAfterOnePass", End::Settled, 1, {}, {}},
    // Logic on no loop settles however many passes it takes: its passes are not counted.
    {"PassesOnNoLoopNeverAsk",
     End::Settled,
     3 * kLimit,
     {},
     {.queuedAfter = [](int pass) { return pass < 3 * kLimit; }}},
    {"LogicOnALoopThatSettlesAtTheLimitDoesNotAsk",
     End::Settled,
     kLimit,
     {},
     {.pass = OnLoop, .queuedAfter = [](int pass) { return pass < kLimit; }}},
    {"TheFirstPassPastTheLimitAsksAndYesStops",
     End::StoppedAtLimit,
     kLimit + 1,
     {kLimit + 1},
     {.pass = OnLoop, .queuedAfter = Always, .answers = {true}}},
    {"NoStartsTheCountAgain",
     End::StoppedAtLimit,
     3 * (kLimit + 1),
     {kLimit + 1, 2 * (kLimit + 1), 3 * (kLimit + 1)},
     {.pass = OnLoop, .queuedAfter = Always, .answers = {false, false, true}}},
    // Passes of logic without feedback between the turns of a loop do not bring the box
    // nearer.
    {"OnlyPassesOnALoopAreCounted",
     End::StoppedAtLimit,
     2 * kLimit + 1,
     {2 * kLimit + 1},
     {.pass = [](int pass) { return pass % 2 == 1 ? OnLoop(pass) : PassOutcome{}; },
      .queuedAfter = Always,
      .answers = {true}}},
    // A loop may close through tables and numeric blocks, outside the statements.
    {"APassAfterTheTriggersAreEvaluatedIsCounted",
     End::StoppedAtLimit,
     kLimit + 2,
     {kLimit + 2},
     {.triggersAfter = Always, .answers = {true}}},
    {"TriggersThatChangeNothingSettle",
     End::Settled,
     2,
     {},
     {.triggersAfter = [](int pass) { return pass == 1; }}},
    {"AStopFromTheDesktopEndsTheScanBeforeTheNextPass",
     End::Abandoned,
     2,
     {},
     {.pass = OnLoop, .queuedAfter = Always, .stopBeforePass = 3}},
    // A pass the desktop stopped or closed the program in ends the scan there, whatever is
    // still queued.
    {"AStopFromTheDesktopInsideAPassEndsTheScanThere",
     End::Abandoned,
     3,
     {},
     {.pass = [](int pass) { return PassOutcome{.abandoned = pass == 3}; }, .queuedAfter = Always}},
    {"ACloseEndsTheScanBeforeTheNextPass",
     End::Abandoned,
     3,
     {},
     {.pass = OnLoop, .queuedAfter = Always, .closeBeforePass = 4}},
    // A stop from inside a solve lets the drain it came in finish: the passes it was cut
    // into, up to the first that drained its queue.
    {"AStopFromInsideASolveFinishesTheDrain",
     End::Abandoned,
     7,
     {},
     {.pass = [](int pass) { return pass <= 6 ? OnLoop(pass) : PassOutcome{}; },
      .queuedAfter = Always,
      .stopInsidePass = 3}},
    // The drain of an oscillation never finishes: it ends at the limit, with nothing to ask.
    {"AStopFromInsideAnOscillatingDrainEndsAtTheLimitUnasked",
     End::Abandoned,
     kLimit + 1,
     {},
     {.pass = OnLoop, .queuedAfter = Always, .stopInsidePass = 1}},
};

class PassLoopTest : public ::testing::TestWithParam<LoopCase> {};

TEST_P(PassLoopTest, EndsAsTheWorkGoesAndAsksOnlyPastTheLimit) {
    const LoopCase& loopCase = GetParam();
    ScriptedWork work(loopCase.script);
    EXPECT_EQ(PassLoop(kLimit).Run(work), loopCase.end);
    EXPECT_EQ(work.passes, loopCase.passes);
    EXPECT_EQ(work.boxes, loopCase.boxes);
    EXPECT_EQ(work.stops, loopCase.end == End::StoppedAtLimit ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Scripts, PassLoopTest, ::testing::ValuesIn(kLoopCases),
                         [](const ::testing::TestParamInfo<LoopCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace veldra::testing
