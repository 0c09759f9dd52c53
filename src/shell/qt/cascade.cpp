#include "shell/qt/cascade.h"

#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <vector>

#include "platform/hash_growth.h"
#include "shell/qt/area_windows.h"

namespace veldra {
namespace {

qint64 Area(const QRect& room) {
    return room.isValid() ? qint64(room.width()) * room.height() : 0;
}

// The larger of the strips beside and below the window at the top left of `space`; all of
// `space` when the window leaves none.
QRect FreeRoom(const QRect& space, const QRect& taken) {
    const QRect beside(QPoint(taken.right() + 1, space.top()), space.bottomRight());
    const QRect below(QPoint(space.left(), taken.bottom() + 1), space.bottomRight());
    const QRect& room = Area(beside) >= Area(below) ? beside : below;
    return Area(room) > 0 ? room : space;
}

// How far each window of a cascade stands from the one before: one title bar. A frame not
// yet shown puts its content below its title bar first.
int Step(QMdiSubWindow& window) {
    if (const QWidget* content = window.widget(); content != nullptr) {
        if (content->y() <= 0 && window.layout() != nullptr) {
            window.layout()->activate();
        }
        if (content->y() > 0) {
            return content->y();
        }
    }
    return std::max(1, window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window));
}

}  // namespace

void CascadeWindows(QMdiArea& area, const std::vector<QMdiSubWindow*>& comingIntoView) {
    const HashSet<const QMdiSubWindow*> coming(comingIntoView.begin(), comingIntoView.end());
    QMdiSubWindow* program = nullptr;
    std::vector<QMdiSubWindow*> others;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
        if (!(window->isVisible() || coming.contains(window)) || window->isMinimized()) {
            continue;
        }
        if (window->widget() != nullptr && window->widget()->objectName() == "frmProgram") {
            if (program != nullptr) {
                others.push_back(program);  // an older one, still closing
            }
            program = window;
        } else {
            others.push_back(window);
        }
    }
    const ScrollBarsHeld held(area);
    const QRect space = area.viewport()->rect();
    QRect room = space;
    if (program != nullptr) {
        program->move(space.topLeft());
        room = FreeRoom(space, program->geometry());
    }
    if (others.empty()) {
        return;
    }

    // Each window a title bar below and right of the one before; one that would reach past
    // the bottom of the room starts a new column at the top.
    const int step = Step(*others.front());
    std::vector<QPoint> places;  // column, and row within it
    places.reserve(others.size());
    int column = 0;
    int row = 0;
    for (QMdiSubWindow* window : others) {
        if (window->isMaximized()) {
            window->showNormal();
        }
        if (row > 0 && row * step + window->height() > room.height()) {
            ++column;
            row = 0;
        }
        places.emplace_back(column, row++);
    }
    const int columns = column + 1;
    const int across = columns > 1 ? std::max(step, room.width() / columns) : 0;
    for (std::size_t i = 0; i < others.size(); ++i) {
        const QPoint place = places[i];
        // A window that would reach past the room's right edge stands further left, as far
        // as the room lets it.
        const int left =
            std::max(room.left(), std::min(room.left() + place.x() * across + place.y() * step,
                                           room.right() + 1 - others[i]->width()));
        others[i]->move(left, room.top() + place.y() * step);
    }
}

}  // namespace veldra
