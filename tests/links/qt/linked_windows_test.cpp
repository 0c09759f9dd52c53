#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include <QCheckBox>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QTcpServer>
#include <QTcpSocket>

#include "links/qt/link_fixture.h"

namespace veldra::testing {
namespace {

constexpr TrackSide A = TrackSide::A;

std::string BoxText(const MsgBoxRequest& box) {
    return box.title + ": " + box.prompt;
}

// A linked TRX end takes its peer's codes once its shunt box is cleared by "Link": they
// show as received, come through the code delay into the logic, and the logic's answer
// goes back the same way. While linked the end takes no codes by hand.
TEST_F(LinkFixture, CodesCrossALinkedTrackIntoTheLogicAfterTheCodeDelayAndBack) {
    frmTrack& west = West();
    EXPECT_TRUE(Find<QCheckBox>(west, "chkShunt_1").isChecked());
    EXPECT_FALSE(Find<QCheckBox>(west, "chkShunt_1").isEnabled());
    EXPECT_TRUE(Find<QListWidget>(west, "lstRecA").isVisible());

    const quint16 port = LinkAsServer(west, "cmdLinkA");
    EXPECT_EQ(Caption(west, "cmdLinkA"), "Close");
    EXPECT_FALSE(Find<QCheckBox>(west, "chkShunt_1").isChecked());
    EXPECT_TRUE(Find<QCheckBox>(west, "chkShunt_1").isEnabled());
    EXPECT_FALSE(Find<QListWidget>(west, "lstRecA").isVisible());
    EXPECT_EQ(Find<QLabel>(west, "lblTCPA").text(), "TCP/IP Connection: Listening");
    LinkAsClient(East(), "cmdLinkA", QString::number(port));
    ASSERT_TRUE(QTest::qWaitFor([&] { return west.Link(A).IsConnected(); }, kLinkBoundMs));
    for (frmTrack* form : {&west, &East()})
        EXPECT_EQ(Find<QLabel>(*form, "lblTCPA").text(), "TCP/IP Connection: Active");

    StartProgram();
    Scan();
    ClickInput("PB1");  // W_OUT1, the first out code: "D" on the wire
    ASSERT_TRUE(QTest::qWaitFor([&] { return Find<QLabel>(East(), "lblARecCode").text() == "D"; },
                                kLinkBoundMs));
    // Linked up on the first tick of the code delay, in NORMAL on the second.
    for (const char* status : {"LINKUP", "NORMAL"}) {
        EXPECT_FALSE(Bit("E_IN1")) << status;
        Half(East()).tmrLinkA.Fire();
        Scan();
        EXPECT_EQ(Find<QLabel>(East(), "lblAStatus").text(), status);
    }
    EXPECT_TRUE(Bit("E_IN1"));
    // The logic answers with E_OUT1, which comes back to WEST's E_IN1... W_IN1.
    ASSERT_TRUE(QTest::qWaitFor([&] { return Find<QLabel>(west, "lblARecCode").text() == "D"; },
                                kLinkBoundMs));
    for (int tick = 0; tick < 2; ++tick) {
        Half(west).tmrLinkA.Fire();
        Scan();
    }
    EXPECT_TRUE(Bit("W_IN1"));
    EXPECT_EQ(dialogs.boxes().size(), 1u);  // "SET CPS.STATUS?" alone
}

// A track end's link ends at both sides whichever closes it, and each end gets its hand
// entry back; a new link asks again.
TEST_F(LinkFixture, ClosingATrackLinkFromEitherSideEndsItAtBoth) {
    for (const bool westCloses : {true, false}) {
        LinkTracks();
        frmTrack& closer = westCloses ? West() : East();
        frmTrack& other = westCloses ? East() : West();
        Find<QPushButton>(closer, "cmdLinkA").click();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return Caption(other, "cmdLinkA") == "Link"; }, kLinkBoundMs))
            << westCloses;
        Settle();
        for (frmTrack* form : {&closer, &other}) {
            EXPECT_EQ(Caption(*form, "cmdLinkA"), "Link");
            EXPECT_EQ(Find<QLabel>(*form, "lblTCPA").text(), "TCP/IP Connection: Closed");
            EXPECT_TRUE(Find<QListWidget>(*form, "lstRecA").isVisible());
            EXPECT_FALSE(form->Link(A).IsStarted());
        }
    }
    EXPECT_TRUE(dialogs.boxes().empty());
}

