#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <string>
#include <vector>

#include "links/qt/link_fixture.h"

namespace veldra::testing {
namespace {

// Station SE listening, linked to a raw peer that sends what each test gives it. Every
// record the link hands on is kept, with the turn of the event loop it came on and how
// much of the peer's text the link held at that moment.
class FloodedStation : public LinkFixture {
protected:
    void SetUp() override {
        LinkFixture::SetUp();
        const quint16 port = LinkAsServer(Station("SE"), "cmdLink");
        peer.connectToHost(QHostAddress::LocalHost, port);
        ASSERT_TRUE(QTest::qWaitFor([&] { return Link().IsConnected(); }, kLinkBoundMs));
        QObject::connect(&Link(), &links::PeerLink::RecordsReceived,
                         [this](const std::vector<links::Received>& records) {
                             pieces.push_back(records.size());
                             turnOfPiece.push_back(turns);
                             held =
                                 std::max(held, Link().findChild<QTcpSocket*>()->bytesAvailable());
                             taken.insert(taken.end(), records.begin(), records.end());
                         });
        QObject::connect(&turn, &QTimer::timeout, [this] { ++turns; });
        turn.start(0);
    }
    links::PeerLink& Link() { return Station("SE").Link(); }

    // `count` records of seven characters, codes 1 to 9 in turn: no piece boundary falls
    // between two records. Codes beyond the station's three in bits are taken and ignored.
    QByteArray Flood(int count) {
        QByteArray text;
        for (int i = 0; i < count; ++i) {
            const std::string code = std::to_string(1 + i % 9);
            text += QByteArray::fromStdString(code + ",True\r");
            sent.push_back(links::Data{code, "TRUE"});
        }
        return text;
    }
    bool AllTaken() const { return taken.size() >= sent.size(); }

    QTcpSocket peer;
    QTimer turn;
    int turns = 0;
    std::vector<links::Received> sent;
    std::vector<links::Received> taken;
    std::vector<std::size_t> pieces;
    std::vector<int> turnOfPiece;
    qint64 held = 0;
};

constexpr std::size_t kMostRecordsInAPiece = links::PeerLink::kPieceBytes / 4;

// Three pieces and a bit: each piece ends inside a record, which the next piece completes.
TEST_F(FloodedStation, AFloodLargerThanAPieceIsTakenInOrderAPieceATurn) {
    peer.write(Flood(int(3 * links::PeerLink::kPieceBytes / 7 + 100)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return AllTaken(); }, kLinkBoundMs));
    EXPECT_EQ(taken, sent);
    EXPECT_GE(pieces.size(), 4u);
    EXPECT_LE(*std::max_element(pieces.begin(), pieces.end()), kMostRecordsInAPiece);
    // The desktop turned between the pieces.
    EXPECT_GE(turnOfPiece.back() - turnOfPiece.front(), int(pieces.size() - 1) / 2);
    EXPECT_EQ(LinesWith("Unkown TCP/IP Message"), 0);
}

// What the peer sends beyond a piece waits with the system, not in the link, however much
// it is; the program still ends up with the last values.
TEST_F(FloodedStation, AFloodWaitsOutsideTheLinkAndItsLastValuesReachTheProgram) {
    StartProgram();
    peer.write(Flood(150'000) + "1,False\r2,True\r3,False\r");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            Scan();
            return taken.size() == sent.size() + 3 && !Bit("SE_IN1") && Bit("SE_IN2") &&
                   !Bit("SE_IN3");
        },
        4 * kLinkBoundMs));
    EXPECT_TRUE(std::equal(sent.begin(), sent.end(), taken.begin()));
    EXPECT_LE(held, links::PeerLink::kReadAheadBytes);
    EXPECT_LE(*std::max_element(pieces.begin(), pieces.end()), kMostRecordsInAPiece);
    EXPECT_TRUE(Engine().Running());
}

// A peer that floods and leaves: what it sent before leaving is all taken, then the
// station listens on.
TEST_F(FloodedStation, WhatAPeerSentBeforeItLeftIsAllTaken) {
    QSignalSpy closed(&Link(), &links::PeerLink::PeerClosed);
    peer.write(Flood(int(4 * links::PeerLink::kReadAheadBytes / 7)));
    peer.disconnectFromHost();
    ASSERT_TRUE(closed.wait(4 * kLinkBoundMs));
    EXPECT_EQ(taken, sent);
    EXPECT_TRUE(Link().IsServer());
    EXPECT_EQ(LinesWith("link closed by peer 127.0.0.1:"), 1);
}

}  // namespace
}  // namespace veldra::testing
