#include "panels/panel_set.h"

#include <gtest/gtest.h>

#include "panels/io_board_panel.h"
#include "panels/panel_desktop.h"
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

// Notes what it is told, as "made NAME" and "shown NAME".
class RecordingDesktop final : public PanelDesktop {
public:
    explicit RecordingDesktop(std::vector<std::string>& heard) : heard_(heard) {}
    void Made(BoardPanel& window) override { heard_.push_back("made " + window.Name()); }
    void Shown(BoardPanel& window) override { heard_.push_back("shown " + window.Name()); }
    int TextWidth(std::string_view text) const override { return static_cast<int>(text.size()); }

private:
    std::vector<std::string>& heard_;
};

TEST_F(PanelSetTest, TheDesktopHearsOfEachWindowAsItIsMadeAndAsItIsShown) {
    std::vector<std::string> heard;
    RecordingDesktop desktop(heard);
    PanelSet drawn{IOBits, nullptr, &desktop};
    IOBoardPanel& board = drawn.NewIOBoardWindow();
    drawn.ShowWindow(board);
    drawn.ToggleWindow();
    drawn.ToggleWindow();
    EXPECT_EQ(heard, (std::vector<std::string>{"made frmIOBoard", "shown frmIOBoard",
                                               "made frmToggle", "shown frmToggle"}));
}

}  // namespace
}  // namespace veldra::testing