// Closing a link leaves an end's received codes as they were: they stay in the received
// caption and in the logic, and the end stays in NORMAL, until the end is shunted.
TEST_F(LinkFixture, ClosingALinkLeavesTheReceivedCodesAsTheyWere) {
    LinkTracks();
    StartProgram();
    Scan();
    frmTrack& east = East();
    ClickInput("PB1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Find<QLabel>(east, "lblARecCode").text() == "D"; },
                                kLinkBoundMs));
    for (int tick = 0; tick < 2; ++tick) {
        Half(east).tmrLinkA.Fire();
        Scan();
    }
    ASSERT_TRUE(Bit("E_IN1"));

    Find<QPushButton>(West(), "cmdLinkA").click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Caption(east, "cmdLinkA") == "Link"; }, kLinkBoundMs));
    Settle();
    for (int tick = 0; tick < 2; ++tick) {
        Half(east).tmrLinkA.Fire();
        Scan();
    }
    EXPECT_EQ(Find<QLabel>(east, "lblARecCode").text(), "D");
    EXPECT_EQ(Find<QLabel>(east, "lblAStatus").text(), "NORMAL");
    EXPECT_TRUE(Bit("E_IN1"));

    Find<QCheckBox>(east, "chkShunt_1").click();
    Scan();
    EXPECT_EQ(Find<QLabel>(east, "lblARecCode").text(), "");
    EXPECT_FALSE(Bit("E_IN1"));
}

// Shunted, a linked end still answers its peer's request but takes none of its codes;
// unticked, it asks the peer for them again.
TEST_F(LinkFixture, AShuntedEndAnswersRequestsButTakesNoCodes) {
    LinkTracks();
    StartProgram();
    Scan();
    frmTrack& east = East();
    bool offered = false;  // WEST's D came, whether or not the end took it
    links::PeerLink& eastLink = east.Link(A);
    QObject::connect(
        &eastLink, &links::PeerLink::RecordsReceived,
        [&offered](const std::vector<links::Received>& records) {
            for (const links::Received& record : records)
                offered = offered || record == links::Received(links::Data{"D", "TRUE"});
        });
    Find<QCheckBox>(east, "chkShunt_1").click();
    EXPECT_TRUE(Find<QCheckBox>(east, "chkShunt_1").isEnabled());  // linked: still usable
    ClickInput("PB1");
    West().Link(A).SendNow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return offered; }, kLinkBoundMs));
    EXPECT_EQ(Find<QLabel>(east, "lblARecCode").text(), "");
    EXPECT_FALSE(Half(east).tmrLinkA.Enabled());

    Half(West()).tmrLinkA.SetEnabled(false);
    West().RefreshTCP();  // WEST asks: the shunted end answers with its codes
    ASSERT_TRUE(QTest::qWaitFor([&] { return Half(West()).tmrLinkA.Enabled(); }, kLinkBoundMs));

    Find<QCheckBox>(east, "chkShunt_1").click();
    EXPECT_TRUE(eastLink.Buffer().Text().starts_with("Z\r"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Find<QLabel>(east, "lblARecCode").text() == "D"; },
                                kLinkBoundMs));
}

// ECODE ends send the rates by number; the receiver recovers on the 1 rate.
TEST_F(LinkFixture, AnEcodeEndTakesTheRatesItsPeerSends) {
    frmTrack& west = Window<frmTrack>("EC_WEST : ECODE.TRACK");
    frmTrack& east = Window<frmTrack>("EC_EAST : ECODE.TRACK");
    EXPECT_TRUE(Find<QPushButton>(east, "cmdRec_1").isVisible());
    LinkPair(west, "cmdLinkA", west.Link(A), east, "cmdLinkA", east.Link(A));
    EXPECT_FALSE(Find<QPushButton>(east, "cmdRec_1").isVisible());
    StartProgram();
    Scan();
    ClickInput("PB3");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Find<QLabel>(east, "lblARecCode").text() == "1, 3"; },
                                kLinkBoundMs));
    for (int tick = 0; tick < 8 && !Bit("EC_EAST.SIDING.CODE.3.IN"); ++tick) {
        Half(east).tmrLinkA.Fire();
        Scan();
    }
    EXPECT_EQ(Find<QLabel>(east, "lblAStatus").text(), "NORMAL");
    EXPECT_TRUE(Bit("EC_EAST.SIDING.CODE.1.IN"));
    EXPECT_TRUE(Bit("EC_EAST.SIDING.CODE.3.IN"));
    EXPECT_FALSE(Bit("EC_EAST.SIDING.CODE.2.IN"));
    Find<QPushButton>(east, "cmdLinkA").click();
    Settle();
    EXPECT_TRUE(Find<QPushButton>(east, "cmdRec_1").isVisible());
}

