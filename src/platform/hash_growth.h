#pragma once

#include <absl/container/flat_hash_map.h>
#include <absl/container/flat_hash_set.h>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <type_traits>
#include <utility>

namespace veldra {

// The one way the program's hash tables grow, whatever runs out of memory meanwhile.
//
// A table of the hash library grows in place, and sets its new size before it asks for the
// memory: when the memory is refused, the table is left claiming room it never got, so
// that using, clearing or freeing it reads, writes and frees memory it does not own. A
// table here never grows in place. Before an insert that could make it grow, it is built
// anew at its larger size (the one request for memory, which leaves it untouched when
// refused) and its entries are moved over, which asks for none; the insert then finds its
// room. A growth that runs out of memory leaves the table whole, as it was, so the failure
// can go on to whoever lets go of the half-made work, and the table goes with it.
//
// Only the members that cannot grow the table behind its back are reachable.
template <class Table>
class GrowingTable : private Table {
public:
    using typename Table::const_iterator;
    using typename Table::hasher;
    using typename Table::iterator;
    using typename Table::key_equal;
    using typename Table::key_type;
    using typename Table::size_type;
    using typename Table::value_type;

    GrowingTable() = default;
    explicit GrowingTable(const hasher& hash, const key_equal& equal = key_equal())
        : Table(0, hash, equal) {}
    // Holds the range's entries (each key once), made at their size at once.
    template <class Iterator>
    GrowingTable(Iterator first, Iterator last) {
        insert(first, last);
    }
    // The library's copy grows the copy in place.
    GrowingTable(const GrowingTable&) = delete;
    GrowingTable& operator=(const GrowingTable&) = delete;
    GrowingTable(GrowingTable&& other) noexcept
        : Table(std::move(other)), erasures_(std::exchange(other.erasures_, 0)) {}
    GrowingTable& operator=(GrowingTable&& other) noexcept {
        Table::operator=(std::move(other));
        erasures_ = std::exchange(other.erasures_, 0);
        return *this;
    }
    ~GrowingTable() = default;

    using Table::begin;
    using Table::capacity;
    using Table::cbegin;
    using Table::cend;
    using Table::contains;
    using Table::count;
    using Table::empty;
    using Table::end;
    using Table::find;
    using Table::hash_function;
    using Table::key_eq;
    using Table::prefetch;
    using Table::size;

    // Room for `entries` in all without growing again.
    void reserve(size_type entries) {
        if (!HasRoomFor(entries)) {
            Rebuild(CapacityFor(entries));
        }
    }

    // An entry whose making can fail (a key or value that asks for memory) is made before
    // the table is touched: the library marks a slot taken before it makes the entry there.
    // It is made only once its key is known to be missing, where the key can be read without
    // making the entry, so that inserting a key held already asks for nothing.
    template <class Value>
    std::pair<iterator, bool> insert(Value&& value) {
        constexpr bool madeInPlace = std::is_nothrow_constructible_v<value_type, Value&&>;
        if (madeInPlace && HasRoomFor(size() + 1)) {
            return Table::insert(std::forward<Value>(value));
        }
        if (const auto held = Holding(value); held != Table::end()) {
            return {held, false};
        }
        MakeRoomForOneMore();
        if constexpr (madeInPlace) {
            return Table::insert(std::forward<Value>(value));
        } else {
            return Table::insert(Made(std::forward<Value>(value)));
        }
    }
    template <class Iterator>
    void insert(Iterator first, Iterator last) {
        if constexpr (std::is_base_of_v<
                          std::forward_iterator_tag,
                          typename std::iterator_traits<Iterator>::iterator_category>) {
            reserve(size() + size_type(std::distance(first, last)));
        }
        for (; first != last; ++first) {
            insert(*first);
        }
    }
    template <class... Args>
    std::pair<iterator, bool> emplace(Args&&... args) {
        constexpr bool madeInPlace = std::is_nothrow_constructible_v<value_type, Args&&...>;
        if (madeInPlace && HasRoomFor(size() + 1)) {
            return Table::emplace(std::forward<Args>(args)...);
        }
        if (const auto held = Holding(args...); held != Table::end()) {
            return {held, false};
        }
        MakeRoomForOneMore();
        if constexpr (madeInPlace) {
            return Table::emplace(std::forward<Args>(args)...);
        } else {
            return Table::insert(Made(std::forward<Args>(args)...));
        }
    }
    template <class Key, class... Args>
    std::pair<iterator, bool> try_emplace(Key&& key, Args&&... args) {
        using Mapped = typename Table::mapped_type;
        constexpr bool madeInPlace = std::is_nothrow_constructible_v<key_type, Key&&> &&
                                     std::is_nothrow_constructible_v<Mapped, Args&&...>;
        if (madeInPlace && HasRoomFor(size() + 1)) {
            return Table::try_emplace(std::forward<Key>(key), std::forward<Args>(args)...);
        }
        if (const auto held = Table::find(key); held != Table::end()) {
            return {held, false};
        }
        MakeRoomForOneMore();
        if constexpr (madeInPlace) {
            return Table::try_emplace(std::forward<Key>(key), std::forward<Args>(args)...);
        } else {
            static_assert(std::is_nothrow_move_constructible_v<key_type> &&
                              std::is_nothrow_move_constructible_v<Mapped>,
                          "a key and value made beforehand must move into their slot without "
                          "failing");
            key_type madeKey(std::forward<Key>(key));
            Mapped madeValue(std::forward<Args>(args)...);
            return Table::try_emplace(std::move(madeKey), std::move(madeValue));
        }
    }
    template <class Key>
    auto& operator[](Key&& key) {
        return try_emplace(std::forward<Key>(key)).first->second;
    }
    template <class Key>
    decltype(auto) at(const Key& key) {
        return Table::at(key);
    }
    template <class Key>
    decltype(auto) at(const Key& key) const {
        return Table::at(key);
    }

