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
    template <class Value>
    std::pair<iterator, bool> insert(Value&& value) {
        MakeRoomForOneMore();
        if constexpr (std::is_nothrow_constructible_v<value_type, Value&&>) {
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
        MakeRoomForOneMore();
        if constexpr (std::is_nothrow_constructible_v<value_type, Args&&...>) {
            return Table::emplace(std::forward<Args>(args)...);
        } else {
            return Table::insert(Made(std::forward<Args>(args)...));
        }
    }
    template <class Key, class... Args>
    std::pair<iterator, bool> try_emplace(Key&& key, Args&&... args) {
        MakeRoomForOneMore();
        using Mapped = typename Table::mapped_type;
        if constexpr (std::is_nothrow_constructible_v<key_type, Key&&> &&
                      std::is_nothrow_constructible_v<Mapped, Args&&...>) {
            return Table::try_emplace(std::forward<Key>(key), std::forward<Args>(args)...);
        } else {
            if (const auto found = Table::find(key); found != Table::end()) {
                return {found, false};
            }
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

    // Removes the entry of a key or at an iterator.
    template <class Which>
    decltype(auto) erase(Which&& which) {
        ++erasures_;  // may leave a tombstone, which takes room as an entry does
        return Table::erase(std::forward<Which>(which));
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
    // The entries a table of that capacity holds before an insert makes it grow: the hash
    // library fills seven eighths of it (a little less at the smallest sizes, never more).
    static size_type RoomIn(size_type capacity) { return capacity / 8 * 7 + capacity % 8 * 7 / 8; }
    // A capacity with room for `entries`; the library rounds it up.
    static size_type CapacityFor(size_type entries) { return entries + (entries + 6) / 7 + 1; }

    // Every removal since the table was built may have left a tombstone, which the library
    // counts against the room as it counts an entry.
    bool HasRoomFor(size_type entries) const { return entries + erasures_ <= RoomIn(capacity()); }

    // A table whose room went to removals is built again at its size, as a queue that
    // fills and empties keeps it; one full of entries at twice its size.
    void MakeRoomForOneMore() {
        if (!HasRoomFor(size() + 1)) {
            Rebuild(CapacityFor(2 * size() + 1));
        }
    }

    template <class... Args>
    static typename Table::init_type Made(Args&&... args) {
        static_assert(std::is_nothrow_move_constructible_v<typename Table::init_type>,
                      "an entry made beforehand must move into its slot without failing");
        return typename Table::init_type(std::forward<Args>(args)...);
    }

    // Builds the table anew at `capacity`, or at the capacity it has when that is more.
    void Rebuild(size_type capacity) {
        Table grown(std::max(capacity, Table::capacity()), Table::hash_function(), Table::key_eq(),
                    Table::get_allocator());
        for (auto at = Table::begin(); at != Table::end();) {
            grown.insert(Table::extract(at++));  // within the room just made
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
