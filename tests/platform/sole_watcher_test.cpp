#include "platform/sole_watcher.h"

#include <gtest/gtest.h>

#include <memory>

namespace veldra {
namespace {

struct Watcher {};

TEST(SoleWatcher, TheLastToStartWatchesUntilItsOwnSubscriptionEnds) {
    SoleWatcher<Watcher> sole;
    Watcher first;
    Watcher second;
    EXPECT_EQ(sole.Get(), nullptr);

    Subscription firstWatch = sole.Watch(first);
    Subscription secondWatch = sole.Watch(second);
    EXPECT_EQ(sole.Get(), &second);
    firstWatch.Cancel();  // taken over: the other's watch stays
    EXPECT_EQ(sole.Get(), &second);
    secondWatch.Cancel();
    EXPECT_EQ(sole.Get(), nullptr);
}

TEST(SoleWatcher, AWatcherThatStartsAgainIsNotStoppedByItsEarlierWatch) {
    SoleWatcher<Watcher> sole;
    Watcher watcher;
    Subscription watch = sole.Watch(watcher);
    watch = sole.Watch(watcher);  // the earlier watch ends as it is replaced
    EXPECT_EQ(sole.Get(), &watcher);
}

TEST(SoleWatcher, AWatchMayOutliveWhatItWatches) {
    Watcher watcher;
    Subscription orphan;
    {
        auto sole = std::make_unique<SoleWatcher<Watcher>>();
        orphan = sole->Watch(watcher);
    }
    orphan.Cancel();  // must not touch the destroyed holder
    SUCCEED();
}

}  // namespace
}  // namespace veldra
