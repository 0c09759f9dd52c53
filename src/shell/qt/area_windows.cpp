#include "shell/qt/area_windows.h"

#include <QMdiSubWindow>
#include <QWidget>

namespace veldra {
namespace {

// Stops a frame from keeping to the top. A child frame's flags change in place: it is
// neither hidden nor taken out of its area.
void StopKeepingToTop(QMdiSubWindow& frame) {
    frame.setWindowFlag(Qt::WindowStaysOnTopHint, false);
}

// Frames just raised while keeping to the top went above every other: the windows that
// keep to the top go back above them, in their order, as the area itself would stack them.
void RaiseKeptOnTop(QMdiArea& area) {
    std::vector<QMdiSubWindow*> kept;
    for (QObject* child : area.viewport()->children()) {
        auto* frame = qobject_cast<QMdiSubWindow*>(child);
        if (frame != nullptr && !frame->isHidden() &&
            frame->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
            kept.push_back(frame);
        }
    }
    for (QMdiSubWindow* frame : kept) {
        frame->raise();
    }
}

// The area's drawing held while it lives, for one repaint when it goes.
class UpdatesHeld {
public:
    explicit UpdatesHeld(QWidget& viewport) : viewport_(viewport), was_(viewport.updatesEnabled()) {
        if (was_) {
            viewport_.setUpdatesEnabled(false);
        }
    }
    ~UpdatesHeld() {
        if (was_) {
            viewport_.setUpdatesEnabled(true);
        }
    }
    UpdatesHeld(const UpdatesHeld&) = delete;
    UpdatesHeld& operator=(const UpdatesHeld&) = delete;

private:
    QWidget& viewport_;
    bool was_;
};

}  // namespace

ScrollBarsHeld::ScrollBarsHeld(QMdiArea& area)
    : area_(area),
      across_(area.horizontalScrollBarPolicy()),
      down_(area.verticalScrollBarPolicy()) {
    area_.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area_.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

ScrollBarsHeld::~ScrollBarsHeld() {
    area_.setHorizontalScrollBarPolicy(across_);
    area_.setVerticalScrollBarPolicy(down_);
}

QMdiSubWindow& AddToArea(QMdiArea& area, QWidget& window, bool shown) {
    QMdiSubWindow& frame = *area.addSubWindow(&window, Qt::SubWindow | Qt::WindowStaysOnTopHint);
    if (shown) {
        frame.show();
    }
    StopKeepingToTop(frame);
    if (shown) {
        RaiseKeptOnTop(area);
    }
    return frame;
}

void ShowInArea(QMdiArea& area, const std::vector<QMdiSubWindow*>& frames) {
    if (frames.empty()) {
        return;
    }
    QWidget& viewport = *area.viewport();
    const ScrollBarsHeld scrollBars(area);
    const UpdatesHeld updates(viewport);
    // A frame shown in an area that takes input becomes the active one, which restacks and
    // redraws the frames: none does while the area takes none (the main window takes none
    // while a load runs, so the windows are shown just as the load showed them).
    const bool enabled = !viewport.testAttribute(Qt::WA_ForceDisabled);
    viewport.setEnabled(false);
    // Out of sight, a frame shown is only marked to be shown; the viewport shows them all
    // when it comes back, without looking for the window under the pointer for each one.
    const bool inSight = !viewport.isHidden();
    viewport.hide();
    for (QMdiSubWindow* frame : frames) {
        frame->show();
    }
    if (inSight) {
        viewport.show();
    }
    viewport.setEnabled(enabled);
}

QMdiSubWindow& HeldWindows::Add(QWidget& window) {
    QMdiSubWindow& frame = AddToArea(area_, window, !holding_);
    if (holding_) {
        held_.emplace_back(&frame);
    }
    return frame;
}

std::vector<QMdiSubWindow*> HeldWindows::Held() const {
    std::vector<QMdiSubWindow*> frames;
    frames.reserve(held_.size());
    for (const QPointer<QMdiSubWindow>& frame : held_) {
        if (frame) {
            frames.push_back(frame);
        }
    }
    return frames;
}

void HeldWindows::Release() {
    holding_ = false;
    const std::vector<QMdiSubWindow*> frames = Held();
    held_.clear();
    ShowInArea(area_, frames);
}

QuietClose::QuietClose(QMdiArea& area)
    : area_(area), scrollBars_(area), updates_(area.viewport()->updatesEnabled()) {
    area_.viewport()->setUpdatesEnabled(false);
}

QuietClose::~QuietClose() {
    discarded_.DeleteAll();
    area_.viewport()->setUpdatesEnabled(updates_);
}

}  // namespace veldra
