#pragma once

#include <QObject>
#include <QScopedValueRollback>
#include <functional>
#include <utility>
#include <vector>

class QLineEdit;
class QWidget;

namespace veldra {

// Watches a value box for the engineer leaving it. When the focus goes on to another
// control, of this window or another, the box's entry is applied once or refused once; a
// refusal keeps the focus in the box and drops the click that took it away, so the page,
// the chosen line and the buttons stay as they were. A menu, the window's frame, the
// desktop outside the application and a control that checks nothing (a dialog's Cancel)
// only borrow the focus: given back to the box, it was never left; passed on to a control,
// the box is left then. Hiding the box's window, as Cancel hides a dialog, leaves no box.
class ValueBoxLeaving final : public QObject {
    Q_OBJECT

public:
    // `leave` applies the box's entry and says whether it was taken; false: refused.
    ValueBoxLeaving(QLineEdit* box, std::function<bool()> leave);

    // The focus may go to `control`, of the box's window, without leaving the box.
    void LendsTo(const QWidget* control) { lenders_.push_back(control); }

    // An entry answered by the window itself, as by Enter in a box or a dialog's OK. The
    // boxes it raises take the focus from the window, and the focus it gives back to a
    // refused box passes through whatever control was clicked: no box is left by them, so
    // one click or key gives one answer at most.
    template <class Body>
    static void Answering(Body&& body) {
        const QScopedValueRollback<bool> answering(answering_, true);
        std::forward<Body>(body)();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class DroppedClick;

    void FocusMoved(QWidget* now, Qt::FocusReason reason);
    bool Borrows(const QWidget* now) const;
    bool WindowClosed() const;
    void Leave();

    QLineEdit* box_;
    std::function<bool()> leave_;
    DroppedClick* dropped_;
    std::vector<const QWidget*> lenders_;
    // The focus went to a menu, the frame or outside the application, and has not come back.
    bool borrowed_ = false;
    // An entry of any box is being applied or refused.
    static inline bool answering_ = false;
};

}  // namespace veldra
