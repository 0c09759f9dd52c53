#include <gtest/gtest.h>

#include <string>

#include "e2e/example_fixture.h"
#include "panels/lamp16_panel.h"
#include "panels/serial_port_panel.h"
#include "panels/track_panel.h"
#include "support/engine_driver.h"

namespace veldra::testing {
namespace {

// The Ashby - Barton single line, examples/line_end_a.ml2 and line_end_b.ml2, in two
// simulators whose coded-track ends face each other. The test plays the link: the k-th
// out code of one end reaches the k-th in code of the other, and the receiving window's
// code delay hands the change to its program's next scan. At the start the link is in
// NORMAL at both ends, every track circuit is clear, the siding ground frame sends its
// normal code and the line is idle. Line clear takes 5 s (50 ticks).
class AshbyBartonLine : public ::testing::Test {
protected:
    void SetUp() override {
        ashby.Set("T_W_EXIT", true);
        ashby.Set("T_W_ARR", true);
        barton.Set("T_E_EXIT", true);
        barton.Set("T_E_ARR", true);
        platform.Answer(MsgAnswer::No).Answer(MsgAnswer::No);  // "SET CPS.STATUS?" at each end
        ashby.Start();
        barton.Start();
        // Each end's code evaluation has found the link healthy.
        AshbyLine().SetStatus(TrackSide::B, "NORMAL");
        BartonLine().SetStatus(TrackSide::A, "NORMAL");
        ashby.Scan();
        SidingSends(7, true);
    }
    TrackPanel& AshbyLine() { return ashby.WindowOf<TrackPanel>("W_OFFER_IN"); }
    TrackPanel& BartonLine() { return barton.WindowOf<TrackPanel>("E_OFFER_IN"); }

    // The codes cross once each way; true when any of them changed.
    bool CodesCross() {
        const bool east = Send(*AshbyLine().MyBoard()->TrackB(), *BartonLine().MyBoard()->TrackA(),
                               barton, BartonLine());
        const bool west = Send(*BartonLine().MyBoard()->TrackA(), *AshbyLine().MyBoard()->TrackB(),
                               ashby, AshbyLine());
        ashby.Scan();
        barton.Scan();
        return east || west;
    }
    // The codes cross until the line is quiet.
    void Settle() {
        for (int i = 0; i < 10 && CodesCross(); ++i) {
        }
    }
    // The quarry siding's coded track delivers a code to Barton.
    void SidingSends(int code, bool value) {
        const std::string name = "EAST_EC.SIDING.CODE." + std::to_string(code) + ".IN";
        TrackPanel& siding = barton.WindowOf<TrackPanel>(name);
        siding.MyBoard()->TrackA()->InCode().Codes().Item(name)->SetCodeValue(value);
        CodeDelayRunsOut(barton, siding);
        barton.Scan();
    }

