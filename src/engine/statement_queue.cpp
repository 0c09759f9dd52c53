#include "engine/statement_queue.h"

#include <algorithm>

namespace veldra {

void StatementQueue::Remove(std::uint32_t statement) {
    if (statement >= marks_.size() || marks_[statement] == 0) {
        return;
    }
    marks_[statement] = 0;
    if (items_[head_] == statement) {
        ++head_;  // the scan takes its work from the front
    } else {
        items_.erase(std::find(items_.begin() + std::ptrdiff_t(head_), items_.end(), statement));
    }
    if (head_ == items_.size()) {
        items_.clear();
        head_ = 0;
    } else if (head_ > 4096 && head_ * 2 > items_.size()) {
        items_.erase(items_.begin(), items_.begin() + std::ptrdiff_t(head_));
        head_ = 0;
    }
}

void StatementQueue::Clear() {
    for (std::size_t i = head_; i < items_.size(); ++i) {
        marks_[items_[i]] = 0;
    }
    items_.clear();
    head_ = 0;
}

}  // namespace veldra
