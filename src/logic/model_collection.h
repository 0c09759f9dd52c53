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

    // By key or 1-based position; nothing when not present, without a message.
    T* Item(std::string_view key) { return items_.Item(key); }
    T* Item(int position) { return items_.Item(position); }
    const T* Item(std::string_view key) const { return items_.Item(key); }
    const T* Item(int position) const { return items_.Item(position); }

    int Count() const { return items_.Count(); }

    // Removing a key or position that is not present is reported as a model error.
    void Remove(std::string_view key) {
        GuardModel(ProgressWindow::Keep, [&] { items_.Remove(key); });
    }
    void Remove(int position) {
        GuardModel(ProgressWindow::Keep, [&] { items_.Remove(position); });
    }

    typename Items::iterator begin() { return items_.begin(); }
    typename Items::iterator end() { return items_.end(); }
    typename Items::const_iterator begin() const { return items_.begin(); }
    typename Items::const_iterator end() const { return items_.end(); }

protected:
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
// last handed out with Item. Find looks up without changing that. Remove forgets the
// forwarded item when it goes, and counts the removal in Generation, so that whoever
// keeps pointers to the items knows to look them up again.
template <class T>
class ForwardingCollection : public ModelCollection<T> {
public:
    // By key or 1-based position; a found item becomes the forwarded one. Nothing when
    // not present, and the forwarded item stays as it was.
    T* Item(std::string_view key) { return Forward(this->items_.Item(key)); }
    T* Item(int position) { return Forward(this->items_.Item(position)); }

    T* Find(std::string_view key) { return this->items_.Item(key); }
    T* Find(int position) { return this->items_.Item(position); }
    const T* Find(std::string_view key) const { return this->items_.Item(key); }
    const T* Find(int position) const { return this->items_.Item(position); }

    void Remove(std::string_view key) {
        Forget(Find(key));
        ModelCollection<T>::Remove(key);
    }
    void Remove(int position) {
        Forget(Find(position));
        ModelCollection<T>::Remove(position);
    }

    std::uint64_t Generation() const { return generation_; }

protected:
    bool IsForwarded(const T& item) const { return &item == forwarded_; }

private:
    T* Forward(T* item) {
        if (item != nullptr) {
            forwarded_ = item;
        }
        return item;
    }
    void Forget(const T* item) {
        if (item == nullptr) {
            return;
        }
        if (item == forwarded_) {
            forwarded_ = nullptr;
        }
        ++generation_;
    }

    T* forwarded_ = nullptr;
    std::uint64_t generation_ = 0;
};

}  // namespace veldra
