#include "platform/keyed_collection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veldra {
namespace {

struct Named {
    std::string name;
};

std::unique_ptr<Named> Make(std::string name) {
    return std::make_unique<Named>(Named{std::move(name)});
}

std::vector<std::string> Names(const KeyedCollection<Named>& items) {
    std::vector<std::string> names;
    for (const Named& item : items) {
        names.push_back(item.name);
    }
    return names;
}

TEST(KeyedCollection, FindsByKeyInAnyCaseOrByPositionFromOneInInsertionOrder) {
    KeyedCollection<Named> items;
    for (const char* name : {"CPS.STATUS", "Tr1", "1"}) {
        items.Add(Make(name), name);
    }

    EXPECT_EQ(Names(items), (std::vector<std::string>{"CPS.STATUS", "Tr1", "1"}));
    EXPECT_EQ(items.Item("tR1"), items.Item(2));
    EXPECT_TRUE(items.Contains("TR1"));
    EXPECT_EQ(items.Item("1")->name, "1");  // a bit named 1 is no position
    EXPECT_EQ(items.Item(1)->name, "CPS.STATUS");
    for (const int missing : {0, 4, -1}) {
        EXPECT_EQ(items.Item(missing), nullptr) << missing;
    }
    EXPECT_EQ(items.Item("B"), nullptr);
}

TEST(KeyedCollection, AKeyGivenAgainInAnyCaseIsRefusedAndTheFirstItemKept) {
    KeyedCollection<Named> items;
    items.Add(Make("first"), "X");

    try {
        items.Add(Make("second"), "x");
        FAIL() << "a duplicate key was accepted";
    } catch (const RuntimeError& error) {
        EXPECT_STREQ(error.what(),
                     "This key is already associated with an element of this collection");
    }
    EXPECT_EQ(items.Count(), 1);
    EXPECT_EQ(items.Item("X")->name, "first");
}

// A key held already is found as the new item is placed: the item refused leaves nothing
// behind, whether it took the place a removed item left or a new one.
TEST(KeyedCollection, AnItemRefusedForItsKeyLeavesTheOrderAndTheKeysAsTheyWere) {
    KeyedCollection<Named> items;
    items.Add(Make("a"), "A");
    items.Add(Make("b"), "B");
    items.Add(Make("c"), "C");
    items.Remove("B");
    for (const char* again : {"a", "C", "a"}) {
        EXPECT_THROW(items.Add(Make("again"), again), RuntimeError) << again;
        ASSERT_EQ(items.Count(), 2);
        EXPECT_EQ(items.Item(1)->name, "a");
        EXPECT_EQ(items.Item(2)->name, "c");
        EXPECT_EQ(items.Item("A")->name, "a");
        EXPECT_EQ(items.Item("C")->name, "c");
    }
    items.Add(Make("d"), "D");
    items.Add(Make("b"), "B");
    EXPECT_EQ(items.Count(), 4);
    EXPECT_EQ(items.Item(3)->name, "d");
    EXPECT_EQ(items.Item(4)->name, "b");
    EXPECT_EQ(items.Item("D")->name, "d");
    EXPECT_EQ(items.Item("B")->name, "b");
}

TEST(KeyedCollection, UnkeyedItemsRepeatFreelyAndAreReachedByPosition) {
    KeyedCollection<Named> items;
    items.Add(Make("SPARE"), KeyForName("SPARE"));
    items.Add(Make("IN1"), KeyForName("IN1"));
    items.Add(Make("Spare"), KeyForName("Spare"));
    items.Add(Make("?"), KeyForName("?"));
    items.Add(Make("?"), KeyForName("?"));

    EXPECT_EQ(items.Count(), 5);
    EXPECT_TRUE(items.Item("SPARE") == nullptr && items.Item("?") == nullptr);
    EXPECT_EQ(items.Item("IN1"), items.Item(2));
    EXPECT_EQ(items.KeyAt(1), "");
    EXPECT_EQ(items.KeyAt(2), "IN1");
}

TEST(KeyedCollection, RemovesOrTakesByKeyOrPositionAndFreesTheKey) {
    KeyedCollection<Named> items;
    for (const char* name : {"A", "B", "C", "D"}) {
        items.Add(Make(name), name);
    }

    items.Remove("b");
    items.Remove(1);
    EXPECT_EQ(Names(items), (std::vector<std::string>{"C", "D"}));
    EXPECT_EQ(items.Take(1)->name, "C");
    EXPECT_FALSE(items.Contains("A") || items.Contains("B") || items.Contains("C"));
    for (const char* missing : {"B", "C"}) {
        EXPECT_THROW(items.Remove(missing), RuntimeError);
    }
    EXPECT_THROW(items.Remove(2), RuntimeError);
    EXPECT_THROW(items.Remove(0), RuntimeError);

    items.Add(Make("A2"), "A");
    EXPECT_EQ(Names(items), (std::vector<std::string>{"D", "A2"}));
    items.Clear();
    items.Add(Make("D"), "D");
    EXPECT_EQ(items.Count(), 1);
}

// A collection used as a queue and a list edited in the middle: items added after others
// left are found by key and stand last, and keys moved with Rekey are found under their
// new name only, however many items come and go.
TEST(KeyedCollection, KeysAndOrderHoldWhileItemsComeAndGo) {
    KeyedCollection<Named> items;
    std::vector<std::string> expected;
    for (int round = 0; round < 3; ++round) {
        for (int i = 0; i < 200; ++i) {
            const std::string name = "R" + std::to_string(round) + "_" + std::to_string(i);
            items.Add(Make(name), name);
        }
        // Every other item of this round leaves from the middle, the first from the front.
        for (int i = 198; i >= 0; i -= 2) {
            items.Remove("r" + std::to_string(round) + "_" + std::to_string(i));
        }
        items.Remove(1);
    }
    for (const Named& item : items) {
        expected.push_back(item.name);
    }
    ASSERT_EQ(items.Count(), 3 * 100 - 3);
    for (int position = 1; position <= items.Count(); ++position) {
        const std::string& name = expected[std::size_t(position - 1)];
        EXPECT_EQ(items.Item(name), items.Item(position)) << name;
        EXPECT_EQ(items.KeyAt(position), name);
    }
    EXPECT_EQ(items.Item("R0_0"), nullptr);

    Named& moved = *items.Item("R2_7");
    items.Rekey(moved, "Renamed");
    EXPECT_EQ(items.Item("RENAMED"), &moved);
    EXPECT_EQ(items.Item("R2_7"), nullptr);
    EXPECT_EQ(items.KeyOf(moved), "Renamed");
    EXPECT_THROW(items.Rekey(moved, "R2_9"), RuntimeError);
    items.Rekey(moved, "");
    EXPECT_EQ(items.Item("Renamed"), nullptr);
    EXPECT_EQ(items.KeyOf(moved), "");

    KeyedCollection<Named> taken = std::move(items);
    EXPECT_EQ(taken.Item("r1_9")->name, "R1_9");
    taken.Add(Make("NEW"), "new");
    EXPECT_EQ(taken.Item(taken.Count())->name, "NEW");
    EXPECT_EQ(taken.Item("NEW")->name, "NEW");

    KeyedCollection<Named> assigned;
    assigned.Add(Make("OLD"), "OLD");
    assigned = std::move(taken);
    EXPECT_EQ(assigned.Item("OLD"), nullptr);
    EXPECT_EQ(assigned.Item("r2_9")->name, "R2_9");
    assigned.Add(Make("LATER"), "later");
    EXPECT_EQ(assigned.Item("LATER"), assigned.Item(assigned.Count()));
}

}  // namespace
}  // namespace veldra
