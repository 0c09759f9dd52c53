#include "platform/qt/window_registry.h"

#include <algorithm>

#include "platform/qt/qt_text.h"
#include "platform/qt/window_frame.h"

namespace veldra {

WindowRegistry::Registration::Registration(WindowRegistry& registry, BoardPanel& panel)
    : registry_(registry), id_(registry.Add(panel)) {}

WindowRegistry::Registration::~Registration() {
    registry_.Remove(id_);
}

std::uint64_t WindowRegistry::Add(BoardPanel& panel) {
    entries_.push_back({++lastId_, &panel});
    return lastId_;
}

// Ids only grow, and each entry joins at the end: the entries stand in order of their ids,
// so a walk over thousands of windows finds each without looking at all the others.
void WindowRegistry::Remove(std::uint64_t id) {
    const auto found = std::ranges::lower_bound(entries_, id, {}, &Entry::id);
    if (found != entries_.end() && found->id == id) {
        entries_.erase(found);
    }
}

BoardPanel* WindowRegistry::Find(std::uint64_t id) const {
    const auto found = std::ranges::lower_bound(entries_, id, {}, &Entry::id);
    return found == entries_.end() || found->id != id ? nullptr : found->panel;
}

std::vector<BoardPanel*> WindowRegistry::Windows() const {
    std::vector<BoardPanel*> windows;
    windows.reserve(entries_.size());
    for (const Entry& entry : entries_) {
        windows.push_back(entry.panel);
    }
    return windows;
}

template <class Ids>
void WindowRegistry::Visit(const Ids& ids, const std::function<void(BoardPanel&)>& visit) const {
    for (std::uint64_t id : ids) {
        if (BoardPanel* panel = Find(id)) {
            visit(*panel);
        }
    }
}

void WindowRegistry::ForEach(const std::function<void(BoardPanel&)>& visit) const {
    std::vector<std::uint64_t> ids;
    ids.reserve(entries_.size());
    for (const Entry& entry : entries_) {
        ids.push_back(entry.id);
    }
    Visit(ids, visit);
}

void WindowRegistry::ForEachFromLast(const std::function<void(BoardPanel&)>& visit) const {
    std::vector<std::uint64_t> ids;
    ids.reserve(entries_.size());
    for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
        ids.push_back(entry->id);
    }
    Visit(ids, visit);
}

std::string WidgetPanel::Caption() const {
    return window_ ? ToStdString(window_->windowTitle()) : std::string();
}

void WidgetPanel::CloseWindow(bool close) {
    if (close && onClose_ == OnClose::Close && window_ && !closed_) {
        closed_ = true;
        WindowFrame(*window_).close();
    }
}

}  // namespace veldra