    // Removes the entry of a key or at an iterator. Each entry removed may leave a tombstone,
    // which takes room as an entry does; a key not held removes nothing and leaves none.
    template <class Which>
    decltype(auto) erase(Which&& which) {
        using Position = std::remove_cvref_t<Which>;
        if constexpr (std::is_same_v<Position, iterator> ||
                      std::is_same_v<Position, const_iterator>) {
            ++erasures_;
            return Table::erase(std::forward<Which>(which));
        } else {
            const size_type removed = Table::erase(std::forward<Which>(which));
            erasures_ += removed;
            return removed;
        }
    }
    // Removes every entry the predicate holds for; how many.
    template <class Predicate>
    size_type erase_if(Predicate&& holds) {
        size_type removed = 0;
        for (auto at = Table::begin(); at != Table::end();) {
            if (holds(*at)) {
                erase(at++);
                ++removed;
            } else {
                ++at;
            }
        }
        return removed;
    }
    void clear() {
        Table::clear();
        erasures_ = 0;
    }
    void swap(GrowingTable& other) noexcept {
        Table::swap(other);
        std::swap(erasures_, other.erasures_);
    }

private:
    // The entries a table of that capacity holds before an insert makes it grow: as the hash
    // library reckons it, seven eighths of it, all of it when it is smaller than a group of
    // slots; a table of 7 is given 6, as on machines whose groups are 8 slots wide.
    static size_type RoomIn(size_type capacity) {
        return capacity == 7 ? 6 : capacity - capacity / 8;
    }
    // The capacity the library has room for `entries` in: the first of 1, 3, 7, 15, ... that
    // holds them.
    static size_type CapacityFor(size_type entries) {
        size_type capacity = 1;
        while (RoomIn(capacity) < entries) {
            capacity = capacity * 2 + 1;
        }
        return capacity;
    }

    // Every removal since the table was built may have left a tombstone, which the library
    // counts against the room as it counts an entry.
    bool HasRoomFor(size_type entries) const { return entries + erasures_ <= RoomIn(capacity()); }

    // A table built again for one more entry goes where the library would take it: to twice
    // its size when its entries fill it, or more than 25/32 of it; at its size when its room
    // went to removals, as a queue that fills and empties keeps it.
    void MakeRoomForOneMore() {
        if (HasRoomFor(size() + 1)) {
            return;
        }
        const size_type capacity = Table::capacity();
        const bool full = size() + 1 > RoomIn(capacity) || size() * 32 > capacity * 25;
        Rebuild(full ? capacity * 2 + 1 : capacity);
    }

    // The entry held under the key that an entry made of the arguments would have, or the end
    // when none is or that key cannot be read without making the entry.
    static constexpr bool kIsMap = requires { typename Table::mapped_type; };
    template <class Value>
    iterator Holding(const Value& value) {
        if constexpr (kIsMap) {
            if constexpr (requires(Table & table) { table.find(value.first); }) {
                return Table::find(value.first);
            } else {
                return Table::end();
            }
        } else if constexpr (requires(Table & table) { table.find(value); }) {
            return Table::find(value);
        } else {
            return Table::end();
        }
    }
    template <class Key, class Mapped>
    iterator Holding(const Key& key, const Mapped&) {
        if constexpr (kIsMap && requires(Table & table) { table.find(key); }) {
            return Table::find(key);
        } else {
            return Table::end();
        }
    }
    template <class... Args>
    iterator Holding(const Args&...) {
        return Table::end();
    }

    template <class... Args>
    static typename Table::init_type Made(Args&&... args) {
        static_assert(std::is_nothrow_move_constructible_v<typename Table::init_type>,
                      "an entry made beforehand must move into its slot without failing");
        return typename Table::init_type(std::forward<Args>(args)...);
    }

    // Builds the table anew at `capacity`, or at the capacity it has when that is more.
    void Rebuild(size_type capacity) {
        static_assert(std::is_nothrow_move_constructible_v<typename Table::init_type>,
                      "an entry must move to the table built anew without failing");
        Table grown(std::max(capacity, Table::capacity()), Table::hash_function(), Table::key_eq(),
                    Table::get_allocator());
        if constexpr (std::is_trivially_copy_constructible_v<value_type> &&
                      std::is_trivially_destructible_v<value_type>) {
            // Copied over: nothing to take out of the old table, which goes whole.
            for (const value_type& entry : static_cast<const Table&>(*this)) {
                grown.insert(entry);  // within the room just made
            }
        } else {
            for (auto at = Table::begin(); at != Table::end();) {
                grown.insert(Table::extract(at++));  // within the room just made
            }
        }
        Table::swap(grown);
        erasures_ = 0;
    }

    size_type erasures_ = 0;
};

// The program's hash maps and sets: the hash library's, grown as above.
template <class Key, class Value, class... Rest>
using HashMap = GrowingTable<absl::flat_hash_map<Key, Value, Rest...>>;
template <class Key, class... Rest>
using HashSet = GrowingTable<absl::flat_hash_set<Key, Rest...>>;

}  // namespace veldra
