#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "logic/model_error.h"
#include "platform/keyed_collection.h"

namespace veldra {

// The common face of the model's plural classes (bits, queues, timers, boards...):
// a KeyedCollection whose failures are answered with the model's error question.
// Each plural class derives from it and adds its own Add.
template <class T>
class ModelCollection {
public:
    using Items = KeyedCollection<T>;

    ModelCollection() = default;
    virtual ~ModelCollection() = default;
    ModelCollection(const ModelCollection&) = delete;
    ModelCollection& operator=(const ModelCollection&) = delete;

    // By key or 1-based position; nothing when not present, without a message.
    T* Item(std::string_view key) { return items_.Item(key); }
    T* Item(int position) { return items_.Item(position); }
    const T* Item(std::string_view key) const { return items_.Item(key); }
    const T* Item(int position) const { return items_.Item(position); }

    int Count() const { return items_.Count(); }
    // Room for `count` items in all, made at once.
    void Reserve(std::size_t count) { items_.Reserve(count); }
    void Prefetch(std::string_view key) const { items_.Prefetch(key); }

    // Removing a key or position that is not present is reported as a model error.
    void Remove(std::string_view key) {
        if (const T* item = items_.Item(key)) {
            Removing(*item);
        }
        GuardModel(ProgressWindow::Keep, [&] { items_.Remove(key); });
    }
    void Remove(int position) {
        if (const T* item = items_.Item(position)) {
            Removing(*item);
        }
        GuardModel(ProgressWindow::Keep, [&] { items_.Remove(position); });
    }

    void Clear() {
        for (const T& item : items_) {
            Removing(item);
        }
        items_.Clear();
    }

    // Grows whenever an item leaves the collection (see KeyedCollection).
    std::uint64_t Generation() const { return items_.Generation(); }

    typename Items::iterator begin() { return items_.begin(); }
    typename Items::iterator end() { return items_.end(); }
    typename Items::const_iterator begin() const { return items_.begin(); }
    typename Items::const_iterator end() const { return items_.end(); }

protected:
    // Told of an item just before it leaves the collection.
    virtual void Removing(const T& item) { (void)item; }

    // Adds the item under the key (none when empty). A failure, a key already present
    // above all, first closes the loading-progress window, is reported, and yields nothing.
    template <class Make>
    T* AddReported(std::string_view key, Make&& make) {
        return GuardModel(ProgressWindow::Close, nullptr,
                          [&] { return &items_.Add(std::forward<Make>(make)(), key); });
    }

    Items items_;
};

// A model collection that re-raises an event for exactly one of its items: the one it
// last handed out with Item. Find looks up without changing that.
template <class T>
class ForwardingCollection : public ModelCollection<T> {
public:
    // By key or 1-based position; a found item becomes the forwarded one. Nothing when
    // not present, and the forwarded item stays as it was.
    T* Item(std::string_view key) { return Forward(this->items_.Item(key)); }
    T* Item(int position) { return Forward(this->items_.Item(position)); }

    // Makes an item already in hand the forwarded one, as Item would.
    void Follow(T& item) {
        forwarded_ = &item;
        followedSlot_ = kNoSlot;
    }

    T* Find(std::string_view key) { return this->items_.Item(key); }
    T* Find(int position) { return this->items_.Item(position); }
    const T* Find(std::string_view key) const { return this->items_.Item(key); }
    const T* Find(int position) const { return this->items_.Item(position); }

protected:
    static constexpr std::uint32_t kNoSlot = ~std::uint32_t(0);

    // Makes the item holding the slot the forwarded one, for a collection whose items
    // number themselves (T::Slot(), unique among the items held and kept while held):
    // following by number spares a scan that follows thousands of items reading where
    // each one lives.
    void FollowSlot(std::uint32_t slot) {
        forwarded_ = nullptr;
        followedSlot_ = slot;
    }
    std::uint32_t FollowedSlot() const { return followedSlot_; }

    bool IsForwarded(const T& item) const {
        if (&item == forwarded_) {
            return true;
        }
        if constexpr (requires { item.Slot(); }) {
            return followedSlot_ != kNoSlot && item.Slot() == followedSlot_;
        } else {
            return false;
        }
    }

    // The same for the item holding the slot, without reading the item unless it is the
    // one followed by reference.
    bool IsForwardedSlot(std::uint32_t slot) const {
        if (followedSlot_ != kNoSlot) {
            return slot == followedSlot_;
        }
        return forwarded_ != nullptr && forwarded_->Slot() == slot;
    }

    void Removing(const T& item) override {
        if (IsForwarded(item)) {
            forwarded_ = nullptr;
            followedSlot_ = kNoSlot;
        }
    }

private:
    T* Forward(T* item) {
        if (item != nullptr) {
            forwarded_ = item;
            followedSlot_ = kNoSlot;
        }
        return item;
    }
    T* forwarded_ = nullptr;
    std::uint32_t followedSlot_ = kNoSlot;  // followed by number: forwarded_ is then none
};

}  // namespace veldra
