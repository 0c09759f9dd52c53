#include "shell/qt/keep_on_top.h"

#include <QAction>
#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <vector>

namespace veldra {
namespace {

constexpr QSize kProgramWindowSize(475, 468);

bool Shows(const QMdiSubWindow& frame, const char* className) {
    return frame.widget() != nullptr && frame.widget()->objectName() == className;
}

bool IsNormal(const QWidget& frame) {
    return !frame.isMinimized() && !frame.isMaximized();
}

bool AlwaysOnTop(const QMdiSubWindow& program) {
    const auto* choice = program.widget()->findChild<QAction*>("mnuTop");
    return choice != nullptr && choice->isChecked();
}

bool StaysOnTop(const QMdiSubWindow& view) {
    const auto* choice = view.widget()->findChild<QCheckBox*>("chkTop");
    return choice != nullptr && choice->isChecked();
}

// The main window keeps a topmost child above the others whenever the active child
// changes; one made topmost now is raised at once, as a desktop window would be.
void Place(QMdiSubWindow& frame, bool topmost, const QRect& geometry) {
    if (frame.windowFlags().testFlag(Qt::WindowStaysOnTopHint) != topmost) {
        frame.setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    }
    frame.setGeometry(geometry);
    frame.show();
    if (topmost) {
        frame.raise();
    }
}

}  // namespace

void SetTopWindows(QMdiArea& area) {
    QMdiSubWindow* program = nullptr;
    std::vector<QMdiSubWindow*> views;
    for (QMdiSubWindow* frame : area.subWindowList(QMdiArea::CreationOrder)) {
        if (Shows(*frame, "frmShowAssign")) {
            views.push_back(frame);
        } else if (Shows(*frame, "frmProgram")) {
            program = frame;  // the newest: an older one may still be closing
        }
    }
    if (program == nullptr) {
        return;
    }

    const bool wasMinimized = program->isMinimized();
    if (wasMinimized) {
        program->showNormal();
    }
    Place(*program, false, QRect(program->pos(), kProgramWindowSize));

    for (QMdiSubWindow* view : views) {
        if (view->isMaximized()) {
            view->showNormal();
        }
        if (IsNormal(*view)) {
            Place(*view, false, view->geometry());
        }
    }
    for (QMdiSubWindow* view : views) {
        if (StaysOnTop(*view) && IsNormal(*view)) {
            Place(*view, true, view->geometry());
        }
        view->show();
    }
    if (AlwaysOnTop(*program)) {
        Place(*program, true, QRect(program->pos(), kProgramWindowSize));
    }

    program->show();
    if (wasMinimized) {
        program->showMinimized();
    }
}

}  // namespace veldra
