#include "panels/panel_set.h"

#include <gtest/gtest.h>

#include "logic/table.h"
#include "panels/ases_panel.h"
#include "panels/in_out_board_panel.h"
#include "panels/io_board_panel.h"
#include "panels/lamp16_panel.h"
#include "panels/mx_lamp_panel.h"
#include "panels/panel_fixture.h"
#include "panels/serial_port_panel.h"
#include "panels/toggle_panel.h"
#include "panels/track_panel.h"

namespace veldra::testing {
namespace {

class PanelSetTest : public PanelTest {
protected:
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const BoardPanel* window : windows.Windows()) {
            names.push_back(window->Name());
        }
        return names;
    }

    PanelSet windows{IOBits};
};

TEST_F(PanelSetTest, WindowsOfEveryKindAreListedInTheOrderTheyWereMade) {
    Table table;
    windows.NewIOBoardWindow();
    windows.NewInOutBoardWindow();
    windows.NewLampWindow();
    windows.NewTrackWindow();
    windows.NewTableWindow(table);
    windows.NewMXLampWindow();
    windows.NewASESWindow();
    windows.NewSerialPortWindow();
    windows.ToggleWindow();
    EXPECT_EQ(Names(), (std::vector<std::string>{"frmIOBoard", "frmInOutBoard", "frmLMP16",
                                                 "frmTrack", "frmTable", "frmMXLamp", "frmASES",
                                                 "frmSerialPort", "frmToggle"}));
    EXPECT_EQ(windows.Windows()[4]->Caption(), "Table: 0");
    EXPECT_EQ(windows.Windows()[4]->BitCount(), 0);
}

TEST_F(PanelSetTest, TheToggleWindowIsMadeOnceAndShownAtOnce) {
    TogglePanel& first = windows.ToggleWindow();
    EXPECT_EQ(&windows.ToggleWindow(), &first);
    EXPECT_TRUE(windows.Shown(first));
    first.CloseWindow(true);
    EXPECT_NE(&windows.ToggleWindow(), &first);
}

TEST_F(PanelSetTest, EveryWindowMadeOpensStatementsThroughTheSetsOpener) {
    windows.showBitAssign = [this](const std::string& name) { opened.push_back(name); };
    IOBoardPanel& panel = windows.NewIOBoardWindow();
    panel.SetMyBoard(std::make_unique<IOBoard>());
    panel.MyBoard()->SetBoardOutput(std::make_unique<BoardOutput>());
    panel.MyBoard()->BoardOutput()->BoardOutputs().Add("S1", false);
    panel.MouseUp(0, MouseButton::Right);
    EXPECT_EQ(opened, (std::vector<std::string>{"S1"}));
}

TEST_F(PanelSetTest, ClosingAllLetsEveryBoardGo) {
    IOBoardPanel& panel = windows.NewIOBoardWindow();
    panel.SetMyBoard(std::make_unique<IOBoard>());
    windows.CloseAll();
    EXPECT_TRUE(windows.Windows().empty());
}

}  // namespace
}  // namespace veldra::testing
