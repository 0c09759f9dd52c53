#include "engine/qt/timer_frame.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "engine/program_pages.h"
#include "engine/qt/core_list_model.h"
#include "engine/qt/immediate_views.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/value_box_leaving.h"

namespace veldra {

using namespace page_controls;

TimerFrame::TimerFrame(ProgramEngine& engine, ProgramPages& pages, QWidget* parent)
    : ProgramPageFrame("Running Timers", 3, engine, pages, parent) {
    auto* layout = new QGridLayout(this);
    TimerPage& timers = pages_.Timers();

    layout->addWidget(Label("Select Timer", this), 0, 0);
    lstTimers_ = List("lstTimers", this);
    timerBits_ = ShowLines(
        lstTimers_, [&timers]() -> const auto& { return timers.TimerBits(); },
        [&timers](int line) { timers.Select(line); });
    layout->addWidget(lstTimers_, 1, 0, 5, 1);

    auto* delays = new QGridLayout;
    delays->addWidget(Label("Set Time", this), 0, 0);
    delays->addWidget(txtSetTime_ = Box("txtSetTime", this), 0, 1);
    delays->addWidget(Label("Clear Time", this), 1, 0);
    delays->addWidget(txtClearTime_ = Box("txtClearTime", this), 1, 1);
    delays->addWidget(Label("MSEC", this), 0, 2, 2, 1);
    QPushButton* store = Button("Set", "cmdChangeTimer", this);
    QPushButton* force = Button("Force", "cmdToggle", this);
    delays->addWidget(store, 2, 0);
    delays->addWidget(force, 2, 1);
    layout->addLayout(delays, 1, 1, 1, 2);
    for (QLineEdit* box : {txtSetTime_, txtClearTime_}) {
        new ValueBoxLeaving(box, [this, box, &timers] {
            bool accepted = true;
            Command([&] {
                const std::string text = ToStdString(box->text());
                accepted =
                    box == txtSetTime_ ? timers.EnterSetTime(text) : timers.EnterClearTime(text);
            });
            return accepted;
        });
    }
    connect(store, &QPushButton::clicked, this,
            [this, &timers] { Command([&] { timers.StoreDelays(); }); });
    connect(force, &QPushButton::clicked, this,
            [this, &timers] { Command([&] { timers.ForceTimer(); }); });

    auto* count = new QHBoxLayout;
    count->addWidget(Label("Timers On Que", this));
    lblTiQu_ = Label("0", this, "lblTiQu");
    count->addWidget(lblTiQu_);
    count->addStretch(1);
    layout->addLayout(count, 2, 1, 1, 2);
    txtTimers_ = new WordPickingText(this);
    txtTimers_->setObjectName("txtTimers");
    connect(txtTimers_, &WordPickingText::wordPicked, this, &ProgramPageFrame::bitAssignAsked);
    layout->addWidget(txtTimers_, 3, 1, 1, 2);

    layout->addWidget(Label("Timer Service Interval", this), 4, 1, 1, 2);
    txtInterval_ = Box("txtInterval", this);
    layout->addWidget(txtInterval_, 5, 1);
    QPushButton* set = Button("Set", "cmdSet", this);
    layout->addWidget(set, 5, 2);
    connect(set, &QPushButton::clicked, this, [this, &timers] {
        Command([&] {
            timers.SetIntervalText(ToStdString(txtInterval_->text()));
            timers.ApplyInterval();
        });
    });
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);

    changed_ = timers.Changed.Subscribe([this] { Sync(); });
}

void TimerFrame::Sync() {
    const Following following(*this);
    const TimerPage& timers = pages_.Timers();
    if (timerBits_->rowCount() != int(timers.TimerBits().size())) {
        timerBits_->Sync();
    }
    ShowLine(lstTimers_, timers.Selected());
    txtSetTime_->setText(ToQString(timers.SetTimeText()));
    txtClearTime_->setText(ToQString(timers.ClearTimeText()));
    if (!txtInterval_->hasFocus()) {
        txtInterval_->setText(ToQString(timers.IntervalText()));
    }
}

void TimerFrame::ShowTimers() {
    std::string text = engine_.TimersText();
    // The text never starts with a line feed: a removed first line leaves none behind.
    text.erase(0, text.find_first_not_of('\n'));
    txtTimers_->Follow(text);
    lblTiQu_->setText(QString::number(engine_.TimerCount()));
}

}  // namespace veldra
