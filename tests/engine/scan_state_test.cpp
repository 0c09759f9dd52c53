// What the scan keeps of statements and bits beside them (whether a statement may be solved
// from the bits' values alone, its last result, a bit's delays and flags) follows every
// change made after the bits were mapped: the next scan behaves as if it read the objects.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "platform/board_panel.h"

namespace veldra::testing {
namespace {

// Nobody hears the statements' solves, as in a program without the statements window
// open: the scan solves from its own arrays wherever it can.
class ScanStateTest : public EngineTest {
public:
    ScanStateTest() { solvedWatch.Cancel(); }

    using EngineTest::Bit;
    using EngineTest::Bits;
    using EngineTest::driver;
    using EngineTest::engine;
    using EngineTest::Input;
    using EngineTest::platform;
    using EngineTest::Value;

    bool Shown(const std::string& line) {
        const std::vector<std::string> lines = StatusLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    bool BoxTitled(const std::string& title) {
        return std::any_of(platform.boxes().begin(), platform.boxes().end(),
                           [&](const MsgBoxRequest& box) { return box.title == title; });
    }

    // What listeners gained during a case heard: value, or status row and value.
    std::vector<std::vector<int>> heard;
    Subscription listening;
};

TEST_F(ScanStateTest, AStatementEditedAfterTheMappingSolvesFromItsNewText) {
    Statement& statement = Assign("IN", "OUT");
    Start();
    Input("IN", true);
    Tick();
    ASSERT_TRUE(Value("OUT"));
    ASSERT_TRUE(statement.SetStrStatement("ASSIGN ~IN TO OUT;"));
    Input("IN", false);
    Tick();
    EXPECT_TRUE(Value("OUT"));
    Input("IN", true);
    Tick();
    EXPECT_FALSE(Value("OUT"));
}

TEST_F(ScanStateTest, AListenerGainedAfterTheMappingHearsASolveThatChangesNothing) {
    Statement& statement = Assign("A + B", "OUT");
    Start();
    Input("A", true);
    Tick();
    ASSERT_TRUE(Value("OUT"));
    std::vector<bool> heard;
    Subscription watch = statement.StatementChanged().Subscribe(
        [&](bool result, std::string_view) { heard.push_back(result); });
    Input("B", true);
    Tick();
    EXPECT_EQ(heard, std::vector<bool>{true});
}

TEST_F(ScanStateTest, AGroupListenerGainedAfterTheMappingHearsTheNextSolve) {
    Statement& statement = Assign("~(A * B) * C", "OUT");
    Start();
    std::vector<std::string> groups;
    Subscription watch = statement.GroupChanged().Subscribe(
        [&](std::string_view group, bool) { groups.emplace_back(group); });
    Input("A", true);
    Tick();
    EXPECT_FALSE(groups.empty());
}

TEST_F(ScanStateTest, TheStatementsCollectionGainingAListenerHearsEverySolve) {
    Assign("IN", "OUT");
    Assign("IN", "OTHER");
    Start();
    std::vector<std::string> keys;
    Subscription watch = engine.prgAssigns->StatementChanged.Subscribe(
        [&](std::string_view key, bool) { keys.emplace_back(key); });
    Input("IN", true);
    Tick();
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<std::string>{"OTHER", "OUT"}));
}

TEST_F(ScanStateTest, AStatementDisabledAfterTheMappingIsNotApplied) {
    Statement& statement = Assign("IN", "OUT");
    Start();
    statement.SetDisable(true);
    Input("IN", true);
    Tick();
    EXPECT_FALSE(Value("OUT"));
    statement.SetDisable(false);
    Input("IN", false);
    Tick();
    Input("IN", true);
    Tick();
    EXPECT_TRUE(Value("OUT"));
}

TEST_F(ScanStateTest, AResultGivenOutsideTheScanIsWhatTheScanComparesWith) {
    Statement& statement = Assign("A", "OUT");
    Assign("OUT", "NEXT");
    Start();
    // As a state load solves a statement: its result moves without its bit.
    Bit("A", true);
    ASSERT_TRUE(statement.Solve());
    Bit("A", false);
    Bit("B");
    engine.AddQue("A");
    Input("B", true);  // nothing reads B; the input only has the tick run
    Tick();
    EXPECT_FALSE(statement.Result());
    EXPECT_FALSE(Value("OUT"));
}

TEST_F(ScanStateTest, EveryStatementReadsTheResultTheScanGaveIt) {
    std::vector<Statement*> chain{&Assign("IN", "S1"), &Assign("S1", "S2"), &Assign("~S2", "S3"),
                                  &Assign("S3 + IN", "S4")};
    Start();
    for (const bool value : {true, false, true}) {
        Input("IN", value);
        Tick();
        for (Statement* statement : chain) {
            const std::string name(statement->ResultBitName(0));
            EXPECT_EQ(statement->Result(), Value(name)) << name << " after IN " << value;
        }
    }
}

TEST_F(ScanStateTest, EveryLineNamesTheBitTheLogicChangedAfterBitsAreAdded) {
    Assign("IN", "OUT1");
    Assign("OUT1", "OUT2");
    Start();
    Input("IN", true);
    Tick();
    for (const char* name : {"NEW1", "NEW2", "NEW3"}) {
        Bit(name);
    }
    Assign("~OUT2", "NEW2");
    engine.MapBits();
    Input("IN", false);
    Tick();
    const std::vector<std::string> lines = StatusLines();
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
              (std::vector<std::string>{"Clearing bit: IN", "Clearing bit: OUT1",
                                        "Clearing bit: OUT2", "Setting bit: NEW2"}));
}

