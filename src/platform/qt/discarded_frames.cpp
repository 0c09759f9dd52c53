#include "platform/qt/discarded_frames.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>
#include <utility>

#include "platform/hash_growth.h"
#include "platform/qt/window_frame.h"

namespace veldra {

DiscardedFrames::DiscardedFrames() : outer_(std::exchange(Current(), this)) {}

DiscardedFrames::~DiscardedFrames() {
    DeleteAll();
    Current() = outer_;
}

DiscardedFrames*& DiscardedFrames::Current() {
    static DiscardedFrames* current = nullptr;
    return current;
}

void DiscardedFrames::Close(QWidget& content) {
    QWidget& frame = WindowFrame(content);
    if (Current() != nullptr && &frame != &content) {
        Current()->frames_.emplace_back(&frame);
        return;
    }
    frame.close();
}

std::vector<QWidget*> DiscardedFrames::Take() {
    std::vector<QWidget*> frames;
    for (const QPointer<QWidget>& frame : std::exchange(frames_, {})) {
        if (!frame.isNull()) {
            frames.push_back(frame.data());
        }
    }
    return frames;
}

void DiscardedFrames::DeleteAll() {
    std::vector<QPointer<QWidget>> frames = std::exchange(frames_, {});
    std::erase_if(frames, [](const QPointer<QWidget>& frame) { return frame.isNull(); });
    if (frames.empty()) {
        return;
    }
    // An area makes another window active when the one it made active last goes: in the
    // order they were made active, that happens at most once.
    HashMap<const QWidget*, qsizetype> activated;
    if (auto* first = qobject_cast<QMdiSubWindow*>(frames.front().data())) {
        if (const QMdiArea* area = first->mdiArea()) {
            const QList<QMdiSubWindow*> order =
                area->subWindowList(QMdiArea::ActivationHistoryOrder);
            activated.reserve(order.size());
            for (qsizetype at = 0; at < order.size(); ++at) {
                activated.emplace(order[at], at);
            }
        }
    }
    const auto rank = [&activated](const QPointer<QWidget>& frame) {
        const auto found = activated.find(frame.data());
        return found != activated.end() ? found->second : qsizetype(-1);
    };
    std::ranges::stable_sort(frames, {}, rank);
    for (const QPointer<QWidget>& frame : frames) {
        // Its window first: a frame without one leaves the main window's caption alone.
        if (auto* child = qobject_cast<QMdiSubWindow*>(frame.data())) {
            delete child->widget();
        }
        delete frame.data();
    }
}

}  // namespace veldra
