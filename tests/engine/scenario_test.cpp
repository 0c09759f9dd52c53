#include <gtest/gtest.h>

#include <limits>

#include "support/scenario.h"

namespace veldra::testing {
namespace {

using Lines = std::vector<std::string>;

// Every entry the immediate window logs, without its stamp, as it is logged.
class LoggedLines {
public:
    explicit LoggedLines(Controller& controller)
        : logging_(controller.engine.Status().Logged.Subscribe([this](std::string_view entry) {
              lines.emplace_back(entry.substr(entry.find('\n') + 1));
          })) {}
    Lines lines;

private:
    Subscription logging_;
};

class EngineScenario : public ::testing::TestWithParam<Scenario> {};

std::string NameOf(const ::testing::TestParamInfo<Scenario>& info) {
    return info.param.name;
}

TEST_P(EngineScenario, Plays) {
    ScenarioPlayer player(GetParam().source);
    player.Play(GetParam().steps);
}

// The scan: inputs, break work before make work, timer requests at the scan's end.
const Scenario kScans[] = {
    {"AnInputSolvesItsReadersAndATickWithNothingPendingDoesNothing",
     "LOGIC BEGIN\nASSIGN TR1*~TR2 TO S1HR;\nASSIGN S1HR TO S1DR;\nEND LOGIC\n",
     {{"scan", "S1HR=0", Lines{}, Lines{}},
      {"TR1=1 scan", "S1HR=1 S1DR=1",
       Lines{"Setting bit: TR1", "Setting bit: S1HR", "Setting bit: S1DR"}},
      {"TR1=1 scan", "S1HR=1", Lines{}, Lines{}}}},
    {"TheFirstStartsStatementsAreSolvedByTheFirstTickWithWork",
     "BOOLEAN BITS A, OTHER;\nCONSTANTS BOOLEAN\nX = 1;\nLOGIC BEGIN\nASSIGN A TO X;\nEND LOGIC\n",
     {{"scan", "X=1"},
      {"OTHER=1 scan", "X=0"},
      {.actions = "startstop startstop OTHER=0 scan", .solved = Lines{}}}},
    {"EveryBreakStatementRunsBeforeTheNextMakeStatement",
     "LOGIC BEGIN\nASSIGN TR1 TO M1;\nASSIGN ~TR1 TO B1;\nASSIGN TR1 TO M2;\n"
     "ASSIGN B1 TO B2;\nEND LOGIC\n",
     {{"TR1=1 scan TR1=0 scan", "B1=1 B2=1 M1=0"},
      {"TR1=1 scan", "B1=0 B2=0 M1=1 M2=1",
       Lines{"Setting bit: TR1", "Clearing bit: B1", "Clearing bit: B2", "Setting bit: M1",
             "Setting bit: M2"}}}},
    {"AMakeStatementWhoseResultCausesBreakWorkGivesWay",
     "LOGIC BEGIN\nASSIGN IN TO M1;\nASSIGN IN TO M2;\nASSIGN ~M1 TO B1;\nEND LOGIC\n",
     {{"IN=1 scan IN=0 scan", "B1=1"},
      {"IN=1 scan", "",
       Lines{"Setting bit: IN", "Setting bit: M1", "Clearing bit: B1", "Setting bit: M2"}}}},
    {"AMultiResultStatementThatGaveWayIsSolvedAgainForItsLaterResults",
     "LOGIC BEGIN\nASSIGN IN TO A, B;\nASSIGN ~A TO C;\nEND LOGIC\n",
     {{"IN=1 scan IN=0 scan", "C=1"},
      {"IN=1 scan", "A=1 B=1 C=0",
       Lines{"Setting bit: IN", "Setting bit: A", "Clearing bit: C", "Setting bit: B"},
       Lines{"A", "C", "A"}}}},
    // A "~" inside a name is part of it: A1~B1 is one bit, read by three statements, and
    // ~A1~B1 its negation.
    {"ANameHoldingTildeIsOneBitThatQueuesEveryStatementNamingIt",
     "BOOLEAN BITS X, A1~B1, QA, QB, QC;\nLOGIC BEGIN\nASSIGN X TO A1~B1;\n"
     "ASSIGN A1~B1 TO QA;\nASSIGN ~A1~B1 TO QB;\nASSIGN A1~B1 * X TO QC;\nEND LOGIC\n",
     {{"X=0 scan", "A1~B1=0 QA=0 QB=1 QC=0"},
      {"X=1 scan", "A1~B1=1 QA=1 QB=0 QC=1"},
      {"X=0 scan", "A1~B1=0 QA=0 QB=1 QC=0"},
      {"startstop startstop X=1 scan", "A1~B1=1 QA=1 QB=0 QC=1"}}},
    {"AnUnknownInputIsReportedOnce",
     "LOGIC BEGIN\nASSIGN A TO X;\nEND LOGIC\n",
     {{"NOSUCH=1 scan", "", Lines{"Ignored unknown input: NOSUCH"}},
      {"NOSUCH=1 scan", "", Lines{}}}},
    {"TheStartAsksToSetAClearCpsStatusAtTheNextScan",
     "LOGIC BEGIN\nASSIGN IN TO KILL;\nEND LOGIC\n",
     {{.actions = "IN=0 scan", .bits = "CPS.STATUS=0"},
      {.actions = "startstop answer:Yes startstop scan",
       .bits = "CPS.STATUS=1",
       .boxes = Lines{"CPS.STATUS IS CLEAR (FALSE): SET CPS.STATUS?"}}}},
    {"ASpareInputIsRefusedAndTheKillBitWarnsButIsSet",
     "LOGIC BEGIN\nASSIGN IN TO KILL;\nEND LOGIC\n",
     {{.actions = "answer:Ok SPARE=1 scan",
       .lines = Lines{},
       .boxes = Lines{"VELDRA: Your program has attempted to change the status of an unused bit"}},
      {.actions = "answer:Ok IN=1 scan",
       .bits = "KILL=1",
       .boxes = Lines{"Actual Unit Would Halt Execution: KILL BIT SET"}}}},
};
INSTANTIATE_TEST_SUITE_P(Scan, EngineScenario, ::testing::ValuesIn(kScans), NameOf);

// Delay timers: requested at the scan's end, counted down by the timer service, shown on
// the "Time Que" page.
const Scenario kTimers[] = {
    {"AnExpiredTimerSetsItsBitAndTheNextScanSolvesItsReaders",
     "TIMER BITS\nSLOW : SET = 300 : MSEC;\nLOGIC BEGIN\nASSIGN IN TO SLOW;\n"
     "ASSIGN SLOW TO AFTER;\nEND LOGIC\n",
     {{"IN=1 scan", "SLOW=0", Lines{"Setting bit: IN", "Set Timer Que: SLOW"}},
      {"service*2", "SLOW=0"},
      {"service", "SLOW=1 AFTER=0", Lines{"Setting bit: SLOW"}},
      {"scan", "AFTER=1", Lines{"Setting bit: AFTER"}}}},
    // FLICK's start is not the first one queued.
    {"ACancelBeatsAStartInTheSameScan",
     "TIMER BITS\nFIRST, FLICK : SET = 3 : SEC;\nLOGIC BEGIN\nASSIGN IN TO FIRST;\n"
     "ASSIGN IN*~LATCH TO FLICK;\nASSIGN IN TO LATCH;\nEND LOGIC\n",
     {{"IN=1 scan", "", Lines{"Setting bit: IN", "Setting bit: LATCH", "Set Timer Que: FIRST"}},
      {"run*40", "FIRST=1 FLICK=0 LATCH=1"}}},
    {"ACancelledTimerIsDroppedAndAFlickerRestartsIt",
     "TIMER BITS\nSLOW : SET = 300 : MSEC;\nLOGIC BEGIN\nASSIGN IN TO SLOW;\nEND LOGIC\n",
     {{"IN=1 scan IN=0 scan run*5", "SLOW=0"},
      {"IN=1 scan service IN=0 scan IN=1 scan service*2", "SLOW=0"},
      {"service", "SLOW=1"}}},
    {"ADirectionWithoutADelayIsSetAtOnceAndTheOtherWaits",
     "TIMER BITS\nOFFDELAY : CLEAR = 200 : MSEC;\nLOGIC BEGIN\nASSIGN IN TO OFFDELAY;\n"
     "END LOGIC\n",
     {{"IN=1 scan", "OFFDELAY=1", Lines{"Setting bit: IN", "Setting bit: OFFDELAY"}},
      {"IN=0 scan service", "OFFDELAY=1", Lines{"Clearing bit: IN", "Clear Timer Que: OFFDELAY"}},
      {"service", "OFFDELAY=0"}}},
    {"EachTickCountsDownByTheServiceIntervalOfThatTick",
     "TIMER BITS\nSLOW : SET = 1 : SEC;\nLOGIC BEGIN\nASSIGN IN TO SLOW;\nEND LOGIC\n",
     {{"interval:500 IN=1 scan service", "SLOW=0"}, {"service", "SLOW=1"}}},
    {"ATickThatRefreshesTheDisplayDoesNotExpireTheTimer",
     "TIMER BITS\nSLOW : SET = 1050 : MSEC;\nLOGIC BEGIN\nASSIGN IN TO SLOW;\nEND LOGIC\n",
     {{"page:TimeQue IN=1 scan service*10", "SLOW=0"},
      {"service", "SLOW=0", Lines{}, std::nullopt, "SLOW Time Remaining: 0 Sec\r\n"},
      {"service", "SLOW=1", Lines{"Setting bit: SLOW"}, std::nullopt, ""}}},
    {"TheTimeQueLinesAreFoundByTheWholeBitNameAndWrittenOnlyWhileShown",
     "TIMER BITS\nT10 : SET = 3 : SEC;\nT1 : SET = 2 : SEC;\nLOGIC BEGIN\nASSIGN IN TO T10;\n"
     "ASSIGN IN TO T1;\nEND LOGIC\n",
     {{"page:TimeQue IN=1 scan service", "", std::nullopt, std::nullopt, ""},
      {"service*10", "", std::nullopt, std::nullopt,
       "T1 Time Remaining: 1 Sec\r\nT10 Time Remaining: 2 Sec\r\n"},
      {"service*9", "T1=1 T10=0", std::nullopt, std::nullopt, "T10 Time Remaining: 2 Sec\r\n"},
      {"page:ForceBit service*5", "T10=0", std::nullopt, std::nullopt,
       "T10 Time Remaining: 2 Sec\r\n"}}},
    {"AStatementIsNotSolvedAgainForAResultWhoseTimerRuns",
     "TIMER BITS\nT : SET = 1 : SEC;\nLOGIC BEGIN\nASSIGN IN TO K, T;\nASSIGN K TO R;\n"
     "END LOGIC\n",
     {{"IN=1 scan", "K=1 T=0 R=1"},
      {"force:K=1 scan", "K=1 T=0 R=1", std::nullopt, Lines{"R"}},
      {"run*10", "T=1"}}},
};
INSTANTIATE_TEST_SUITE_P(Timers, EngineScenario, ::testing::ValuesIn(kTimers), NameOf);

// Forcing from the "Force Bit" page: the bit changes at once, its readers at the next tick.
const Scenario kForcing[] = {
    {"ForcingWhileStoppedChangesTheBitAndTheStartSolvesItsReaders",
     "LOGIC BEGIN\nASSIGN IN TO OUT;\nEND LOGIC\n",
     {{"startstop force:IN=1", "IN=1 OUT=0"}, {"startstop scan", "OUT=1"}}},
    {"ForcingABitToItsOwnValueStillSolvesItsReaders",
     "LOGIC BEGIN\nASSIGN ~IN TO OUT;\nEND LOGIC\n",
     {{"IN=1 scan", "OUT=0"}, {"force:IN=1 scan", "OUT=0", Lines{}, Lines{"OUT"}}}},
    {"AForcedResultIsPutBackOnlyWhenItIsTheKeyOfItsStatement",
     "LOGIC BEGIN\nASSIGN IN TO A, B;\nEND LOGIC\n",
     {{"IN=1 scan", "A=1 B=1"}, {"force:B=0 scan", "B=0"}, {"force:A=0 scan", "A=1 B=1"}}},
    {"ForcingATimerBitThatIsTimingDropsItsTimer",
     "TIMER BITS\nSLOW : SET = 300 : MSEC;\nLOGIC BEGIN\nASSIGN IN TO SLOW;\nEND LOGIC\n",
     {{"IN=1 scan force:SLOW=0 service*5", "SLOW=0"}}},
    // The readers through the contact the force opens see the forced value before the bit's
    // own statement puts it back; those through the other contact only see it put back.
    {"AForcedResultIsPutBackAfterTheReadersItsOpenedContactReaches",
     "LOGIC BEGIN\nASSIGN IN TO X;\nASSIGN X TO FRONT;\nASSIGN ~X TO BACK;\n"
     "ASSIGN FRONT TO NEXT;\nEND LOGIC\n",
     {{"IN=1 scan", "X=1 FRONT=1 BACK=0 NEXT=1"},
      {"force:X=0", "X=0 FRONT=1 BACK=0", Lines{"Clearing bit: X"}},
      {"scan", "X=1 FRONT=1 BACK=0 NEXT=1",
       Lines{"Clearing bit: FRONT", "Setting bit: X", "Clearing bit: NEXT", "Setting bit: FRONT",
             "Setting bit: NEXT"}},
      {"IN=0 scan", "X=0 FRONT=0 BACK=1 NEXT=0"},
      {"force:X=1 scan", "X=0 FRONT=0 BACK=1",
       Lines{"Setting bit: X", "Clearing bit: BACK", "Clearing bit: X", "Setting bit: BACK"}}}},
    {"AForcedResultWithADelayComesBackWhenItsDelayRunsOut",
     "TIMER BITS\nSLOW : SET = 300 : MSEC;\nLOGIC BEGIN\nASSIGN IN TO SLOW;\nEND LOGIC\n",
     {{"IN=1 scan run*5", "SLOW=1"},
      {"force:SLOW=0 scan", "SLOW=0", Lines{"Clearing bit: SLOW", "Set Timer Que: SLOW"}},
      {"run*5", "SLOW=1", Lines{"Setting bit: SLOW"}}}},
    {"ALaterResultKeepsItsForcedValueUntilItsStatementIsSolvedAgain",
     "LOGIC BEGIN\nASSIGN IN + OTHER TO A, B;\nEND LOGIC\n",
     {{"IN=1 scan force:B=0 scan", "A=1 B=0"},
      {"OTHER=1 scan", "A=1 B=1", Lines{"Setting bit: OTHER", "Setting bit: B"}}}},
};
INSTANTIATE_TEST_SUITE_P(Forcing, EngineScenario, ::testing::ValuesIn(kForcing), NameOf);

// State tables: evaluated once the queues are empty when a trigger changed either way.
const char* const kAspectTable =
    "BOOLEAN BITS TRACK, ROUTE, OTHER, GREEN, RED;\nNUMERIC VARIABLES SPEED;\nTABLES BEGIN\n"
    "TABLE 1\nTRIGGERS ON TRACK, ROUTE, SPEED AND\nINPUTS: TRACK, ROUTE, SPEED\n"
    "OUTPUTS: GREEN, RED;\nSTATE: 1 1 40 YIELDS: 1, 0;\nSTATE: 1 ? ? YIELDS: 0, ?;\n"
    "STATE: ? ? ? YIELDS: 0, 1;\nEND TABLE\nEND TABLES\nLOGIC BEGIN\nASSIGN GREEN TO G;\n"
    "END LOGIC\n";
const Scenario kTables[] = {
    {"TheFirstStateThatMatchesWinsAndWildcardsMatchAnything",
     kAspectTable,
     {{"OTHER=1 scan", "GREEN=0 RED=1",
       Lines{"Setting bit: OTHER", "TABLE 1 Triggered", "Setting bit: RED"}},
      {"OTHER=0 scan", "", Lines{"Clearing bit: OTHER"}},
      {"TRACK=1 scan", "GREEN=0 RED=1", Lines{"Setting bit: TRACK", "TABLE 1 Triggered"},
       Lines{"G"}},
      {"SPEED#40 ROUTE=1 scan", "GREEN=1 RED=0"},
      {"SPEED#41 OTHER=1 scan", "GREEN=0 RED=0"}}},
    // A number entered starts no scan: the next scan that runs for another reason takes it.
    {"ANumberEnteredIsTakenByTheNextScanThatRunsForAnotherReason",
     kAspectTable,
     {{"TRACK=1 ROUTE=1 scan", "GREEN=0 RED=0"},
      {"SPEED#40 scan", "GREEN=0", Lines{"SPEED", "Value Changed, New Value = 40"}},
      {"force:OTHER=0 scan", "GREEN=1 RED=0",
       Lines{"TABLE 1 Triggered", "Setting bit: GREEN", "Setting bit: G"}}}},
    {"ATableTriggeredByAnotherTablesOutputRunsInTheSameScan",
     "BOOLEAN BITS IN, MID, OUT;\nTABLES BEGIN\nTABLE 1\nTRIGGERS ON MID AND\nINPUTS: MID\n"
     "OUTPUTS: OUT;\nSTATE: 1 YIELDS: 1;\nSTATE: ? YIELDS: 0;\nEND TABLE\nTABLE 2\n"
     "TRIGGERS ON IN AND\nINPUTS: IN\nOUTPUTS: MID;\nSTATE: 1 YIELDS: 1;\n"
     "STATE: ? YIELDS: 0;\nEND TABLE\nEND TABLES\nLOGIC BEGIN\nASSIGN OUT TO X;\nEND LOGIC\n",
     {{"IN=1 scan", "MID=1 OUT=1"},
      {"IN=0 scan", "MID=0 OUT=0",
       Lines{"Clearing bit: IN", "TABLE 2 Triggered", "Clearing bit: MID", "TABLE 1 Triggered",
             "Clearing bit: OUT", "Clearing bit: X"}}}},
};
INSTANTIATE_TEST_SUITE_P(Tables, EngineScenario, ::testing::ValuesIn(kTables), NameOf);

// Numeric blocks: solved, statement after statement, when a trigger rose or a number was
// let; their delay timers are started or cancelled once every block is done.
const Scenario kNumericBlocks[] = {
    {"ARisingTriggerSolvesTheBlockAndTheLastWriteOfABitWins",
     "NUMERIC VARIABLES SPEED;\nBOOLEAN BITS TRIG, FAST, X, SLOW, OUT, SPARE_IN;\n"
     "CONSTANTS BOOLEAN\nSLOW = 1;\nTIMER BITS\nON_DELAY : SET = 200 : MSEC;\n"
     "OFF_DELAY : CLEAR = 200 : MSEC;\nNUMERIC BEGIN\nBLOCK 1\nTRIGGERS ON TRIG AND\n"
     "ASSIGN SPEED>50 TO FAST, X;\nASSIGN SPEED<50 TO SLOW;\nASSIGN TRIG TO OUT;\n"
     "ASSIGN ~TRIG TO OUT;\nASSIGN TRIG TO ON_DELAY, OFF_DELAY;\nASSIGN ~TRIG TO OFF_DELAY;\n"
     "END BLOCK\nEND NUMERIC\nLOGIC BEGIN\nASSIGN FAST TO F2;\nEND LOGIC\n",
     {{"SPEED#60 TRIG=1 scan", "FAST=1 X=1 SLOW=0 OUT=0 F2=1 ON_DELAY=0 OFF_DELAY=1",
       Lines{"SPEED", "Value Changed, New Value = 60", "Setting bit: TRIG",
             "NUMERIC BLOCK 1 Triggered", "Setting bit: FAST", "Setting bit: X",
             "Clearing bit: SLOW", "Setting bit: OUT", "Clearing bit: OUT",
             "Setting bit: OFF_DELAY", "Set Timer Que: ON_DELAY", "Clear Timer Que: OFF_DELAY",
             "Setting bit: F2"}},
      {"run*2", "ON_DELAY=1 OFF_DELAY=0"},
      {"TRIG=0 scan", "", Lines{"Clearing bit: TRIG"}}}},
    {"ABlockWritingTheValueATimerBitHoldsCancelsItsTimer",
     "BOOLEAN BITS TRIG, IN;\nTIMER BITS\nSTEADY : SET = 300 : MSEC;\nNUMERIC BEGIN\nBLOCK 1\n"
     "TRIGGERS ON TRIG AND\nASSIGN ~TRIG TO STEADY;\nEND BLOCK\nEND NUMERIC\nLOGIC BEGIN\n"
     "ASSIGN IN TO STEADY;\nEND LOGIC\n",
     {{"IN=1 scan TRIG=1 scan run*5", "STEADY=0"}}},
    {"ABlockThatClearsAndSetsATimingBitAgainLeavesItsTimerRunning",
     "BOOLEAN BITS TRIG, IN;\nTIMER BITS\nT : CLEAR = 500 : MSEC;\nNUMERIC BEGIN\nBLOCK 1\n"
     "TRIGGERS ON TRIG AND\nASSIGN TRIG TO T;\nASSIGN ~TRIG TO T;\nEND BLOCK\nEND NUMERIC\n"
     "LOGIC BEGIN\nASSIGN IN TO T;\nEND LOGIC\n",
     {{"IN=1 scan IN=0 scan service*3 TRIG=1 scan service", "T=1"}, {"service", "T=0"}}},
};
INSTANTIATE_TEST_SUITE_P(NumericBlocks, EngineScenario, ::testing::ValuesIn(kNumericBlocks),
                         NameOf);

constexpr char kLogicLoopBox[] =
    "Logic Loop?: VELDRA has scanned your program 5,000 times and is unable to resolve the "
    "logic.\r\nStop Simulation?";

// Logic that never settles inside one drain of the break queue: every bit is read
// through both of its contacts, so each change queues break work again.
struct Oscillation {
    const char* name;
    std::string source;
};

void PrintTo(const Oscillation& oscillation, std::ostream* out) {
    *out << oscillation.name;
}

// A ring of `length` bits, each following the one before it through both contacts, with
// one inversion closing the ring.
std::string OscillatingRing(int length) {
    const auto bit = [](int i) { return "X" + std::to_string(i); };
    const std::string last = bit(length);
    std::string source = "BOOLEAN BITS GO;\nLOGIC BEGIN\nASSIGN ~" + last + " + ~" + last + " * " +
                         last + " TO X1;\n";
    for (int i = 2; i <= length; ++i) {
        const std::string before = bit(i - 1);
        source += "ASSIGN " + before + " + " + before + " * ~" + before + " TO " + bit(i) + ";\n";
    }
    return source + "END LOGIC\n";
}

const Oscillation kOscillations[] = {
    {"ThePair",
     "BOOLEAN BITS GO;\nLOGIC BEGIN\nASSIGN ~B + ~B * B TO A;\nASSIGN A + ~A * ~B TO B;\n"
     "END LOGIC\n"},
    {"RingOf3", OscillatingRing(3)},
    {"RingOf8", OscillatingRing(8)},
    {"RingOf40", OscillatingRing(40)},
};

// Ends a scan whose pass writes more lines than `bound`, or that writes more than `total`
// in all: a pass that never ends (logic that oscillates within one drain) is cut short by
// closing the program, which ends the drain at once, so that a test of oscillating logic
// fails by its count rather than writing on.
class PassLengthGuard {
public:
    PassLengthGuard(Controller& controller, long long bound,
                    long long total = std::numeric_limits<long long>::max())
        : controller_(controller),
          bound_(bound),
          total_(total),
          logging_(controller.engine.Status().Logged.Subscribe([this](std::string_view) {
              ++lines;
              if (++inPass_ > longest) {
                  longest = inPass_;
              }
              if ((inPass_ > bound_ || lines > total_) && !cutShort) {
                  cutShort = true;
                  controller_.engine.ReleaseProgram();
              }
          })) {
        controller.window.onYield = [this] { inPass_ = 0; };
    }
    ~PassLengthGuard() { controller_.window.onYield = nullptr; }
    PassLengthGuard(const PassLengthGuard&) = delete;
    PassLengthGuard& operator=(const PassLengthGuard&) = delete;