TEST_F(ScanStateTest, ABitNamedKillSetByTheLogicSaysTheUnitWouldHalt) {
    Assign("IN", "KILL");
    Start();
    platform.Answer(MsgAnswer::Ok);
    Input("IN", true);
    Tick();
    EXPECT_TRUE(BoxTitled("Actual Unit Would Halt Execution"));
    EXPECT_TRUE(Value("KILL"));
}

TEST_F(ScanStateTest, StatementsAddedAndRemovedAfterAScanKeepEveryOtherResult) {
    Statement& first = Assign("IN", "S1");
    Assign("S1", "S2");
    Statement& last = Assign("S2", "S3");
    Start();
    Input("IN", true);
    Tick();
    ASSERT_TRUE(last.Result());
    engine.prgAssigns->Remove("S2");
    Statement& added = Assign("~S3", "S5");
    engine.MapBits();
    EXPECT_TRUE(first.Result());
    EXPECT_TRUE(last.Result());
    EXPECT_FALSE(added.Result());
    Input("IN", false);
    Tick();
    EXPECT_FALSE(first.Result());
    EXPECT_FALSE(Value("S1"));
    EXPECT_TRUE(last.Result());  // nothing reads S1 now
}

TEST_F(ScanStateTest, AfterAScanTheGridAndStatementsWindowFollowWhatItSolvedLast) {
    Statement& solvedOne = Assign("IN", "A");
    Statement& other = Assign("OTHER", "B");
    Start();
    Input("IN", true);
    Tick();
    ASSERT_TRUE(Value("A"));
    const int row = Bits().Find("A")->vIndex();
    std::vector<std::string> statementsHeard;
    Subscription statementWatch = engine.prgAssigns->StatementChanged.Subscribe(
        [&](std::string_view key, bool) { statementsHeard.push_back(std::string(key)); });
    listening = Bits().BitChanged.Subscribe([this](std::int32_t row, bool value) {
        heard.push_back({row, value});
    });

    Bits().Find("B")->SetBitValue(true, true);
    Bits().Find("A")->SetBitValue(false, true);
    other.Solve();
    solvedOne.Solve();

    EXPECT_EQ(heard, (std::vector<std::vector<int>>{{row, 0}}));
    EXPECT_EQ(statementsHeard, (std::vector<std::string>{"A"}));
}

