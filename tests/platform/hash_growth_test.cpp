#include "platform/hash_growth.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/keyed_collection.h"

namespace {

// While set, every allocation of at least this many bytes fails, as when memory runs out
// in the middle of a load.
std::size_t failFrom = 0;
// While set, the allocation of this number (counted from 1 as `allocations` counts) fails.
long failAt = 0;
long allocations = 0;

}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if ((failFrom != 0 && size >= failFrom) || (failAt != 0 && allocations == failAt)) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace veldra {
namespace {

struct Named {
    std::string name;
};

std::string NameOf(int i) {
    return "B" + std::to_string(i);
}

// The index of a collection grows as bits are added; when its growth finds no memory, the
// collection stays as it was: every bit added before is found by its name, and once memory
// is back the collection grows on.
TEST(HashGrowth, ACollectionWhoseIndexFoundNoRoomToGrowKeepsEveryItemItHad) {
    KeyedCollection<Named> bits;
    const auto add = [&](int i) { bits.Add(std::make_unique<Named>(Named{NameOf(i)}), NameOf(i)); };
    int added = 0;
    for (; added < 1000; ++added) {
        add(added);
    }
    failFrom = 16 * 1024;  // the index's next growth; no bit asks for as much
    EXPECT_THROW(
        for (; added < 5000; ++added) { add(added); }, std::bad_alloc);
    failFrom = 0;

    ASSERT_EQ(bits.Count(), added);
    for (int i = 0; i < added; ++i) {
        const Named* bit = bits.Item(NameOf(i));
        ASSERT_NE(bit, nullptr) << NameOf(i);
        EXPECT_EQ(bit->name, NameOf(i));
        EXPECT_EQ(bits.Item(i + 1), bit);
    }
    for (int i = added; i < 5000; ++i) {
        add(i);
    }
    EXPECT_EQ(bits.Count(), 5000);
    EXPECT_NE(bits.Item("b4999"), nullptr);
}

// Whichever allocation of an insert fails (the table's, a key's, a value's), the map holds
// what it held before the insert, and can be used, cleared and freed.
TEST(HashGrowth, AnInsertThatRunsOutOfMemoryLeavesTheMapAsItWas) {
    constexpr int kEntries = 200;
    bool everyFailureSeen = false;
    for (long n = 1; !everyFailureSeen; ++n) {
        HashMap<std::string, std::vector<int>> cells;
        int inserted = 0;
        allocations = 0;
        failAt = n;
        try {
            for (; inserted < kEntries; ++inserted) {
                cells.try_emplace(NameOf(inserted) + std::string(40, 'x'), 3, inserted);
            }
            everyFailureSeen = true;
        } catch (const std::bad_alloc&) {
        }
        failAt = 0;
        ASSERT_EQ(cells.size(), std::size_t(inserted)) << "failing allocation " << n;
        for (int i = 0; i < inserted; ++i) {
            const auto found = cells.find(NameOf(i) + std::string(40, 'x'));
            ASSERT_NE(found, cells.end()) << i << " after failing allocation " << n;
            EXPECT_EQ(found->second, std::vector<int>(3, i));
        }
        cells.erase(NameOf(0) + std::string(40, 'x'));
        cells.clear();
        cells["again"].push_back(1);
        EXPECT_EQ(cells.size(), 1U);
    }
}

// Removals leave room the table counts as taken until it is built again: a table that is
// filled and emptied over and over, as a queue is, keeps finding every key.
TEST(HashGrowth, ATableFilledAndEmptiedOverAndOverFindsEveryKey) {
    HashSet<int> queue;
    for (int round = 0; round < 100; ++round) {
        for (int i = 0; i < 20; ++i) {
            queue.insert(round * 100 + i);
        }
        for (int i = 0; i < 20; ++i) {
            ASSERT_TRUE(queue.contains(round * 100 + i));
            queue.erase(round * 100 + i);
        }
        ASSERT_TRUE(queue.empty());
    }
    EXPECT_LT(queue.capacity(), 128U);  // built again at its size, not grown without end
}

// A table grows to the size the hash library would have grown it to for the same inserts,
// never past it (a table of seven entries excepted: it grows one entry early).
TEST(HashGrowth, ATableGrowsNoLargerThanTheLibrarysOwn) {
    HashSet<std::string> names;
    absl::flat_hash_set<std::string> plain;
    for (int i = 0; i < 40000; ++i) {
        const std::string name = NameOf(i);
        names.insert(name);
        plain.insert(name);
        names.insert(name);  // held already: no growth
        if (plain.size() != 7) {
            ASSERT_EQ(names.capacity(), plain.capacity()) << plain.size() << " entries";
        }
    }
}

// Erasing a key the table does not hold leaves no tombstone, so it brings no rebuild nearer.
TEST(HashGrowth, ErasingMissingKeysLeavesTheTableItsRoom) {
    HashSet<int> held;
    for (int i = 0; i < 1000; ++i) {
        held.insert(i);
    }
    for (int i = 0; i < 100000; ++i) {
        EXPECT_EQ(held.erase(-1 - i), 0U);
    }
    const auto capacity = held.capacity();
    allocations = 0;
    held.insert(1000);
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(held.capacity(), capacity);
}

// A key held already is found before anything is made of it: inserting it again asks for no
// memory, however long the key.
TEST(HashGrowth, InsertingAKeyHeldAlreadyAsksForNoMemory) {
    const std::string key(100, 'k');
    HashSet<std::string> names;
    HashMap<std::string, std::string> cells;
    names.insert(key);
    cells.emplace(key, key);
    const std::pair<const std::string, std::string> entry(key, key);
    allocations = 0;
    EXPECT_FALSE(names.insert(key).second);
    EXPECT_FALSE(names.emplace(key).second);
    EXPECT_FALSE(cells.insert(entry).second);
    EXPECT_FALSE(cells.emplace(key, key).second);
    EXPECT_FALSE(cells.try_emplace(key, key).second);
    EXPECT_EQ(allocations, 0);
}

}  // namespace
}  // namespace veldra
