#include "shell/qt/area_windows.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QWidget>
#include <utility>

#include "platform/hash_growth.h"

namespace veldra {
namespace {

// Stops a frame from keeping to the top. A child frame's flags change in place: it is
// neither hidden nor taken out of its area. Set as a frame's flags are set, the change would
// have the frame work out its limits, its edges and its window menu again (some 130,000
// instructions a frame) for a flag that changes none of them; only the flag and the window
// menu's tick follow it.
void StopKeepingToTop(QMdiSubWindow& frame) {
    frame.overrideWindowFlags(frame.windowFlags() & ~Qt::WindowStaysOnTopHint);
    if (QMenu* menu = frame.systemMenu()) {
        for (QAction* action : menu->actions()) {
            if (action->isCheckable()) {
                action->setChecked(false);
            }
        }
    }
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

// A frame lays out its title again (shaping the text to fit it) at every change of its size,
// limits or state, some twenty times before it is first drawn. While this lives, a held
// window's caption changes stay with the window, so that its frame, untitled out of sight,
// does without; the frame takes the caption once shown.
class CaptionKept final : public QObject {
public:
    explicit CaptionKept(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

    // Lets the window's frame follow its caption again, and gives the frame the caption as
    // the change it held back (the frame takes a caption from the change it is told of).
    static void Release(QMdiSubWindow& frame) {
        QWidget* window = frame.widget();
        if (window == nullptr) {
            return;
        }
        for (QObject* child : window->children()) {
            if (dynamic_cast<CaptionKept*>(child) != nullptr) {
                delete child;
                break;
            }
        }
        QEvent changed(QEvent::WindowTitleChange);
        QCoreApplication::sendEvent(window, &changed);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return watched == parent() && event->type() == QEvent::WindowTitleChange;
    }
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
    QMdiSubWindow& frame = AddToArea(*area_, window, !holding_);
    if (holding_) {
        held_.emplace_back(&frame);
        new CaptionKept(window);
        frame.setWindowTitle(QString());
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
    ShowInArea(*area_, frames);
    for (QMdiSubWindow* frame : frames) {
        CaptionKept::Release(*frame);
    }
}

QuietClose::QuietClose(QMdiArea& area, std::function<void(QMdiArea&)> renewed)
    : area_(area),
      renewed_(std::move(renewed)),
      scrollBars_(std::in_place, area),
      updates_(area.viewport()->updatesEnabled()) {
    area_.viewport()->setUpdatesEnabled(false);
}

QuietClose::~QuietClose() {
    const std::vector<QWidget*> discarded = discarded_.Take();
    if (discarded.empty()) {
        scrollBars_.reset();
        area_.viewport()->setUpdatesEnabled(updates_);
        return;
    }
    QMdiArea& fresh = Renewal(discarded);
    const bool inSight = !area_.isHidden();
    // Each window before its frame: a frame that still holds its window, as it goes, sets
    // the main window's caption again (a round trip to the display each time).
    for (QWidget* frame : discarded) {
        if (auto* child = qobject_cast<QMdiSubWindow*>(frame)) {
            delete child->widget();
        }
    }
    delete &area_;
    renewed_(fresh);
    if (inSight) {
        fresh.show();
    }
}

QMdiArea& QuietClose::Renewal(const std::vector<QWidget*>& discarded) {
    auto* fresh = new QMdiArea(area_.parentWidget());
    fresh->setObjectName(area_.objectName());
    fresh->setHorizontalScrollBarPolicy(scrollBars_->Across());
    fresh->setVerticalScrollBarPolicy(scrollBars_->Down());
    fresh->setActivationOrder(area_.activationOrder());
    fresh->setViewMode(area_.viewMode());
    fresh->setBackground(area_.background());
    fresh->setOption(QMdiArea::DontMaximizeSubWindowOnActivation,
                     area_.testOption(QMdiArea::DontMaximizeSubWindowOnActivation));
    fresh->setGeometry(area_.geometry());
    scrollBars_.reset();

    const HashSet<const QWidget*> gone(discarded.begin(), discarded.end());
    const auto left = [&gone](const QList<QMdiSubWindow*>& frames) {
        std::vector<QMdiSubWindow*> kept;
        for (QMdiSubWindow* frame : frames) {
            if (!gone.contains(frame)) {
                kept.push_back(frame);
            }
        }
        return kept;
    };
    const std::vector<QMdiSubWindow*> created = left(area_.subWindowList(QMdiArea::CreationOrder));
    // The area's own stacking list looks every window up in its list of windows; the
    // viewport holds its frames in stacking order already, lowest first.
    const HashSet<const QObject*> kept(created.begin(), created.end());
    std::vector<QMdiSubWindow*> stacked;
    for (QObject* child : area_.viewport()->children()) {
        if (kept.contains(child)) {
            stacked.push_back(static_cast<QMdiSubWindow*>(child));
        }
    }
    const std::vector<QMdiSubWindow*> activated =
        left(area_.subWindowList(QMdiArea::ActivationHistoryOrder));
    QMdiSubWindow* const active = area_.activeSubWindow();

    // Out of sight, the fresh area places none of the windows it takes: each goes back where
    // it was, as it was, before the area comes into view.
    for (QMdiSubWindow* frame : created) {
        const QRect geometry = frame->geometry();
        const bool hidden = frame->isHidden();
        fresh->addSubWindow(frame, frame->windowFlags());
        frame->setGeometry(geometry);
        if (!hidden) {
            frame->show();
        }
    }
    for (QMdiSubWindow* frame : stacked) {
        frame->raise();
    }
    // The active window still active; or, the active one gone, the one made active before it
    // that is still on view, as the area would have made it when the active one closed.
    QMdiSubWindow* next = nullptr;
    if (active != nullptr && !gone.contains(active)) {
        next = active;
    } else if (active != nullptr) {
        for (auto frame = activated.rbegin(); frame != activated.rend(); ++frame) {
            if (!(*frame)->isHidden()) {
                next = *frame;
                break;
            }
        }
    }
    if (next != nullptr) {
        fresh->setActiveSubWindow(next);
    }
    return *fresh;
}

}  // namespace veldra
