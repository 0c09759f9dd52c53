#pragma once

#include "platform/help_topics.h"

class QWidget;

namespace veldra {

// "What's This": the next click on a control shows that control's topic of the user's
// guide, in the help window of the main window's help system (HelpSystem).
void EnterWhatsThisMode();

// Gives a control a topic of its own, in place of its window's.
void SetHelpTopic(QWidget& control, HelpTopic topic);

// The topic What's This shows for a control: its own, else that of the nearest frame or
// page around it that has one, else its window's (WindowHelpTopic by the window's class
// name). None outside our windows.
HelpTopic HelpTopicOf(const QWidget& control);

}  // namespace veldra
