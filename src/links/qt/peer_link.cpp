#include "links/qt/peer_link.h"

namespace veldra::links {

namespace {
constexpr int kSendPeriodMs = 250;
// A peer that never reads holds at most this much in the socket beyond our own buffer.
constexpr qint64 kMaxUnwritten = 64 * 1024;
constexpr qint64 kReadChunk = 1024;
}  // namespace

PeerLink::PeerLink(QObject* parent) : QObject(parent) {
    sendTimer_.setSingleShot(true);
    sendTimer_.setInterval(kSendPeriodMs);
    connect(&sendTimer_, &QTimer::timeout, this, &PeerLink::SendNow);
    connect(&server_, &QTcpServer::newConnection, this, &PeerLink::OnNewConnection);
}

PeerLink::~PeerLink() {
    // The owner's labels may already be gone: nothing is told of this last close.
    blockSignals(true);
    closing_ = true;
    if (socket_) {
        socket_->disconnect(this);
        socket_->abort();
    }
}

bool PeerLink::Listen(const QHostAddress& address, quint16 port) {
    Close();
    const bool ok = server_.listen(address, port);
    if (!ok)
        Log(QStringLiteral("Cannot listen: ") + server_.errorString());
    Q_EMIT StatusChanged();
    return ok;
}

void PeerLink::ConnectTo(const QString& host, quint16 port) {
    Close();
    auto* socket = new QTcpSocket(this);
    Adopt(socket);
    peerName_ = host + QLatin1Char(':') + QString::number(port);
    connect(socket, &QTcpSocket::connected, this, [this] {
        Q_EMIT StatusChanged();
        Q_EMIT LinkUp();
    });
    socket->connectToHost(host, port);
    Q_EMIT StatusChanged();
}

void PeerLink::Close() {
    if (Shut())
        Q_EMIT LinkDown();
}

bool PeerLink::Shut() {
    const bool wasConnected = IsConnected();
    closing_ = true;
    sendTimer_.stop();
    server_.close();
    if (socket_) {
        socket_->abort();
        socket_->deleteLater();
        socket_ = nullptr;
    }
    reader_.Clear();
    buffer_.Clear();
    closing_ = false;
    Q_EMIT StatusChanged();
    return wasConnected;
}

bool PeerLink::IsConnected() const {
    return socket_ && socket_->state() == QAbstractSocket::ConnectedState;
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

QString PeerLink::PeerName() const {
    return peerName_;
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

void PeerLink::Adopt(QTcpSocket* socket) {
    socket_ = socket;
    connect(socket, &QTcpSocket::readyRead, this, &PeerLink::OnReadyRead);
    connect(socket, &QTcpSocket::disconnected, this, &PeerLink::OnDisconnected);
    connect(socket, &QTcpSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError) {
        if (socket != socket_ || closing_)
            return;
        if (socket->state() != QAbstractSocket::ConnectedState) {
            Log(QStringLiteral("Link to ") + peerName_ + QStringLiteral(" failed: ") +
                socket->errorString());
            OnDisconnected();
        }
    });
    connect(socket, &QTcpSocket::stateChanged, this, &PeerLink::StatusChanged);
}

void PeerLink::OnNewConnection() {
    while (QTcpSocket* incoming = server_.nextPendingConnection()) {
        if (socket_) {
            Log(QStringLiteral("Second peer refused: ") + incoming->peerAddress().toString());
            incoming->abort();
            incoming->deleteLater();
            continue;
        }
        incoming->setParent(this);
        Adopt(incoming);
        peerName_ = incoming->peerAddress().toString() + QLatin1Char(':') +
                    QString::number(incoming->peerPort());
        Q_EMIT StatusChanged();
        Q_EMIT LinkUp();
    }
}

void PeerLink::OnReadyRead() {
    auto* socket = qobject_cast<QTcpSocket*>(sender());
    if (!socket || socket != socket_)
        return;
    std::vector<Received> records;
    char chunk[kReadChunk];
    qint64 got = 0;
    while ((got = socket->read(chunk, kReadChunk)) > 0) {
        auto more = reader_.Feed(std::string_view(chunk, static_cast<std::size_t>(got)));
        records.insert(records.end(), std::make_move_iterator(more.begin()),
                       std::make_move_iterator(more.end()));
    }
    if (const std::size_t dropped = reader_.TakeDropped())
        Log(QStringLiteral("Unkown TCP/IP Message from %1: %2 characters without a record end "
                           "dropped")
                .arg(peerName_)
                .arg(dropped));
    if (!records.empty() && onRecords)
        onRecords(records);
}

void PeerLink::OnDisconnected() {
    if (closing_)
        return;
    Log(QStringLiteral("Link closed by peer ") + PeerName());
    // Ended from the far side or never made: the owner shows the link as closed.
    Shut();
    Q_EMIT LinkDown();
}

void PeerLink::Log(const QString& text) {
    if (log)
        log(text.toStdString());
}

}  // namespace veldra::links