// A board bit whose window changes after the mapping, or that joins the program after it,
// is pushed to the window and row it has when it changes.
class RowBoard final : public BoardPanel {
public:
    std::string Name() const override { return "frmIO"; }
    std::string Caption() const override { return "IO Board"; }
    void UpdateOutput(std::string_view BitName, bool BitValue) override {
        UpdateOutputAt(0, BitName, BitValue, 0);
    }
    void UpdateOutputAt(int Index, std::string_view BitName, bool BitValue,
                        std::uint32_t) override {
        shown.push_back(std::to_string(Index) + " " + std::string(BitName) +
                        (BitValue ? " on" : " off"));
    }
    std::vector<std::string> shown;
};

struct PlaceCase {
    const char* name;
    std::function<void(ScanStateTest&, RowBoard& first)> before;  // at the mapping
    std::function<void(ScanStateTest&, RowBoard& first, RowBoard& second)> change;
    std::vector<std::string> first;
    std::vector<std::string> second;
};

class ScanStatePlaceTest : public ScanStateTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(ScanStatePlaceTest, ABoardBitReachesTheRowItHasWhenItChanges) {
    RowBoard first;
    RowBoard second;
    Assign("IN", "OUT");
    Bit("OTHER").SetIsFormBit(true);
    Bit("OTHER").SetFormIndex(&second, 9);
    GetParam().before(*this, first);
    Start();
    GetParam().change(*this, first, second);
    Input("IN", true);
    Tick();
    EXPECT_EQ(first.shown, GetParam().first);
    EXPECT_EQ(second.shown, GetParam().second);
}

void OnBoard(BooleanBit& bit, BoardPanel* window, int row) {
    bit.SetIsFormBit(true);
    bit.SetFormIndex(window, row);
}

INSTANTIATE_TEST_SUITE_P(
    Places, ScanStatePlaceTest,
    ::testing::Values(
        PlaceCase{"AsMapped",
                  [](ScanStateTest& test, RowBoard& first) { OnBoard(test.Bit("OUT"), &first, 3); },
                  [](ScanStateTest&, RowBoard&, RowBoard&) {},
                  {"3 OUT on"},
                  {}},
        PlaceCase{"MovedToAnotherWindow",
                  [](ScanStateTest& test, RowBoard& first) { OnBoard(test.Bit("OUT"), &first, 3); },
                  [](ScanStateTest& test, RowBoard&, RowBoard& second) {
                      test.Bit("OUT").SetFormIndex(&second, 5);
                  },
                  {},
                  {"5 OUT on"}},
        PlaceCase{"TakenOffItsWindow",
                  [](ScanStateTest& test, RowBoard& first) { OnBoard(test.Bit("OUT"), &first, 3); },
                  [](ScanStateTest& test, RowBoard&, RowBoard&) {
                      test.Bit("OUT").SetFormIndex(nullptr);
                  },
                  {},
                  {}},
        PlaceCase{"GivenAWindowAfterTheMapping",
                  [](ScanStateTest&, RowBoard&) {},
                  [](ScanStateTest& test, RowBoard& first, RowBoard&) {
                      OnBoard(test.Bit("OUT"), &first, 2);
                  },
                  {"2 OUT on"},
                  {}},
        PlaceCase{"AddedAfterTheMapping",
                  [](ScanStateTest&, RowBoard&) {},
                  [](ScanStateTest& test, RowBoard& first, RowBoard&) {
                      OnBoard(test.Bit("LATE"), &first, 7);
                      test.Input("LATE", true);
                  },
                  {"7 LATE on"},
                  {}}),
    [](const ::testing::TestParamInfo<PlaceCase>& info) { return std::string(info.param.name); });

