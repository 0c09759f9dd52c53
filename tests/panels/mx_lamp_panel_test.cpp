#include "panels/mx_lamp_panel.h"

#include <gtest/gtest.h>

#include "panels/panel_fixture.h"

namespace veldra::testing {
namespace {

using Aspects = std::vector<std::pair<std::string, std::string>>;

class MXLampPanelTest : public PanelTest {
protected:
    MXLampPanelTest() {
        Watch(panel);
        panel.SetMyBoard(std::make_unique<MXLamp>());
        board().SetBoardName("H1");
        board().SetBoardType("COLOR.LIGHT");
        board().SetHead1(std::make_unique<Head1>());
        board().SetHead2(std::make_unique<Head2>());
    }

    MXLamp& board() { return *panel.MyBoard(); }
    // Heads, lamp bits and inputs as the signal-head reader sets them; the aspects come
    // last, already paired with their light-out names.
    void Load(const Aspects& head1, const Aspects& head2, bool enabled1 = true) {
        board().Head1()->SetEnabled(enabled1);
        board().Head1()->SetAdjustable(true);
        board().Head2()->SetEnabled(true);
        board().Head1()->SetLampOnName("H1LMP");
        board().Head2()->SetLampOnName("H2LMP");
        for (const auto& [name, lightOut] : head1) {
            board().Head1()->Aspect().Aspects().Add(name, false, lightOut, false);
        }
        for (const auto& [name, lightOut] : head2) {
            board().Head2()->Aspect().Aspects().Add(name, false, lightOut, false);
        }
    }
    const BoxedRow& Row(int head, int row) const { return panel.Head(head).rows[std::size_t(row)]; }

    MXLampPanel panel{IOBits};
};

TEST_F(MXLampPanelTest, ASpareAspectHasALabelButNoBox) {
    Load({{"R", "RLO"}, {"SPARE", ""}, {"G", "GLO"}, {"W", ""}}, {});
    EXPECT_FALSE(Row(1, 1).hasBox);
    EXPECT_TRUE(Row(1, 2).box.visible);
    EXPECT_FALSE(Row(1, 3).box.visible);  // an aspect without a light-out bit
    EXPECT_EQ(Row(2, 0).label.caption, "SPARE");
    EXPECT_FALSE(Row(2, 0).box.visible);
}

TEST_F(MXLampPanelTest, ADisabledHeadAtLoadLocksItsFrameAndPostsBothHeadBits) {
    Load({{"R", "RLO"}}, {{"R2", "R2LO"}}, /*enabled1=*/false);
    panel.CreateimgIndic();
    EXPECT_EQ(panel.Caption(), "H1 : COLOR.LIGHT");
    EXPECT_EQ((std::vector<bool>{panel.Head(1).headBox.ticked, panel.Head(1).frameEnabled,
                                 panel.Head(2).frameEnabled}),
              (std::vector<bool>{false, false, true}));
    panel.ClickLightOut(1, 0);  // the frame takes no mouse input
    panel.MouseUpAspect(1, 0, MouseButton::Right);
    EXPECT_EQ(Pending(), (std::vector<std::string>{"H1.HEAD2.ENABLED=1", "H1.HEAD1.ENABLED=0"}));
    EXPECT_TRUE(opened.empty());
}

TEST_F(MXLampPanelTest, TheLogicMovesLampsAndLightOutBoxesButNotItsOwnBoxes) {
    Load({{"R", "RLO"}, {"G", "GLO"}}, {});
    board().SetInput1Name("IN1");
    panel.CreateimgIndic();
    panel.UpdateIndicators();
    IOBits.Clear();
    panel.UpdateOutput("G", true);
    panel.UpdateOutput("H1LMP", true);
    panel.UpdateOutput("IN1", true);
    panel.UpdateOutput("GLO", true);
    panel.UpdateOutput("H1.HEAD1.ENABLED", false);
    EXPECT_EQ(
        (std::vector<LampImage>{Row(1, 1).label.lamp, Row(1, 0).label.lamp, panel.Head(1).lamp.lamp,
                                panel.Input(1).lamp, panel.Input(2).lamp}),
        (std::vector<LampImage>{LampImage::Lit, LampImage::Dark, LampImage::Lit, LampImage::Lit,
                                LampImage::Parked}));
    EXPECT_TRUE(Row(1, 1).box.ticked && panel.Head(1).headBox.ticked);
    EXPECT_EQ(Pending(), (std::vector<std::string>{"GLO=1"}));

    platform.Answer(MsgAnswer::Ok);
    panel.UpdateOutput("ZZ", true);
    ExpectOneBox("Bit Not Found: ZZ: Was sent to H1");
}

TEST_F(MXLampPanelTest, AStateFileTicksBoxesAndSetsInputsButLeavesLampsAlone) {
    Load({{"R", "RLO"}}, {});
    board().SetInput2Name("IN2");
    panel.CreateimgIndic();
    IOBits.Clear();
    panel.LoadState("RLO", true);
    panel.LoadState("H1.HEAD1.ENABLED", false);
    panel.LoadState("IN2", true);
    panel.LoadState("R", true);
    EXPECT_EQ(
        (std::vector<bool>{Row(1, 0).box.ticked, panel.Head(1).frameEnabled, board().Input2Value(),
                           board().Head1()->Aspect().Aspects().Item("R")->AspectValue}),
        (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(Pending(), (std::vector<std::string>{"RLO=1", "H1.HEAD1.ENABLED=0"}));
}

}  // namespace
}  // namespace veldra::testing
