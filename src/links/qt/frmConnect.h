#pragma once

// frmConnect, "TCP/IP Connection": where one link goes, as server on a local address and
// port or as client to a remote address and port.

#include <QDialog>
#include <optional>

#include "links/qt/peer_link.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace veldra::links {

class frmConnect final : public QDialog {
    Q_OBJECT

public:
    explicit frmConnect(quint16 localPort, QWidget* parent = nullptr);

    // Shows the dialog modally, offering a free local port; nothing when cancelled.
    static std::optional<LinkChoice> Ask(QWidget* parent);

    std::optional<LinkChoice> Choice() const { return choice_; }

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void ShowType();
    void EditPort();
    void Connect();
    void ShowPort();

    QRadioButton* server_ = nullptr;
    QRadioButton* client_ = nullptr;
    QLabel* localIpLabel_ = nullptr;
    QComboBox* localIp_ = nullptr;
    QLabel* localPort_ = nullptr;
    QLabel* remoteIpLabel_ = nullptr;
    QLineEdit* remoteIp_ = nullptr;
    QLabel* remotePortLabel_ = nullptr;
    QLineEdit* remotePort_ = nullptr;
    quint16 port_ = 0;
    std::optional<LinkChoice> choice_;
};

}  // namespace veldra::links
