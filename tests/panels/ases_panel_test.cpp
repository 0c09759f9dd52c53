#include "panels/ases_panel.h"

#include <gtest/gtest.h>

#include "panels/panel_fixture.h"

namespace veldra::testing {
namespace {

class ASESPanelTest : public PanelTest {
protected:
    ASESPanelTest() {
        Watch(panel);
        panel.SetMyBoard(std::make_unique<ASES>());
        board().SetBoardName("E1");
        board().SetBoardType("ASES.ENCODER");
        board().SetAdjustable(true);
        board().SetEnabled(true);
    }

    ASES& board() { return *panel.MyBoard(); }
    void AddBit(const std::string& name, int channel, bool value = false) {
        board().ControlBit().ControlBits().Add(name, value, std::int16_t(channel));
    }
    void Enable(int channel) { board().Channel().Channels().Item(channel).Enabled = true; }

    ASESPanel panel{IOBits};
};

TEST_F(ASESPanelTest, AFixedBoardShowsItsBoxesButTheUserCannotChangeThem) {
    board().SetAdjustable(false);
    Enable(1);
    panel.CreateimgIndic();
    panel.UpdateIndicators();
    panel.ClickChannel(1);
    panel.ClickEnabled();
    EXPECT_EQ((std::vector<bool>{panel.ChannelBox(1).ticked, panel.ChannelBox(1).usable,
                                 panel.EnabledBox().usable}),
              (std::vector<bool>{true, false, false}));
}

TEST_F(ASESPanelTest, ClearingAChannelBoxPostsItsBitAndTheBoardKeepsIt) {
    Enable(3);
    panel.CreateimgIndic();
    panel.ClickChannel(3);
    EXPECT_FALSE(board().Channel().Channels().Item(3).Enabled);
    panel.UpdateIndicators();
    EXPECT_FALSE(panel.ChannelBox(3).ticked);
    EXPECT_EQ(panel.Caption(), "E1 : ASES.ENCODER");
    EXPECT_EQ(Pending(), (std::vector<std::string>{"E1.CHANNEL3ENABLE=0", "E1.ENABLED=1"}));
}

TEST_F(ASESPanelTest, ActiveControlBitsAreListedOnceInAlphabeticalPlace) {
    AddBit("zeta", 1);
    AddBit("Beta", 1);
    AddBit("ALPHA", 1);
    panel.UpdateOutput("zeta", true);
    panel.UpdateOutput("ALPHA", true);
    panel.UpdateOutput("Beta", true);
    panel.UpdateOutput("Beta", true);
    EXPECT_EQ(panel.ChannelList(1), (std::vector<std::string>{"ALPHA", "Beta", "zeta"}));
}

TEST_F(ASESPanelTest, ItsOwnBitsAreAcceptedSilentlyAndAStrangerIsReported) {
    panel.CreateimgIndic();
    panel.UpdateOutput("E1.CHANNEL2ENABLE", true);
    panel.UpdateOutput("E1.ENABLED", false);
    EXPECT_FALSE(panel.ChannelBox(2).ticked);
    platform.Answer(MsgAnswer::Ok);
    panel.UpdateOutput("X", true);
    ExpectOneBox("Bit Not Found: X: Bit was sent to E1");
}

TEST_F(ASESPanelTest, AStateFileMovesTheListsButNotTheStoredValuesOrTheBoxes) {
    AddBit("A", 4);
    panel.CreateimgIndic();
    panel.LoadState("A", true);
    panel.LoadState("E1.CHANNEL4ENABLE", true);
    EXPECT_EQ(panel.ChannelList(4), (std::vector<std::string>{"A"}));
    EXPECT_FALSE(board().ControlBit().ControlBits().Item("A")->BitValue);
    EXPECT_FALSE(panel.ChannelBox(4).ticked);
}

}  // namespace
}  // namespace veldra::testing
