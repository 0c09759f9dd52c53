#include "platform/event.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace veldra {
namespace {

TEST(Event, ASubscriptionEndsWhenItGoesOutOfScopeOrIsCancelled) {
    Event<int> changed;
    int calls = 0;
    {
        Subscription scoped = changed.Subscribe([&](int) { ++calls; });
        changed.Raise(1);
    }
    changed.Raise(2);
    EXPECT_EQ(calls, 1);

    Subscription cancelled = changed.Subscribe([&](int) { ++calls; });
    cancelled.Cancel();
    changed.Raise(3);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(changed.HasSubscribers());
}

TEST(Event, AHandlerMayCancelAnotherOrAddOneWhileRaised) {
    Event<> fired;
    std::vector<std::string> calls;
    Subscription second;
    Subscription added;
    Subscription first = fired.Subscribe([&] {
        calls.push_back("first");
        second.Cancel();
        added = fired.Subscribe([&] { calls.push_back("added"); });
    });
    second = fired.Subscribe([&] { calls.push_back("second"); });

    fired.Raise();
    EXPECT_EQ(calls, (std::vector<std::string>{"first"}));

    calls.clear();
    first.Cancel();
    fired.Raise();
    EXPECT_EQ(calls, (std::vector<std::string>{"added"}));
}

TEST(Event, ASubscriptionMayOutliveItsEvent) {
    Subscription orphan;
    {
        auto changed = std::make_unique<Event<int>>();
        orphan = changed->Subscribe([](int) {});
    }
    orphan.Cancel();  // must not touch the destroyed event
    SUCCEED();
}

}  // namespace
}  // namespace veldra
