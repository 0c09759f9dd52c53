#include <gtest/gtest.h>

#include "e2e/example_fixture.h"
#include "panels/lamp16_panel.h"

namespace veldra::testing {
namespace {

// Mill Lane automatic half-barrier crossing, examples/level_crossing.ml2, at rest: track
// circuits clear, barriers up, mains on. Amber lasts 3 s (30 ticks), the warning time
// before the barriers lower is 8 s (80 ticks).
class LevelCrossing : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* input : {"TA_TR", "TI_TR", "TB_TR", "BAR_UP_KR", "MAINS_OK"}) {
            lc.Set(input, true);
        }
        lc.Start();  // CPS.STATUS is a constant of the application: nothing is asked
        lc.Scan();
        lc.NewStatusLines();
    }
    void BarriersComeDown() {
        lc.Change("BAR_UP_KR", false);
        lc.Change("BAR_DN_KR", true);
    }
    // The lamp-out box of a road light is clicked.
    void LampOutBox(const std::string& lamp) {
        Lamp16Panel& driver = lc.WindowOf<Lamp16Panel>(lamp);
        driver.ClickBox(
            RowOf(driver.Rows(), lamp, [](const BoxedRow& r) { return r.label.caption; }));
        lc.Scan();
    }

    FakePlatform platform;
    Controller lc{Example("level_crossing.ml2")};
};

TEST_F(LevelCrossing, LoadsWithEveryBoardAndIsOpenAtRest) {
    EXPECT_TRUE(platform.boxes().empty());
    EXPECT_TRUE(lc.WindowOf<Lamp16Panel>("LCP_OPEN").MyBoard()->LED());

    EXPECT_TRUE(lc.AreUp({"ST_OPEN", "LCP_OPEN"}));
    EXPECT_TRUE(lc.AreDown({"XING_CALL", "RED_NL", "AMB_N", "POWER_ALM", "LCP_LED_ALM"}));
    EXPECT_EQ(lc.Number("XING_STAGE"), 1);
}

TEST_F(LevelCrossing, AStrikeInShowsAmberAndRingsTheBellsAndTheBarriersWaitForTheWarningTime) {
    lc.pages.ShowPage(ProgramPage::TimeQue);
    lc.Change("TA_TR", false);
    EXPECT_TRUE(lc.AreUp({"XING_CALL", "AMB_N", "AMB_S", "BELL", "ST_WARNING"}));
    EXPECT_TRUE(lc.AreDown({"RED_NL", "RED_SR", "BAR_LOWER"}));
    EXPECT_TRUE(Includes(lc.NewStatusLines(),
                         {"Clearing bit: TA_TR", "Setting bit: XING_CALL",
                          "Set Timer Que: RED_PHASE", "Set Timer Que: LOWER_T", "TABLE 1 Triggered",
                          "XING_STAGE", "Value Changed, New Value = 2"}));

    lc.Run(29);
    EXPECT_TRUE(lc.AreDown({"RED_NL", "RED_NR", "RED_SL", "RED_SR"}));
    EXPECT_EQ(lc.engine.TimersText(),
              "LOWER_T Time Remaining: 6 Sec\r\nRED_PHASE Time Remaining: 1 Sec\r\n");
    lc.Run(1);
    EXPECT_TRUE(lc.AreUp({"RED_NL", "RED_NR", "RED_SL", "RED_SR"}));
    EXPECT_TRUE(lc.AreDown({"AMB_N", "AMB_S"}));

    lc.Run(49);
    EXPECT_FALSE(lc.Value("BAR_LOWER"));
    lc.Run(1);
    EXPECT_TRUE(lc.Value("BAR_LOWER"));

    BarriersComeDown();
    EXPECT_TRUE(lc.AreUp({"XING_CLOSED", "ST_CLOSED"}));
    EXPECT_FALSE(lc.Value("BELL"));
    EXPECT_EQ(lc.Number("XING_STAGE"), 3);
}

TEST_F(LevelCrossing, ReopensOnceTheTrainHasPassedTheIslandAndIsNotCalledAgainBehindIt) {
    lc.Change("TA_TR", false);
    lc.Run(80);
    BarriersComeDown();
    lc.Change("TI_TR", false);
    lc.Change("TA_TR", true);
    lc.Change("TB_TR", false);

    lc.Change("TI_TR", true);
    EXPECT_TRUE(lc.AreDown({"XING_CALL", "BAR_LOWER"}));
    EXPECT_TRUE(lc.AreUp({"RED_NL", "ST_RAISING"}));  // reds until the barriers are up

    lc.Change("BAR_DN_KR", false);
    lc.Change("BAR_UP_KR", true);
    EXPECT_TRUE(lc.AreDown({"RED_NL", "XING_CALL"}));
    EXPECT_TRUE(lc.Value("ST_OPEN"));
    lc.Change("TB_TR", true);
    EXPECT_TRUE(lc.AreDown({"DIR_AB", "XING_CALL"}));
}

TEST_F(LevelCrossing, BarriersAreHeldUpWhileARoadSideHasNoRedLampProved) {
    LampOutBox("RED_NL");
    LampOutBox("RED_NR");
    EXPECT_TRUE(lc.AreUp({"LAMP_FAIL_ALM", "LCP_FAULT"}));

    lc.Change("TB_TR", false);
    lc.Run(80);
    EXPECT_FALSE(lc.Value("BAR_LOWER"));

    LampOutBox("RED_NR");  // lamp changed
    EXPECT_TRUE(lc.Value("BAR_LOWER"));
}

TEST_F(LevelCrossing, AMainsFailureIsRiddenThroughForFiveSecondsOnTheBattery) {
    lc.Change("MAINS_OK", false);
    EXPECT_TRUE(Includes(lc.NewStatusLines(), {"Clear Timer Que: MAINS_HOLD"}));
    lc.Run(20);
    lc.Change("MAINS_OK", true);
    lc.Run(60);
    EXPECT_FALSE(lc.Value("POWER_ALM"));
    EXPECT_FALSE(lc.Timing("MAINS_HOLD"));

    lc.Change("MAINS_OK", false);
    lc.Run(49);
    EXPECT_FALSE(lc.Value("POWER_ALM"));
    lc.Run(1);
    EXPECT_TRUE(lc.AreUp({"POWER_ALM", "LCP_FAULT"}));
}

TEST_F(LevelCrossing, TheAttendantLowersTheBarriersButCannotRaiseThemOverATrain) {
    lc.Change("LCP_LOCAL", true);
    lc.Press("LCP_LOWER_PB");
    lc.Run(80);
    EXPECT_TRUE(lc.Value("BAR_LOWER"));

    lc.Change("TI_TR", false);
    lc.Press("LCP_RAISE_PB");
    lc.Change("TI_TR", true);
    EXPECT_TRUE(lc.Value("BAR_LOWER"));

    lc.Press("LCP_RAISE_PB");
    EXPECT_FALSE(lc.Value("BAR_LOWER"));
}

TEST_F(LevelCrossing, ABarrierProvedBothUpAndDownIsAFault) {
    lc.Change("BAR_DN_KR", true);

    EXPECT_TRUE(lc.AreUp({"ST_FAULT", "LCP_FAULT"}));
    EXPECT_FALSE(lc.Value("ST_OPEN"));
    EXPECT_EQ(lc.Number("XING_STAGE"), 9);
}

}  // namespace
}  // namespace veldra::testing
