#include "links/qt/frmConnect.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>

#include "platform/qt/twips.h"

namespace veldra::links {

namespace {

template <class Control>
Control* Named(Control* control, const char* name, QRect geometry) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

// A port nobody listens on now, as the system hands one out.
quint16 FreePort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::Any, 0))
        return 0;
    return probe.serverPort();
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
                          RectFromTwips(120, 900, 1500, 255));
    localIp_ = Named(new QComboBox(this), "cmbIP", RectFromTwips(1680, 900, 2880, 315));
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            localIp_->addItem(address.toString());
    }
    localPort_ = Named(new QLabel(QStringLiteral("Local Port: %1").arg(port_), this),
                       "lblLocalPort", RectFromTwips(120, 1320, 4440, 255));
    remoteIpLabel_ = Named(new QLabel(QStringLiteral("Remote IP Address"), this), "Label2",
                           RectFromTwips(120, 900, 1500, 255));
    remoteIp_ = Named(new QLineEdit(this), "txtRemoteIP", RectFromTwips(1680, 900, 2880, 315));
    remotePortLabel_ = Named(new QLabel(QStringLiteral("Remote Port"), this), "Label1",
                             RectFromTwips(120, 1320, 1500, 255));
    remotePort_ = Named(new QLineEdit(this), "txtRemotePort", RectFromTwips(1680, 1320, 1200, 315));
    auto* connectButton = Named(new QPushButton(QStringLiteral("Connect"), this), "cmdConnect",
                                RectFromTwips(120, 2400, 2100, 495));
    auto* cancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel",
                         RectFromTwips(2460, 2400, 2100, 495));
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

void frmConnect::Connect() {
    LinkChoice choice;
    choice.server = server_->isChecked();
    if (choice.server) {
        choice.address = localIp_->currentText();
        choice.port = port_;
        // Without a local address there is nothing to listen on.
        if (choice.address.isEmpty()) {
            reject();
            return;
        }
    } else {
        bool ok = false;
        const uint port = remotePort_->text().trimmed().toUInt(&ok);
        choice.address = remoteIp_->text().trimmed();
        choice.port = ok && port <= 65535 ? quint16(port) : 0;
    }
    choice_ = choice;
    accept();
}

std::optional<LinkChoice> frmConnect::Ask(QWidget* parent) {
    frmConnect dialog(FreePort(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Choice();
}

}  // namespace veldra::links