// A station's client is told the link is up; the server listens on when its client
// leaves and takes the next one; a client whose server leaves is told and unlinked.
TEST_F(LinkFixture, AStationServerOutlivesItsClientsAndAClientIsToldWhenItsServerGoes) {
    frmSerialPort& server = Station("SW");
    frmSerialPort& client = Station("SE");
    // While a box about the link is up, the link stands as the box says.
    std::vector<std::string> whileShown;
    dialogs.whileShown = [&](const MsgBoxRequest& box) {
        whileShown.push_back(box.prompt + (client.Link().IsConnected() ? " connected" : "") + " " +
                             Caption(client, "cmdLink").toStdString());
    };
    dialogs.Answer(MsgAnswer::Ok);  // "Link Active"
    LinkPair(server, "cmdLink", server.Link(), client, "cmdLink", client.Link());
    Settle();
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(BoxText(dialogs.boxes()[0]), "Remote Link Status: Link Active");
    EXPECT_EQ(dialogs.boxes()[0].icon, MsgIcon::None);
    // Asked once the box is dismissed.
    EXPECT_TRUE(client.Link().Buffer().Text().starts_with("Z\r"));

    StartProgram();
    Scan();
    ClickInput("PB1");  // SW_OUT1 to SE_IN1
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            Scan();
            return Bit("SE_IN1");
        },
        kLinkBoundMs));

    Find<QPushButton>(client, "cmdLink").click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.Link().IsConnected(); }, kLinkBoundMs));
    EXPECT_EQ(Caption(server, "cmdLink"), "Close");
    EXPECT_TRUE(server.Link().IsServer());
    dialogs.Answer(MsgAnswer::Ok);  // "Link Active" again
    LinkAsClient(client, "cmdLink", QString::number(server.Link().ListeningPort()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Link().IsConnected(); }, kLinkBoundMs));

    dialogs.Answer(MsgAnswer::Ok);  // "Link Closed"
    Find<QPushButton>(server, "cmdLink").click();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Caption(client, "cmdLink") == "Link"; }, kLinkBoundMs));
    Settle();
    EXPECT_EQ(BoxText(dialogs.boxes().back()), "Remote Link Status: Link Closed");
    EXPECT_EQ(
        std::count_if(dialogs.boxes().begin(), dialogs.boxes().end(),
                      [](const MsgBoxRequest& box) { return box.title == "Remote Link Status"; }),
        3);
}

// The right button on a started link's button offers "Refresh", which asks that window's
// peer for everything again, even when another window was active.
TEST_F(LinkFixture, RefreshFromALinkButtonAsksThatWindowsPeerAgain) {
    frmTrack& west = West();
    auto& menu = Find<QMenu>(Main(), "mnuPopUp");
    QTest::mousePress(&Find<QPushButton>(west, "cmdLinkA"), Qt::RightButton);
    EXPECT_FALSE(menu.isVisible());  // not linked: no menu

    LinkTracks();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return west.Link(A).Buffer().Empty() && East().Link(A).Buffer().Empty(); },
        kLinkBoundMs));
    Main().Area().setActiveSubWindow(qobject_cast<QMdiSubWindow*>(East().parentWidget()));
    QTest::mousePress(&Find<QPushButton>(west, "cmdLinkA"), Qt::RightButton);
    ASSERT_TRUE(menu.isVisible());
    Item("mnuRefresh")->trigger();
    menu.hide();
    EXPECT_EQ(west.Link(A).Buffer().Text(), "Z\r");
    EXPECT_TRUE(East().Link(A).Buffer().Empty());
    EXPECT_TRUE(dialogs.boxes().empty());
}

