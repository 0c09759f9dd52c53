#pragma once

// One link of a track end or serial station to one peer simulator: it listens for a peer
// (server) or connects to one (client), carries records both ways and writes what waits
// at most every 250 ms in one go. One peer at a time; a server whose peer leaves goes on
// listening, and nothing reconnects by itself. What the link has to say goes to the
// immediate window a few lines a second, so a garbled or hostile peer is named there
// without flooding it; what a peer sends is taken a piece a turn of the event loop, so even
// a peer sending as fast as it can costs bounded memory and leaves the scan its tick.

#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "links/line_budget.h"
#include "links/peer_codec.h"
#include "links/send_buffer.h"

namespace veldra::links {

// Where a link goes: listen (server) or connect (client). An empty address goes nowhere.
struct LinkChoice {
    bool server = true;
    QString address;
    quint16 port = 0;
};

class PeerLink : public QObject {
    Q_OBJECT
public:
    // Why a link could not start: the socket layer's error number and its description.
    struct Failure {
        int number = 0;
        QString description;
    };

    explicit PeerLink(QObject* parent = nullptr);
    ~PeerLink() override;

    // Server: waits for a peer on `address`/`port` (port 0: any free port).
    std::optional<Failure> Listen(const QHostAddress& address, quint16 port);
    // Client: connects to the peer's address and port.
    void ConnectTo(const QString& host, quint16 port);
    // Ends the link, whichever state it is in. Nobody is told.
    void Close();

    // Listening, connecting or connected: the link was started and not ended.
    bool IsStarted() const { return server_.isListening() || socket_ != nullptr; }
    bool IsConnected() const;
    bool IsServer() const { return server_.isListening(); }
    quint16 ListeningPort() const { return server_.serverPort(); }
    // "TCP/IP Connection: " and the state.
    QString StatusText() const;
    // The peer as "address:port", for lines; empty without one.
    QString PeerName() const { return peerName_; }

    SendBuffer& Buffer() { return buffer_; }
    // Asks the peer for its whole state, ahead of whatever of ours still waits.
    void Request();
    // Our whole state as it is now, in place of whatever of it still waits.
    void Send(const std::string& records);
    // Starts the send timer: what waits goes out on its next tick.
    void ScheduleSend();
    // The send timer's tick.
    void SendNow();
    const QTimer& SendTimer() const { return sendTimer_; }
    // A connection that is not made in this time has timed out.
    static constexpr int kConnectTimeoutMs = 30000;
    // What one turn of the event loop takes from the peer at most; a flood is taken a
    // piece a turn, so the scan keeps its tick between pieces.
    static constexpr qint64 kPieceBytes = 16 * 1024;
    // What the socket holds of the peer's text at most; the rest waits with the system.
    static constexpr qint64 kReadAheadBytes = 64 * 1024;
    // The connect timer's tick: a connection still not made is given up.
    void ConnectTimedOut();

    // What the peer sends goes to `take`, with what nothing can use named back to this
    // link; when `take` says the peer asked for our state, `state` is sent.
    using Taker = std::function<bool(const std::vector<Received>&,
                                     const std::function<void(const std::string&)>& refused)>;
    void Serve(Taker take, std::function<std::string()> state);
    // A line about this link: a few a second are written, the rest counted.
    void Log(const std::string& text);
    // What the peer sent that nothing can use: a record, or what was dropped of its text.
    void Refused(const std::string& what);
    // Ends the current window of lines: the count of those left out is written.
    void CloseLogWindow();

Q_SIGNALS:
    // A server took a peer; a client's connection was made.
    void Accepted();
    void Connected();
    // The connected peer went away. A server listens on; a client has ended.
    void PeerClosed();
    // A client's connection was not made: in time, or at all (the description says why).
    // The link has ended.
    void TimedOut();
    void Failed(const QString& description);
    void StatusChanged();
    // Every complete record as it arrives, in order, at most a piece's worth at a time.
    void RecordsReceived(const std::vector<Received>& records);
    // A line about the link for the immediate window.
    void LineWritten(const std::string& line);

private:
    void DropSocket();
    void Write(const std::string& text);
    void Adopt(QTcpSocket* socket);
    void OnNewConnection();
    void OnReadyRead();
    void ReadPiece();
    bool TakePiece();
    void OnDisconnected();
    void OnError(QTcpSocket* socket, QAbstractSocket::SocketError error);

    QTcpServer server_;
    QPointer<QTcpSocket> socket_;
    bool linked_ = false;  // socket_ carries a connection that was made
    RecordReader reader_;
    SendBuffer buffer_;
    QTimer sendTimer_;
    QTimer connectTimer_;
    QTimer readOn_;  // the next piece of what the peer sent, on the next turn
    QString peerName_;
    LineBudget budget_;
    QTimer logWindow_;
    QMetaObject::Connection servedBy_;  // what Serve gave the records to
};

}  // namespace veldra::links