    FakePlatform platform;
    Controller ashby{Example("line_end_a.ml2")};
    Controller barton{Example("line_end_b.ml2")};

private:
    template <class From, class To>
    static bool Send(const From& from, To& to, Controller& receiver, TrackPanel& window) {
        bool changed = false;
        auto& outCodes = from.OutCode().Codes();
        auto& inCodes = to.InCode().Codes();
        for (int k = 1; k <= outCodes.Count() && k <= inCodes.Count(); ++k) {
            const auto& out = *outCodes.Item(k);
            auto& in = *inCodes.Item(k);
            const bool wireCode = out.CodeName.find("TDOUT") == std::string::npos &&
                                  out.CodeName.find("SLEEPOUT") == std::string::npos;
            if (wireCode && in.CodeValue() != out.CodeValue) {
                in.SetCodeValue(out.CodeValue);
                changed = true;
            }
        }
        CodeDelayRunsOut(receiver, window);
        return changed;
    }
    static void CodeDelayRunsOut(Controller& receiver, TrackPanel& window) {
        if (window.PendingBits().Count() > 0) {
            EngineDriver(receiver.engine).QueueTrack(window.PendingBits());
        }
    }
};

TEST_F(AshbyBartonLine, BothEndsLoadWithTheirBoardsAndTheLineIsIdle) {
    EXPECT_EQ(platform.boxes().size(), 2u);
    EXPECT_EQ(ashby.panels.Windows().size(), 5u);  // the communications card has none

    EXPECT_TRUE(ashby.AreUp({"W_LINK_UP", "W_IDLE_IND", "CTC_IDLE", "W_STR_RED"}));
    EXPECT_TRUE(barton.AreUp({"E_LINK_UP", "E_IDLE_IND", "E_GF_NORMAL", "E_HOME_RED"}));
    EXPECT_TRUE(ashby.AreDown({"W_LED_ALM", "W_SIG_ALM"}));
}

TEST_F(AshbyBartonLine, ATrainRunsFromAshbyToBartonAndTheLineReturnsToIdle) {
    ashby.Press("W_OFFER_PB");
    EXPECT_TRUE(ashby.Value("W_OFFER_IND"));
    CodesCross();
    EXPECT_TRUE(barton.Value("E_BLOCK_BELL"));
    barton.Run(20);
    EXPECT_FALSE(barton.Value("E_BLOCK_BELL"));
    barton.Run(29);
    EXPECT_FALSE(barton.Value("E_LC_OUT"));
    barton.Run(1);
    CodesCross();
    EXPECT_TRUE(ashby.AreUp({"W_STR_HR", "W_STR_GRN", "CTC_STR_OFF", "W_BLK_CLEAR"}));

    ashby.Change("T_W_EXIT", false);
    EXPECT_TRUE(ashby.AreUp({"W_TOL_OUT", "W_STR_RED"}));
    CodesCross();
    EXPECT_TRUE(barton.AreUp({"E_XING_STRIKE", "E_ARRIVING_IND", "E_BLK_TOL"}));
    EXPECT_FALSE(barton.Value("E_HOME_HR"));
    barton.Change("E_XING_CLOSED", true);
    EXPECT_TRUE(barton.Value("E_HOME_YEL"));

    ashby.Change("T_W_EXIT", true);
    barton.Change("T_E_ARR", false);
    EXPECT_TRUE(barton.AreDown({"E_HOME_HR", "E_XING_STRIKE"}));
    barton.Change("E_XING_CLOSED", false);
    barton.Change("T_E_ARR", true);
    EXPECT_TRUE(barton.Value("E_TOS_OUT"));

    Settle();
    EXPECT_TRUE(ashby.AreUp({"W_LINE_IDLE", "W_BLK_BLOCKED"}));
    EXPECT_TRUE(barton.AreUp({"E_LINE_IDLE", "E_BLK_BLOCKED"}));
}

TEST_F(AshbyBartonLine, NoTrainIsOfferedWhileTheLinkIsNotNormal) {
    AshbyLine().SetStatus(TrackSide::B, "LINKUP");
    ashby.Press("W_OFFER_PB");

    EXPECT_TRUE(ashby.AreDown({"W_LINK_UP", "W_OFFER_OUT"}));
}

TEST_F(AshbyBartonLine, TheCtcOfficeOffersOverItsSerialLinkAndMayCancelBeforeTheTrainLeaves) {
    SerialPortPanel& ctc = ashby.WindowOf<SerialPortPanel>("CTC_OFFER");
    const auto caption = [](const IndicatorRow& row) { return row.caption; };
    ctc.ClickIn(RowOf(ctc.InRows(), "CTC_OFFER", caption));
    ashby.Scan();
    EXPECT_TRUE(ashby.Value("W_OFFER_OUT"));
    EXPECT_FALSE(ashby.Value("CTC_IDLE"));

    CodesCross();
    barton.Run(50);
    CodesCross();
    ASSERT_TRUE(ashby.Value("W_STR_HR"));
    ctc.ClickIn(RowOf(ctc.InRows(), "CTC_CANCEL", caption));
    ashby.Scan();
    EXPECT_FALSE(ashby.Value("W_STR_HR"));
    Settle();
    EXPECT_TRUE(barton.Value("E_LINE_IDLE"));
}

TEST_F(AshbyBartonLine, AshbyAcceptsNoTrainTowardsAHomeSignalWithItsRedLampOut) {
    Lamp16Panel& lamps = ashby.WindowOf<Lamp16Panel>("W_HOME_RED");
    lamps.ClickBox(
        RowOf(lamps.Rows(), "W_HOME_RED", [](const BoxedRow& r) { return r.label.caption; }));
    barton.Press("E_OFFER_PB");
    CodesCross();
    ashby.Run(100);

    EXPECT_TRUE(ashby.AreUp({"W_OFFER_IN", "W_SIG_ALM", "CTC_SIG_ALM"}));
    EXPECT_FALSE(ashby.Value("W_LC_OUT"));
}

TEST_F(AshbyBartonLine, BartonGivesNoLineClearWhileTheSidingGroundFrameIsReleased) {
    barton.Change("E_GF_RQ", true);
    EXPECT_TRUE(barton.Value("E_GF_REL_IND"));
    EXPECT_EQ(
        barton.WindowOf<TrackPanel>("EAST_EC.SIDING.CODE.4.OUT").End(TrackSide::A).transmitted,
        "4.OUT");
    SidingSends(7, false);
    EXPECT_FALSE(barton.Value("E_GF_NORMAL"));

    ashby.Press("W_OFFER_PB");  // an offer from Ashby
    CodesCross();
    barton.Run(50);
    CodesCross();
    barton.Run(100);
    EXPECT_FALSE(barton.Value("E_LC_OUT"));
    EXPECT_TRUE(barton.Value("E_GF_REL_IND"));  // the release holds while the offer waits
}

}  // namespace
}  // namespace veldra::testing
