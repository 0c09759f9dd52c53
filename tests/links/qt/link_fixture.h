#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <string>
#include <vector>

#include "links/qt/frmConnect.h"
#include "panels/qt/frmSerialPort.h"
#include "panels/qt/frmTrack.h"
#include "panels/serial_port_panel.h"
#include "panels/track_panel.h"
#include "support/engine_driver.h"
#include "support/qt/application_fixture.h"

namespace veldra::testing {

inline constexpr int kLinkBoundMs = 5000;

// The simulator started on a program whose coded tracks and serial stations face each
// other: WEST's end A and EAST's end A, EC_WEST's end A and EC_EAST's end A, station SW
// and station SE. Links are made as the user makes them: the link button, the
// "TCP/IP Connection" dialog filled in and "Connect". Every line the simulator writes in
// the immediate window is kept.
class LinkFixture : public ApplicationFixture {
protected:
    void SetUp() override {
        app = Started(VELDRA_TEST_DATA "/links/facing_ends.ml2");
        ASSERT_TRUE(started);
        logged = Engine().Status().Logged.Subscribe([this](std::string_view entry) {
            lines.emplace_back(entry.substr(entry.find('\n') + 1));
        });
    }
    // The links still write as the simulator closes, after this test's lines have gone.
    void TearDown() override { logged.Cancel(); }

    template <class Form>
    Form& Window(const QString& title) {
        for (Form* form : Main().findChildren<Form*>()) {
            if (form->windowTitle() == title)
                return *form;
        }
        ADD_FAILURE() << "no window " << title.toStdString();
        return *Main().findChildren<Form*>().front();
    }
    frmTrack& West() { return Window<frmTrack>("WEST : TRX.TRACK"); }
    frmTrack& East() { return Window<frmTrack>("EAST : TRX.TRACK"); }
    frmSerialPort& Station(const char* name) {
        return Window<frmSerialPort>(QString(name) + " : SERIAL STATION");
    }
    static TrackPanel& Half(frmTrack& form) { return static_cast<TrackPanel&>(form.Half()); }

    template <class Control>
    static Control& Find(QWidget& window, const char* name) {
        auto* control = window.findChild<Control*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return *control;
    }
    static QString Caption(QWidget& window, const char* button) {
        return Find<QPushButton>(window, button).text();
    }

    // Links as server on 127.0.0.1 and the port the dialog offers; that port.
    quint16 LinkAsServer(QWidget& window, const char* button) {
        quint16 port = 0;
        WhenShown<links::frmConnect>([&port](links::frmConnect& dialog) {
            Find<QRadioButton>(dialog, "optType_0").click();
            auto& address = Find<QComboBox>(dialog, "cmbIP");
            address.setCurrentIndex(address.findText("127.0.0.1"));
            port = Find<QLabel>(dialog, "lblLocalPort").text().section(' ', -1).toUShort();
            Find<QPushButton>(dialog, "cmdConnect").click();
        });
        Find<QPushButton>(window, button).click();
        Settle();
        return port;
    }
    // Links as client to `address` and `port`, as typed.
    void LinkAsClient(QWidget& window, const char* button, const QString& port,
                      const QString& address = "127.0.0.1") {
        WhenShown<links::frmConnect>([=](links::frmConnect& dialog) {
            Find<QRadioButton>(dialog, "optType_1").click();
            Find<QLineEdit>(dialog, "txtRemoteIP").setText(address);
            Find<QLineEdit>(dialog, "txtRemotePort").setText(port);
            Find<QPushButton>(dialog, "cmdConnect").click();
        });
        Find<QPushButton>(window, button).click();
        Settle();
    }
    // Links the two windows' buttons, `server` listening and `client` connecting.
    void LinkPair(QWidget& server, const char* serverButton, links::PeerLink& serverLink,
                  QWidget& client, const char* clientButton, links::PeerLink& clientLink) {
        const quint16 port = LinkAsServer(server, serverButton);
        LinkAsClient(client, clientButton, QString::number(port));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return serverLink.IsConnected() && clientLink.IsConnected(); }, kLinkBoundMs));
    }
    void LinkTracks() {
        LinkPair(West(), "cmdLinkA", West().Link(TrackSide::A), East(), "cmdLinkA",
                 East().Link(TrackSide::A));
    }

    // A click on a board's input, as the user makes it, and the scan that takes it.
    void ClickInput(const QString& name) {
        for (QLabel* label : Main().findChildren<QLabel*>()) {
            if (label->text() == name && label->objectName().startsWith("lblIO_")) {
                QTest::mouseClick(label, Qt::LeftButton);
                Scan();
                return;
            }
        }
        ADD_FAILURE() << "no input " << name.toStdString();
    }
    void Scan() {
        EngineDriver(Engine()).Tick();
        Settle();
    }
    bool Bit(const char* name) { return Engine().PrgBooleanBits()->Find(name)->BitValue(); }
    // The lines written in the immediate window that hold `text`.
    int LinesWith(const std::string& text) const {
        int count = 0;
        for (const std::string& line : lines)
            count += line.find(text) != std::string::npos ? 1 : 0;
        return count;
    }

    std::vector<std::string> lines;
    Subscription logged;
};

}  // namespace veldra::testing
