#include "platform/qt/help_system.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QWhatsThis>
#include <QWidget>
#include <exception>

#include "platform/platform.h"
#include "platform/qt/whats_this.h"
#include "platform/runtime_error.h"
#include "platform/window_errors.h"

namespace veldra {

HelpSystem::HelpSystem() {
    QApplication::instance()->installEventFilter(this);
}

HelpSystem::~HelpSystem() {
    Quit();
}

void HelpSystem::ShowContents() {
    OpenWindow().ShowContents();
}

void HelpSystem::ShowTopic(HelpTopic topic) {
    OpenWindow().ShowTopic(topic);
}

void HelpSystem::Quit() {
    delete window_.data();
}

frmHelp& HelpSystem::OpenWindow() {
    const QString file = QFile::decodeName(helpFile_.string().c_str());
    if (helpFile_.empty() || !QFile::exists(file)) {
        throw RuntimeError("Unable to open the help file " + helpFile_.string());
    }
    if (!window_) {
        window_ = new frmHelp(HelpGuide::Read(file));
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    return *window_;
}

bool HelpSystem::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (swallowRelease_ && type == QEvent::MouseButtonRelease) {
        swallowRelease_ = false;
        return true;
    }
    if (type != QEvent::WhatsThis && type != QEvent::QueryWhatsThis) {
        return false;
    }
    const auto* control = qobject_cast<const QWidget*>(watched);
    const HelpTopic topic = control != nullptr ? HelpTopicOf(*control) : HelpTopic::None;
    if (topic == HelpTopic::None) {
        return false;
    }
    event->accept();
    if (type == QEvent::WhatsThis) {
        if (QWhatsThis::inWhatsThisMode()) {
            QWhatsThis::leaveWhatsThisMode();
            swallowRelease_ = true;
        }
        ReportWindowErrors([&] { ShowTopic(topic); });
    }
    return true;
}

}  // namespace veldra
