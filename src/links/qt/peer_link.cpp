#include "links/qt/peer_link.h"

#include <algorithm>
#include <utility>

namespace veldra::links {

namespace {
constexpr int kSendPeriodMs = 250;
constexpr int kLogWindowMs = 1000;
// A peer that never reads holds at most this much in the socket beyond our own buffer.
constexpr qint64 kMaxUnwritten = 64 * 1024;
constexpr qint64 kReadChunk = 1024;
}  // namespace

PeerLink::PeerLink(QObject* parent) : QObject(parent) {
    sendTimer_.setSingleShot(true);
    sendTimer_.setInterval(kSendPeriodMs);
    connect(&sendTimer_, &QTimer::timeout, this, &PeerLink::SendNow);
    connectTimer_.setSingleShot(true);
    connectTimer_.setInterval(kConnectTimeoutMs);
    connect(&connectTimer_, &QTimer::timeout, this, &PeerLink::ConnectTimedOut);
    readOn_.setSingleShot(true);
    readOn_.setInterval(0);
    connect(&readOn_, &QTimer::timeout, this, &PeerLink::ReadPiece);
    logWindow_.setSingleShot(true);
    logWindow_.setInterval(kLogWindowMs);
    connect(&logWindow_, &QTimer::timeout, this, &PeerLink::CloseLogWindow);
    connect(&server_, &QTcpServer::newConnection, this, &PeerLink::OnNewConnection);
}

PeerLink::~PeerLink() {
    // The owner's labels may already be gone: nothing is told of this last close.
    blockSignals(true);
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
    }
}

std::optional<PeerLink::Failure> PeerLink::Listen(const QHostAddress& address, quint16 port) {
    Close();
    if (address.isNull())
        return Failure{int(QAbstractSocket::UnsupportedSocketOperationError),
                       QStringLiteral("The address is not valid")};
    if (!server_.listen(address, port)) {
        const Failure failure{int(server_.serverError()), server_.errorString()};
        server_.close();
        return failure;
    }
    Log("listening on " + address.toString().toStdString() + ":" + std::to_string(ListeningPort()));
    Q_EMIT StatusChanged();
    return std::nullopt;
}

void PeerLink::ConnectTo(const QString& host, quint16 port) {
    Close();
    auto* socket = new QTcpSocket(this);
    Adopt(socket);
    peerName_ = host + QLatin1Char(':') + QString::number(port);
    connect(socket, &QTcpSocket::connected, this, [this, socket] {
        if (socket != socket_)
            return;
        connectTimer_.stop();
        linked_ = true;
        Log("connected to " + peerName_.toStdString());
        Q_EMIT StatusChanged();
        Q_EMIT Connected();
    });
    connectTimer_.start();
    socket->connectToHost(host, port);
    Q_EMIT StatusChanged();
}

void PeerLink::Close() {
    sendTimer_.stop();
    connectTimer_.stop();
    server_.close();
    DropSocket();
    buffer_.Clear();
    Q_EMIT StatusChanged();
}

void PeerLink::DropSocket() {
    readOn_.stop();
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
        socket_->deleteLater();
        socket_ = nullptr;
    }
    linked_ = false;
    reader_.Clear();
}

bool PeerLink::IsConnected() const {
    return linked_ && socket_ && socket_->state() == QAbstractSocket::ConnectedState;
}

QString PeerLink::StatusText() const {
    QString state = QStringLiteral("Closed");
    if (socket_) {
        switch (socket_->state()) {
            case QAbstractSocket::ConnectedState:
                state = QStringLiteral("Active");
                break;
            case QAbstractSocket::HostLookupState:
            case QAbstractSocket::ConnectingState:
                state = QStringLiteral("Connecting");
                break;
            case QAbstractSocket::ClosingState:
                state = QStringLiteral("Closing");
                break;
            default:
                break;
        }
    } else if (server_.isListening()) {
        state = QStringLiteral("Listening");
    }
    return QStringLiteral("TCP/IP Connection: ") + state;
}

void PeerLink::Request() {
    buffer_.Request();
    ScheduleSend();
}

void PeerLink::Send(const std::string& records) {
    buffer_.Replace(records);
    ScheduleSend();
}

void PeerLink::Serve(Taker take, std::function<std::string()> state) {
    disconnect(servedBy_);
    servedBy_ =
        connect(this, &PeerLink::RecordsReceived, this,
                [this, take = std::move(take),
                 state = std::move(state)](const std::vector<Received>& records) {
                    if (take(records, [this](const std::string& record) { Refused(record); }))
                        Send(state());
                });
}

void PeerLink::ScheduleSend() {
    if (!sendTimer_.isActive())
        sendTimer_.start();
}

