#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "panels/panel_fixture.h"
#include "panels/qt/frmTrack.h"
#include "panels/track_panel.h"

namespace veldra::testing {
namespace {

constexpr TrackSide A = TrackSide::A;
constexpr int kBoundMs = 5000;

// Two coded-track windows, as two simulators would hold them, linked end A to end A.
class TrackWindowsLinked : public PanelTest {
protected:
    static void Load(TrackPanel& panel) {
        panel.SetMyBoard(std::make_unique<TrackBoard>());
        panel.MyBoard()->SetBoardName("T1");
        panel.MyBoard()->SetBoardType("TRX.TRACK");
        auto& end = *panel.MyBoard()->TrackA();
        for (const char* code : {"C1", "C2"})
            end.InCode().Codes().Add(code, false, &panel);
        end.OutCode().Codes().Add("T1.A.CODE.X", false);
    }
    void SetUp() override {
        Load(west);
        Load(east);
        westForm = std::make_unique<frmTrack>(west);
        eastForm = std::make_unique<frmTrack>(east);
        westForm->chooseLink = [](TrackSide) {
            return frmTrack::LinkChoice{true, QStringLiteral("127.0.0.1"), 0};
        };
        eastForm->chooseLink = [this](TrackSide) {
            return frmTrack::LinkChoice{false, QStringLiteral("127.0.0.1"),
                                        westForm->Link(A).ListeningPort()};
        };
        Button(*westForm)->click();
        Button(*eastForm)->click();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return west.endLinked(A) && east.endLinked(A); }, kBoundMs));
    }
    static QPushButton* Button(frmTrack& form) {
        return form.findChild<QPushButton*>(QStringLiteral("cmdLinkA"));
    }
    static QString Status(frmTrack& form) {
        return form.findChild<QLabel*>(QStringLiteral("lblTCPA"))->text();
    }

    TrackPanel west{IOBits};
    TrackPanel east{IOBits};
    std::unique_ptr<frmTrack> westForm;
    std::unique_ptr<frmTrack> eastForm;
};

TEST_F(TrackWindowsLinked, AnOutCodeReachesThePeersEndAndStartsItsCodeDelay) {
    EXPECT_EQ(Status(*westForm), "TCP/IP Connection: Active");
    EXPECT_EQ(Button(*westForm)->text(), "Close");
    west.MyBoard()->TrackA()->OutCode().Codes().Item(1)->CodeValue = true;
    west.OutCodesChanged = true;
    west.IndicatorsUpdated.Raise();
    westForm->Link(A).SendNow();  // the send tick, by hand
    ASSERT_TRUE(QTest::qWaitFor([&] { return east.End(A).received == "D"; }, kBoundMs));
    EXPECT_TRUE(east.MyBoard()->TrackA()->InCode().Codes().Item(1)->RecievedTwice());
    EXPECT_TRUE(east.tmrLinkA.Enabled());
}

TEST_F(TrackWindowsLinked, ClosingOneSideClosesTheOther) {
    Button(*eastForm)->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Button(*westForm)->text() == "Link"; }, kBoundMs));
    EXPECT_EQ(Status(*westForm), "TCP/IP Connection: Closed");
    EXPECT_FALSE(west.endLinked(A));
}

}  // namespace
}  // namespace veldra::testing
