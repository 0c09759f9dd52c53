#include "links/qt/frmConnect.h"

#include <algorithm>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QNetworkInterface>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>

#include "platform/platform.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/twips.h"

namespace veldra::links {

namespace {

// A port nobody listens on now, as the system hands one out.
quint16 FreePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::Any, 0))
        return 0;
    return probe.serverPort();
}

// A port typed by the user: a whole number from 0 to 65535. Anything else is told in a
// box and gives nothing.
std::optional<quint16> TypedPort(const QString& text) {
    bool ok = false;
    const uint port = text.trimmed().toUInt(&ok);
    if (ok && port <= 65535)
        return quint16(port);
    MsgBox("The port \"" + text.toStdString() + "\" is not a whole number from 0 to 65535.",
           MsgButtons::Ok, MsgIcon::Critical, "Veldra");
    return std::nullopt;
}

}  // namespace

frmConnect::frmConnect(quint16 localPort, QWidget* parent) : QDialog(parent), port_(localPort) {
    setObjectName(QStringLiteral("frmConnect"));
    setWindowTitle(QStringLiteral("TCP/IP Connection"));
    setModal(true);
    setFixedSize(SizeFromTwips(4680, 3120));
    auto* frame = Named(new QGroupBox(QStringLiteral("Connection Type"), this), "Frame1",
                        RectFromTwips(120, 120, 4440, 615));
    server_ = Named(new QRadioButton(QStringLiteral("Server"), frame), "optType_0",
                    RectFromTwips(240, 300, 1500, 255));
    client_ = Named(new QRadioButton(QStringLiteral("Client"), frame), "optType_1",
                    RectFromTwips(2280, 300, 1500, 255));
    server_->setChecked(true);
    localIpLabel_ = Named(new QLabel(QStringLiteral("Local IP"), this), "lblLocalIP",
                          RectFromTwips(120, 900, 1860, 255));
    localIp_ = Named(new QComboBox(this), "cmbIP", RectFromTwips(2040, 900, 2520, 315));
    // The machine's own addresses before the loopback, which no other machine reaches.
    QList<QHostAddress> addresses = QNetworkInterface::allAddresses();
    std::stable_partition(addresses.begin(), addresses.end(),
                          [](const QHostAddress& address) { return !address.isLoopback(); });
    for (const QHostAddress& address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            localIp_->addItem(address.toString());
    }
    localPort_ = Named(new QLabel(this), "lblLocalPort", RectFromTwips(120, 1320, 4440, 255));
    localPort_->installEventFilter(this);
    localPort_->setCursor(Qt::PointingHandCursor);
    localPort_->setToolTip(QStringLiteral("Click to enter another port"));
    ShowPort();
    remoteIpLabel_ = Named(new QLabel(QStringLiteral("Remote IP Address"), this), "Label2",
                           RectFromTwips(120, 900, 1860, 255));
    remoteIp_ = Named(new QLineEdit(this), "txtRemoteIP", RectFromTwips(2040, 900, 2520, 315));
    remotePortLabel_ = Named(new QLabel(QStringLiteral("Remote Port"), this), "Label1",
                             RectFromTwips(120, 1320, 1860, 255));
    remotePort_ = Named(new QLineEdit(this), "txtRemotePort", RectFromTwips(2040, 1320, 1200, 315));
    auto* connectButton = Named(new QPushButton(QStringLiteral("Connect"), this), "cmdConnect",
                                RectFromTwips(120, 2400, 2100, 495));
    auto* cancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel",
                         RectFromTwips(2460, 2400, 2100, 495));
    if (localIp_->count() > 0)
        localIp_->setCurrentIndex(0);
    connect(server_, &QRadioButton::toggled, this, &frmConnect::ShowType);
    connect(connectButton, &QPushButton::clicked, this, &frmConnect::Connect);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ShowType();
}

void frmConnect::ShowType() {
    const bool server = server_->isChecked();
    for (QWidget* control : {static_cast<QWidget*>(localIpLabel_), static_cast<QWidget*>(localIp_),
                             static_cast<QWidget*>(localPort_)})
        control->setVisible(server);
    for (QWidget* control :
         {static_cast<QWidget*>(remoteIpLabel_), static_cast<QWidget*>(remoteIp_),
          static_cast<QWidget*>(remotePortLabel_), static_cast<QWidget*>(remotePort_)})
        control->setVisible(!server);
}

void frmConnect::ShowPort() {
    localPort_->setText(QStringLiteral("Local Port: %1").arg(port_));
}

bool frmConnect::eventFilter(QObject* watched, QEvent* event) {
    if (watched == localPort_ && event->type() == QEvent::MouseButtonRelease) {
        EditPort();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// An empty answer, Cancel among them, keeps the port.
void frmConnect::EditPort() {
    const std::optional<std::string> typed =
        InputBox("Enter Port Number:", "Manual Edit Port Number", std::to_string(port_));
    if (!typed || typed->empty())
        return;
    if (const auto port = TypedPort(ToQString(*typed))) {
        port_ = *port;
        ShowPort();
    }
}

// A port that is no port keeps the dialog open; an empty address is left to the link
// button, which then starts nothing.
void frmConnect::Connect() {
    LinkChoice choice;
    choice.server = server_->isChecked();
    if (choice.server) {
        choice.address = localIp_->currentText();
        choice.port = port_;
    } else {
        const auto port = TypedPort(remotePort_->text());
        if (!port)
            return;
        choice.address = remoteIp_->text().trimmed();
        choice.port = *port;
    }
    choice_ = choice;
    accept();
}

std::optional<LinkChoice> frmConnect::Ask(QWidget* parent) {
    // Made on the heap: if the window it belongs to goes while it is shown, it goes too.
    const QPointer<frmConnect> dialog = new frmConnect(FreePort(), parent);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return std::nullopt;
    const std::optional<LinkChoice> choice = accepted ? dialog->Choice() : std::nullopt;
    delete dialog.data();
    return choice;
}

}  // namespace veldra::links
