#pragma once

#include <memory>
#include <string_view>

#include "ladder/create_ladder.h"
#include "platform/keyed_collection.h"

namespace veldra {

// The ladders of the program book, one per statement, in the order they are paged,
// previewed, printed and plotted. The list owns them.
class Ladders {
public:
    explicit Ladders(double resolution = 100) : resolution_(resolution) {}
    Ladders(const Ladders&) = delete;
    Ladders& operator=(const Ladders&) = delete;

    // Makes a ladder of the statement text (none laid out for an empty text) and keeps
    // it under the key, or unkeyed when the key is empty. A key already used is the
    // model's error question and gives no ladder.
    CreateLadder* Add(bool IsNumeric, std::string_view statement, std::string_view key = {});
    CreateLadder* Item(int position) { return ladders_.Item(position); }
    CreateLadder* Item(std::string_view key) { return ladders_.Item(key); }
    int Count() const { return ladders_.Count(); }
    void Remove(int position) { ladders_.Remove(position); }
    void Clear();

    // The highest page number of any ladder: the book's page count.
    int Pages() const;
    // Switches the wrapping of names on or off in every cell of every ladder.
    void WordWrap(bool on);

    auto begin() { return ladders_.begin(); }
    auto end() { return ladders_.end(); }

private:
    double resolution_;
    KeyedCollection<CreateLadder> ladders_;
};

}  // namespace veldra
