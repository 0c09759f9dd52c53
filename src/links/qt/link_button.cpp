#include "links/qt/link_button.h"

#include <QMdiArea>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

#include "links/qt/frmConnect.h"
#include "platform/qt/window_frame.h"

namespace veldra::links {

LinkButton::LinkButton(QPushButton& button, QWidget& window, std::function<std::string()> name,
                       const std::function<void(const std::string&)>& writeLine)
    : QObject(&window), button_(button), window_(window), link_(new PeerLink(this)) {
    connect(link_, &PeerLink::LineWritten, this,
            [name = std::move(name), &writeLine](const std::string& line) {
                const std::string text = name() + ": " + line;
                if (writeLine)
                    writeLine(text);
                else
                    qInfo("%s", text.c_str());
            });
    ShowCaption();
    button_.installEventFilter(this);
    connect(&button_, &QPushButton::clicked, this, &LinkButton::Click);
    connect(link_, &PeerLink::TimedOut, this, [this] {
        End();
        TellLater({"Connection Timed Out", MsgButtons::Ok, MsgIcon::Information, "VELDRA"});
    });
    connect(link_, &PeerLink::Failed, this, [this](const QString& description) {
        End();
        TellLater({description.toStdString(), MsgButtons::Ok, MsgIcon::Critical, "Veldra"});
    });
}

void LinkButton::Click() {
    if (started_) {
        End();
        return;
    }
    const QPointer<LinkButton> alive(this);
    const std::optional<LinkChoice> choice = frmConnect::Ask(&window_);
    // Cancelled, or no address chosen: nothing starts. The window may have gone meanwhile.
    if (!alive || !choice || choice->address.isEmpty())
        return;
    if (choice->server) {
        if (const auto failure = link_->Listen(QHostAddress(choice->address), choice->port)) {
            if (isSignalConnected(QMetaMethod::fromSignal(&LinkButton::listenFailed)))
                Q_EMIT listenFailed(*failure);
            else
                MsgBox(failure->description.toStdString(), MsgButtons::Ok, MsgIcon::Critical,
                       "Veldra");
            return;
        }
        Start();
    } else {
        // Started first: a connection the system refuses at once ends it again.
        Start();
        link_->ConnectTo(choice->address, choice->port);
    }
}

void LinkButton::Start() {
    started_ = true;
    ShowCaption();
    Q_EMIT LinkStarted();
}

void LinkButton::End() {
    link_->Close();
    if (!started_)
        return;
    started_ = false;
    ShowCaption();
    Q_EMIT LinkEnded();
}

void LinkButton::TellLater(MsgBoxRequest box, std::function<void()> then) {
    QMetaObject::invokeMethod(
        this,
        [this, box = std::move(box), then = std::move(then)] {
            const QPointer<LinkButton> alive(this);
            ThePlatform().MsgBox(box);
            if (alive && then)
                then();
        },
        Qt::QueuedConnection);
}

void LinkButton::ShowCaption() {
    button_.setText(started_ ? QStringLiteral("Close") : QStringLiteral("Link"));
}

bool LinkButton::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &button_ && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        if (started_) {
            // "Refresh" acts on the active window: this one.
            if (auto* frame = qobject_cast<QMdiSubWindow*>(&WindowFrame(window_));
                frame != nullptr && frame->mdiArea() != nullptr)
                frame->mdiArea()->setActiveSubWindow(frame);
            Q_EMIT RefreshRequested();
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace veldra::links
