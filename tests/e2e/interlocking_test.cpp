#include <gtest/gtest.h>

#include <algorithm>

#include "e2e/example_fixture.h"
#include "engine/numeric_editor.h"
#include "panels/ases_panel.h"
#include "panels/mx_lamp_panel.h"

namespace veldra::testing {
namespace {

// Holt Junction, examples/interlocking.ml2: every track circuit clear, P1 detected normal,
// both signals' lamp supplies on, the line signal beyond A clear and the one beyond C at
// stop. Time locking runs 30 s (300 ticks).
class Interlocking : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* input : {"T_C_APP", "T_P1", "T_MAIN", "T_BRANCH", "T_A_APP", "NXT_A_CLR",
                                  "P1_NKR", "S1_PWR_OK", "S2_PWR_OK"}) {
            il.Set(input, true);
        }
        platform.Answer(MsgAnswer::Yes);  // "SET CPS.STATUS?"
        il.Start();
        il.Scan();
        il.NewStatusLines();
    }
    // The point machine runs to the side it is driven to and its detection comes in.
    void PointMachineFollows() {
        const bool reverse = il.Value("P1_RWZ");
        il.Set("P1_NKR", !reverse);
        il.Change("P1_RKR", reverse);
    }
    // The engineer types the measured speed on the numeric page.
    void SpeedMeasured(int kmh) {
        NumericEditor page(il.engine);
        page.Rebuild();
        const auto& lines = page.Lines();
        const auto line = std::find_if(lines.begin(), lines.end(), [](const std::string& text) {
            return text.starts_with("APP_SPEED ");
        });
        ASSERT_NE(line, lines.end());
        page.Choose(int(line - lines.begin()));
        page.SetValueText(std::to_string(kmh));
        page.LeaveValueBox();
    }

    FakePlatform platform;
    Controller il{Example("interlocking.ml2")};
};

TEST_F(Interlocking, LoadsEveryBoardAndStartsWithBothSignalsAtStop) {
    ASSERT_EQ(platform.boxes().size(), 1u);
    EXPECT_EQ(platform.boxes()[0].title, "CPS.STATUS IS CLEAR (FALSE)");

    EXPECT_TRUE(il.AreUp({"CPS.STATUS", "S1_UR", "S1_LR", "S2_R", "S2_MKR", "P1_N_IND"}));
    EXPECT_FALSE(il.Value("SIG_ALM"));
    EXPECT_EQ(il.WindowOf<ASESPanel>("ENC_S1_STOP").ChannelList(1),
              std::vector<std::string>{"ENC_S1_STOP"});
}

TEST_F(Interlocking, AMainRouteClearsS1GreenOrYellowWithTheGreenLampOutAndRunsTheTopCabCode) {
    il.Press("RQ_1A");

    EXPECT_TRUE(il.AreUp({"R1A_IND", "S1_UG", "S1_LR", "S1_OFF_IND", "CAB_180_MAIN"}));
    EXPECT_FALSE(il.Value("S1_UR"));
    EXPECT_EQ(il.WindowOf<ASESPanel>("ENC_S1_MAIN").ChannelList(2),
              std::vector<std::string>{"ENC_S1_MAIN"});
    const auto& cells = il.panels.ToggleWindow().Cells();
    EXPECT_EQ(cells.at(0).at(0).text, "CAB_MAIN");
    EXPECT_EQ(cells.at(1).at(0).picture, LampImage::Lit);

    // A green lamp out shows yellow in its place.
    MXLampPanel& s1 = il.WindowOf<MXLampPanel>("S1_UG");
    s1.ClickLightOut(
        1, RowOf(s1.Head(1).rows, "S1_UG", [](const BoxedRow& row) { return row.label.caption; }));
    il.Scan();

    EXPECT_TRUE(il.AreUp({"S1_UY", "SIG_ALM"}));
    EXPECT_FALSE(il.Value("S1_UG"));
}

TEST_F(Interlocking, TheDivergingAspectWaitsForThePointAndForATrainProvedSlow) {
    il.Press("RQ_1B");
    EXPECT_TRUE(il.Value("P1_RWZ"));
    il.Run(80);
    EXPECT_TRUE(il.Value("P1_FAIL_ALM"));
    PointMachineFollows();
    EXPECT_TRUE(il.AreUp({"P1_R_IND", "S1_LR"}));
    EXPECT_TRUE(il.AreDown({"P1_RWZ", "P1_FAIL_ALM"}));

    SpeedMeasured(35);
    il.Change("T_C_APP", false);
    EXPECT_TRUE(il.AreUp({"SPEED_OK", "S1_LY", "S1_UR", "CAB_75_BRANCH"}));
    EXPECT_TRUE(Includes(il.NewStatusLines(), {"APP_SPEED", "Value Changed, New Value = 35",
                                               "NUMERIC BLOCK 1 Triggered", "Setting bit: S1_DR"}));
}

