#include "panels/in_out_board_panel.h"

#include <gtest/gtest.h>

#include "panels/panel_fixture.h"

namespace veldra::testing {
namespace {

class InOutBoardPanelTest : public PanelTest {
protected:
    InOutBoardPanelTest() { Watch(panel); }

    void Load(const std::string& type, int inputs, int outputs, bool inputsFirst = true) {
        panel.SetMyBoard(std::make_unique<IOBoard>());
        IOBoard& board = *panel.MyBoard();
        board.SetBoardType(type);
        board.SetBoardName("M1");
        board.SetBoardInput(std::make_unique<BoardInput>());
        board.SetBoardOutput(std::make_unique<BoardOutput>());
        const auto addInputs = [&] {
            for (int i = 1; i <= inputs; ++i) {
                board.BoardInput()->BoardInputs().Add("I" + std::to_string(i), false);
            }
        };
        const auto addOutputs = [&] {
            for (int i = 1; i <= outputs; ++i) {
                board.BoardOutput()->BoardOutputs().Add("O" + std::to_string(i), false);
            }
        };
        if (inputsFirst) {
            addInputs();
            addOutputs();
        } else {
            addOutputs();
            addInputs();
        }
    }

    InOutBoardPanel panel{IOBits};
};

struct HeightCase {
    int inputs;
    int outputs;
    bool inputsFirst;
    int height;
};

class InOutBoardHeight : public InOutBoardPanelTest,
                         public ::testing::WithParamInterface<HeightCase> {};

TEST_P(InOutBoardHeight, TheWindowIsAsTallAsItsLongerColumnNeeds) {
    const HeightCase& shape = GetParam();
    Load("NV.IN32.OUT16", shape.inputs, shape.outputs, shape.inputsFirst);
    EXPECT_EQ(panel.HeightLimit(), shape.height);
    EXPECT_EQ(panel.Size().height, shape.height);
    panel.Resize({5000, 20000});
    EXPECT_EQ(panel.Size(), (WindowSize{3750, shape.height}));
}

INSTANTIATE_TEST_SUITE_P(Shapes, InOutBoardHeight,
                         ::testing::Values(HeightCase{4, 4, true, 3000},
                                           HeightCase{4, 4, false, 3000},
                                           HeightCase{8, 2, true, 3450},
                                           HeightCase{32, 16, true, 9810},
                                           HeightCase{16, 32, false, 9810}),
                         [](const ::testing::TestParamInfo<HeightCase>& info) {
                             const HeightCase& shape = info.param;
                             return std::to_string(shape.inputs) + "In" +
                                    std::to_string(shape.outputs) + "Out" +
                                    (shape.inputsFirst ? "InputsFirst" : "OutputsFirst");
                         });

TEST_F(InOutBoardPanelTest, ItReportsInputsThenOutputsThenItsEnabledBitInLevelColumns) {
    Load("IN4.OUT4", 3, 2);
    EXPECT_EQ(Reported(panel),
              (std::vector<std::string>{"I1", "I2", "I3", "O1", "O2", "M1.ENABLED"}));
    EXPECT_EQ(panel.InputRows()[1].top, panel.OutputRows()[1].top);
    EXPECT_EQ(panel.OutputRows()[1].top, 840 + 265);
}

TEST_F(InOutBoardPanelTest, AMixioBoardDrawsBothColumns) {
    Load("MIXIO", 1, 1);
    panel.MyBoard()->BoardOutput()->BoardOutputs().Item("O1")->OutputState = true;
    panel.CreateimgIndic();
    panel.UpdateIndicators();
    EXPECT_EQ(panel.InputRows()[0].lamp, LampImage::Dark);
    EXPECT_EQ(panel.OutputRows()[0].lamp, LampImage::Lit);
}

TEST_F(InOutBoardPanelTest, AnInputWrittenByTheProgramRedrawsTheInputColumn) {
    Load("IN8.OUT8", 2, 2);
    panel.CreateimgIndic();
    panel.UpdateOutput("I2", true);
    EXPECT_EQ(panel.InputRows()[1].lamp, LampImage::Lit);
    EXPECT_EQ(panel.OutputRows()[1].lamp, LampImage::Parked);
    platform.Answer(MsgAnswer::Ok);
    panel.UpdateOutput("Q9", true);
    ExpectOneBox("Bit Not Found!: Q9: Was sent to M1");
}

TEST_F(InOutBoardPanelTest, TheRightButtonOpensOutputsAndKeepsTheNextInputClickFromToggling) {
    Load("IN8.OUT8", 1, 1);
    EXPECT_TRUE(panel.MouseDownInput(0, MouseButton::Right));
    panel.ClickInput(0);
    EXPECT_TRUE(Pending().empty());
    panel.MouseUpOutput(0, MouseButton::Right);
    panel.MouseDownInput(0, MouseButton::Left);
    panel.ClickInput(0);
    EXPECT_EQ(opened, (std::vector<std::string>{"O1"}));
    EXPECT_EQ(Pending(), (std::vector<std::string>{"I1=1"}));
}

}  // namespace
}  // namespace veldra::testing
