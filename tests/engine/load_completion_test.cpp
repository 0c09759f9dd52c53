#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "engine/engine_fixture.h"
#include "panels/io_board_panel.h"

namespace veldra::testing {
namespace {

// A board window that reports the bits given, in order.
class ReportingBoard final : public BoardPanel {
public:
    ReportingBoard(std::string caption, std::vector<std::string> bits)
        : caption_(std::move(caption)), bits_(std::move(bits)) {}
    std::string Name() const override { return "frmIOBoard"; }
    std::string Caption() const override { return caption_; }
    int BitCount() const override { return int(bits_.size()); }
    std::string GetSystemBit(int Index) const override { return bits_[std::size_t(Index - 1)]; }
    void CreateimgIndic() override { ++images; }
    void UpdateIndicators() override { ++drawn; }
    int images = 0;
    int drawn = 0;

private:
    std::string caption_;
    std::vector<std::string> bits_;
};

using LoadCompletionTest = EngineTest;

TEST_F(LoadCompletionTest, BoardBitsBindToTheOldestWindowThatReportsThem) {
    Bits().Add("DECLARED", true, false, 500, 0);
    ReportingBoard first("Board 1", {"IN1", "SPARE", "", "DECLARED"});
    ReportingBoard second("Board 2", {"IN1", "IN2", "Spare"});

    engine.LoadFinished({&first, &second});

    EXPECT_EQ(Bits().Find("IN1")->FormIndex(), &first);
    EXPECT_EQ(Bits().Find("IN2")->FormIndex(), &second);
    // Only the exact "SPARE" is skipped.
    ASSERT_NE(Bits().Find("Spare"), nullptr);
    EXPECT_EQ(Bits().Find("Spare")->BitName(), "Spare");
    const BooleanBit& declared = *Bits().Find("DECLARED");
    EXPECT_EQ((std::vector<int>{declared.IsFormBit(), declared.BitValue(), declared.OnTime(),
                                first.images, second.drawn}),
              (std::vector<int>{1, 1, 500, 1, 1}));
}

TEST_F(LoadCompletionTest, BitsAreCreatedInTheOrderThatFixesTheGridRows) {
    Bits().Add("A", false);
    ReportingBoard older("Board 1", {"OLD"});
    ReportingBoard newer("Board 2", {"NEW"});
    engine.prgUserBits.Add("UB", 1);
    Table& table = *engine.prgTables.Add(1);
    table.TriggerList().Add("TTRIG");
    table.Layout().Inputs().Add("TIN", 0, false);
    table.Layout().Outputs().Add("TOUT", 0, false);
    engine.prgNumBlks = std::make_unique<clsNumericBlocks>();
    engine.prgNumBlks->Add(1)->TriggerList().Add("NTRIG");
    engine.prgAssigns->Add("ASSIGN OP TO RES;");

    engine.LoadFinished({&older, &newer});

    std::vector<std::string> order;
    for (const BooleanBit& bit : Bits()) {
        order.push_back(bit.BitName());
    }
    EXPECT_EQ(order,
              (std::vector<std::string>{"A", "NEW", "OLD", "LED.1", "LED.2", "LED.3", "LED.4",
                                        "LED.5", "LED.6", "LED.7", "LED.8", "UB", "TTRIG", "TIN",
                                        "TOUT", "NTRIG", "CPS.STATUS", "RES", "OP"}));
    EXPECT_EQ(engine.Lists().statusRows.Strings(), order);
    EXPECT_EQ(Bits().Find("OP")->vIndex(), 18);
}

// An I/O board window with the inputs and outputs given, as the loader builds one.
void GiveBoard(IOBoardPanel& panel, const std::string& name, const std::vector<std::string>& inputs,
               const std::vector<std::string>& outputs) {
    panel.SetMyBoard(std::make_unique<IOBoard>());
    IOBoard& board = *panel.MyBoard();
    board.SetBoardName(name);
    board.SetBoardInput(std::make_unique<BoardInput>());
    board.SetBoardOutput(std::make_unique<BoardOutput>());
    for (const std::string& input : inputs) {
        board.BoardInput()->BoardInputs().Add(input, false);
    }
    for (const std::string& output : outputs) {
        board.BoardOutput()->BoardOutputs().Add(output, false);
    }
}

std::vector<bool> OutputStates(IOBoardPanel& panel) {
    std::vector<bool> states;
    const BoardOutputs& outputs = panel.MyBoard()->BoardOutput()->BoardOutputs();
    for (int i = 1; i <= outputs.Count(); ++i) {
        states.push_back(outputs.Item(i)->OutputState);
    }
    return states;
}

TEST_F(LoadCompletionTest, ABoardBitChangedByTheLogicLightsItsRowOnItsOwnWindow) {
    IOBoardPanel first{engine.InputQueue()};
    IOBoardPanel second{engine.InputQueue()};
    GiveBoard(first, "B1", {"X1"}, {"A1", "SPARE", "A2"});
    GiveBoard(second, "B2", {"X2", "X3"}, {"C1", "C2"});
    engine.prgAssigns->Add("ASSIGN IN TO A2, C1;");
    engine.prgAssigns->Add("ASSIGN ~IN TO X3;");  // an input row the logic drives
    engine.LoadFinished({&first, &second});

    platform.Answer(MsgAnswer::No);  // CPS.STATUS stays clear
    Start();
    Input("IN", true);
    Tick();
    EXPECT_EQ(OutputStates(first), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(OutputStates(second), (std::vector<bool>{true, false}));

    // A row added to the board after the binding moves the rows behind it: the window
    // still finds each bit by its name.
    second.MyBoard()->BoardInput()->BoardInputs().Add("X4", false);
    Input("IN", false);
    Tick();
    EXPECT_EQ(OutputStates(first), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(OutputStates(second), (std::vector<bool>{false, false}));
    EXPECT_TRUE(second.MyBoard()->BoardInput()->BoardInputs().Item("X3")->InputState);
}

TEST_F(LoadCompletionTest, ABoardBitBoundToAnotherWindowAfterTheLoadLightsItsRowThere) {
    IOBoardPanel first{engine.InputQueue()};
    IOBoardPanel second{engine.InputQueue()};
    GiveBoard(first, "B1", {}, {"A1", "A2"});
    GiveBoard(second, "B2", {}, {"C1", "A2"});
    engine.prgAssigns->Add("ASSIGN IN TO A2;");
    engine.LoadFinished({&first, &second});
    platform.Answer(MsgAnswer::No);  // CPS.STATUS stays clear
    Start();
    Input("IN", true);
    Tick();
    ASSERT_EQ(OutputStates(first), (std::vector<bool>{false, true}));

    Bits().Find("A2")->SetFormIndex(&second, 2);
    Input("IN", false);
    Tick();
    Input("IN", true);
    Tick();
    EXPECT_EQ(OutputStates(first), (std::vector<bool>{false, true}));  // left as it was
    EXPECT_EQ(OutputStates(second), (std::vector<bool>{false, true}));
}

// The "Enabled" box of a board enabled in its source posts the board's bit as the window is
// drawn at load; clicks before the first start change what is posted, not what is queued.
struct EnabledBeforeStart {
    int clicks;
    bool watched;  // a watched bit takes its own way, with its message
    bool expected;
};

class EnabledBoxBeforeTheFirstStart : public EngineTest,
                                      public ::testing::WithParamInterface<EnabledBeforeStart> {};

TEST_P(EnabledBoxBeforeTheFirstStart, ReachesTheLogicOnceWithItsLastValue) {
    IOBoardPanel panel{engine.InputQueue()};
    GiveBoard(panel, "B1", {"X1"}, {"Y1"});
    panel.MyBoard()->SetEnabled(true);
    panel.MyBoard()->SetAdjustable(true);
    engine.prgAssigns->Add("ASSIGN B1.ENABLED TO LIT;");
    engine.LoadFinished({&panel});
    ASSERT_TRUE(panel.EnabledBox().ticked);
    for (int i = 0; i < GetParam().clicks; ++i) {
        panel.ClickEnabled();
    }
    if (GetParam().watched) {
        Bits().Find("B1.ENABLED")->SetIsWatch(true);
    }

    platform.Answer(MsgAnswer::No);  // CPS.STATUS stays clear
    if (GetParam().watched) {
        platform.Answer(MsgAnswer::Ok);
    }
    engine.StartStop();
    Tick();

    const bool expected = GetParam().expected;
    EXPECT_EQ(Value("B1.ENABLED"), expected);
    EXPECT_EQ(Value("LIT"), expected);
    EXPECT_EQ(driver.PendingCount(), 0);
    std::vector<std::string> enabledLines;
    for (const std::string& line : StatusLines()) {
        if (line.find("B1.ENABLED") != std::string::npos) {
            enabledLines.push_back(line);
        }
    }
    EXPECT_EQ(enabledLines.size(), expected ? 1u : 0u);
    const auto watchBoxes =
        std::count_if(platform.boxes().begin(), platform.boxes().end(),
                      [](const MsgBoxRequest& box) { return box.title == "Bit Watch"; });
    EXPECT_EQ(watchBoxes, GetParam().watched && expected ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Clicks, EnabledBoxBeforeTheFirstStart,
                         ::testing::Values(EnabledBeforeStart{0, false, true},
                                           EnabledBeforeStart{1, false, false},
                                           EnabledBeforeStart{2, false, true},
                                           EnabledBeforeStart{0, true, true}));

// An input aimed at its bit as the boards were bound is found by name again once a bit has
// left the program since.
TEST_F(LoadCompletionTest, AnEnabledBoxPostedBeforeABitLeftStillReachesItsBit) {
    IOBoardPanel panel{engine.InputQueue()};
    GiveBoard(panel, "B1", {"X1"}, {"Y1"});
    panel.MyBoard()->SetEnabled(true);
    engine.prgAssigns->Add("ASSIGN B1.ENABLED TO LIT;");
    Bit("GONE");
    engine.LoadFinished({&panel});
    Bits().Remove("GONE");
    engine.MapBits();

    platform.Answer(MsgAnswer::No);
    engine.StartStop();
    Tick();

    EXPECT_TRUE(Value("B1.ENABLED"));
    EXPECT_TRUE(Value("LIT"));
}

// Between the binding and the first start a board's rows may move and bits may come and
// go: the first start still shows every bit on its own row, found by name where the rows
// are no longer as they were bound.
struct BetweenBindingAndStart {
    const char* name;
    std::function<void(BooleanBits& bits, IOBoardPanel& first, IOBoardPanel& second)> change;
    std::vector<bool> first;   // the first board's outputs after the first start
    std::vector<bool> second;  // the second board's
};

class FirstStartAfterChanges : public LoadCompletionTest,
                               public ::testing::WithParamInterface<BetweenBindingAndStart> {};

TEST_P(FirstStartAfterChanges, ShowsEveryBoardBitOnItsOwnRow) {
    IOBoardPanel first{engine.InputQueue()};
    IOBoardPanel second{engine.InputQueue()};
    GiveBoard(first, "B1", {"X1"}, {"A1", "SPARE", "A2"});
    GiveBoard(second, "B2", {"X2", "X3"}, {"C1", "C2"});
    first.MyBoard()->SetEnabled(true);
    engine.prgAssigns->Add("ASSIGN IN * B1.ENABLED TO A2, C1;");
    engine.prgAssigns->Add("ASSIGN ~IN TO X3;");
    engine.prgAssigns->Add("ASSIGN ~IN TO C2;");
    Bit("GONE");
    engine.LoadFinished({&first, &second});
    GetParam().change(Bits(), first, second);
    engine.MapBits();

    platform.Answer(MsgAnswer::No);  // CPS.STATUS stays clear
    engine.StartStop();
    Input("IN", true);
    Tick();

    EXPECT_EQ(OutputStates(first), GetParam().first);
    EXPECT_EQ(OutputStates(second), GetParam().second);
    EXPECT_FALSE(second.MyBoard()->BoardInput()->BoardInputs().Item("X3")->InputState);
    EXPECT_TRUE(first.EnabledBox().ticked);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, FirstStartAfterChanges,
    ::testing::Values(
        BetweenBindingAndStart{"None",
                               [](BooleanBits&, IOBoardPanel&, IOBoardPanel&) {},
                               {false, false, true},
                               {true, false}},
        BetweenBindingAndStart{"AnInputRowAdded",
                               [](BooleanBits&, IOBoardPanel&, IOBoardPanel& second) {
                                   second.MyBoard()->BoardInput()->BoardInputs().Add("X4", false);
                               },
                               {false, false, true},
                               {true, false}},
        BetweenBindingAndStart{"AnOutputRowAdded",
                               [](BooleanBits&, IOBoardPanel& first, IOBoardPanel&) {
                                   first.MyBoard()->BoardOutput()->BoardOutputs().Add("A3", false);
                               },
                               {false, false, true, false},
                               {true, false}},
        BetweenBindingAndStart{"TheOutputsGivenAgainInAnotherOrder",
                               [](BooleanBits&, IOBoardPanel&, IOBoardPanel& second) {
                                   auto outputs = std::make_unique<BoardOutput>();
                                   outputs->BoardOutputs().Add("C2", false);
                                   outputs->BoardOutputs().Add("C1", false);
                                   second.MyBoard()->SetBoardOutput(std::move(outputs));
                               },
                               {false, false, true},
                               {false, true}},
        BetweenBindingAndStart{"ABitRemovedAndAnotherAdded",
                               [](BooleanBits& bits, IOBoardPanel&, IOBoardPanel&) {
                                   bits.Remove("GONE");
                                   bits.Add("NEW", true);
                               },
                               {false, false, true},
                               {true, false}}),
    [](const ::testing::TestParamInfo<BetweenBindingAndStart>& info) {
        return std::string(info.param.name);
    });

// Triggers, and the bits that tables and statements solve with, show in the scenarios.
TEST_F(LoadCompletionTest, EveryResultIsAssignedAndEveryBitKnowsTheStatementsItFeeds) {
    engine.prgNumBlks = std::make_unique<clsNumericBlocks>();
    engine.prgNumBlks->Add(1)->LogicStatments().Add("ASSIGN SPEED>5 TO FAST;", "", true);
    engine.prgAssigns->Add("ASSIGN A*~B TO X, Y;");

    engine.LoadFinished({});

    EXPECT_TRUE(Bits().Find("Y")->IsAssigned());
    EXPECT_EQ(Bits().Find("A")->Rung(), engine.prgAssigns.get());
    // Numeric-block statements' own names are not created.
    EXPECT_EQ(Bits().Find("FAST"), nullptr);
}

TEST_F(LoadCompletionTest, UserBitsAndNumericsJoinTheBits) {
    Bits().Add("TAKEN", false);
    engine.prgUserBits.Add("UB1", 1);
    engine.prgUserBits.Add("TAKEN", 1);
    engine.prgUserBits.Add("UN1", 42, true);
    Bits().Add("TAKENNUM", false);
    engine.prgUserBits.Add("TAKENNUM", 7, true);

    engine.LoadFinished({});

    EXPECT_TRUE(Bits().Find("UB1")->BitValue());
    EXPECT_FALSE(Bits().Find("TAKEN")->BitValue());
    EXPECT_EQ(engine.Lists().userBits, (std::vector<std::string>{"UB1", "TAKEN"}));
    EXPECT_EQ(engine.Lists().userNumerics, (std::vector<std::string>{"UN1 = 42", "TAKENNUM = 7"}));
    // A user numeric named like an existing bit makes that bit numeric.
    EXPECT_EQ(engine.Lists().numericBits, (std::vector<std::string>{"TAKENNUM = 7", "UN1 = 42"}));
}

TEST_F(LoadCompletionTest, MappingAgainRebuildsTheListsInsteadOfAddingToThem) {
    TimerBit("T1", 100, 0);
    engine.prgUserBits.Add("UB1", 0);
    engine.prgAssigns->Add("ASSIGN A TO T1;");
    engine.LoadFinished({});

    engine.MapBits();

    EXPECT_EQ(engine.Lists().timerBits, (std::vector<std::string>{"T1"}));
    EXPECT_EQ(engine.Lists().userBits, (std::vector<std::string>{"UB1"}));
}

TEST_F(LoadCompletionTest, TheProgressWindowTellsEachStage) {
    ReportingBoard board("Board 1", {"IN1"});
    engine.prgTables.Add(1);

    engine.LoadFinished({&board});

    EXPECT_EQ(platform.loadingStatus,
              (std::vector<std::string>{"Finding IO...", "Creating Board Images For Board 1",
                                        "Searching for Unkown BitNames....",
                                        "Searching for Unkown BitNames....", "Mapping Bits....",
                                        "Building Displays...."}));
}

TEST_F(LoadCompletionTest, AStatementThatLostItsOperandsIsMappedWithoutABitForTheEmptyName) {
    // "Unable to locate keyword 'TO'" twice, then the text too short to hold "ASSIGN".
    platform.Answer(MsgAnswer::No).Answer(MsgAnswer::No).Answer(MsgAnswer::No);
    engine.prgAssigns->Add("X;");
    engine.prgAssigns->Add("ASSIGN A TO B;");

    engine.LoadFinished({});

    EXPECT_EQ(Bits().Find(""), nullptr);
}

TEST_F(LoadCompletionTest, MappingAgainAfterAStatementWasRemovedForgetsIt) {
    engine.prgAssigns->Add("ASSIGN IN TO FREE;");
    engine.prgAssigns->Add("ASSIGN FREE TO OUT;");
    engine.LoadFinished({});
    Bit("CPS.STATUS", true);
    Start();
    // Queued before the edit, solved after it.
    Input("IN", true);
    engine.StartStop();
    driver.SetStatementsQueued(false);
    engine.StartStop();
    engine.StartStop();

    engine.prgAssigns->Remove("FREE");
    engine.MapBits();  // without emptying the statement maps first

    EXPECT_FALSE(Bits().Find("FREE")->IsAssigned());
    engine.StartStop();
    Input("FREE", true);
    Tick();
    EXPECT_TRUE(Value("OUT"));
}

TEST_F(LoadCompletionTest, MappingWithoutStatementsEndsTheApplication) {
    engine.prgAssigns.reset();
    platform.Answer(MsgAnswer::Ok);

    engine.MapBits();

    EXPECT_EQ(platform.boxes().at(0).prompt, "Load Failed");
    EXPECT_EQ(platform.boxes().at(0).title, "Invalid File");
    EXPECT_TRUE(platform.ended());
}

TEST_F(LoadCompletionTest, TheProgramWindowIsTheBoardOfTheCpuLights) {
    Bits().Add("LED.3", true);
    engine.prgAssigns->Add("ASSIGN IN TO LED.3;");
    engine.LoadFinished({});
    CpuBoard& cpu = engine.Cpu();

    EXPECT_EQ(Bits().Find("LED.3")->FormIndex(), &cpu);
    EXPECT_TRUE(Bits().Find("LED.3")->IsFormBit());
    cpu.UpdateIndicators();
    EXPECT_TRUE(cpu.Lit(3));
    EXPECT_FALSE(cpu.Lit(1));
    EXPECT_EQ(cpu.GetSystemBit(9), "LED.9");

    cpu.UpdateOutput("LED.3", false);
    EXPECT_FALSE(cpu.Lit(3));
    cpu.UpdateOutput("LED.0", true);
    cpu.UpdateOutput("LED.X", true);
    for (int led = 1; led <= 8; ++led) {
        EXPECT_FALSE(cpu.Lit(led));
    }
}

}  // namespace
}  // namespace veldra::testing
