#pragma once

#include <absl/container/flat_hash_map.h>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "platform/ascii_text.h"
#include "platform/runtime_error.h"

namespace veldra {

// The names that go into a collection without a key: spare positions of a board and
// the wildcard of a state table occur many times in one list.
inline bool IsUnkeyedName(std::string_view name) {
    return EqualsIgnoringCase(name, "SPARE") || name == "?";
}

// The key an item named `name` is added under: its name, or none for the names above.
inline std::string_view KeyForName(std::string_view name) {
    return IsUnkeyedName(name) ? std::string_view() : name;
}

// The ordered, keyed list that every plural class of the program wraps.
//
// Items stay in insertion order and are reached by 1-based position or by an optional
// key; keys compare without regard to ASCII letter case. Looking up a key or position
// that is not there yields no object. Position and key lookups are separate overloads
// because a bit may well be named "1". The collection owns its items.
template <class T>
class KeyedCollection {
    struct Entry {
        std::unique_ptr<T> item;
        std::string key;  // empty: added without a key
    };
    using Entries = std::deque<Entry>;

public:
    // Iterates the items in order as T&.
    template <class EntryIterator, class Ref>
    class BasicIterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = std::remove_reference_t<Ref>*;
        using reference = Ref;

        BasicIterator() = default;
        explicit BasicIterator(EntryIterator at) : at_(at) {}
        reference operator*() const { return *at_->item; }
        pointer operator->() const { return at_->item.get(); }
        BasicIterator& operator++() {
            ++at_;
            return *this;
        }
        BasicIterator operator++(int) {
            BasicIterator before = *this;
            ++at_;
            return before;
        }
        bool operator==(const BasicIterator&) const = default;

    private:
        EntryIterator at_{};
    };
    using iterator = BasicIterator<typename Entries::iterator, T&>;
    using const_iterator = BasicIterator<typename Entries::const_iterator, const T&>;

    KeyedCollection() = default;
    KeyedCollection(const KeyedCollection&) = delete;
    KeyedCollection& operator=(const KeyedCollection&) = delete;
    KeyedCollection(KeyedCollection&&) noexcept = default;
    KeyedCollection& operator=(KeyedCollection&&) noexcept = default;

    // Appends the item under the key, or without a key when the key is empty.
    // A key already present is refused with a RuntimeError and the collection is unchanged.
    T& Add(std::unique_ptr<T> item, std::string_view key = {}) {
        T& added = *item;
        if (!key.empty()) {
            auto [slot, inserted] = index_.try_emplace(std::string(key), item.get());
            if (!inserted) {
                throw RuntimeError(errors::kDuplicateKey);
            }
        }
        entries_.push_back(Entry{std::move(item), std::string(key)});
        return added;
    }

    T* Item(std::string_view key) {
        const auto found = index_.find(key);
        return found == index_.end() ? nullptr : found->second;
    }
    const T* Item(std::string_view key) const {
        return const_cast<KeyedCollection*>(this)->Item(key);
    }

    // 1-based position in insertion order.
    T* Item(int position) {
        return InRange(position) ? entries_[std::size_t(position - 1)].item.get() : nullptr;
    }
    const T* Item(int position) const { return const_cast<KeyedCollection*>(this)->Item(position); }

    bool Contains(std::string_view key) const { return index_.find(key) != index_.end(); }

    // The key an item was added under; empty when it has none or the position is not there.
    std::string_view KeyAt(int position) const {
        return InRange(position) ? std::string_view(entries_[std::size_t(position - 1)].key)
                                 : std::string_view();
    }

    // The key the item was added under; empty when it has none or is not here.
    std::string_view KeyOf(const T& item) const {
        const auto at = Find(item);
        return at == entries_.end() ? std::string_view() : std::string_view(at->key);
    }

    // Gives the item a new key in place, keeping its position; an empty key leaves it
    // without one. A key that another item holds is refused with a RuntimeError.
    void Rekey(const T& item, std::string_view newKey) {
        const auto at = Find(item);
        if (at == entries_.end()) {
            throw RuntimeError(errors::kInvalidProcedureCall);
        }
        const T* holder = Item(newKey);
        if (!newKey.empty() && holder != nullptr && holder != &item) {
            throw RuntimeError(errors::kDuplicateKey);
        }
        if (!at->key.empty()) {
            index_.erase(index_.find(std::string_view(at->key)));
        }
        at->key = std::string(newKey);
        if (!newKey.empty()) {
            index_.emplace(at->key, at->item.get());
        }
    }

    int Count() const { return static_cast<int>(entries_.size()); }

    // Grows whenever an item leaves the collection, so that whoever keeps pointers to
    // its items knows to look them up again.
    std::uint64_t Generation() const { return generation_; }
    bool empty() const { return entries_.empty(); }

    // Removes the item of the key; a key that is not there is a RuntimeError.
    void Remove(std::string_view key) {
        const auto found = index_.find(key);
        if (found == index_.end()) {
            throw RuntimeError(errors::kInvalidProcedureCall);
        }
        const auto at = Find(*found->second);
        index_.erase(found);
        entries_.erase(at);
        ++generation_;
    }

    // Removes the item at the 1-based position; a position that is not there is a RuntimeError.
    void Remove(int position) { Take(position); }

    // Removes the item at the 1-based position and hands it to the caller.
    std::unique_ptr<T> Take(int position) {
        if (!InRange(position)) {
            throw RuntimeError(errors::kSubscriptOutOfRange);
        }
        const auto at = entries_.begin() + (position - 1);
        if (!at->key.empty()) {
            index_.erase(index_.find(std::string_view(at->key)));
        }
        std::unique_ptr<T> taken = std::move(at->item);
        entries_.erase(at);
        ++generation_;
        return taken;
    }

    void Clear() {
        index_.clear();
        entries_.clear();
        ++generation_;
    }

    iterator begin() { return iterator(entries_.begin()); }
    iterator end() { return iterator(entries_.end()); }
    const_iterator begin() const { return const_iterator(entries_.begin()); }
    const_iterator end() const { return const_iterator(entries_.end()); }

private:
    bool InRange(int position) const { return position >= 1 && position <= Count(); }

    typename Entries::const_iterator Find(const T& item) const {
        // Items leave a queue from its front and a list being emptied from its back: look
        // at both ends before searching.
        if (!entries_.empty() && entries_.back().item.get() == &item) {
            return entries_.end() - 1;
        }
        return std::find_if(entries_.begin(), entries_.end(),
                            [&](const Entry& entry) { return entry.item.get() == &item; });
    }
    typename Entries::iterator Find(const T& item) {
        return entries_.begin() + (std::as_const(*this).Find(item) - entries_.cbegin());
    }

    Entries entries_;
    std::uint64_t generation_ = 0;
    absl::flat_hash_map<std::string, T*, CaseInsensitiveHash, CaseInsensitiveEqual> index_;
};

}  // namespace veldra
