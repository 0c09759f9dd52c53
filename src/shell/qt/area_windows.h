#pragma once

#include <QMdiArea>
#include <QPointer>
#include <functional>
#include <optional>
#include <vector>

#include "platform/qt/discarded_frames.h"

class QMdiSubWindow;
class QWidget;

namespace veldra {

// While it lives, the area does not work out its scroll bars again (each time over every
// window) when a window moves, is resized, shown or closed: once, when it goes.
class ScrollBarsHeld {
public:
    explicit ScrollBarsHeld(QMdiArea& area);
    ~ScrollBarsHeld();
    // The policies the area had.
    Qt::ScrollBarPolicy Across() const { return across_; }
    Qt::ScrollBarPolicy Down() const { return down_; }
    ScrollBarsHeld(const ScrollBarsHeld&) = delete;
    ScrollBarsHeld& operator=(const ScrollBarsHeld&) = delete;

private:
    QMdiArea& area_;
    Qt::ScrollBarPolicy across_;
    Qt::ScrollBarPolicy down_;
};

// Gives `window` a frame of its own among the area's child windows, shown at once unless
// `shown` is false, at a cost that does not grow with the windows already there. The area
// itself, for a window that joins it or is shown (and so becomes the active one), puts it
// above the others after looking up every window of the area in its list for every other
// one, unless the window keeps to the top: the frame keeps to the top until it has joined
// and been shown, which stacks it just as the area would when none keeps to the top.
QMdiSubWindow& AddToArea(QMdiArea& area, QWidget& window, bool shown = true);

// Shows frames of the area in one pass, in order, without the area drawing anything, working
// out its scroll bars or making any of them the active window until all of them are shown.
void ShowInArea(QMdiArea& area, const std::vector<QMdiSubWindow*>& frames);

// The board windows of a load: while held, each window added joins the area out of sight,
// neither laid out nor painted, and all of them are shown together when the hold ends
// (at the latest when this goes), as they would have been one by one.
class HeldWindows {
public:
    explicit HeldWindows(QMdiArea& area) : area_(&area) {}
    ~HeldWindows() { Drop(); }
    HeldWindows(const HeldWindows&) = delete;
    HeldWindows& operator=(const HeldWindows&) = delete;

    // Adds the window: out of sight while held, else shown at once.
    QMdiSubWindow& Add(QWidget& window);
    // From now until Release, windows added stay out of sight.
    void Hold() { holding_ = true; }
    // Shows every window held that is still open, and ends the hold.
    void Release();
    // Ends the hold, showing nothing: the windows held are on their way out. It asks for no
    // memory, so that it may run where memory ran out and nothing can say so (a destructor).
    void Drop() noexcept {
        holding_ = false;
        held_.clear();
    }
    bool Holding() const { return holding_; }
    // The windows held, still open, in the order added.
    std::vector<QMdiSubWindow*> Held() const;
    // The area that took the place of the one given: windows added from now on join it.
    void MoveTo(QMdiArea& area) { area_ = &area; }

private:
    QMdiArea* area_;
    bool holding_ = false;
    std::vector<QPointer<QMdiSubWindow>> held_;
};

// Closes many child windows at a cost that grows in step with them: while it lives, the board
// windows closed for good are put aside (neither hidden nor closed one by one), nothing in the
// area is drawn and the scroll bars wait. When it goes, if any were put aside, the area goes
// with them: each window taken out of an area on its own has the area look over all of its
// windows, none does when the area itself goes. A fresh area made like it takes over the
// windows left open, each where it was, shown or hidden as it was, in the same order and
// stacking, the active one still active; `renewed` puts the fresh area in the old one's place
// once the old one is gone.
class QuietClose {
public:
    QuietClose(QMdiArea& area, std::function<void(QMdiArea&)> renewed);
    ~QuietClose();
    QuietClose(const QuietClose&) = delete;
    QuietClose& operator=(const QuietClose&) = delete;

private:
    // The area made like the old one, holding the windows left open, still out of sight.
    QMdiArea& Renewal(const std::vector<QWidget*>& discarded);

    QMdiArea& area_;
    std::function<void(QMdiArea&)> renewed_;
    std::optional<ScrollBarsHeld> scrollBars_;
    bool updates_;
    DiscardedFrames discarded_;
};

}  // namespace veldra
