#include "platform/event.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace veldra {
namespace {

TEST(Event, CallsSubscribersInOrderWithTheArguments) {
    Event<std::string, bool> changed;
    std::vector<std::string> calls;
    Subscription first = changed.Subscribe([&](std::string name, bool value) {
        calls.push_back("first " + name + (value ? " on" : " off"));
    });
    Subscription second =
        changed.Subscribe([&](std::string name, bool) { calls.push_back("second " + name); });

    changed.Raise("TR1", true);

    EXPECT_EQ(calls, (std::vector<std::string>{"first TR1 on", "second TR1"}));
}

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
