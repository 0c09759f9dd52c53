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
        server.onRecords = [this](const std::vector<Received>& r) {
            atServer.insert(atServer.end(), r.begin(), r.end());
        };
        server.log = [this](const std::string& line) { serverLog.push_back(line); };
        ASSERT_TRUE(server.Listen(QHostAddress::LocalHost, 0));
        EXPECT_EQ(server.StatusText(), "TCP/IP Connection: Listening");
        client.ConnectTo("127.0.0.1", server.ListeningPort());
        ASSERT_TRUE(QTest::qWaitFor([&] { return server.IsConnected() && client.IsConnected(); },
                                    kBoundMs));
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

TEST_F(LinkedPair, APeerClosingEndsTheLinkWithoutReconnecting) {
    QSignalSpy down(&server, &PeerLink::LinkDown);
    client.Close();
    ASSERT_TRUE(down.wait(kBoundMs));
    EXPECT_FALSE(server.IsStarted());
    EXPECT_EQ(server.StatusText(), "TCP/IP Connection: Closed");
    EXPECT_EQ(client.StatusText(), "TCP/IP Connection: Closed");
}

TEST_F(LinkedPair, AGarbledPeerIsLoggedByNameAndGoodRecordsStillArrive) {
    QTcpSocket second;  // one peer per link: this one is turned away
    QSignalSpy refused(&second, &QTcpSocket::disconnected);
    second.connectToHost(QHostAddress::LocalHost, server.ListeningPort());
    ASSERT_TRUE(refused.wait(kBoundMs));

    QByteArray garbage(10 * 1024, '\x01');
    garbage += "\rd,true\r";
    client.Buffer().Append(std::string(garbage.constData(), garbage.size()));
    client.SendNow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !atServer.empty(); }, kBoundMs));
    EXPECT_EQ(atServer.back(), Received(Data{"D", "TRUE"}));
    ASSERT_GE(serverLog.size(), 2u);
    EXPECT_NE(serverLog.front().find("Second peer refused"), std::string::npos);
    EXPECT_NE(serverLog.back().find("127.0.0.1"), std::string::npos);
    EXPECT_TRUE(server.IsConnected());
}

}  // namespace
}  // namespace veldra::links
