#include "platform/qt/busy_cursor.h"

#include <QApplication>
#include <QCursor>

namespace veldra {

BusyCursor::BusyCursor() {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyCursor::~BusyCursor() {
    QApplication::restoreOverrideCursor();
}

}  // namespace veldra
