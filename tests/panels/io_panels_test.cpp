#include <gtest/gtest.h>

#include "panels/in_out_board_panel.h"
#include "panels/io_board_panel.h"
#include "panels/panel_fixture.h"

namespace veldra::testing {
namespace {

// The two I/O board windows, each with a board of inputs I1, SPARE, I2 and outputs O1,
// SPARE as the loader builds it: header first, then its lists.
template <class Panel>
class IOPanelTest : public PanelTest {
protected:
    IOPanelTest() {
        Watch(panel);
        panel.SetMyBoard(std::make_unique<IOBoard>());
        IOBoard& board = *panel.MyBoard();
        board.SetBoardName("B12");
        board.SetBoardType("MIXIO");
        board.SetAdjustable(true);
        board.SetEnabled(true);
        board.SetBoardInput(std::make_unique<BoardInput>());
        board.SetBoardOutput(std::make_unique<BoardOutput>());
        for (const char* name : {"I1", "SPARE", "I2"}) {
            board.BoardInput()->BoardInputs().Add(name, false);
        }
        for (const char* name : {"O1", "SPARE"}) {
            board.BoardOutput()->BoardOutputs().Add(name, false);
        }
    }

    // The lamp of an output row, however the window lays them out.
    LampImage OutputLamp(int row) const {
        if constexpr (std::is_same_v<Panel, IOBoardPanel>) {
            return panel.Rows()[std::size_t(3 + row)].lamp;
        } else {
            return panel.OutputRows()[std::size_t(row)].lamp;
        }
    }

    // The lamp of an input row.
    LampImage InputLamp(int row) const {
        if constexpr (std::is_same_v<Panel, IOBoardPanel>) {
            return panel.Rows()[std::size_t(row)].lamp;
        } else {
            return panel.InputRows()[std::size_t(row)].lamp;
        }
    }