// What the dialog refuses keeps it open; an empty address starts nothing, silently.
TEST_F(LinkFixture, TheDialogRefusesAPortThatIsNoPortAndAnEmptyAddressStartsNothing) {
    struct Case {
        const char* address;
        const char* port;
        const char* box;  // empty: none, the dialog closes
    };
    for (const Case& c : {Case{"127.0.0.1", "abc",
                               "Veldra: The port \"abc\" is not a whole number from 0 to 65535."},
                          {"127.0.0.1", "70000",
                           "Veldra: The port \"70000\" is not a whole number from 0 to 65535."},
                          {"", "4000", ""}}) {
        const std::size_t before = dialogs.boxes().size();
        bool stayedOpen = false;
        if (*c.box)
            dialogs.Answer(MsgAnswer::Ok);
        WhenShown<links::frmConnect>([&](links::frmConnect& dialog) {
            Find<QRadioButton>(dialog, "optType_1").click();
            Find<QLineEdit>(dialog, "txtRemoteIP").setText(c.address);
            Find<QLineEdit>(dialog, "txtRemotePort").setText(c.port);
            Find<QPushButton>(dialog, "cmdConnect").click();
            stayedOpen = dialog.isVisible();
            if (stayedOpen)
                Find<QPushButton>(dialog, "cmdCancel").click();
        });
        Find<QPushButton>(West(), "cmdLinkA").click();
        EXPECT_EQ(stayedOpen, *c.box != '\0') << c.port;
        EXPECT_EQ(Caption(West(), "cmdLinkA"), "Link");
        EXPECT_FALSE(West().Link(A).IsStarted());
        ASSERT_EQ(dialogs.boxes().size(), before + (*c.box ? 1 : 0));
        if (*c.box) {
            EXPECT_EQ(BoxText(dialogs.boxes().back()), c.box);
            EXPECT_EQ(dialogs.boxes().back().icon, MsgIcon::Critical);
        }
    }
}

// Clicking the local port asks for another; only a whole number from 0 to 65535 is
// taken, and an empty answer keeps the port.
TEST_F(LinkFixture, TheLocalPortIsEditedByHand) {
    struct Case {
        std::optional<std::string> typed;
        bool taken;
        bool box;
    };
    for (const Case& c : {Case{"1234", true, false},
                          {"", false, false},
                          {std::nullopt, false, false},
                          {"port", false, true},
                          {"70000", false, true}}) {
        if (c.typed)
            dialogs.Type(*c.typed);
        else
            dialogs.CancelInput();
        if (c.box)
            dialogs.Answer(MsgAnswer::Ok);
        const std::size_t boxes = dialogs.boxes().size();
        QString before;
        QString after;
        WhenShown<links::frmConnect>([&](links::frmConnect& dialog) {
            auto& port = Find<QLabel>(dialog, "lblLocalPort");
            before = port.text();
            QTest::mouseClick(&port, Qt::LeftButton);
            after = port.text();
            Find<QPushButton>(dialog, "cmdCancel").click();
        });
        Find<QPushButton>(West(), "cmdLinkA").click();
        EXPECT_EQ(after, c.taken ? "Local Port: " + QString::fromStdString(*c.typed) : before)
            << c.typed.value_or("cancel");
        EXPECT_EQ(dialogs.boxes().size(), boxes + (c.box ? 1 : 0));
        const InputBoxRequest& asked = dialogs.inputBoxes().back();
        EXPECT_EQ(asked.prompt + "|" + asked.title, "Enter Port Number:|Manual Edit Port Number");
        EXPECT_EQ("Local Port: " + asked.defaultText, before.toStdString());
    }
    EXPECT_FALSE(West().Link(A).IsStarted());
}

// A port taken by another program: the user types it over the offered one, and the
// listen that fails is told; the button stays on "Link".
TEST_F(LinkFixture, AListenThatFailsIsToldAndTheButtonStaysOnLink) {
    QTcpServer taken;
    ASSERT_TRUE(taken.listen(QHostAddress::LocalHost, 0));
    const std::string port = std::to_string(taken.serverPort());
    struct Case {
        QWidget* window;
        const char* button;
        std::string boxStart;
        MsgIcon icon;
    };
    for (const Case& c : {Case{&West(), "cmdLinkA", "VELDRA: Error ", MsgIcon::None},
                          {&Station("SW"), "cmdLink", "Veldra: ", MsgIcon::Critical}}) {
        dialogs.Type(port).Answer(MsgAnswer::Ok);
        QString shownPort;
        WhenShown<links::frmConnect>([&](links::frmConnect& dialog) {
            auto& address = Find<QComboBox>(dialog, "cmbIP");
            address.setCurrentIndex(address.findText("127.0.0.1"));
            QTest::mouseClick(&Find<QLabel>(dialog, "lblLocalPort"), Qt::LeftButton);
            shownPort = Find<QLabel>(dialog, "lblLocalPort").text();
            Find<QPushButton>(dialog, "cmdConnect").click();
        });
        Find<QPushButton>(*c.window, c.button).click();
        EXPECT_EQ(shownPort.toStdString(), "Local Port: " + port);
        EXPECT_EQ(Caption(*c.window, c.button), "Link");
        const MsgBoxRequest& box = dialogs.boxes().back();
        EXPECT_TRUE(BoxText(box).starts_with(c.boxStart)) << BoxText(box);
        EXPECT_EQ(box.icon, c.icon);
    }
    EXPECT_TRUE(
        BoxText(dialogs.boxes()[0]).ends_with(") in procedure cmdLinkA_Click of Form frmTrack"));
}

