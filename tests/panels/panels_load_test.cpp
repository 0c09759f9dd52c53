#include <gtest/gtest.h>

#include "engine/engine_fixture.h"
#include "panels/ases_panel.h"
#include "panels/in_out_board_panel.h"
#include "panels/io_board_panel.h"
#include "panels/lamp16_panel.h"
#include "panels/mx_lamp_panel.h"
#include "panels/panel_set.h"
#include "panels/serial_port_panel.h"
#include "panels/toggle_panel.h"
#include "panels/track_panel.h"

namespace veldra::testing {
namespace {

// Each kind of board window, filled as the loader fills it, bound by load completion, and
// driven through a scan: what the user does on the window reaches the statements, and
// what the statements write comes back to the window.
class PanelsLoadTest : public EngineTest {
protected:
    // Load completion, then a start that does not queue every statement.
    void FinishAndStart() {
        engine.LoadFinished(windows.Windows());
        platform.Answer(MsgAnswer::No);  // "SET CPS.STATUS?"
        Start();
    }
    void AddStatement(const std::string& text) { engine.prgAssigns->Add(text); }
    BoardPanel* WindowOf(const std::string& name) { return Bits().Find(name)->FormIndex(); }

    PanelSet windows{engine.IOBits};
};

TEST_F(PanelsLoadTest, AnInputBoardClickDrivesAnOutputBoardLamp) {
    IOBoardPanel& inputs = windows.NewIOBoardWindow();
    inputs.SetMyBoard(std::make_unique<IOBoard>());
    inputs.MyBoard()->SetBoardName("IN1");
    inputs.MyBoard()->SetBoardType("IN16");
    inputs.MyBoard()->SetBoardInput(std::make_unique<BoardInput>());
    inputs.MyBoard()->BoardInput()->BoardInputs().Add("TR1", false);
    IOBoardPanel& outputs = windows.NewIOBoardWindow();
    outputs.SetMyBoard(std::make_unique<IOBoard>());
    outputs.MyBoard()->SetBoardName("OUT1");
    outputs.MyBoard()->SetBoardType("OUT16");
    outputs.MyBoard()->SetBoardOutput(std::make_unique<BoardOutput>());
    outputs.MyBoard()->BoardOutput()->BoardOutputs().Add("SPARE", false);
    outputs.MyBoard()->BoardOutput()->BoardOutputs().Add("S1", false);
    AddStatement("ASSIGN TR1 TO S1;");
    FinishAndStart();
    EXPECT_EQ(WindowOf("TR1"), &inputs);
    EXPECT_EQ(WindowOf("S1"), &outputs);
    EXPECT_EQ(WindowOf("OUT1.ENABLED"), &outputs);
    EXPECT_EQ(Bits().Find("SPARE"), nullptr);

    inputs.Click(0);
    Tick();

    EXPECT_TRUE(Value("S1"));
    EXPECT_EQ(outputs.Rows()[1].lamp, LampImage::Lit);
    EXPECT_EQ(inputs.Rows()[0].lamp, LampImage::Lit);
}

TEST_F(PanelsLoadTest, AMixedBoardsInputDrivesItsOwnOutput) {
    InOutBoardPanel& panel = windows.NewInOutBoardWindow();
    panel.SetMyBoard(std::make_unique<IOBoard>());
    panel.MyBoard()->SetBoardName("M1");
    panel.MyBoard()->SetBoardInput(std::make_unique<BoardInput>());
    panel.MyBoard()->SetBoardOutput(std::make_unique<BoardOutput>());
    panel.MyBoard()->BoardOutput()->BoardOutputs().Add("O1", false);
    panel.MyBoard()->BoardInput()->BoardInputs().Add("I1", false);
    AddStatement("ASSIGN ~I1 TO O1;");
    FinishAndStart();
    EXPECT_EQ(WindowOf("I1"), &panel);
    EXPECT_EQ(WindowOf("O1"), &panel);

    panel.ClickInput(0);
    Tick();
    panel.ClickInput(0);
    Tick();

    EXPECT_TRUE(Value("O1"));
    EXPECT_EQ(panel.OutputRows()[0].lamp, LampImage::Lit);
}

TEST_F(PanelsLoadTest, AnLedBoardsLampGoodBitsReachTheLogicAtTheFirstScan) {
    Lamp16Panel& panel = windows.NewLampWindow();
    panel.SetMyBoard(std::make_unique<Lamp16>());
    panel.MyBoard()->SetBoardName("L1");
    panel.MyBoard()->SetLED(true);
    panel.MyBoard()->Lamp()->Lamps().Add(false, false, "R1", "R1GD", "25", false, false);
    AddStatement("ASSIGN R1GD TO R1;");
    FinishAndStart();
    EXPECT_EQ(WindowOf("R1GD"), &panel);

    Tick();
    EXPECT_EQ(panel.Rows()[0].label.lamp, LampImage::Lit);
    panel.ClickBox(0);
    Tick();
    EXPECT_FALSE(Value("R1"));
    EXPECT_EQ(panel.Rows()[0].label.lamp, LampImage::Dark);
}

TEST_F(PanelsLoadTest, ACodedTrackWindowsCodesAndEnabledBitsReachTheLogic) {
    TrackPanel& panel = windows.NewTrackWindow();
    panel.SetMyBoard(std::make_unique<TrackBoard>());
    panel.MyBoard()->SetBoardName("T1");
    panel.MyBoard()->SetBoardType("ECODE.TRACK");
    panel.MyBoard()->TrackA()->SetAdjustable(true);
    AddStatement("ASSIGN T1.TRACKA.CODE.1.IN * T1.TRACKA.ENABLED TO T1.TRACKB.CODE.2.OUT;");
    FinishAndStart();
    EXPECT_EQ(WindowOf("T1.TRACKA.CODE.1.IN"), &panel);
    EXPECT_EQ(WindowOf("T1.ENABLED"), &panel);

    panel.ClickEndEnabled(TrackSide::A);
    panel.MyBoard()->TrackA()->InCode().Codes().Item(1)->SetCodeValue(true);
    engine.TrackBits.Add(panel.PendingBits());
    engine.UpdateTrack = true;
    Tick();

    EXPECT_TRUE(Value("T1.TRACKB.CODE.2.OUT"));
    EXPECT_TRUE(panel.OutCodesChanged);
    EXPECT_EQ(panel.End(TrackSide::B).transmitted, "2.OUT");
}

TEST_F(PanelsLoadTest, ASignalHeadsInputLightsAnAspectUntilItsLampIsOut) {
    MXLampPanel& panel = windows.NewMXLampWindow();
    panel.SetMyBoard(std::make_unique<MXLamp>());
    panel.MyBoard()->SetBoardName("H1");
    panel.MyBoard()->SetInput1Name("CALL");
    panel.MyBoard()->Head1()->SetEnabled(true);
    panel.MyBoard()->Head1()->Aspect().Aspects().Add("R", false, "RLO", false);
    AddStatement("ASSIGN CALL * ~RLO TO R;");
    FinishAndStart();
    EXPECT_EQ(WindowOf("H1.HEAD1.ENABLED"), &panel);
    EXPECT_EQ(WindowOf("RLO"), &panel);

    panel.ClickInput(1);
    Tick();
    EXPECT_EQ(panel.Head(1).rows[0].label.lamp, LampImage::Lit);
    panel.ClickLightOut(1, 0);
    Tick();
    EXPECT_FALSE(Value("R"));
    EXPECT_EQ(panel.Head(1).rows[0].label.lamp, LampImage::Dark);
}

TEST_F(PanelsLoadTest, AnEncoderChannelEnabledAtLoadActivatesItsControlBit) {
    ASESPanel& panel = windows.NewASESWindow();
    panel.SetMyBoard(std::make_unique<ASES>());
    panel.MyBoard()->SetBoardName("E1");
    panel.MyBoard()->Channel().Channels().Item(1).Enabled = true;
    panel.MyBoard()->ControlBit().ControlBits().Add("SEND1", false, 1);
    AddStatement("ASSIGN E1.CHANNEL1ENABLE TO SEND1;");
    FinishAndStart();
    EXPECT_EQ(WindowOf("SEND1"), &panel);

    Tick();
    EXPECT_EQ(panel.ChannelList(1), (std::vector<std::string>{"SEND1"}));
}

TEST_F(PanelsLoadTest, AToggleBitsCellFollowsTheStatementThatSetsIt) {
    windows.ToggleWindow().AddBits("TG1", "GROUP");
    AddStatement("ASSIGN X TO TG1;");
    FinishAndStart();
    EXPECT_EQ(WindowOf("TG1"), &windows.ToggleWindow());

    Input("X", true);
    Tick();
    EXPECT_EQ(windows.ToggleWindow().Cells()[1][0].picture, LampImage::Lit);
}

TEST_F(PanelsLoadTest, ASerialStationsInBitDrivesAnOutBitTheLinkHears) {
    SerialPortPanel& panel = windows.NewSerialPortWindow();
    panel.SetMyBoard(std::make_unique<SerialPort>());
    panel.MyBoard()->SetPortName("WD");
    panel.MyBoard()->SerialInBit()->SerialInBits().Add("SI1", false);
    panel.MyBoard()->SerialOutBit()->SerialOutBits().Add("SO1", false);
    AddStatement("ASSIGN SI1 TO SO1;");
    FinishAndStart();
    EXPECT_EQ(WindowOf("WD.ENABLED"), &panel);
    int heard = 0;
    Subscription link = panel.OutBitChanged.Subscribe([&](std::string_view, bool) { ++heard; });

    panel.ClickIn(0);
    Tick();

    EXPECT_TRUE(panel.MyBoard()->SerialOutBit()->SerialOutBits().Item("SO1")->BitValue());
    EXPECT_EQ(heard, 1);
}

}  // namespace
}  // namespace veldra::testing
