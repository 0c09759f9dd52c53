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
    void AddOut(const std::string& name) {
        station().SerialOutBit()->SerialOutBits().Add(name, false);
    }

    SerialPortPanel panel{IOBits};
};

TEST_F(SerialPortPanelTest, FortyInBitsFillTwoPagesAndThe33rdStartsPageTwo) {
    for (int i = 1; i <= 40; ++i) {
        AddIn("I" + std::to_string(i));
    }
    EXPECT_EQ(panel.Tabs(), (std::vector<std::string>{"WD 1-2-3-4", "WD 5-6-7-8"}));
    EXPECT_FALSE(panel.OnView(32));
    panel.SelectTab(2);
    EXPECT_TRUE(panel.OnView(32));
    EXPECT_EQ(panel.InRows()[32].lamp, LampImage::Dark);
    EXPECT_EQ(panel.InRows()[0].lamp, LampImage::Parked);
}

TEST_F(SerialPortPanelTest, TheCaptionNamesTheAddressUnlessTheStationIsAPeer) {
    station().SetEnabled(true);
    panel.CreateimgIndic();
    EXPECT_EQ(panel.Caption(), "WD 1 : SERIAL STATION");
    EXPECT_EQ(Pending(), (std::vector<std::string>{"WD.ENABLED=1"}));
    station().SetPeer(true);
    panel.CreateimgIndic();
    EXPECT_EQ(panel.Caption(), "WD : SERIAL STATION");
}

TEST_F(SerialPortPanelTest, AClickTogglesAnInBitAndARightClickOpensItInstead) {
    AddIn("I1");
    panel.CreateimgIndic();
    panel.MouseUpIn(0, MouseButton::Right);
    panel.ClickIn(0);
    EXPECT_EQ(opened, (std::vector<std::string>{"I1"}));
    EXPECT_TRUE(Pending().empty());
    panel.ClickIn(0);
    panel.ClickIn(0);  // two clicks before the scan: the second overwrites the first
    EXPECT_EQ(Pending(), (std::vector<std::string>{"I1=0"}));
    EXPECT_EQ(panel.InRows()[0].lamp, LampImage::Dark);
}

TEST_F(SerialPortPanelTest, AChangedOutBitIsShownAndHandedToTheLinkOnce) {
    AddOut("O1");
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
