#include <gtest/gtest.h>

#include <algorithm>

#include "engine/engine_fixture.h"

namespace veldra::testing {
namespace {

using ScanTest = EngineTest;

TEST_F(ScanTest, ATickWithNothingPendingOnlyReenablesTheTimer) {
    Assign("A", "X");
    Start();
    const int index = engine.Status().StatusIndex();

    Tick();

    EXPECT_TRUE(engine.tmrProgram.Enabled());
    EXPECT_EQ(engine.Status().StatusIndex(), index);
    EXPECT_EQ(window.yields, 0);
    EXPECT_FALSE(engine.SolvingLampLit());
    EXPECT_TRUE(solved.empty());
}

TEST_F(ScanTest, AnInputSolvesTheStatementsThatReadIt) {
    Assign("TR1*~TR2", "S1HR");
    Assign("S1HR", "S1DR");
    Start();

    Input("TR1", true);
    Tick();

    EXPECT_TRUE(Value("S1HR"));
    EXPECT_TRUE(Value("S1DR"));
    EXPECT_EQ(solved, (std::vector<std::string>{"S1HR", "S1DR"}));
    EXPECT_EQ(engine.IOBits.Count(), 0);
    EXPECT_FALSE(engine.blnSolving);
    EXPECT_FALSE(engine.SolvingLampLit());
    EXPECT_TRUE(engine.tmrProgram.Enabled());
}

TEST_F(ScanTest, AnInputEqualToItsBitIsDroppedWithoutQueueing) {
    Assign("TR1", "X");
    Start();

    Input("TR1", false);
    Tick();

    EXPECT_TRUE(solved.empty());
    EXPECT_EQ(engine.IOBits.Count(), 0);
}

TEST_F(ScanTest, ReceivedTrackBitsAreAlwaysWrittenAndQueued) {
    Assign("CODE75", "X");
    Bit("X", true);  // disagrees with the statement, so solving shows
    Start();
    BooleanBits pending;
    pending.Add("CODE75", false);

    ASSERT_NE(engine.TrackBits.Add(pending), nullptr);
    engine.UpdateTrack = true;
    Tick();

    EXPECT_EQ(solved, (std::vector<std::string>{"X"}));
    EXPECT_EQ(pending.Count(), 0);
    EXPECT_EQ(engine.TrackBits.Count(), 0);
    EXPECT_FALSE(engine.UpdateTrack);
}

TEST_F(ScanTest, EveryBreakStatementRunsBeforeTheNextMakeStatement) {
    // TR1 rising closes the contacts of M1 and M2 and opens that of B1; B1's result
    // opens B2's contact while the break queue is being solved.
    Assign("TR1", "M1");
    Assign("~TR1", "B1");
    Assign("TR1", "M2");
    Assign("B1", "B2");
    Bit("B1", true);
    Bit("B2", true);
    Start();

    Input("TR1", true);
    Tick();

    EXPECT_EQ(solved, (std::vector<std::string>{"B1", "B2", "M1", "M2"}));
}

TEST_F(ScanTest, AMakeStatementWhoseResultCausesBreakWorkGivesWay) {
    // M1 rises from the make queue; its result opens the back contact of B1, which must
    // be solved before the next make statement M2.
    Assign("IN", "M1");
    Assign("IN", "M2");
    Assign("~M1", "B1");
    Bit("B1", true);
    Start();

    Input("IN", true);
    Tick();

    EXPECT_EQ(solved, (std::vector<std::string>{"M1", "B1", "M2"}));
}

TEST_F(ScanTest, AMultiResultStatementThatGaveWayIsSolvedAgainForItsLaterResults) {
    // S sets A and B; A's rise queues break work (C reads ~A), so S gives way before B.
    Assign("IN", "A, B");
    Assign("~A", "C");
    Bit("C", true);
    Start();

    Input("IN", true);
    Tick();

    EXPECT_TRUE(Value("A"));
    EXPECT_TRUE(Value("B"));
    EXPECT_FALSE(Value("C"));
    EXPECT_EQ(solved, (std::vector<std::string>{"A", "C", "A"}));
}

TEST_F(ScanTest, TimerBitsAreRequestedAtTheEndOfTheScanAndACancelBeatsAStart) {
    TimerBit("SLOW", 3000, 0);
    TimerBit("FLICK", 3000, 0);
    Assign("IN", "SLOW");
    // FLICK's statement goes True then back to False within the scan.
    Assign("IN*~LATCH", "FLICK");
    Assign("IN", "LATCH");
    Start();

    Input("IN", true);
    Tick();

    EXPECT_FALSE(Value("SLOW"));  // its timer will set it
    ASSERT_NE(engine.vTimeQue.Item("SLOW"), nullptr);
    EXPECT_EQ(engine.vTimeQue.Item("FLICK"), nullptr);
    EXPECT_EQ(engine.CancelTimerQue.Count(), 0);
    EXPECT_EQ(engine.StartTimerQue.Count(), 0);
}

TEST_F(ScanTest, ATimerBitWithoutADelayInThatDirectionIsSetAtOnce) {
    TimerBit("OFFDELAY", 0, 2000);
    Assign("IN", "OFFDELAY");
    Start();

    Input("IN", true);
    Tick();

    EXPECT_TRUE(Value("OFFDELAY"));
    EXPECT_EQ(engine.vTimeQue.Count(), 0);
}

TEST_F(ScanTest, TheFiveThousandAndFirstPassAsksAndNoStartsTheCountAgain) {
    Assign("~OSC", "OSC");
    Start();
    int yieldAfterFirstBox = 0;
    window.onYield = [&] {
        if (platform.boxes().size() == 1 && yieldAfterFirstBox == 0) {
            yieldAfterFirstBox = window.yields;
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
    EXPECT_EQ(yieldAfterFirstBox, 5002);
    EXPECT_EQ(window.yields, 10002);
    EXPECT_FALSE(engine.Running());
    EXPECT_FALSE(engine.tmrProgram.Enabled());
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
    EXPECT_EQ(engine.ChangedBits.Count(), 1);
    EXPECT_FALSE(engine.tmrProgram.Enabled());
    EXPECT_FALSE(engine.SolvingLampLit());

    Start();
    Input("IN", false);
    Tick();
    EXPECT_EQ(board.shown, (std::vector<std::string>{"OUT1 off"}));
    EXPECT_EQ(engine.ChangedBits.Count(), 0);
}

TEST_F(ScanTest, ChangedBoardBitsArePushedToTheirWindowsAtTheEnd) {
    RecordingBoard board;
    Assign("IN", "LAMP");
    Bit("LAMP").SetIsFormBit(true);
    Bit("LAMP").SetFormIndex(&board);
    engine.ShowIOUpdates = true;
    Start();

    Input("IN", true);
    Tick();

    EXPECT_EQ(board.shown, (std::vector<std::string>{"LAMP on"}));
    const std::vector<std::string> lines = StatusLines();
    EXPECT_EQ(lines.back(), "Updating IO");
}

TEST_F(ScanTest, NotShowingIOUpdatesLeavesOutTheirLine) {
    Assign("IN", "X");
    Start();
    engine.ShowIOUpdates = false;

    Input("IN", true);
    Tick();

    for (const std::string& line : StatusLines()) {
        EXPECT_NE(line, "Updating IO");
    }
}

TEST_F(ScanTest, TheFirstStartQueuesEveryStatementButSolvesThemOnlyWithTheNextWork) {
    Assign("A", "X");
    Bit("X", true);
    engine.StartStop();

    EXPECT_TRUE(engine.StatementsQueued);
    EXPECT_EQ(engine.MakeQue.Count() + engine.BreakQue.Count(), 1);
    Tick();
    EXPECT_TRUE(solved.empty());

    Input("OTHER", true);
    Bit("OTHER");
    Tick();
    EXPECT_EQ(solved, (std::vector<std::string>{"X"}));
    EXPECT_FALSE(Value("X"));

    // A second start does not queue everything again.
    engine.StartStop();
    engine.StartStop();
    EXPECT_EQ(engine.MakeQue.Count() + engine.BreakQue.Count(), 0);
}

TEST_F(ScanTest, StartingWithCpsStatusClearAsksAndYesSetsItAtTheNextScan) {
    Bit("CPS.STATUS", false);
    platform.Answer(MsgAnswer::Yes);

    engine.StartStop();

    ASSERT_EQ(platform.boxes().size(), 1u);
    EXPECT_EQ(platform.boxes()[0].prompt, "SET CPS.STATUS?");
    EXPECT_EQ(platform.boxes()[0].title, "CPS.STATUS IS CLEAR (FALSE)");
    EXPECT_EQ(platform.boxes()[0].icon, MsgIcon::Question);
    Tick();
    EXPECT_TRUE(Value("CPS.STATUS"));
    EXPECT_EQ(engine.StartCaption(), "Stop Program");
}

TEST_F(ScanTest, NoToCpsStatusStartsWithoutChangingIt) {
    Bit("CPS.STATUS", false);
    platform.Answer(MsgAnswer::No);

    engine.StartStop();
    Tick();

    EXPECT_FALSE(Value("CPS.STATUS"));
    EXPECT_TRUE(engine.Running());
}

TEST_F(ScanTest, ASpareInputIsRefusedWithAMessage) {
    Start();
    platform.Answer(MsgAnswer::Ok);

    Input("SPARE", true);
    Tick();

    EXPECT_EQ(platform.boxes().at(0).prompt,
              "Your program has attempted to change the status of an unused bit");
    EXPECT_EQ(platform.boxes().at(0).title, "VELDRA");
    EXPECT_EQ(engine.IOBits.Count(), 0);
}

TEST_F(ScanTest, SettingTheKillBitWarnsAndSetsItAllTheSame) {
    Assign("IN", "KILL");
    Start();
    platform.Answer(MsgAnswer::Ok);

    Input("IN", true);
    Tick();

    EXPECT_EQ(platform.boxes().at(0).prompt, "KILL BIT SET");
    EXPECT_EQ(platform.boxes().at(0).title, "Actual Unit Would Halt Execution");
    EXPECT_TRUE(Value("KILL"));
}

TEST_F(ScanTest, UnknownNamesAreDroppedAndReportedOnce) {
    Start();
    Input("NOSUCH", true);
    Tick();
    Input("NOSUCH", true);
    Tick();
    Input("NOSUCH", false);
    Tick();

    const std::vector<std::string> lines = StatusLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Ignored unknown input: NOSUCH"), 1);
}

TEST_F(ScanTest, AFaultyStatementStopsTheRunAndIsNotApplied) {
    Assign("(IN", "X");
    Bit("X", true);
    Start();
    const int changes = window.runStateChanges;

    Input("IN", true);
    Tick();

    EXPECT_FALSE(engine.Running());
    EXPECT_EQ(engine.StartCaption(), "Start Program");
    EXPECT_GT(window.runStateChanges, changes);
    EXPECT_TRUE(Value("X"));
    ASSERT_EQ(window.edited.size(), 1u);
    EXPECT_TRUE(window.edited[0]->Disable());
    EXPECT_FALSE(engine.tmrProgram.Enabled());
}

TEST_F(ScanTest, ATableTriggeredByAnotherTablesOutputRunsInTheSameScan) {
    // Table 1 reads MID and sets OUT; table 2, later in the collection, reads IN and sets
    // MID. MID changes only after table 1 has been evaluated in this scan.
    for (const char* name : {"IN", "MID", "OUT"}) {
        Bit(name).SetIsTrigger(true);
        Bit(name).SetvTables(&engine.prgTables);
    }
    const auto table = [&](std::int16_t number, const char* input, const char* output) {
        Table& made = *engine.prgTables.Add(number);
        made.SetBits(&Bits());
        made.TriggerList().Add(input);
        State& on = *made.Layout().Rows().Add(1);
        on.Inputs().Add(input, 1, false);
        on.Outputs().Add(output, 1, false);
        made.Layout().Rows().Add(2)->Outputs().Add(output, 0, false);
    };
    table(1, "MID", "OUT");
    table(2, "IN", "MID");
    EXPECT_TRUE(engine.ForceTablesEnabled());
    Start();

    Input("IN", true);
    Tick();

    EXPECT_TRUE(Value("MID"));
    EXPECT_TRUE(Value("OUT"));
}

TEST_F(ScanTest, AStopRequestedWhileReleasingKeepsTheProgramUntilTheScanUnwinds) {
    Assign("IN", "A");
    Assign("A", "B");
    Start();
    window.onYield = [&] {
        window.onYield = nullptr;
        engine.ReleaseProgram();
    };

    Input("IN", true);
    Tick();

    EXPECT_EQ(engine.PrgBooleanBits(), nullptr);
    EXPECT_FALSE(engine.blnSolving);
}

}  // namespace
}  // namespace veldra::testing