// The first start shows every board bit once, the newest bit first, each with the value the
// first scan leaves it: a bit the scan changes keeps its turn among the others.
TEST_F(ScanStateTest, TheFirstStartShowsEveryBoardBitOnceNewestFirst) {
    RowBoard first;
    RowBoard second;
    Assign("IN", "OUT");
    OnBoard(Bit("OUT"), &first, 3);
    OnBoard(Bit("P1"), &second, 1);
    OnBoard(Bit("P2"), &first, 2);
    engine.MapBits();
    engine.StartStop();
    Input("IN", true);
    Tick();
    EXPECT_EQ(first.shown, (std::vector<std::string>{"2 P2 off", "3 OUT on"}));
    EXPECT_EQ(second.shown, (std::vector<std::string>{"1 P1 off"}));

    // Afterwards only what changes is shown.
    Input("IN", false);
    Tick();
    EXPECT_EQ(first.shown, (std::vector<std::string>{"2 P2 off", "3 OUT on", "3 OUT off"}));
    EXPECT_EQ(second.shown.size(), 1u);
}

// A bit's flags changed after the mapping, as the filter and watch lists, the timer page
// and a state load change them.
struct FlagCase {
    const char* name;
    std::function<void(BooleanBit&)> before;  // at the mapping
    std::function<void(ScanStateTest&, BooleanBit&)> change;
    std::function<void(ScanStateTest&)> expect;
};

class ScanStateFlagTest : public ScanStateTest, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(ScanStateFlagTest, ABitFlagSetAfterTheMappingTakesEffectInTheNextScan) {
    Assign("IN", "OUT");
    GetParam().before(Bit("OUT"));
    Start();
    GetParam().change(*this, Bit("OUT"));
    Input("IN", true);
    Tick();
    GetParam().expect(*this);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, ScanStateFlagTest,
    ::testing::Values(
        FlagCase{"Filter", [](BooleanBit&) {},
                 [](ScanStateTest&, BooleanBit& bit) { bit.SetFilter(true); },
                 [](ScanStateTest& test) {
                     EXPECT_TRUE(test.Value("OUT"));
                     EXPECT_FALSE(test.Shown("Setting bit: OUT"));
                 }},
        FlagCase{"Watch", [](BooleanBit&) {},
                 [](ScanStateTest& test, BooleanBit& bit) {
                     bit.SetIsWatch(true);
                     test.platform.Answer(MsgAnswer::Ok);
                 },
                 [](ScanStateTest& test) { EXPECT_TRUE(test.BoxTitled("Bit Watch")); }},
        FlagCase{"SetDelay", [](BooleanBit&) {},
                 [](ScanStateTest&, BooleanBit& bit) { bit.SetOnTime(500); },
                 [](ScanStateTest& test) {
                     EXPECT_FALSE(test.Value("OUT"));  // waits for its delay
                     EXPECT_EQ(test.driver.RunningTimers(), 1);
                 }},
        FlagCase{"NoDelay", [](BooleanBit& bit) { bit.SetOnTime(500); },
                 [](ScanStateTest&, BooleanBit& bit) {
                     bit.SetOnTime(0);
                     bit.SetOffTime(0);
                 },
                 [](ScanStateTest& test) { EXPECT_TRUE(test.Value("OUT")); }},
        FlagCase{"Listener", [](BooleanBit&) {},
                 [](ScanStateTest& test, BooleanBit& bit) {
                     test.listening = bit.BitChanged().Subscribe(
                         [&test](std::int32_t, bool value) { test.heard.push_back({value}); });
                 },
                 [](ScanStateTest& test) {
                     EXPECT_EQ(test.heard, (std::vector<std::vector<int>>{{1}}));
                 }},
        FlagCase{"StatusGrid", [](BooleanBit&) {},
                 [](ScanStateTest& test, BooleanBit&) {
                     test.listening =
                         test.Bits().BitChanged.Subscribe([&test](std::int32_t row, bool value) {
                             test.heard.push_back({row, value});
                         });
                 },
                 [](ScanStateTest& test) {
                     const int row = test.Bits().Find("OUT")->vIndex();
                     ASSERT_FALSE(test.heard.empty());  // the input is heard first
                     EXPECT_EQ(test.heard.back(), (std::vector<int>{row, 1}));
                 }}),
    [](const ::testing::TestParamInfo<FlagCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace veldra::testing