TEST_F(Interlocking, ATrainMeasuredTooFastGetsNoDivergingAspect) {
    il.Press("RQ_1B");
    PointMachineFollows();
    SpeedMeasured(60);
    il.Change("T_C_APP", false);

    EXPECT_TRUE(il.AreUp({"S1_LR", "OVERSPEED_ALM"}));
}

TEST_F(Interlocking, ATrainStandingAtS1IsCalledOnIntoTheOccupiedMainLine) {
    il.Change("T_MAIN", false);
    il.Press("RQ_1A");
    il.Change("T_C_APP", false);
    EXPECT_TRUE(il.AreUp({"S1_UR", "S1_LR"}));
    il.Run(449);
    EXPECT_FALSE(il.Value("S1_LCO"));
    il.Run(1);
    EXPECT_TRUE(il.AreUp({"S1_LCO", "S1_UR", "S1_OFF_IND"}));
    EXPECT_FALSE(il.Value("S1_LR"));
}

TEST_F(Interlocking, OpposingAndConflictingRoutesAndThePointSwitchAreLockedOut) {
    il.Press("RQ_1A");
    il.Press("RQ_2C");
    il.Press("RQ_1B");
    il.Change("P1_SW_R", true);

    EXPECT_TRUE(il.AreDown({"R2C_SET", "R1B_SET", "P1_RWZ"}));
    EXPECT_TRUE(il.AreUp({"S2_R", "S1_UG"}));
}

TEST_F(Interlocking, ACancelledRouteWithATrainOnTheApproachHoldsForTheTimeLocking) {
    il.Press("RQ_1A");
    il.Change("T_C_APP", false);
    il.Press("CAN_1");
    EXPECT_TRUE(il.AreUp({"S1_UR", "R1A_SET", "TL_IND"}));
    il.Run(299);
    EXPECT_TRUE(il.Value("R1A_SET"));
    il.Run(1);
    EXPECT_TRUE(il.AreDown({"R1A_SET", "TL_IND"}));

    il.Change("T_C_APP", true);  // the train has set back, clear of S2's overlap
    il.Press("RQ_2C");
    EXPECT_TRUE(il.Value("S2_Y"));
    il.Press("CAN_2");  // nothing on S2's approach: released at once
    EXPECT_TRUE(il.AreDown({"R2C_SET", "S2_Y", "TL_IND"}));
}

TEST_F(Interlocking, TheRouteReleasesBehindTheTrainWhileS1StaysAtStop) {
    il.Press("RQ_1A");
    il.Change("T_C_APP", false);
    EXPECT_TRUE(il.Value("S1_ULAMP"));
    il.Change("T_P1", false);
    EXPECT_TRUE(il.Value("S1_UR"));
    il.Change("T_C_APP", true);
    il.Change("T_MAIN", false);
    il.Change("T_P1", true);

    EXPECT_TRUE(il.AreDown({"R1A_SET", "S1_ULAMP"}));
    EXPECT_TRUE(il.AreUp({"S1_UR", "P1_FREE"}));
}

// A route button held together with its signal's cancel button: the cancel wins, the route
// stays unset and the logic settles (a loop would ask "Logic Loop?", a box no one answers).
TEST_F(Interlocking, ARouteButtonHeldWithItsCancelButtonLeavesTheRouteUnset) {
    const struct {
        const char* request;
        const char* cancel;
        const char* route;
    } routes[] = {{"RQ_1A", "CAN_1", "R1A_SET"},
                  {"RQ_1B", "CAN_1", "R1B_SET"},
                  {"RQ_2C", "CAN_2", "R2C_SET"}};
    for (const auto& route : routes) {
        for (const bool approachClear : {true, false}) {
            il.Set("T_C_APP", approachClear);
            il.Set("T_A_APP", approachClear);
            il.Set(route.request, true);
            il.Change(route.cancel, true);
            il.Run(310);  // past the time locking
            EXPECT_FALSE(il.Value(route.route)) << route.request;
            il.Set(route.request, false);
            il.Change(route.cancel, false);
            EXPECT_FALSE(il.Value(route.route)) << route.request;
        }
    }
    EXPECT_EQ(platform.boxes().size(), 1u);  // only the start's question
}

}  // namespace
}  // namespace veldra::testing
