#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace veldra::testing {

// Acts on the modal dialog of type Dialog as soon as it is shown: call it just before
// the call that shows the dialog. A dialog of another kind fails the test and is closed,
// so that no test waits on it.
template <class Dialog>
void WhenShown(std::function<void(Dialog&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        QWidget* shown = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<Dialog*>(shown)) {
            act(*dialog);
            return;
        }
        ADD_FAILURE() << "expected dialog not shown";
        if (shown) {
            shown->close();
        }
    });
}

}  // namespace veldra::testing
