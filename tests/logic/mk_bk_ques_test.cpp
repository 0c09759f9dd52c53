#include "logic/mk_bk_ques.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace veldra {
namespace {

using testing::FakePlatform;

TEST(MkBkQues, ANewEntryHasBothFlagsClearedAndIsFoundByNameInAnyCase) {
    FakePlatform platform;
    MkBkQues queue;

    MkBkQue* entry = queue.Add("S1HR");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->BitName, "S1HR");
    EXPECT_FALSE(entry->IsBack);
    EXPECT_FALSE(entry->IsFront);
    EXPECT_EQ(queue.Item("s1hr"), entry);
}

TEST(MkBkQues, PositionOneIsTheOldestEntryStillPresent) {
    FakePlatform platform;
    MkBkQues queue;
    queue.Add("A");
    queue.Add("B");
    queue.Add("C");

    queue.Remove(1);
    EXPECT_EQ(queue.Item(1)->BitName, "B");
    queue.Remove("C");
    EXPECT_EQ(queue.Count(), 1);
    EXPECT_EQ(queue.Item(1)->BitName, "B");
}

TEST(MkBkQues, ANamePresentInAnyCaseIsRefusedWithTheErrorQuestion) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::No);
    MkBkQues queue;
    MkBkQue* first = queue.Add("TR1");
    first->IsFront = true;

    EXPECT_EQ(queue.Add("tr1"), nullptr);
    EXPECT_EQ(queue.Count(), 1);
    EXPECT_TRUE(queue.Item("TR1")->IsFront);
    EXPECT_EQ(platform.journal(),
              (std::vector<std::string>{"unload progress",
                                        "box: Error: This key is already associated with an "
                                        "element of this collection: End Program?"}));
}

TEST(MkBkQues, RemovingANameNotPresentIsReported) {
    FakePlatform platform;
    platform.Answer(MsgAnswer::No);
    MkBkQues queue;
    queue.Add("A");

    queue.Remove("B");
    EXPECT_EQ(platform.boxes().at(0).title, "Error: Invalid procedure call or argument");
    EXPECT_EQ(queue.Count(), 1);
}

TEST(MkBkQues, ClearEmptiesTheQueueAndFreesTheNames) {
    FakePlatform platform;
    MkBkQues queue;
    queue.Clear();
    EXPECT_EQ(queue.Count(), 0);

    queue.Add("A");
    queue.Add("B");
    queue.Clear();
    EXPECT_EQ(queue.Count(), 0);
    EXPECT_NE(queue.Add("A"), nullptr);
}

TEST(MkBkQues, EnumeratesInQueueOrder) {
    FakePlatform platform;
    MkBkQues queue;
    queue.Add("B")->IsBack = true;
    queue.Add("A")->IsFront = true;

    std::vector<std::string> seen;
    for (const MkBkQue& entry : queue) {
        seen.push_back(entry.BitName + (entry.IsBack ? "/back" : "") +
                       (entry.IsFront ? "/front" : ""));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"B/back", "A/front"}));
}

}  // namespace
}  // namespace veldra
