#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace veldra {

// A queue of statements waiting to be solved, by the indices the scan map gives them. A
// mark per statement keeps each one queued at most once, so queueing is a look at one
// byte, and the queue itself is a plain run of indices taken from the front.
class StatementQueue {
public:
    int Count() const { return static_cast<int>(items_.size() - head_); }
    bool Empty() const { return head_ == items_.size(); }

    // Queues the statement at the back unless it is queued already.
    void Push(std::uint32_t statement) {
        if (statement >= marks_.size()) {
            marks_.resize(statement + 1, 0);
        }
        if (marks_[statement] == 0) {
            marks_[statement] = 1;
            items_.push_back(statement);
        }
    }

    // Room for every one of `statements` statements queued at once, made before a scan
    // queues them, so that queueing them does not grow the queue as it goes.
    void Reserve(std::uint32_t statements) {
        if (marks_.size() < statements) {
            marks_.resize(statements, 0);
        }
        items_.reserve(statements);
    }

    std::uint32_t Front() const { return items_[head_]; }
    // The statement `n` places behind the front; kNone past the back.
    static constexpr std::uint32_t kNone = ~std::uint32_t(0);
    std::uint32_t Behind(std::size_t n) const {
        return head_ + n < items_.size() ? items_[head_ + n] : kNone;
    }

    // Takes the statement out wherever it stands; nothing when it is not queued.
    void Remove(std::uint32_t statement);

    void Clear();

    // The queued statements from the front, for carrying them over to a new map.
    std::vector<std::uint32_t> Queued() const {
        return {items_.begin() + std::ptrdiff_t(head_), items_.end()};
    }

private:
    std::vector<std::uint32_t> items_;
    std::size_t head_ = 0;  // items before it have been taken
    std::vector<std::uint8_t> marks_;
};

}  // namespace veldra
