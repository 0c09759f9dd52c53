#include "links/qt/peer_link.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include <string>
#include <vector>

namespace veldra::links {
namespace {

constexpr int kBoundMs = 5000;

// A listening end and a connecting end in one process, over loopback.
struct LinkedPair : ::testing::Test {
    PeerLink server;
    PeerLink client;
    std::vector<Received> atServer;
    std::vector<std::string> serverLog;

    void SetUp() override {
        QObject::connect(&server, &PeerLink::RecordsReceived,
                         [this](const std::vector<Received>& r) {
                             atServer.insert(atServer.end(), r.begin(), r.end());
                         });
        QObject::connect(&server, &PeerLink::LineWritten,
                         [this](const std::string& line) { serverLog.push_back(line); });
        ASSERT_FALSE(server.Listen(QHostAddress::LocalHost, 0));
        EXPECT_EQ(server.StatusText(), "TCP/IP Connection: Listening");
        QSignalSpy connected(&client, &PeerLink::Connected);
        client.ConnectTo("127.0.0.1", server.ListeningPort());
        ASSERT_TRUE(connected.wait(kBoundMs));
        ASSERT_TRUE(QTest::qWaitFor([&] { return server.IsConnected(); }, kBoundMs));
    }
};

TEST_F(LinkedPair, RecordsQueuedOnOneEndReachTheOtherOnTheSendTick) {
    client.Buffer().Request();
    client.Buffer().Replace(DataRecord("D", true));
    client.ScheduleSend();
    EXPECT_TRUE(client.SendTimer().isActive());
    client.SendNow();  // the 250 ms tick, fired by hand
    ASSERT_TRUE(QTest::qWaitFor([&] { return atServer.size() >= 2; }, kBoundMs));
    EXPECT_EQ(atServer, (std::vector<Received>{Request{}, Data{"D", "TRUE"}}));
    EXPECT_TRUE(client.Buffer().Empty());
    EXPECT_EQ(client.StatusText(), "TCP/IP Connection: Active");
}

// The server listens on for the next peer; nothing reconnects by itself.
TEST_F(LinkedPair, AServerWhosePeerLeavesListensOn) {
    QSignalSpy closed(&server, &PeerLink::PeerClosed);
    client.Close();
    ASSERT_TRUE(closed.wait(kBoundMs));
    EXPECT_TRUE(server.IsStarted());
    EXPECT_FALSE(server.IsConnected());
    EXPECT_EQ(server.StatusText(), "TCP/IP Connection: Listening");
    EXPECT_EQ(client.StatusText(), "TCP/IP Connection: Closed");
    EXPECT_FALSE(client.IsStarted());
}

TEST_F(LinkedPair, ASecondPeerIsTurnedAwayAndNamed) {
    QTcpSocket second;
    QSignalSpy refused(&second, &QTcpSocket::disconnected);
    second.connectToHost(QHostAddress::LocalHost, server.ListeningPort());
    ASSERT_TRUE(refused.wait(kBoundMs));
    EXPECT_NE(serverLog.back().find("a second peer refused: 127.0.0.1:"), std::string::npos);
    EXPECT_TRUE(server.IsConnected());
}

// A peer that never reads: what waits for it stays within the link's bounds however much
// the owner offers.
TEST_F(LinkedPair, APeerThatNeverReadsCostsBoundedMemory) {
    QTcpSocket silent;
    PeerLink listening;
    ASSERT_FALSE(listening.Listen(QHostAddress::LocalHost, 0));
    silent.connectToHost(QHostAddress::LocalHost, listening.ListeningPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return listening.IsConnected(); }, kBoundMs));
    silent.setReadBufferSize(1);
    const std::string chunk(60 * 1024, 'x');
    for (int round = 0; round < 400; ++round) {
        listening.Buffer().Append(chunk);
        listening.SendNow();
        QCoreApplication::processEvents();
    }
    EXPECT_LE(listening.Buffer().Text().size(), 64u * 1024);
    const auto* socket = listening.findChild<QTcpSocket*>();
    ASSERT_NE(socket, nullptr);
    EXPECT_LE(socket->bytesToWrite(), 2 * 64 * 1024);
    EXPECT_TRUE(listening.IsConnected());
}

}  // namespace
}  // namespace veldra::links
