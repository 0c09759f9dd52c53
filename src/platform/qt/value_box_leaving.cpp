#include "platform/qt/value_box_leaving.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>

namespace veldra {

// Drops the clicks that arrive before the event loop turns again: the click that took the
// focus from a box that refused its entry follows the focus change at once.
class ValueBoxLeaving::DroppedClick final : public QObject {
public:
    DroppedClick(QLineEdit* box, QObject* parent) : QObject(parent), box_(box) {}

    void DropNext() {
        if (dropping_) {
            return;
        }
        dropping_ = true;
        qApp->installEventFilter(this);
        QTimer::singleShot(0, this, [this] {
            qApp->removeEventFilter(this);
            dropping_ = false;
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
                return watched->isWidgetType() && watched != box_;
            default:
                return false;
        }
    }

private:
    QLineEdit* box_;
    bool dropping_ = false;
};

ValueBoxLeaving::ValueBoxLeaving(QLineEdit* box, std::function<bool()> leave)
    : QObject(box), box_(box), leave_(std::move(leave)), dropped_(new DroppedClick(box, this)) {
    box_->installEventFilter(this);
    // A borrowed focus passed on to a control leaves the box, wherever it went meanwhile.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!borrowed_ || answering_ || now == box_ || Borrows(now)) {
            return;
        }
        borrowed_ = false;
        if (!WindowClosed()) {
            Leave();
        }
    });
}

bool ValueBoxLeaving::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_ && event->type() == QEvent::FocusIn) {
        borrowed_ = false;
    } else if (watched == box_ && event->type() == QEvent::FocusOut && !answering_) {
        if (WindowClosed()) {
            borrowed_ = false;
        } else {
            // The focus widget is already the one the focus went to.
            FocusMoved(QApplication::focusWidget(), static_cast<QFocusEvent*>(event)->reason());
        }
    }
    return QObject::eventFilter(watched, event);
}

void ValueBoxLeaving::FocusMoved(QWidget* now, Qt::FocusReason reason) {
    if (now == box_ || now == nullptr) {
        // No new owner: a menu that pops up keeps the box as the focus widget, and the desktop
        // outside the application takes the focus from every widget. Any other loss of the
        // focus leaves the box, while it is in sight.
        const bool lent = reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason ||
                          reason == Qt::MenuBarFocusReason;
        if (lent || !box_->isVisible()) {
            borrowed_ = true;
        } else {
            Leave();
        }
        return;
    }
    if (Borrows(now)) {
        borrowed_ = true;
        return;
    }
    Leave();
}

bool ValueBoxLeaving::Borrows(const QWidget* now) const {
    if (now == nullptr || qobject_cast<const QMenuBar*>(now) != nullptr ||
        qobject_cast<const QMenu*>(now) != nullptr ||
        std::find(lenders_.begin(), lenders_.end(), now) != lenders_.end()) {
        return true;
    }
    // The frames around the box, up to the main window's area that holds the window.
    for (const QWidget* around = box_->parentWidget(); around != nullptr;
         around = around->parentWidget()) {
        if (around == now) {
            return true;
        }
    }
    return false;
}

bool ValueBoxLeaving::WindowClosed() const {
    return !box_->window()->isVisible();
}

void ValueBoxLeaving::Leave() {
    Answering([this] {
        if (leave_()) {
            return;
        }
        dropped_->DropNext();
        // At once, for the click that follows, and once the focus change under way is over,
        // which would otherwise end where it was going. The control it was going to was
        // never entered, so it is not left either.
        const auto keep = [box = box_] {
            Answering([box] {
                if (box->isVisible()) {
                    box->setFocus(Qt::OtherFocusReason);
                }
            });
        };
        keep();
        QTimer::singleShot(0, box_, keep);
    });
}

}  // namespace veldra
