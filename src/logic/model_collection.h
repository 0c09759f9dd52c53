#pragma once

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

}  // namespace veldra
