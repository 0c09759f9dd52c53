#pragma once

#include <QObject>
#include <QScopedValueRollback>
#include <functional>
#include <utility>

class QLineEdit;
class QWidget;

namespace veldra {

// Watches a value box of a program page for the engineer leaving it. When the focus goes
// on to another control, of this window or another, the box's entry is applied once or
// refused once; a refusal keeps the focus in the box and drops the click that took it away,
// so the page, the chosen line and the buttons stay as they were. A menu, the window's
// frame and the desktop outside the application only borrow the focus: given back to the
// box, it was never left; passed on to a control, the box is left then.
class ValueBoxLeaving final : public QObject {
    Q_OBJECT

public:
    // `leave` applies the box's entry and says whether it was taken; false: refused.
    ValueBoxLeaving(QLineEdit* box, std::function<bool()> leave);

    // An entry ended in the box itself, as by Enter: the boxes it raises take the focus
    // from the window, not from the box, which is not left by them.
    template <class Body>
    void Ending(Body&& body) {
        const QScopedValueRollback<bool> answering(answering_, true);
        std::forward<Body>(body)();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class DroppedClick;

    void FocusMoved(QWidget* now, Qt::FocusReason reason);
    bool Borrows(const QWidget* now) const;
    void Leave();

    QLineEdit* box_;
    std::function<bool()> leave_;
    DroppedClick* dropped_;
    // The focus went to a menu, the frame or outside the application, and has not come back.
    bool borrowed_ = false;
    // An entry is being applied or refused: the boxes that says so are no leaving.
    bool answering_ = false;
};

}  // namespace veldra
