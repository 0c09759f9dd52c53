#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "panels/panel_fixture.h"
#include "panels/qt/frmSerialPort.h"
#include "panels/serial_port_panel.h"

namespace veldra::testing {
namespace {

constexpr int kBoundMs = 5000;

// Two serial stations, the west sending three bits the east receives, linked over loopback.
class StationsLinked : public PanelTest {
protected:
    void SetUp() override {
        west.SetMyBoard(std::make_unique<SerialPort>());
        east.SetMyBoard(std::make_unique<SerialPort>());
        for (const char* name : {"W1", "W2", "W3"})
            west.MyBoard()->SerialOutBit()->SerialOutBits().Add(name, false);
        for (const char* name : {"E1", "E2", "E3"})
            east.MyBoard()->SerialInBit()->SerialInBits().Add(name, false);
        westForm = std::make_unique<frmSerialPort>(west);
        eastForm = std::make_unique<frmSerialPort>(east);
        westForm->chooseLink = [] {
            return links::LinkChoice{true, QStringLiteral("127.0.0.1"), 0};
        };
        eastForm->chooseLink = [this] {
            return links::LinkChoice{false, QStringLiteral("127.0.0.1"),
                                     westForm->Link().ListeningPort()};
        };
        westForm->findChild<QPushButton*>("cmdLink")->click();
        eastForm->findChild<QPushButton*>("cmdLink")->click();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return westForm->Link().IsConnected() && eastForm->Link().IsConnected(); },
            kBoundMs));
    }

    BooleanBits westBits;
    SerialPortPanel west{westBits};
    SerialPortPanel east{IOBits};
    std::unique_ptr<frmSerialPort> westForm;
    std::unique_ptr<frmSerialPort> eastForm;
};

TEST_F(StationsLinked, AChangedOutBitReachesThePeersPendingInputsFalseFirst) {
    west.UpdateOutput("W1", true);
    west.UpdateOutput("W3", true);
    EXPECT_EQ(westForm->Link().Buffer().Text(), "Z\r2,False\r1,True\r3,True\r");
    westForm->Link().SendNow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Pending().size() == 2; }, kBoundMs));
    EXPECT_EQ(Pending(), (std::vector<std::string>{"E1=1", "E3=1"}));
}

}  // namespace
}  // namespace veldra::testing
