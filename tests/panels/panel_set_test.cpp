#include "panels/panel_set.h"

#include <gtest/gtest.h>

#include "panels/io_board_panel.h"
#include "panels/panel_fixture.h"
#include "panels/toggle_panel.h"

namespace veldra::testing {
namespace {

class PanelSetTest : public PanelTest {
protected:
    PanelSet windows{IOBits};
};

TEST_F(PanelSetTest, TheToggleWindowIsMadeOnceAndShownAtOnce) {
    TogglePanel& first = windows.ToggleWindow();
    EXPECT_EQ(&windows.ToggleWindow(), &first);
    EXPECT_TRUE(windows.Shown(first));
    first.CloseWindow(true);
    EXPECT_NE(&windows.ToggleWindow(), &first);
}

TEST_F(PanelSetTest, ClosingAllLetsEveryBoardGo) {
    IOBoardPanel& panel = windows.NewIOBoardWindow();
    panel.SetMyBoard(std::make_unique<IOBoard>());
    windows.CloseAll();
    EXPECT_TRUE(windows.Windows().empty());
}

TEST_F(PanelSetTest, TheDesktopHearsOfEachWindowAsItIsMadeAndAsItIsShown) {
    std::vector<std::string> heard;
    windows.windowMade = [&](BoardPanel& window) { heard.push_back("made " + window.Name()); };
    windows.windowShown = [&](BoardPanel& window) { heard.push_back("shown " + window.Name()); };
    IOBoardPanel& board = windows.NewIOBoardWindow();
    windows.ShowWindow(board);
    windows.ToggleWindow();
    windows.ToggleWindow();
    EXPECT_EQ(heard, (std::vector<std::string>{"made frmIOBoard", "shown frmIOBoard",
                                               "made frmToggle", "shown frmToggle"}));
}

}  // namespace
}  // namespace veldra::testing
