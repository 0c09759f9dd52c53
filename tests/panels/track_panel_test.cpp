#include "panels/track_panel.h"

#include <gtest/gtest.h>

#include "panels/panel_fixture.h"

namespace veldra::testing {
namespace {

class TrackPanelTest : public PanelTest {
protected:
    TrackPanelTest() {
        Watch(panel);
        panel.SetMyBoard(std::make_unique<TrackBoard>());
        board().SetBoardName("T1");
        board().SetAdjustable(true);
        board().SetEnabled(true);
    }

    TrackBoard& board() { return *panel.MyBoard(); }
    TrackA& endA() { return *board().TrackA(); }
    TrackB& endB() { return *board().TrackB(); }

    TrackPanel panel{IOBits};
};

TEST_F(TrackPanelTest, AnEcodeBoardAddsTenCodesEachWayAndReportsThreeOwnBits) {
    board().SetBoardType("ECODE.TRACK");
    endB().SetTrackName("EAST");
    endA().SetTrackName("WEST");  // the prefixes follow the final names, whatever the order
    EXPECT_EQ(panel.BitCount(), 47);
    const std::vector<std::string> names = Reported(panel);
    EXPECT_EQ(names[0], "T1.WEST.CODE.1.IN");
    EXPECT_EQ(names[9], "T1.WEST.CODE.M.IN");
    EXPECT_EQ(names[10], "T1.WEST.CODE.1.OUT");
    EXPECT_EQ(names[20], "T1.EAST.CODE.1.IN");
    EXPECT_EQ(std::vector<std::string>(names.begin() + 40, names.end()),
              (std::vector<std::string>{"T1.WEST.ENABLED", "T1.EAST.ENABLED", "T1.ENABLED", "", "",
                                        "", ""}));
    EXPECT_EQ(panel.GetSystemBit(48), "");
}

TEST_F(TrackPanelTest, AnUnnamedEndIsNamedBeforeItsCodesAreNamed) {
    board().SetBoardType("ECODE.TRACK");
    panel.BitCount();
    EXPECT_EQ(endA().TrackName(), "TRACKA");
    EXPECT_EQ(panel.GetSystemBit(1), "T1.TRACKA.CODE.1.IN");
}

TEST_F(TrackPanelTest, ATrxEndsHandCodesStartWithItsLinkCodesThenItsOwnInCodes) {
    board().SetBoardType("TRX.TRACK");
    endA().InCode().Codes().Add("C1", false, &panel);
    panel.BitCount();
    EXPECT_EQ(panel.End(TrackSide::A).handCodes,
              (std::vector<std::string>{"A", "TDIN", "SLEEPIN", "C1"}));
}

TEST_F(TrackPanelTest, LoadingShuntsBothEndsAndPostsTheEnabledBits) {
    board().SetBoardType("TRX.TRACK");
    endA().SetEnabled(true);
    panel.BitCount();
    panel.CreateimgIndic();
    EXPECT_EQ(panel.Caption(), "T1 : TRX.TRACK");
    EXPECT_TRUE(panel.End(TrackSide::A).shunt.ticked);
    EXPECT_TRUE(panel.End(TrackSide::A).frameEnabled);
    EXPECT_FALSE(panel.End(TrackSide::B).frameEnabled);
    EXPECT_EQ(panel.End(TrackSide::B).frameCaption, "TRACKB : TRACKB");
    EXPECT_EQ(Pending(), (std::vector<std::string>{"T1.TRACKA.ENABLED=1", "T1.ENABLED=1",
                                                   "T1.TRACKB.ENABLED=0"}));
}

TEST_F(TrackPanelTest, AChangedOutCodeIsMarkedForSendingOnce) {
    board().SetBoardType("ECODE.TRACK");
    panel.BitCount();
    int sends = 0;
    Subscription sending = panel.IndicatorsUpdated.Subscribe([&] { ++sends; });
    panel.UpdateOutput("T1.TRACKB.CODE.3.OUT", true);
    EXPECT_TRUE(panel.OutCodesChanged);
    EXPECT_EQ(sends, 1);
    panel.OutCodesChanged = false;
    panel.UpdateOutput("T1.TRACKB.CODE.3.OUT", true);
    EXPECT_FALSE(panel.OutCodesChanged);
    panel.UpdateOutput("T1.ENABLED", true);  // no message for the window's own bits
    EXPECT_TRUE(platform.boxes().empty());
}

TEST_F(TrackPanelTest, AStateFileRestoresBoxesStatusAndReceivedCodes) {
    board().SetBoardType("TRX.TRACK");
    endA().SetEnabled(true);
    endB().SetEnabled(true);
    panel.BitCount();
    panel.CreateimgIndic();
    IOBits.Clear();

    panel.LoadState("T1.TRACKA.ENABLED", false);
    EXPECT_EQ(Pending(), (std::vector<std::string>{"T1.TRACKA.ENABLED=0"}));
    EXPECT_EQ(panel.End(TrackSide::A).received, "");  // an ".ENABLED" name stops there

    panel.LoadState("T1.TRACKB.TDIN", true);
    EXPECT_TRUE(endB().InCode().Codes().Item("T1.TRACKB.TDIN")->SetIt());
    ASSERT_NE(panel.PendingBits().Find("T1.TRACKB.TDIN"), nullptr);
    panel.LoadState("T1.TRACKB.NORMAL", true);
    EXPECT_EQ(panel.End(TrackSide::B).status, "NORMAL");
    EXPECT_FALSE(panel.End(TrackSide::B).shunt.ticked);
    EXPECT_EQ(panel.End(TrackSide::A).received, "Codes Loaded");
    EXPECT_EQ(Pending().back(), "T1.TRACKB.NORMAL=1");

    panel.UpdateIndicators();
    EXPECT_EQ(panel.End(TrackSide::B).received, "TDIN");
    EXPECT_EQ(panel.End(TrackSide::A).received, "");
}

TEST_F(TrackPanelTest, AnAdjustmentBitLightsItsLampAndTheRightButtonOpensItUnlessSpare) {
    board().SetBoardType("TRX.TRACK");
    endA().SetAdjustmentBitName("SPARE");
    endB().SetAdjustmentBitName("ADJB");
    panel.BitCount();
    panel.CreateimgIndic();
    panel.UpdateOutput("ADJB", true);
    EXPECT_TRUE(endB().AdjustmentBitValue());
    EXPECT_EQ(panel.End(TrackSide::B).adjustment.lamp, LampImage::Lit);
    EXPECT_EQ(panel.End(TrackSide::A).adjustment.lamp, LampImage::Dark);
    panel.MouseUpAdjustment(TrackSide::A, MouseButton::Right);
    panel.MouseUpAdjustment(TrackSide::B, MouseButton::Right);
    EXPECT_EQ(opened, (std::vector<std::string>{"ADJB"}));
}

}  // namespace
}  // namespace veldra::testing
