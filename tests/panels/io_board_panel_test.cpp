#include "panels/io_board_panel.h"

#include <gtest/gtest.h>

#include "panels/panel_fixture.h"

namespace veldra::testing {
namespace {

class IOBoardPanelTest : public PanelTest {
protected:
    IOBoardPanelTest() { Watch(panel); }

    // A board as the loader builds one: header first, then its list.
    void Load(const std::string& type, const std::vector<std::string>& inputs,
              const std::vector<std::string>& outputs, bool adjustable = true,
              bool enabled = true) {
        panel.SetMyBoard(std::make_unique<IOBoard>());
        IOBoard& board = *panel.MyBoard();
        board.SetAdjustable(adjustable);
        board.SetEnabled(enabled);
        board.SetBoardType(type);
        board.SetBoardName("B12");
        board.SetBoardInput(std::make_unique<BoardInput>());
        board.SetBoardOutput(std::make_unique<BoardOutput>());
        for (const std::string& name : inputs) {
            board.BoardInput()->BoardInputs().Add(name, false);
        }
        for (const std::string& name : outputs) {
            board.BoardOutput()->BoardOutputs().Add(name, false);
        }
    }

    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (const IndicatorRow& row : panel.Rows()) {
            captions.push_back(row.caption);
        }
        return captions;
    }

    IOBoardPanel panel{IOBits};
};

TEST_F(IOBoardPanelTest, AnInputBoardReportsItsInputsInOrderThenItsEnabledBit) {
    Load("IN16", {"TR1", "SPARE", "TR2"}, {});
    EXPECT_EQ(Reported(panel), (std::vector<std::string>{"TR1", "SPARE", "TR2", "B12.ENABLED"}));
    EXPECT_EQ(panel.GetSystemBit(99), "B12.ENABLED");
    EXPECT_EQ(panel.GetSystemBit(0), "");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"TR1", "SPARE", "TR2"}));
    EXPECT_EQ(panel.Heading(), "INPUTS");
}

TEST_F(IOBoardPanelTest, AnOutputBoardStacksItsRowsUnderTheHeadingOutputs) {
    Load("OUT16", {}, {"S1", "S2", "S3"});
    EXPECT_EQ(Reported(panel), (std::vector<std::string>{"S1", "S2", "S3", "B12.ENABLED"}));
    EXPECT_EQ(panel.Heading(), "OUTPUTS");
    EXPECT_EQ(panel.Rows()[2].top, 720 + 2 * 265);
}

TEST_F(IOBoardPanelTest, ABoardWithNoBitsKeepsOneSpareRowAndOwnsOnlyItsEnabledBit) {
    Load("IN16", {}, {});
    EXPECT_EQ(Captions(), (std::vector<std::string>{"SPARE"}));
    EXPECT_EQ(panel.Heading(), "INPUTS");
    EXPECT_EQ(Reported(panel), (std::vector<std::string>{"B12.ENABLED"}));
}

TEST_F(IOBoardPanelTest, TheCountIsKeptFromTheFirstCall) {
    Load("IN16", {"A", "B"}, {});
    EXPECT_EQ(panel.BitCount(), 3);
    panel.MyBoard()->BoardInput()->BoardInputs().Add("C", false);
    EXPECT_EQ(panel.BitCount(), 3);
}

TEST_F(IOBoardPanelTest, BuildingTheImagesSetsTheCaptionAndPostsAnEnabledBoard) {
    Load("OUT16", {}, {"S1"}, /*adjustable=*/false);
    panel.CreateimgIndic();
    EXPECT_EQ(panel.Caption(), "B12 : OUT16");
    EXPECT_EQ(panel.BoardNameLabel(), "B12 : OUT16");
    EXPECT_TRUE(panel.EnabledBox().ticked);
    EXPECT_FALSE(panel.EnabledBox().usable);
    EXPECT_EQ(panel.EnabledBox().toolTip, "Board is not adjustable");
    EXPECT_EQ(Pending(), (std::vector<std::string>{"B12.ENABLED=1"}));
    EXPECT_EQ(panel.MyBoard()->BoardOutput()->BoardOutputs().Item("S1")->intIndex, 0);
}

