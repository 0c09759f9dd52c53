#pragma once

// One link of a track end or serial station to one peer simulator: it listens
// or connects, carries records both ways and writes what waits at most every
// 250 ms in one go. Only one peer at a time; nothing reconnects by itself. A
// garbled or hostile peer is logged by name and costs bounded memory.

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "links/peer_codec.h"
#include "links/send_buffer.h"

namespace veldra::links {

// Where a link goes: listen (server) or connect (client).
struct LinkChoice {
    bool server = true;
    QString address;
    quint16 port = 0;
};

class PeerLink : public QObject {
    Q_OBJECT
public:
    explicit PeerLink(QObject* parent = nullptr);
    ~PeerLink() override;

    // Server: waits for one peer on `address`/`port` (port 0: any free port).
    bool Listen(const QHostAddress& address, quint16 port);
    // Client: connects to the peer's address and port.
    void ConnectTo(const QString& host, quint16 port);
    // Ends the link, whichever state it is in.
    void Close();

    bool IsConnected() const;
    bool IsStarted() const { return server_.isListening() || socket_ != nullptr; }
    quint16 ListeningPort() const { return server_.serverPort(); }
    // "TCP/IP Connection: " and the state.
    QString StatusText() const;
    // The peer as "address:port", for messages; empty without one.
    QString PeerName() const;

    SendBuffer& Buffer() { return buffer_; }
    // Starts the send timer: what waits goes out on its next tick.
    void ScheduleSend();
    // The send timer's tick, callable by hand.
    void SendNow();
    QTimer& SendTimer() { return sendTimer_; }

    // Every complete record as it arrives, in order.
    std::function<void(const std::vector<Received>&)> onRecords;
    // A line for the immediate window.
    std::function<void(const std::string&)> log;

Q_SIGNALS:
    void LinkUp();
    void LinkDown();
    void StatusChanged();

private:
    // Ends everything; true when a peer was connected.
    bool Shut();
    void Adopt(QTcpSocket* socket);
    void OnNewConnection();
    void OnReadyRead();
    void OnDisconnected();
    void Log(const QString& text);

    QTcpServer server_;
    QPointer<QTcpSocket> socket_;
    RecordReader reader_;
    SendBuffer buffer_;
    QTimer sendTimer_;
    QString peerName_;
    bool closing_ = false;
};

}  // namespace veldra::links