    Panel panel{IOBits};
};

using IOPanels = ::testing::Types<IOBoardPanel, InOutBoardPanel>;
TYPED_TEST_SUITE(IOPanelTest, IOPanels);

TYPED_TEST(IOPanelTest, ItReportsInputsThenOutputsThenItsEnabledBitAndKeepsTheCount) {
    EXPECT_EQ(Reported(this->panel),
              (std::vector<std::string>{"I1", "SPARE", "I2", "O1", "SPARE", "B12.ENABLED"}));
    this->panel.MyBoard()->BoardInput()->BoardInputs().Add("I3", false);
    EXPECT_EQ(this->panel.BitCount(), 6);
    EXPECT_EQ(this->panel.GetSystemBit(0), "");
}

TYPED_TEST(IOPanelTest, TheLogicsWriteIsKeptForTheNextRedraw) {
    this->panel.CreateimgIndic();
    this->panel.UpdateOutput("O1", true);
    this->panel.UpdateIndicators();
    EXPECT_EQ(this->OutputLamp(0), LampImage::Lit);
}

// Rows as reported: I1, SPARE, I2, O1, SPARE. A row pushed to is taken only where it still
// shows the bit; otherwise the name finds it, outputs before inputs.
TYPED_TEST(IOPanelTest, ABitPushedToItsRowLightsTheRowThatShowsIt) {
    struct Case {
        int row;
        const char* name;
        bool o1, i1, i2;
    };
    for (const Case& push :
         {Case{4, "O1", true, false, false}, Case{1, "I1", false, true, false},
          Case{3, "I2", false, false, true}, Case{1, "O1", true, false, false},
          Case{4, "I2", false, false, true}, Case{9, "I1", false, true, false}}) {
        IOBoard& board = *this->panel.MyBoard();
        for (const char* name : {"I1", "I2"}) {
            board.BoardInput()->BoardInputs().Item(name)->InputState = false;
        }
        board.BoardOutput()->BoardOutputs().Item("O1")->OutputState = false;
        this->panel.UpdateOutputAt(push.row, push.name, true, 0);
        EXPECT_EQ((std::vector<bool>{board.BoardOutput()->BoardOutputs().Item("O1")->OutputState,
                                     board.BoardInput()->BoardInputs().Item("I1")->InputState,
                                     board.BoardInput()->BoardInputs().Item("I2")->InputState}),
                  (std::vector<bool>{push.o1, push.i1, push.i2}))
            << push.name << " at " << push.row;
    }
}

TYPED_TEST(IOPanelTest, ANameThatIsBothAnInputAndAnOutputLightsTheOutput) {
    this->panel.MyBoard()->BoardInput()->BoardInputs().Add("BOTH", false);  // row 4
    this->panel.MyBoard()->BoardOutput()->BoardOutputs().Add("BOTH", false);
    this->panel.UpdateOutputAt(4, "BOTH", true, 0);
    EXPECT_TRUE(this->panel.MyBoard()->BoardOutput()->BoardOutputs().Item("BOTH")->OutputState);
    EXPECT_FALSE(this->panel.MyBoard()->BoardInput()->BoardInputs().Item("BOTH")->InputState);
}

// The window's order: I1, SPARE, I2, O1, SPARE; the lamps drawn at load from the board.
TYPED_TEST(IOPanelTest, APushOfTheValueARowShowsDrawsNothingAndAChangeDrawsTheRow) {
    this->panel.CreateimgIndic();
    this->panel.UpdateIndicators();
    int drawn = 0;
    const Subscription heard = this->panel.Changed.Subscribe([&] { ++drawn; });
    struct Case {
        bool value;
        int drawn;
        LampImage lamp;
    };
    for (const Case& push : {Case{false, 0, LampImage::Dark}, Case{true, 1, LampImage::Lit},
                             Case{true, 1, LampImage::Lit}, Case{false, 2, LampImage::Dark}}) {
        this->panel.UpdateOutputAt(4, "O1", push.value, 0);
        EXPECT_EQ(drawn, push.drawn) << push.value;
        EXPECT_EQ(this->OutputLamp(0), push.lamp) << push.value;
        EXPECT_EQ(this->panel.MyBoard()->BoardOutput()->BoardOutputs().Item("O1")->OutputState,
                  push.value);
    }
}

TYPED_TEST(IOPanelTest, ARowChangedByNameOrByAStateFileIsDrawnAgainWhenItsBitIsPushedByRow) {
    this->panel.CreateimgIndic();
    this->panel.UpdateIndicators();
    this->panel.UpdateOutput("O1", true);  // by name, as a click on the row does
    this->panel.UpdateOutputAt(4, "O1", false, 0);
    EXPECT_EQ(this->OutputLamp(0), LampImage::Dark);

    BoardInput& input = *this->panel.MyBoard()->BoardInput()->BoardInputs().Item("I1");
    this->panel.UpdateOutputAt(1, "I1", true, 0);
    this->panel.LoadState("I1", false);  // the lamp follows with the next push or redraw
    this->panel.UpdateOutputAt(1, "I1", true, 0);
    EXPECT_TRUE(input.InputState);
    EXPECT_EQ(this->InputLamp(0), LampImage::Lit);
}

TYPED_TEST(IOPanelTest, AStateFileRestoresInputsAndTheBoxButNeverOutputs) {
    this->panel.LoadState("I1", true);
    this->panel.LoadState("O1", true);
    EXPECT_TRUE(this->panel.MyBoard()->BoardInput()->BoardInputs().Item("I1")->InputState);
    EXPECT_FALSE(this->panel.MyBoard()->BoardOutput()->BoardOutputs().Item("O1")->OutputState);

    this->panel.LoadState("B12.ENABLED", true);
    EXPECT_EQ(this->Pending(), (std::vector<std::string>{"B12.ENABLED=1"}));
    this->panel.LoadState("b12.enabled", false);  // the board's own name compares exactly
    EXPECT_TRUE(this->panel.EnabledBox().ticked);
}

// Only the single-column window: a board of one kind has a heading, and no bits at all
// still leave a spare row.
TEST(IOBoardPanel, AnEmptyBoardKeepsOneSpareRowUnderItsHeading) {
    FakePlatform platform;
    PendingInputs IOBits;
    IOBoardPanel panel{IOBits};
    panel.SetMyBoard(std::make_unique<IOBoard>());
    panel.MyBoard()->SetBoardType("IN16");
    panel.MyBoard()->SetBoardInput(std::make_unique<BoardInput>());
    EXPECT_EQ(panel.Rows().size(), 1u);
    EXPECT_EQ(panel.Rows()[0].caption, "SPARE");
    EXPECT_EQ(panel.Heading(), "INPUTS");
}

// Only the two-column window: it is as tall as its longer column needs.
TEST(InOutBoardPanel, TheWindowIsAsTallAsItsLongerColumnNeeds) {
    FakePlatform platform;
    PendingInputs IOBits;
    std::vector<int> heights;
    for (const auto& [inputs, outputs] : {std::pair{4, 4}, {8, 2}, {16, 32}}) {
        InOutBoardPanel panel{IOBits};
        panel.SetMyBoard(std::make_unique<IOBoard>());
        IOBoard& board = *panel.MyBoard();
        board.SetBoardOutput(std::make_unique<BoardOutput>());
        board.SetBoardInput(std::make_unique<BoardInput>());
        for (int i = 1; i <= std::max(inputs, outputs); ++i) {
            if (i <= outputs) {
                board.BoardOutput()->BoardOutputs().Add("O" + std::to_string(i), false);
            }
            if (i <= inputs) {
                board.BoardInput()->BoardInputs().Add("I" + std::to_string(i), false);
            }
        }
        panel.Resize({5000, 20000});
        heights.push_back(panel.Size().height);
    }
    EXPECT_EQ(heights, (std::vector<int>{3000, 3450, 9810}));
}

}  // namespace
}  // namespace veldra::testing
