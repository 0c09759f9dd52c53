#include "panels/panel_set.h"

#include <gtest/gtest.h>

#include "panels/ases_panel.h"
#include "panels/in_out_board_panel.h"
#include "panels/io_board_panel.h"
#include "panels/lamp16_panel.h"
#include "panels/mx_lamp_panel.h"
#include "panels/panel_desktop.h"
#include "panels/panel_fixture.h"
#include "panels/serial_port_panel.h"
#include "panels/table_window.h"
#include "panels/toggle_panel.h"
#include "panels/track_panel.h"

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
    void Made(IOBoardPanel& window) override { Heard("made", window); }
    void Made(InOutBoardPanel& window) override { Heard("made", window); }
    void Made(Lamp16Panel& window) override { Heard("made", window); }
    void Made(TrackPanel& window) override { Heard("made", window); }
    void Made(MXLampPanel& window) override { Heard("made", window); }
    void Made(ASESPanel& window) override { Heard("made", window); }
    void Made(SerialPortPanel& window) override { Heard("made", window); }
    void Made(TogglePanel& window) override { Heard("made", window); }
    void Made(TableWindow& window) override { Heard("made", window); }
    void Shown(BoardPanel& window) override { Heard("shown", window); }
    int TextWidth(std::string_view text) const override { return static_cast<int>(text.size()); }

private:
    void Heard(const char* what, const BoardPanel& window) {
        heard_.push_back(what + (" " + window.Name()));
    }
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
