#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "links/qt/peer_link.h"
#include "platform/platform.h"

class QPushButton;
class QWidget;

namespace veldra::links {

// The link button of a coded-track end or a serial station, with the link it starts. Its
// caption is the link's state: "Link" asks where to link in the "TCP/IP Connection"
// dialog and listens or connects, "Close" ends whatever was started. While a link is
// started, a right press makes its window the active one and asks for the main window's
// "Refresh" menu. A link that cannot start, or whose connection is never made, has ended
// before the user is told.
class LinkButton final : public QObject {
    Q_OBJECT

public:
    // `window` is the link window the button stands in: the dialog opens over it. The
    // link's lines go to `writeLine`, behind the name `name` gives when each is written.
    LinkButton(QPushButton& button, QWidget& window, std::function<std::string()> name,
               const std::function<void(const std::string&)>& writeLine);

    PeerLink& Link() { return *link_; }
    bool Started() const { return started_; }

    // The button's click.
    void Click();
    // Ends the link, as "Close" does.
    void End();
    // Shows a box once the handler that asks for it has finished, so that whatever the
    // link does meanwhile finds its state settled; `then` runs after it while the window
    // stands.
    void TellLater(MsgBoxRequest box, std::function<void()> then = {});

Q_SIGNALS:
    // A listen failed, for whoever tells it in a box of its own; with nobody connected, the
    // button tells its description in a critical box.
    void listenFailed(const PeerLink::Failure& failure);
    void LinkStarted();
    void LinkEnded();
    void RefreshRequested();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void Start();
    void ShowCaption();

    QPushButton& button_;
    QWidget& window_;
    PeerLink* link_ = nullptr;
    bool started_ = false;
};

}  // namespace veldra::links
