#pragma once

#include <QObject>

#include "platform/event.h"

class QLineEdit;
class QListView;
class QPushButton;

namespace veldra {

class CoreListModel;
class NumericEditor;
class ProgramPageFrame;

// The list of numbers, value box and "Apply" button through which the engineer changes a
// number, on the force page and the user numerics page alike: a chosen line and a typed
// value go to the core's editor, which the controls follow.
class NumericEditorControls final : public QObject {
    Q_OBJECT

public:
    NumericEditorControls(ProgramPageFrame& frame, NumericEditor& editor, QListView* list,
                          QLineEdit* box, QPushButton* apply);

    // Follows the editor: its lines, the chosen one and the value box.
    void Sync();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ProgramPageFrame& frame_;
    NumericEditor& editor_;
    QListView* list_;
    QLineEdit* box_;
    CoreListModel* lines_ = nullptr;
    Subscription changed_;
};

}  // namespace veldra
