#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/ascii_text.h"
#include "platform/hash_growth.h"
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

// Items that are always keyed by their own name, which does not change while they are in
// a collection, say so by specialising this with kUsed true and an Of(item) giving the
// name: their collection then reads each key from its item instead of keeping a copy.
template <class T>
struct KeyIsOwnName {
    static constexpr bool kUsed = false;
};

// The ordered, keyed list that every plural class of the program wraps.
//
// Items stay in insertion order and are reached by 1-based position or by an optional
// key; keys compare without regard to ASCII letter case. Looking up a key or position
// that is not there yields no object. Position and key lookups are separate overloads
// because a bit may well be named "1". The collection owns its items.
template <class T>
class KeyedCollection {
    static constexpr bool kOwnName = KeyIsOwnName<T>::kUsed;
    struct NoKey {};
    struct Entry {
        std::unique_ptr<T> item;
        // Empty: added without a key. Items keyed by their own name keep none here.
        [[no_unique_address]] std::conditional_t<kOwnName, NoKey, std::string> key;
    };
    static std::string_view KeyOfEntry(const Entry& entry) {
        if constexpr (kOwnName) {
            return entry.item ? KeyIsOwnName<T>::Of(*entry.item) : std::string_view();
        } else {
            return entry.key;
        }
    }
    // An entry stays where it was put until the collection empties, so that the key index
    // holds the entry's number rather than a second copy of its key (a large program has
    // millions of names); a removed item's entry goes to the next item added. The store
    // lives apart from the collection so that the index's hash, which reads it, follows
    // the collection when it is moved.
    struct Store {
        std::deque<Entry> entries;
        std::vector<std::uint32_t> free;
    };
    struct KeyHash {
        using is_transparent = void;
        const Store* store = nullptr;
        std::size_t operator()(std::string_view key) const noexcept {
            return CaseInsensitiveHash{}(key);
        }
        std::size_t operator()(std::uint32_t entry) const noexcept {
            return CaseInsensitiveHash{}(KeyOfEntry(store->entries[entry]));
        }
    };
    struct KeyEqual {
        using is_transparent = void;
        const Store* store = nullptr;
        std::string_view KeyOf(std::string_view key) const noexcept { return key; }
        std::string_view KeyOf(std::uint32_t entry) const noexcept {
            return KeyOfEntry(store->entries[entry]);
        }
        template <class A, class B>
        bool operator()(const A& a, const B& b) const noexcept {
            return EqualsIgnoringCase(KeyOf(a), KeyOf(b));
        }
    };
    using Order = std::deque<std::uint32_t>;  // entry numbers in insertion order

public:
    // Iterates the items in order as T&.
    template <class OrderIterator, class Ref>
    class BasicIterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = std::remove_reference_t<Ref>*;
        using reference = Ref;

        BasicIterator() = default;
        BasicIterator(const Store* store, OrderIterator at) : store_(store), at_(at) {}
        reference operator*() const { return *store_->entries[*at_].item; }
        pointer operator->() const { return store_->entries[*at_].item.get(); }
        BasicIterator& operator++() {
            ++at_;
            return *this;
        }
        BasicIterator operator++(int) {
            BasicIterator before = *this;
            ++at_;
            return before;
        }
        bool operator==(const BasicIterator& other) const { return at_ == other.at_; }

