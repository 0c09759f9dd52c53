#pragma once

#include "engine/qt/program_page_frame.h"
#include "platform/event.h"

class QLabel;
class QLineEdit;
class QListView;

namespace veldra {

class CoreListModel;
class WordPickingText;

// The running timers page: the delays of a chosen timer bit, to change or force, the
// timers on the queue, whose double-clicked bit name asks for its statement, and the
// interval the timers are serviced at.
class TimerFrame final : public ProgramPageFrame {
    Q_OBJECT

public:
    TimerFrame(ProgramEngine& engine, ProgramPages& pages, QWidget* parent);

    // Follows the timer page: its timer bits, the chosen one's delays, the interval.
    void Sync();
    // Follows the engine's timers on the queue.
    void ShowTimers();

private:
    QListView* lstTimers_ = nullptr;
    CoreListModel* timerBits_ = nullptr;
    QLineEdit* txtSetTime_ = nullptr;
    QLineEdit* txtClearTime_ = nullptr;
    WordPickingText* txtTimers_ = nullptr;
    QLabel* lblTiQu_ = nullptr;
    QLineEdit* txtInterval_ = nullptr;
    Subscription changed_;
};

}  // namespace veldra
