#pragma once

#include <QMdiSubWindow>
#include <QWidget>

namespace veldra {

// The frame a window's minimise, restore, place and close act on: the child window of
// the main window that holds it, or, for a window standing on the desktop, the window
// itself. A child window's content is a direct child of its frame from the moment the
// frame takes it.
inline QWidget& WindowFrame(QWidget& content) {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(content.parentWidget())) {
        return *frame;
    }
    return content;
}

}  // namespace veldra
