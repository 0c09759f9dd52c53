#include "engine/qt/numeric_editor_controls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "engine/numeric_editor.h"
#include "engine/qt/core_list_model.h"
#include "engine/qt/program_page_frame.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/value_box_leaving.h"

namespace veldra {

NumericEditorControls::NumericEditorControls(ProgramPageFrame& frame, NumericEditor& editor,
                                             QListView* list, QLineEdit* box, QPushButton* apply)
    : QObject(&frame), frame_(frame), editor_(editor), list_(list), box_(box) {
    lines_ = frame_.ShowLines(
        list_, [this]() -> const auto& { return editor_.Lines(); },
        [this](int line) { editor_.Choose(line); });
    list_->installEventFilter(this);

    box_->setEnabled(false);
    new ValueBoxLeaving(box_, [this] {
        bool taken = true;
        frame_.Command([&] {
            editor_.SetValueText(ToStdString(box_->text()));
            taken = editor_.LeaveValueBox();
        });
        return taken;
    });
    connect(box_, &QLineEdit::returnPressed, this, [this] {
        ValueBoxLeaving::Answering([&] {
            frame_.Command([&] {
                editor_.SetValueText(ToStdString(box_->text()));
                editor_.Enter();
            });
        });
        box_->selectAll();
        box_->setFocus();
    });
    // "Apply" has no action of its own: taking the focus out of the box applies it.
    connect(apply, &QPushButton::clicked, apply, [apply] { apply->setFocus(); });

    changed_ = editor_.Changed.Subscribe([this] { Sync(); });
}

void NumericEditorControls::Sync() {
    const ProgramPageFrame::Following following(frame_);
    lines_->Sync();
    page_controls::ShowLine(list_, editor_.CurrentLine());
    box_->setEnabled(editor_.ValueEnabled());
    if (box_->text() != ToQString(editor_.ValueText())) {
        box_->setText(ToQString(editor_.ValueText()));
    }
}

bool NumericEditorControls::eventFilter(QObject* watched, QEvent* event) {
    // Typing on the list starts replacing the chosen value.
    if (watched == list_ && event->type() == QEvent::KeyPress && box_->isEnabled()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->text().isEmpty() && key->text()[0].isPrint()) {
            box_->setFocus();
            box_->selectAll();
            QKeyEvent again(key->type(), key->key(), key->modifiers(), key->text());
            QApplication::sendEvent(box_, &again);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace veldra
