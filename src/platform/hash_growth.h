#pragma once

#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace veldra {

// Grows a hash table through `grow` (an insert, an emplace, a reserve) and gives what it
// gives. A table whose growth runs out of memory is left claiming the room it never got,
// so that clearing or freeing it would write and free memory it does not own. Such a table
// is given up: made anew, empty, with its old room left unfreed (what it held needs no
// destroying), and the failure goes on to whoever lets go of the half-made program.
template <class Table, class Grow>
decltype(auto) GrowOrGiveUp(Table& table, Grow&& grow) {
    try {
        return grow(table);
    } catch (const std::bad_alloc&) {
        static_assert(std::is_trivially_destructible_v<typename Table::value_type>,
                      "a table given up must hold nothing that needs destroying");
        auto hash = table.hash_function();
        auto equal = table.key_eq();
        auto allocator = table.get_allocator();
        // The old table's lifetime ends here without its destructor, on purpose.
        std::construct_at(&table, 0, std::move(hash), std::move(equal), std::move(allocator));
        throw;
    }
}

}  // namespace veldra
