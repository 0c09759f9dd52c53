#include "panels/lamp16_panel.h"

#include <gtest/gtest.h>

#include "panels/panel_fixture.h"

namespace veldra::testing {
namespace {

class Lamp16PanelTest : public PanelTest {
protected:
    Lamp16PanelTest() { Watch(panel); }

    // Lamps as the loader moves them in: each already paired with its lamp-out name.
    void Load(bool led, const std::vector<std::pair<std::string, std::string>>& lamps) {
        panel.SetMyBoard(std::make_unique<Lamp16>());
        Lamp16& board = *panel.MyBoard();
        board.SetAdjustable(true);
        board.SetBoardName("L1");
        board.SetLED(led);
        board.SetLamp(std::make_unique<Lamp>());
        for (const auto& [on, out] : lamps) {
            board.Lamp()->Lamps().Add(false, false, on, out, "25", false, false);
        }
    }

    const BoxedRow& Row(int i) const { return panel.Rows()[std::size_t(i)]; }

    Lamp16Panel panel{IOBits};
};

TEST_F(Lamp16PanelTest, ItsOwnEnabledBitIsAcceptedSilentlyAndAStrangerIsReported) {
    Load(false, {{"R1", "R1LO"}});
    panel.CreateimgIndic();
    EXPECT_EQ(panel.Caption(), "L1 : LAMP16");
    EXPECT_EQ(panel.BoxHeading(), "LIGHT OUT BITS");
    panel.UpdateOutput("L1.ENABLED", true);
    platform.Answer(MsgAnswer::Ok);
    panel.UpdateOutput("NOPE", true);
    ExpectOneBox("Bit Not Found: NOPE: Was sent to L1");
}

TEST_F(Lamp16PanelTest, AStateFileSetsBoxesButNeverLampOnOutputs) {
    Load(false, {{"R1", "R1LO"}});
    panel.CreateimgIndic();
    panel.LoadState("R1", true);
    EXPECT_FALSE(panel.MyBoard()->Lamp()->Lamps().Item("R1")->LampOn);
    panel.LoadState("R1LO", true);
    panel.LoadState("L1.ENABLED", true);
    EXPECT_TRUE(Row(0).box.ticked);
    EXPECT_EQ(Pending(), (std::vector<std::string>{"R1LO=1", "L1.ENABLED=1"}));
}

TEST_F(Lamp16PanelTest, ALampOutNamePairedWithASparePositionIsKeptWithoutAMessage) {
    Load(false, {{"R1", "R1LO"}, {"SPARE", "SPLO"}});
    panel.CreateimgIndic();
    panel.UpdateOutput("SPLO", true);
    EXPECT_TRUE(panel.MyBoard()->Lamp()->Lamps().Item(2)->LampOut);
    EXPECT_TRUE(platform.boxes().empty());
}

TEST_F(Lamp16PanelTest, TheRightButtonOpensTheLampUnlessSpare) {
    Load(false, {{"R1", "R1LO"}, {"SPARE", ""}});
    panel.MouseUp(0, MouseButton::Right);
    panel.MouseUp(1, MouseButton::Right);
    panel.MouseUp(0, MouseButton::Left);
    EXPECT_EQ(opened, (std::vector<std::string>{"R1"}));
}

}  // namespace
}  // namespace veldra::testing
