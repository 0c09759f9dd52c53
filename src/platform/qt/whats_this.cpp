#include "platform/qt/whats_this.h"

#include <QMdiSubWindow>
#include <QVariant>
#include <QWhatsThis>
#include <QWidget>

namespace veldra {
namespace {

// The dynamic property that holds a control's own topic.
constexpr const char* kHelpTopicProperty = "WhatsThisHelpID";

HelpTopic OwnTopic(const QWidget& widget) {
    if (const QVariant topic = widget.property(kHelpTopicProperty); topic.isValid()) {
        return HelpTopic(topic.toInt());
    }
    return WindowHelpTopic(widget.objectName().toStdString());
}

}  // namespace

void EnterWhatsThisMode() {
    QWhatsThis::enterWhatsThisMode();
}

void SetHelpTopic(QWidget& control, HelpTopic topic) {
    control.setProperty(kHelpTopicProperty, int(topic));
}

HelpTopic HelpTopicOf(const QWidget& control) {
    for (const QWidget* widget = &control; widget != nullptr; widget = widget->parentWidget()) {
        // A child window's frame (its title bar) stands for the window inside it.
        if (const auto* frame = qobject_cast<const QMdiSubWindow*>(widget);
            frame != nullptr && frame->widget() != nullptr) {
            if (const HelpTopic topic = OwnTopic(*frame->widget()); topic != HelpTopic::None) {
                return topic;
            }
        }
        if (const HelpTopic topic = OwnTopic(*widget); topic != HelpTopic::None) {
            return topic;
        }
    }
    return HelpTopic::None;
}

}  // namespace veldra