// A connection that is refused, or not made in time, ends the link before the user is
// told why.
TEST_F(LinkFixture, AConnectionNeverMadeEndsTheLinkAndIsTold) {
    quint16 closedPort = 0;
    {
        QTcpServer probe;  // a port that nobody listens on once it closes
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    frmTrack& west = West();
    // Refused by the peer's machine, or by our own at once.
    for (const char* address : {"127.0.0.1", "255.255.255.255"}) {
        const std::size_t before = dialogs.boxes().size();
        dialogs.Answer(MsgAnswer::Ok);
        LinkAsClient(west, "cmdLinkA", QString::number(closedPort), address);
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.boxes().size() > before; }, kLinkBoundMs))
            << address;
        Settle();
        EXPECT_EQ(Caption(west, "cmdLinkA"), "Link") << address;
        EXPECT_TRUE(Find<QListWidget>(west, "lstRecA").isVisible()) << address;
        EXPECT_EQ(dialogs.boxes().back().title, "Veldra");
        EXPECT_EQ(dialogs.boxes().back().icon, MsgIcon::Critical);
    }

    dialogs.Answer(MsgAnswer::Ok);
    LinkAsClient(west, "cmdLinkA", QString::number(closedPort));
    west.Link(A).ConnectTimedOut();  // the connect timer's tick, before any answer
    Settle();
    EXPECT_EQ(Caption(west, "cmdLinkA"), "Link");
    EXPECT_TRUE(Find<QListWidget>(west, "lstRecA").isVisible());
    EXPECT_EQ(BoxText(dialogs.boxes().back()), "VELDRA: Connection Timed Out");
    EXPECT_EQ(dialogs.boxes().back().icon, MsgIcon::Information);
    EXPECT_EQ(dialogs.boxes().size(), 3u);
}

// A peer that sends garbage is named in the immediate window, a few lines a second and
// then the count of the rest; no box, and good records still count.
TEST_F(LinkFixture, AGarbledPeerIsNamedInTheImmediateWindowAFewLinesASecond) {
    frmTrack& west = West();
    const quint16 port = LinkAsServer(west, "cmdLinkA");
    QTcpSocket peer;
    peer.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return west.Link(A).IsConnected(); }, kLinkBoundMs));
    west.Link(A).CloseLogWindow();
    lines.clear();
    QByteArray garbage;
    for (int i = 0; i < 20; ++i)
        garbage += "X" + QByteArray::number(i) + ",TRUE\r";
    garbage += QByteArray("\x01\x02\r", 3);
    garbage += "d,true\r";
    peer.write(garbage);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Find<QLabel>(west, "lblARecCode").text() == "D"; },
                                kLinkBoundMs));
    EXPECT_EQ(LinesWith("WEST TRACKA: Unkown TCP/IP Message from 127.0.0.1:"), 5);
    EXPECT_EQ(LinesWith("WEST TRACKA: "), 5);
    west.Link(A).CloseLogWindow();  // the second is over
    EXPECT_EQ(LinesWith("WEST TRACKA: 16 more lines left out"), 1);
    EXPECT_EQ(LinesWith("\x01"), 0);
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_TRUE(west.Link(A).IsConnected());
}

// Ten thousand records in a second from a peer: the station takes the last of them and
// the program runs on.
TEST_F(LinkFixture, AFloodOfRecordsLeavesTheStationWithTheLastValues) {
    frmSerialPort& station = Station("SE");
    const quint16 port = LinkAsServer(station, "cmdLink");
    QTcpSocket peer;
    peer.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(QTest::qWaitFor([&] { return station.Link().IsConnected(); }, kLinkBoundMs));
    StartProgram();
    for (int burst = 0; burst < 10; ++burst) {
        QByteArray records;
        for (int i = 0; i < 1000; ++i)
            records +=
                QByteArray::number(1 + i % 3) + (i % 2 == burst % 2 ? ",True\r" : ",False\r");
        peer.write(records);
        QTest::qWait(0);
        Scan();
    }
    peer.write("1,False\r2,True\r3,False\r");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            Scan();
            return !Bit("SE_IN1") && Bit("SE_IN2") && !Bit("SE_IN3");
        },
        kLinkBoundMs));
    EXPECT_TRUE(Engine().Running());
}

}  // namespace
}  // namespace veldra::testing