    private:
        const Store* store_ = nullptr;
        OrderIterator at_{};
    };
    using iterator = BasicIterator<typename Order::const_iterator, T&>;
    using const_iterator = BasicIterator<typename Order::const_iterator, const T&>;

    KeyedCollection()
        : store_(std::make_unique<Store>()),
          index_(KeyHash{store_.get()}, KeyEqual{store_.get()}) {}
    KeyedCollection(const KeyedCollection&) = delete;
    KeyedCollection& operator=(const KeyedCollection&) = delete;
    KeyedCollection(KeyedCollection&&) noexcept = default;
    KeyedCollection& operator=(KeyedCollection&&) noexcept = default;
    ~KeyedCollection() { Clear(); }

    // Appends the item under the key, or without a key when the key is empty (an item
    // keyed by its own name is keyed by it, and `key` is its name or empty with it).
    // A key already present is refused with a RuntimeError and the collection is unchanged.
    T& Add(std::unique_ptr<T> item, std::string_view key = {}) {
        T& added = *item;
        if constexpr (kOwnName) {
            key = KeyIsOwnName<T>::Of(added);
        }
        // Whatever asks for memory comes first, so that memory running out leaves the
        // collection as it was.
        if (!key.empty()) {
            index_.reserve(index_.size() + 1);
        }
        Entry entry{std::move(item), {}};
        if constexpr (!kOwnName) {
            entry.key = std::string(key);
        }
        const std::uint32_t number = TakeEntry();
        try {
            order_.push_back(number);
        } catch (...) {
            GiveEntryBack(number);
            throw;
        }
        store_->entries[number] = std::move(entry);
        // One look-up finds a key held already and places a new one (within the room
        // reserved); a key held already takes the item back out.
        if (!key.empty() && !index_.insert(number).second) {
            order_.pop_back();
            store_->entries[number] = Entry{};
            GiveEntryBack(number);
            throw RuntimeError(errors::kDuplicateKey);
        }
        return added;
    }

    // Room for `count` keyed items in all, made at once.
    void Reserve(std::size_t count) { index_.reserve(count); }

    T* Item(std::string_view key) {
        const auto found = index_.find(key);
        return found == index_.end() ? nullptr : store_->entries[*found].item.get();
    }
    const T* Item(std::string_view key) const {
        return const_cast<KeyedCollection*>(this)->Item(key);
    }

    // Asks for what a look-up of the key reads first, so that the look-up made a little
    // later does not wait for it.
    void Prefetch(std::string_view key) const { index_.prefetch(key); }

    // 1-based position in insertion order.
    T* Item(int position) { return InRange(position) ? At(position).item.get() : nullptr; }
    const T* Item(int position) const { return const_cast<KeyedCollection*>(this)->Item(position); }

    bool Contains(std::string_view key) const { return index_.find(key) != index_.end(); }

    // The key an item was added under; empty when it has none or the position is not there.
    std::string_view KeyAt(int position) const {
        return InRange(position) ? KeyOfEntry(At(position)) : std::string_view();
    }

    // The key the item was added under; empty when it has none or is not here.
    std::string_view KeyOf(const T& item) const {
        const auto at = Find(item);
        return at == order_.end() ? std::string_view() : KeyOfEntry(store_->entries[*at]);
    }

    // Gives the item a new key in place, keeping its position; an empty key leaves it
    // without one. A key that another item holds is refused with a RuntimeError.
    void Rekey(const T& item, std::string_view newKey) requires(!kOwnName) {
        const auto at = Find(item);
        if (at == order_.end()) {
            throw RuntimeError(errors::kInvalidProcedureCall);
        }
        const T* holder = Item(newKey);
        if (!newKey.empty() && holder != nullptr && holder != &item) {
            throw RuntimeError(errors::kDuplicateKey);
        }
        const std::uint32_t entry = *at;
        std::string& key = store_->entries[entry].key;
        std::string kept(newKey);
        if (!newKey.empty()) {
            index_.reserve(index_.size() + 1);  // room for the key even after the old one left
        }
        if (!key.empty()) {
            index_.erase(entry);  // hashed by the key it has now
        }
        key = std::move(kept);
        if (!newKey.empty()) {
            index_.insert(entry);  // within the room reserved
        }
    }

    int Count() const { return static_cast<int>(order_.size()); }

    // Grows whenever an item leaves the collection, so that whoever keeps pointers to
    // its items knows to look them up again.
    std::uint64_t Generation() const { return generation_; }
    bool empty() const { return order_.empty(); }

    // Removes the item of the key; a key that is not there is a RuntimeError.
    void Remove(std::string_view key) {
        const auto found = index_.find(key);
        if (found == index_.end()) {
            throw RuntimeError(errors::kInvalidProcedureCall);
        }
        const std::uint32_t entry = *found;
        const auto at = Find(*store_->entries[entry].item);
        index_.erase(found);
        order_.erase(at);
        ++generation_;
        const std::unique_ptr<T> removed = ReleaseEntry(entry);
    }

    // Removes the item at the 1-based position; a position that is not there is a RuntimeError.
    void Remove(int position) { Take(position); }

    // Removes the item at the 1-based position and hands it to the caller.
    std::unique_ptr<T> Take(int position) {
        if (!InRange(position)) {
            throw RuntimeError(errors::kSubscriptOutOfRange);
        }
        const auto at = order_.begin() + (position - 1);
        const std::uint32_t entry = *at;
        if (!KeyOfEntry(store_->entries[entry]).empty()) {
            index_.erase(entry);
        }
        order_.erase(at);
        ++generation_;
        return ReleaseEntry(entry);
    }

    void Clear() {
        if (!store_) {
            return;  // moved from
        }
        index_.clear();
        // The items go in their order, as they always have.
        for (const std::uint32_t entry : order_) {
            store_->entries[entry].item.reset();
        }
        order_.clear();
        store_->entries.clear();
        store_->free.clear();
        ++generation_;
    }

    iterator begin() { return iterator(store_.get(), order_.cbegin()); }
    iterator end() { return iterator(store_.get(), order_.cend()); }
    const_iterator begin() const { return const_iterator(store_.get(), order_.cbegin()); }
    const_iterator end() const { return const_iterator(store_.get(), order_.cend()); }

private:
    bool InRange(int position) const { return position >= 1 && position <= Count(); }
    Entry& At(int position) const { return store_->entries[order_[std::size_t(position - 1)]]; }

    std::uint32_t TakeEntry() {
        if (!store_->free.empty()) {
            const std::uint32_t entry = store_->free.back();
            store_->free.pop_back();
            return entry;
        }
        store_->entries.emplace_back();
        return static_cast<std::uint32_t>(store_->entries.size() - 1);
    }
    // An entry taken for an item that could not be added after all; it is still empty.
    void GiveEntryBack(std::uint32_t entry) noexcept {
        if (entry + 1 == store_->entries.size()) {
            store_->entries.pop_back();
        } else {
            store_->free.push_back(entry);  // within the room it had when the entry left it
        }
    }
    // Empties the entry for the next item; an emptied collection starts its store afresh
    // (a queue fills and empties again and again).
    std::unique_ptr<T> ReleaseEntry(std::uint32_t entry) {
        Entry& released = store_->entries[entry];
        std::unique_ptr<T> item = std::move(released.item);
        if constexpr (!kOwnName) {
            std::string().swap(released.key);
        }
        if (order_.empty()) {
            store_->entries.clear();
            store_->free.clear();
        } else {
            store_->free.push_back(entry);
        }
        return item;
    }

    typename Order::const_iterator Find(const T& item) const {
        // Items leave a queue from its front and a list being emptied from its back: look
        // at both ends before searching.
        const auto holds = [&](std::uint32_t entry) {
            return store_->entries[entry].item.get() == &item;
        };
        if (!order_.empty() && holds(order_.back())) {
            return order_.end() - 1;
        }
        return std::find_if(order_.begin(), order_.end(), holds);
    }

    std::unique_ptr<Store> store_;
    Order order_;
    std::uint64_t generation_ = 0;
    HashSet<std::uint32_t, KeyHash, KeyEqual> index_;
};

}  // namespace veldra
