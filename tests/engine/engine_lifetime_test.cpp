#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine_fixture.h"
#include "logic/program_host.h"

namespace veldra::testing {
namespace {

// One program window's engine with a small program: IN drives OUT.
struct OpenProgram {
    explicit OpenProgram(const Clock& clock) : engine(window, clock) {
        engine.SetPrgBooleanBits(std::make_unique<BooleanBits>());
        engine.prgAssigns = std::make_unique<Statements>();
        engine.prgAssigns->Add("ASSIGN IN TO OUT;");
        engine.LoadFinished({});
    }
    FakeProgramWindow window;
    ProgramEngine engine;
};

// Steps such as "A+" (open program A), "A-" (close and destroy it) and "A!" (destroy it
// without closing it first), in order.
class ProgramLifetimeTest : public ::testing::TestWithParam<std::string> {
protected:
    FakePlatform platform;
    FakeClock clock;
    std::map<char, std::unique_ptr<OpenProgram>> open;
    std::vector<char> openedOrder;
};

// The model's own reports go to the newest program still open; the scan's go to its own.
TEST_P(ProgramLifetimeTest, TheModelReportsToTheNewestProgramStillOpen) {
    std::istringstream steps(GetParam());
    for (std::string step; steps >> step;) {
        const char name = step[0];
        if (step[1] == '+') {
            open[name] = std::make_unique<OpenProgram>(clock);
            openedOrder.push_back(name);
        } else {
            if (step[1] == '-') {
                open[name]->engine.CloseWindow();
            }
            open.erase(name);
            std::erase(openedOrder, name);
        }

        if (openedOrder.empty()) {
            // Nothing open: a bit of no program still changes, reporting to nobody.
            BooleanBits loose;
            loose.Add("LOOSE", false)->SetBitValue(true, false);
            EXPECT_EQ(TheProgramHost().PrgBooleanBits(), nullptr) << "after " << step;
            continue;
        }
        ProgramEngine& newest = open[openedOrder.back()]->engine;
        EXPECT_EQ(&TheProgramHost(), &newest) << "after " << step;
        const int before = newest.Status().StatusIndex();
        BooleanBit& in = *newest.PrgBooleanBits()->Find("IN");
        in.SetBitValue(!in.BitValue(), false);
        EXPECT_GT(newest.Status().StatusIndex(), before) << "after " << step;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryOrder, ProgramLifetimeTest,
                         ::testing::Values("A+ A- B+ B-", "A+ B+ A- B-", "A+ B+ B- A-",
                                           "A+ B+ A- C+ B- C-", "A+ B+ C+ B- A- C-",
                                           "A+ B+ A! C+ B! C!"));

class EngineReuseTest : public EngineTest {};

TEST_F(EngineReuseTest, AnEngineClosedAndLoadedAgainStartsAsAFreshWindow) {
    Assign("IN", "OUT");
    engine.prgTables.Add(1);
    engine.prgNumBlks = std::make_unique<clsNumericBlocks>();
    engine.prgNumBlks->Add(1);
    ASSERT_TRUE(engine.ForceTablesEnabled());
    ASSERT_TRUE(engine.NumericMenusEnabled());
    driver.ClearTriggersPending();
    driver.SetServiceInterval(0);
    Start();
    Input("IN", true);
    Tick();
    ASSERT_TRUE(Value("OUT"));
    TimerBit("T1", 3000, 0);
    engine.TimeIt("T1", true);
    engine.CancelTimer("T1");
    driver.SetStatementsQueued(true);

    engine.CloseWindow();

    EXPECT_EQ(engine.PrgBooleanBits(), nullptr);
    EXPECT_EQ(engine.prgAssigns, nullptr);
    EXPECT_EQ(
        (std::vector<int>{driver.TriggersPending(), engine.ForceTablesEnabled(),
                          engine.NumericMenusEnabled(), driver.StatementsQueued(), engine.Running(),
                          driver.ScanTimerEnabled(), driver.RunningTimers(),
                          driver.CancelledTimers(), engine.TimerCount(), driver.ServiceInterval(),
                          engine.Status().StatusIndex(), window.releases}),
        (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 100, 0, 1}));
}

TEST_F(EngineReuseTest, TheSecondProgramsTriggeredTableIsEvaluatedOnItsFirstScan) {
    Assign("IN", "OUT");
    Start();
    Input("IN", true);
    Tick();  // the first program's scan leaves the trigger flag down
    engine.CloseWindow();

    engine.SetPrgBooleanBits(std::make_unique<BooleanBits>());
    engine.prgAssigns = std::make_unique<Statements>();
    Table& table = *engine.prgTables.Add(1);
    table.TriggerList().Add("GO");
    table.Layout().Inputs().Add("GO", 0, false);
    table.Layout().Outputs().Add("TABLED", 0, false);
    State& row = *table.Layout().Rows().Add(1);
    row.Inputs().Add("GO", 0, false);
    row.Outputs().Add("TABLED", 1, false);
    engine.LoadFinished({});
    table.SetTableTriggered(true);  // as a trigger changed while the program loaded
    Bit("CPS.STATUS", true);
    Start();

    Input("ELSE", true);
    Tick();

    EXPECT_TRUE(Value("TABLED"));
}

TEST_F(EngineReuseTest, AProgramClosedWhileAScanYieldsGoesOnlyOnceTheScanUnwound) {
    Assign("IN", "A");
    Assign("A", "B");
    Start();
    bool releasedDuringScan = false;
    bool closed = false;
    window.onYield = [&] {
        if (!std::exchange(closed, true)) {
            engine.CloseWindow();
        }
        releasedDuringScan |= window.releases > 0;
    };

    Input("IN", true);
    Tick();

    EXPECT_FALSE(releasedDuringScan);
    EXPECT_EQ(window.releases, 1);
    EXPECT_EQ(engine.PrgBooleanBits(), nullptr);
    EXPECT_FALSE(engine.InUse());
}

TEST_F(EngineReuseTest, AScanTickDuringAScansYieldReturnsAtOnce) {
    Assign("IN", "A");
    Start();
    int nestedYields = -1;
    window.onYield = [&] {
        window.onYield = nullptr;
        Input("LATER", true);
        const int yieldsBefore = window.yields;
        const bool timerBefore = driver.ScanTimerEnabled();
        Tick();
        nestedYields = window.yields - yieldsBefore;
        EXPECT_EQ(driver.ScanTimerEnabled(), timerBefore);
        EXPECT_EQ(driver.PendingCount(), 1);  // left for the next tick
    };

    Input("IN", true);
    Tick();

    EXPECT_EQ(nestedYields, 0);
    EXPECT_TRUE(Value("A"));
    EXPECT_EQ(driver.PendingCount(), 1);
}

TEST_F(EngineReuseTest, AProgramClosedWhileTheFirstStartYieldsDoesNotStart) {
    Assign("IN", "A");
    Bit("CPS.STATUS", true);
    window.onYield = [&] {
        window.onYield = nullptr;
        engine.CloseWindow();
    };

    engine.StartStop();

    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(engine.PrgBooleanBits(), nullptr);
    EXPECT_FALSE(driver.ScanTimerEnabled());
}

}  // namespace
}  // namespace veldra::testing
