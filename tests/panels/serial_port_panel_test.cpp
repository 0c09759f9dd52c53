#include "panels/serial_port_panel.h"

#include <gtest/gtest.h>

#include "panels/panel_fixture.h"

namespace veldra::testing {
namespace {

class SerialPortPanelTest : public PanelTest {
protected:
    SerialPortPanelTest() {
        Watch(panel);
        panel.SetMyBoard(std::make_unique<SerialPort>());
        station().SetPortName("WD");
        station().SetAdjustable(true);
    }

    SerialPort& station() { return *panel.MyBoard(); }
    void AddIn(const std::string& name) {
        station().SerialInBit()->SerialInBits().Add(name, false);
    }

    SerialPortPanel panel{IOBits};
};

TEST_F(SerialPortPanelTest, AClickTogglesAnInBitAndARightClickOpensItInstead) {
    AddIn("I1");
    station().SetEnabled(true);
    panel.CreateimgIndic();
    panel.MouseUpIn(0, MouseButton::Right);
    panel.ClickIn(0);
    EXPECT_EQ(opened, (std::vector<std::string>{"I1"}));
    EXPECT_EQ(Pending(), (std::vector<std::string>{"WD.ENABLED=1"}));  // posted at load
    panel.ClickIn(0);
    panel.ClickIn(0);  // two clicks before the scan: the second overwrites the first
    EXPECT_EQ(Pending(), (std::vector<std::string>{"WD.ENABLED=1", "I1=0"}));
    EXPECT_EQ(panel.InRows()[0].lamp, LampImage::Dark);
}

TEST_F(SerialPortPanelTest, AChangedOutBitIsShownAndHandedToTheLinkOnce) {
    station().SerialOutBit()->SerialOutBits().Add("O1", false);
    panel.CreateimgIndic();
    std::vector<std::string> sent;
    Subscription link = panel.OutBitChanged.Subscribe([&](std::string_view name, bool value) {
        sent.push_back(std::string(name) + "=" + (value ? "1" : "0"));
    });
    panel.UpdateOutput("O1", true);
    panel.UpdateOutput("O1", true);
    panel.UpdateOutput("ELSEWHERE", true);  // passed over, without a message
    EXPECT_EQ(sent, (std::vector<std::string>{"O1=1"}));
    EXPECT_EQ(panel.OutRows()[0].lamp, LampImage::Lit);
}

TEST_F(SerialPortPanelTest, AStateFileRestoresOnlyTheEnabledBox) {
    AddIn("I1");
    panel.LoadState("I1", true);
    panel.LoadState("WD.ENABLED", true);
    EXPECT_FALSE(station().SerialInBit()->SerialInBits().Item("I1")->BitValue());
    EXPECT_TRUE(panel.EnabledBox().ticked);
    EXPECT_EQ(Pending(), (std::vector<std::string>{"WD.ENABLED=1"}));
}

}  // namespace
}  // namespace veldra::testing