void PeerLink::SendNow() {
    sendTimer_.stop();
    if (!IsConnected())
        return;  // the text waits for the next change or request
    if (buffer_.Empty())
        return;
    if (socket_->bytesToWrite() > kMaxUnwritten) {
        sendTimer_.start();  // the peer is not reading: hold ours, try again later
        return;
    }
    const std::string& text = buffer_.Text();
    const qint64 written = socket_->write(text.data(), static_cast<qint64>(text.size()));
    if (written < 0) {
        sendTimer_.start();
        return;
    }
    buffer_.Consume(static_cast<std::size_t>(written));
    if (!buffer_.Empty())
        sendTimer_.start();
}

void PeerLink::ConnectTimedOut() {
    connectTimer_.stop();
    if (!socket_ || linked_ || IsServer())
        return;
    Log("no connection to " + peerName_.toStdString() + " in time");
    Close();
    Q_EMIT TimedOut();
}

void PeerLink::Adopt(QTcpSocket* socket) {
    socket_ = socket;
    // Writes are already batched every send period: holding a small one back for the
    // peer's acknowledgement would only add its delay to every change.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    // A peer sending faster than we take its records waits on the system's buffers, not
    // on our memory.
    socket->setReadBufferSize(kReadAheadBytes);
    connect(socket, &QTcpSocket::readyRead, this, &PeerLink::OnReadyRead);
    connect(socket, &QTcpSocket::disconnected, this, &PeerLink::OnDisconnected);
    connect(socket, &QTcpSocket::errorOccurred, this,
            [this, socket](QAbstractSocket::SocketError error) { OnError(socket, error); });
    connect(socket, &QTcpSocket::stateChanged, this, &PeerLink::StatusChanged);
}

// A connection that was made ends through its disconnection; one never made ends here.
void PeerLink::OnError(QTcpSocket* socket, QAbstractSocket::SocketError error) {
    if (socket != socket_ || linked_)
        return;
    const QString description = socket->errorString();
    Log("no connection to " + peerName_.toStdString() + ": " + description.toStdString());
    Close();
    if (error == QAbstractSocket::SocketTimeoutError)
        Q_EMIT TimedOut();
    else
        Q_EMIT Failed(description);
}

void PeerLink::OnNewConnection() {
    while (QTcpSocket* incoming = server_.nextPendingConnection()) {
        const QString from = incoming->peerAddress().toString() + QLatin1Char(':') +
                             QString::number(incoming->peerPort());
        if (socket_) {
            Log("a second peer refused: " + from.toStdString());
            incoming->abort();
            incoming->deleteLater();
            continue;
        }
        incoming->setParent(this);
        Adopt(incoming);
        linked_ = true;
        peerName_ = from;
        Log("peer " + from.toStdString() + " accepted");
        Q_EMIT StatusChanged();
        Q_EMIT Accepted();
    }
}

void PeerLink::OnReadyRead() {
    if (sender() != socket_)
        return;
    if (!readOn_.isActive())  // else the next piece is already on its way
        ReadPiece();
}

void PeerLink::ReadPiece() {
    if (TakePiece())
        readOn_.start();
}

// One piece of what the peer sent, applied; whether more of it waits. A record cut at the
// piece's end waits in the reader for the rest.
bool PeerLink::TakePiece() {
    if (!socket_)
        return false;
    std::vector<Received> records;
    char chunk[kReadChunk];
    qint64 taken = 0;
    qint64 got = 0;
    while (taken < kPieceBytes &&
           (got = socket_->read(chunk, std::min(kReadChunk, kPieceBytes - taken))) > 0) {
        taken += got;
        auto more = reader_.Feed(std::string_view(chunk, static_cast<std::size_t>(got)));
        records.insert(records.end(), std::make_move_iterator(more.begin()),
                       std::make_move_iterator(more.end()));
    }
    if (const std::size_t dropped = reader_.TakeDropped())
        Refused(std::to_string(dropped) + " characters without a record end dropped");
    if (!records.empty())
        Q_EMIT RecordsReceived(records);
    return socket_ && socket_->bytesAvailable() > 0;
}

void PeerLink::OnDisconnected() {
    if (sender() != socket_ || !linked_)
        return;
    // What the peer sent before it left is still taken, in order.
    while (TakePiece()) {
    }
    Log("link closed by peer " + peerName_.toStdString());
    DropSocket();
    sendTimer_.stop();
    Q_EMIT StatusChanged();
    Q_EMIT PeerClosed();
}

void PeerLink::Log(const std::string& text) {
    const bool opening = !budget_.Open();
    if (budget_.Admit())
        Write(text);
    if (opening)
        logWindow_.start();
}

void PeerLink::Refused(const std::string& what) {
    Log("Unkown TCP/IP Message from " + peerName_.toStdString() + ": " + Printable(what));
}

void PeerLink::CloseLogWindow() {
    logWindow_.stop();
    if (const auto leftOut = budget_.Close())
        Write(*leftOut);
}

void PeerLink::Write(const std::string& text) {
    Q_EMIT LineWritten(text);
}

}  // namespace veldra::links