TEST_F(IOBoardPanelTest, TheLogicsWritesLightTheirRowsAndAStrangerIsReported) {
    Load("OUT16", {}, {"SPARE", "S1"});
    panel.CreateimgIndic();
    panel.UpdateOutput("S1", true);
    EXPECT_EQ(panel.Rows()[1].lamp, LampImage::Lit);
    EXPECT_EQ(panel.Rows()[0].lamp, LampImage::Parked);
    EXPECT_TRUE(panel.MyBoard()->BoardOutput()->BoardOutputs().Item("S1")->OutputState);

    panel.UpdateOutput("B12.ENABLED", false);  // accepted, and the box stays
    EXPECT_TRUE(panel.EnabledBox().ticked);
    EXPECT_TRUE(platform.boxes().empty());

    platform.Answer(MsgAnswer::Ok);
    panel.UpdateOutput("X1", true);
    ExpectOneBox("Bit Not Found!: X1: Was sent to B12");
}

TEST_F(IOBoardPanelTest, AStateFileRestoresInputsAndTheBoxButNeverOutputs) {
    Load("IN16", {"TR1"}, {}, true, /*enabled=*/false);
    panel.CreateimgIndic();
    panel.LoadState("TR1", true);
    EXPECT_TRUE(panel.MyBoard()->BoardInput()->BoardInputs().Item("TR1")->InputState);
    EXPECT_EQ(panel.Rows()[0].lamp, LampImage::Parked);  // the lamp waits for UpdateOutput

    panel.LoadState("B12.ENABLED", false);  // already clear: nothing posted
    EXPECT_TRUE(Pending().empty());
    panel.LoadState("B12.ENABLED", true);
    EXPECT_EQ(Pending(), (std::vector<std::string>{"B12.ENABLED=1"}));
    panel.LoadState("b12.enabled", false);  // the board's own name compares exactly
    EXPECT_TRUE(panel.EnabledBox().ticked);
}

TEST_F(IOBoardPanelTest, AClickTogglesAnInputIntoThePendingInputs) {
    Load("IN16", {"TR1", "SPARE"}, {});
    panel.CreateimgIndic();
    panel.Click(0);
    EXPECT_EQ(Pending(), (std::vector<std::string>{"B12.ENABLED=1", "TR1=1"}));
    EXPECT_EQ(panel.Rows()[0].lamp, LampImage::Lit);
    EXPECT_TRUE(panel.ShowsBorder(0));

    panel.Click(1);  // spare
    EXPECT_FALSE(panel.ShowsBorder(1));
    EXPECT_EQ(Pending().size(), 2u);
}

TEST_F(IOBoardPanelTest, ARightClickNeverTogglesAndTheNextLeftClickDoes) {
    Load("IN16", {"TR1"}, {});
    panel.MouseUp(0, MouseButton::Right);
    panel.Click(0);
    EXPECT_TRUE(Pending().empty());
    EXPECT_TRUE(opened.empty());  // an input has no statement to open
    panel.MouseUp(0, MouseButton::Left);
    panel.Click(0);
    EXPECT_EQ(Pending(), (std::vector<std::string>{"TR1=1"}));
}

TEST_F(IOBoardPanelTest, TheRightButtonOnANamedOutputOpensItsStatement) {
    Load("OUT16", {}, {"S1", "SPARE"});
    panel.MouseUp(1, MouseButton::Right);
    panel.MouseUp(0, MouseButton::Right);
    panel.Click(0);  // a left click on an output changes nothing
    EXPECT_EQ(opened, (std::vector<std::string>{"S1"}));
    EXPECT_TRUE(Pending().empty());
}

TEST_F(IOBoardPanelTest, ClosingByHandOnlyMinimisesAndCloseWindowReleasesTheBoard) {
    Load("IN16", {"TR1"}, {});
    EXPECT_FALSE(panel.RequestClose());
    EXPECT_TRUE(panel.Minimised());
    EXPECT_NE(panel.MyBoard(), nullptr);
    panel.CloseWindow(true);
    EXPECT_TRUE(panel.Closed());
    EXPECT_EQ(panel.MyBoard(), nullptr);
    panel.UpdateOutput("TR1", true);  // a late call finds nothing to do
}

TEST_F(IOBoardPanelTest, TheWindowNeverGrowsPastItsLimits) {
    panel.SetStartSize();
    EXPECT_EQ(panel.Size(), (WindowSize{2505, 7500}));
    panel.Resize({4000, 12000});
    EXPECT_EQ(panel.Size(), (WindowSize{2505, 9700}));
    panel.Resize({2000, 3000});
    EXPECT_EQ(panel.Size(), (WindowSize{2000, 3000}));
}

}  // namespace
}  // namespace veldra::testing