    long long lines = 0;
    long long longest = 0;  // the most lines one pass wrote
    bool cutShort = false;

private:
    Controller& controller_;
    long long bound_;
    long long total_;
    long long inPass_ = 0;
    Subscription logging_;
};

class OscillatingLogic : public ::testing::TestWithParam<Oscillation> {};

TEST_P(OscillatingLogic, AsksAboutTheLogicLoopAndTheTickComesBack) {
    ScenarioPlayer player(GetParam().source.c_str());
    Controller& controller = player.controller();
    const int yieldsBefore = controller.window.yields;
    // A pass ends where a statement of the loop comes round again: at most two changes of
    // each of its bits (the rings are at most 40 long).
    const PassLengthGuard guard(controller, 2 * 40 + 2);

    player.Play({{.actions = "answer:No answer:Yes GO=1 scan",
                  .boxes = Lines{kLogicLoopBox, kLogicLoopBox}}});

    // The desktop was served on every pass: 5,001 before each box.
    EXPECT_GE(controller.window.yields - yieldsBefore, 10002);
    EXPECT_FALSE(controller.engine.Running());
    EXPECT_FALSE(guard.cutShort) << "a pass wrote " << guard.longest << " lines";
}

INSTANTIATE_TEST_SUITE_P(Scan, OscillatingLogic, ::testing::ValuesIn(kOscillations),
                         [](const ::testing::TestParamInfo<Oscillation>& info) {
                             return std::string(info.param.name);
                         });

// The pair amid a large program that works as the pair oscillates: a pass is as long as
// the pair's own oscillation, not as the program, so the box comes after as many lines as
// the program's own changes and the pair's 5,001 passes write, at any size.
class OscillationAmidALargeProgram : public ::testing::TestWithParam<int> {};

TEST_P(OscillationAmidALargeProgram, AsksAfterTheLinesOfThePairsPassesAlone) {
    const int statements = GetParam();
    std::string source = "BOOLEAN BITS GO;\nLOGIC BEGIN\n";
    for (int i = 0; i < statements; ++i) {
        if (i == statements / 2) {
            source += "ASSIGN ~B + ~B * B TO A;\nASSIGN A + ~A * ~B TO B;\n";
        }
        const std::string before = i == 0 ? "TC0" : "L" + std::to_string(i - 1);
        source += "ASSIGN " + before + " * ~R" + std::to_string(i % 97) + " + " + before + " * TC" +
                  std::to_string(i % 13) + " TO L" + std::to_string(i) + ";\n";
    }
    source += "END LOGIC\n";
    ScenarioPlayer player(source.c_str());
    Controller& controller = player.controller();
    // One line per change of the program's chain, at most two per pass of the pair.
    const long long bound = statements + 2LL * (ProgramEngine::kPassLimit + 1) + 16;
    // Past the bound the program is closed, so that a pass as long as the program, or one
    // that never ends, fails here rather than writing on to its box.
    const PassLengthGuard guard(controller, bound, bound);

    player.Play({{.actions = "answer:Yes GO=1 TC0=1 scan", .boxes = Lines{kLogicLoopBox}}});

    EXPECT_LE(guard.lines, bound);
    EXPECT_FALSE(controller.engine.Running());
}

INSTANTIATE_TEST_SUITE_P(Scan, OscillationAmidALargeProgram, ::testing::Values(2000, 20000));

// Sets IN, which starts the loop turning, and answers Yes to "Logic Loop?": a pass writes
// no more than a few lines of the loop's turn, and the scan ends with the box.
void ExpectAskedAboutTheLogicLoop(ScenarioPlayer& player,
                                  long long total = std::numeric_limits<long long>::max()) {
    Controller& controller = player.controller();
    const PassLengthGuard guard(controller, 16, total);
    player.Play({{.actions = "answer:Yes IN=1 scan", .boxes = Lines{kLogicLoopBox}}});
    EXPECT_FALSE(guard.cutShort) << guard.lines << " lines, at most " << guard.longest
                                 << " in a pass";
    EXPECT_FALSE(controller.engine.Running());
}

// Statements edited to close a loop: through the editor, which maps the bits again, and in
// place, where only the edited statement knows what it now writes. Either way the loop
// oscillates, and its passes end where it comes round again, so it asks "Logic Loop?".
class AnEditClosingALoop : public ::testing::TestWithParam<bool> {};

TEST_P(AnEditClosingALoop, AsksAboutTheLogicLoop) {
    ScenarioPlayer player(
        "BOOLEAN BITS GO, IN;\nLOGIC BEGIN\nASSIGN IN + IN * ~IN TO A;\n"
        "ASSIGN A + A * ~A TO B;\nEND LOGIC\n");
    player.Play({{"GO=1 scan"}});
    // It now writes the input the first statement reads, inverted: a ring of two.
    ASSERT_TRUE(player.controller().engine.prgAssigns->Find("B")->SetStrStatement(
        "ASSIGN ~A + ~A * A TO IN;"));
    if (GetParam()) {
        player.controller().engine.MapBits();
    }
    ExpectAskedAboutTheLogicLoop(player);
}

INSTANTIATE_TEST_SUITE_P(Scan, AnEditClosingALoop, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "MappedAgain" : "InPlace";
                         });

// Two statements writing D, each also writing a bit of its own that a third statement
// writes too: each third statement's write, following D, queues the bit's own statement
// again, which writes D back the other way. The loop closes only through that queueing
// again: no statement reads what it writes, and nothing reads the shared bits.
TEST(ALoopThroughTheOwnStatementQueuedAgain, AsksAboutTheLogicLoop) {
    ScenarioPlayer player(
        "BOOLEAN BITS GO;\nLOGIC BEGIN\nASSIGN IN TO B, D;\nASSIGN ZERO TO E, D;\n"
        "ASSIGN D TO K1, B;\nASSIGN D TO K2, E;\nEND LOGIC\n");
    player.Play({{"GO=1 scan", "D=0"}});
    ExpectAskedAboutTheLogicLoop(player, 12LL * (ProgramEngine::kPassLimit + 1));
}

// Logic that oscillates only through a state table or a numeric block: no statement
// reads back what it writes, so the loop closes outside the statements, and the passes
// after each evaluation of the triggers are the ones the limit counts.
const Oscillation kOscillationsOutsideTheStatements[] = {
    {"ThroughAStateTable",
     "BOOLEAN BITS IN, MID, OUT;\nTABLES BEGIN\nTABLE 1\nTRIGGERS ON MID AND\nINPUTS: MID\n"
     "OUTPUTS: OUT;\nSTATE: 1 YIELDS: 1;\nSTATE: ? YIELDS: 0;\nEND TABLE\nEND TABLES\n"
     "LOGIC BEGIN\nASSIGN IN * ~OUT TO MID;\nEND LOGIC\n"},
    // A block runs on its trigger's rise only: one block follows MID's rise, one its fall.
    {"ThroughNumericBlocks",
     "BOOLEAN BITS IN, MID, NMID, OUT;\nNUMERIC BEGIN\nBLOCK 1\nTRIGGERS ON MID AND\n"
     "ASSIGN MID TO OUT;\nEND BLOCK\nBLOCK 2\nTRIGGERS ON NMID AND\nASSIGN MID TO OUT;\n"
     "END BLOCK\nEND NUMERIC\nLOGIC BEGIN\nASSIGN IN * ~OUT TO MID;\nASSIGN ~MID TO NMID;\n"
     "END LOGIC\n"},
};

class OscillationOutsideTheStatements : public ::testing::TestWithParam<Oscillation> {};

TEST_P(OscillationOutsideTheStatements, AsksAboutTheLogicLoop) {
    ScenarioPlayer player(GetParam().source.c_str());
    // A turn of the loop writes a handful of lines: past a dozen for each pass the limit
    // allows, the loop went on uncounted, and the program is closed to end it.
    ExpectAskedAboutTheLogicLoop(player, 12LL * (ProgramEngine::kPassLimit + 1));
}

INSTANTIATE_TEST_SUITE_P(Scan, OscillationOutsideTheStatements,
                         ::testing::ValuesIn(kOscillationsOutsideTheStatements),
                         [](const ::testing::TestParamInfo<Oscillation>& info) {
                             return std::string(info.param.name);
                         });

// Deep logic without feedback, where a wave of change comes back to statements it solved
// already, or turns from break work to make work at every step: it settles without asking
// "Logic Loop?", in the solves the queues give, whatever its depth.
struct SettlingLogic {
    const char* name;
    std::string source;
    const char* input;
    std::string last;  // the bit at the far end, which takes the input's value
    // At most, over the first start's solve of every statement, a rise and a fall: each
    // statement is solved again for each path of a change that reaches it after its solve.
    double solvesPerStatement;
};

void PrintTo(const SettlingLogic& logic, std::ostream* out) {
    *out << logic.name;
}

// Each link reads the one before it and the one three before, and the links are written
// last first, so that a link's later readers are queued first: a fall reaches each link
// too early, then again after the wave has gone on past it.
std::string ReconvergentChain(int links) {
    const auto link = [](int i) { return "L" + std::to_string(std::max(i, 0)); };
    std::string source = "LOGIC BEGIN\n";
    for (int i = links; i >= 1; --i) {
        source += "ASSIGN " + link(i - 1) + " + " + link(i - 3) + " TO " + link(i) + ";\n";
    }
    return source + "END LOGIC\n";
}

// The reconvergent chain from an input, every link written by a second statement as well,
// to the same value and queued before the link's own: its write queues the own statement
// again, which finds the link as it would have written it.
std::string ReconvergentChainAssignedTwice(int links) {
    const auto link = [](int i) { return "L" + std::to_string(std::max(i, 0)); };
    std::string source = "LOGIC BEGIN\n";
    for (int i = links - 1; i >= 0; --i) {
        const std::string expression = i == 0 ? "X" : link(i - 1) + " + " + link(i - 3);
        source += "ASSIGN " + expression + " TO M" + std::to_string(i) + ", " + link(i) +
                  ";\nASSIGN " + expression + " TO " + link(i) + ";\n";
    }
    return source + "END LOGIC\n";
}

// Diamonds one after the other, whose second arm is a statement longer than the first, so
// that it arrives after the diamond's end was solved and the wave went on.
std::string LateDiamonds(int diamonds) {
    const auto top = [](int i) { return "T" + std::to_string(i); };
    std::string source = "LOGIC BEGIN\n";
    for (int i = 1; i <= diamonds; ++i) {
        const std::string n = std::to_string(i);
        source += "ASSIGN " + top(i - 1) + " TO A" + n + ";\nASSIGN " + top(i - 1) + " TO B" + n +
                  ";\nASSIGN B" + n + " TO C" + n + ";\nASSIGN A" + n + " + C" + n + " TO " +
                  top(i) + ";\n";
    }
    return source + "END LOGIC\n";
}

// Each link the inverse of the one before: every step turns break work into make work and
// back, a pass each.
std::string InverterChain(int links) {
    std::string source = "LOGIC BEGIN\n";
    for (int i = 1; i <= links; ++i) {
        source += "ASSIGN ~I" + std::to_string(i - 1) + " TO I" + std::to_string(i) + ";\n";
    }
    return source + "END LOGIC\n";
}

const SettlingLogic kSettlingLogic[] = {
    {"AReconvergentChainOf20000", ReconvergentChain(20000), "L0", "L20000", 4.5},
    {"LateDiamonds5000", LateDiamonds(5000), "T0", "T5000", 3.5},
    {"AnInverterChainOf12000", InverterChain(12000), "I0", "I12000", 2.5},
    {"AReconvergentChainAssignedTwiceOf10002", ReconvergentChainAssignedTwice(10002), "X", "L10001",
     5.5},
};

class DeepLogicWithoutFeedback : public ::testing::TestWithParam<SettlingLogic> {};

TEST_P(DeepLogicWithoutFeedback, SettlesWithoutAskingInTheSolvesTheQueuesGive) {
    const SettlingLogic& logic = GetParam();
    ScenarioPlayer player(logic.source.c_str());
    Controller& controller = player.controller();
    const int statements = controller.engine.prgAssigns->Count();
    long long solves = 0;
    const Subscription counting = controller.engine.prgAssigns->StatementChanged.Subscribe(
        [&](std::string_view, bool) { ++solves; });
    player.Play({{"scan"}});
    solves = 0;

    for (const char* value : {"=1", "=0"}) {
        player.Play({{.actions = logic.input + std::string(value) + " scan",
                      .bits = logic.last + value,
                      .boxes = Lines{}}});
    }
    EXPECT_LE(double(solves), logic.solvesPerStatement * statements);
    EXPECT_TRUE(controller.engine.Running());
}

INSTANTIATE_TEST_SUITE_P(Scan, DeepLogicWithoutFeedback, ::testing::ValuesIn(kSettlingLogic),
                         [](const ::testing::TestParamInfo<SettlingLogic>& info) {
                             return std::string(info.param.name);
                         });

// A statement too long to evaluate is disabled as it trips the runaway guard; queued later,
// it is not solved but gives its last result to each result bit that differs.
TEST(DisabledStatement, GivesItsLastResultToItsResultBits) {
    std::string terms = "A";
    for (int i = 1; i < 1001; ++i) {
        terms += " + A";
    }
    const std::string source = "LOGIC BEGIN\nASSIGN " + terms + " TO RW, X;\nEND LOGIC\n";
    ScenarioPlayer player(source.c_str());
    Controller& controller = player.controller();

    player.Play({{"A=1 scan", "RW=0 X=0"}});
    ASSERT_EQ(controller.window.edited.size(), 1u);
    EXPECT_FALSE(controller.engine.Running());

    player.Play({{"startstop force:X=1", "X=1"},
                 {.actions = "A=0 scan",
                  .bits = "RW=0 X=0",
                  .lines = Lines{"Clearing bit: A", "Clearing bit: X"}}});
}

// A statement that trips the runaway guard stops the simulation, and the drain it was
// solved in is finished all the same: the chain queued behind it takes its values.
TEST(DisabledStatement, TheDrainItTrippedInIsFinished) {
    constexpr int kChain = 20;
    std::string terms = "A";
    for (int i = 1; i < 1001; ++i) {
        terms += " + A";
    }
    // Each link reads the one before it through both contacts, so that its rise queues
    // break work; the links are queued last first, so that most are solved twice.
    std::string source = "LOGIC BEGIN\nASSIGN " + terms + " TO RW;\n";
    for (int i = kChain; i >= 1; --i) {
        const std::string before = i == 1 ? "A" : "B" + std::to_string(i - 1);
        source += "ASSIGN " + before + " + " + before + " * ~" + before + " TO B" +
                  std::to_string(i) + ";\n";
    }
    source += "END LOGIC\n";
    ScenarioPlayer player(source.c_str());
    Controller& controller = player.controller();
    // Stopped, the window's own slots are blanked as the entries move to its text.
    LoggedLines logged(controller);

    Lines lines{"Setting bit: A"};
    std::string bits = "RW=0";
    for (int i = 1; i <= kChain; ++i) {
        lines.push_back("Setting bit: B" + std::to_string(i));
        bits += " B" + std::to_string(i) + "=1";
    }
    player.Play({{.actions = "A=1 scan", .bits = bits}});
    EXPECT_EQ(logged.lines, lines);
    ASSERT_EQ(controller.window.edited.size(), 1u);
    EXPECT_FALSE(controller.engine.Running());
}

// A drain that the runaway guard stopped but that oscillates is finished only as far as
// the pass limit; the simulation is stopped already, so nothing is asked.
TEST(DisabledStatement, AnOscillatingDrainItTrippedInEndsAtThePassLimitUnasked) {
    std::string terms = "GO";
    for (int i = 1; i < 1001; ++i) {
        terms += " + GO";
    }
    std::string source = OscillatingRing(3);
    source.insert(source.find("LOGIC BEGIN\n") + 12, "ASSIGN " + terms + " TO RW;\n");
    ScenarioPlayer player(source.c_str());
    Controller& controller = player.controller();
    const int yieldsBefore = controller.window.yields;
    const PassLengthGuard guard(controller, 64);

    player.Play({{.actions = "GO=1 scan", .boxes = Lines{}}});

    EXPECT_EQ(controller.window.edited.size(), 1u);
    EXPECT_FALSE(controller.engine.Running());
    EXPECT_FALSE(controller.engine.Solving());
    EXPECT_FALSE(controller.engine.SolvingLampLit());
    EXPECT_EQ(controller.window.yields - yieldsBefore, ProgramEngine::kPassLimit + 1);
    EXPECT_FALSE(guard.cutShort) << "a pass wrote " << guard.longest << " lines";
}

// A chain whose links are queued up to three times while it settles: by the input every link
// reads, by the link before it, and by the chain's last link, which every link reads too.
// Each change is solved and written in the order the queues give, whatever the chain's
// length, rising (make work) and falling (break work).
TEST(LongChain, SettlesInQueueOrderWhenItsLinksAreQueuedAgain) {
    constexpr int kLinks = 200;
    const auto link = [](int i) { return "B" + std::to_string(i); };
    const std::string last = link(kLinks);
    std::string source = "BOOLEAN BITS GO;\nLOGIC BEGIN\n";
    for (int i = kLinks; i >= 1; --i) {
        const std::string before = i == 1 ? "A" : link(i - 1);
        source += "ASSIGN " + before + " * A + " + before + " * " + last + " TO " + link(i) + ";\n";
    }
    source += "END LOGIC\n";
    ScenarioPlayer player(source.c_str());
    Controller& controller = player.controller();
    LoggedLines logged(controller);
    player.Play({{"GO=1 scan"}});

    for (const bool rise : {true, false}) {
        SCOPED_TRACE(rise ? "rising" : "falling");
        Lines lines{std::string(rise ? "Setting" : "Clearing") + " bit: A"};
        Lines solved;
        std::string bits;
        for (int i = kLinks; i >= 1; --i) {
            solved.push_back(link(i));
        }
        for (int i = 2; i <= kLinks; ++i) {
            solved.push_back(link(i));
        }
        // The last link is still queued as it changes: its readers but itself come again.
        for (int i = kLinks - 1; i >= 1; --i) {
            solved.push_back(link(i));
        }
        for (int i = 1; i <= kLinks; ++i) {
            lines.push_back(std::string(rise ? "Setting" : "Clearing") + " bit: " + link(i));
            bits += " " + link(i) + (rise ? "=1" : "=0");
        }
        logged.lines.clear();
        player.Play({{.actions = rise ? "A=1 scan" : "A=0 scan",
                      .bits = bits,
                      .solved = solved,
                      .boxes = Lines{}}});
        EXPECT_EQ(logged.lines, lines);
    }
}

TEST(TimerCount, FollowsTheRunningTimers) {
    ScenarioPlayer player(kTimers[0].source);
    std::vector<int> counts;
    for (const char* actions : {"IN=1 scan", "service*2", "service"}) {
        player.Play({{actions}});
        counts.push_back(player.controller().engine.TimerCount());
    }
    EXPECT_EQ(counts, (std::vector<int>{1, 1, 0}));
}

}  // namespace
}  // namespace veldra::testing
