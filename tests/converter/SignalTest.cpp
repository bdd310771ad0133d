// Notifications: order, snapshot of subscribers, removal, nesting and destruction mid-emission.
#include "converter/Signal.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using Zenlo::Signal;

TEST(Signal, NoSubscriberAndOrder) {
    Signal<int> empty;
    for (int i = 0; i < 3; ++i)
        empty.emit(i);
    EXPECT_EQ(empty.subscriberCount(), 0u);

    Signal<const std::string&, int> signal;
    std::vector<std::string> calls;
    signal.connect(
        [&](const std::string& s, int n) { calls.push_back("a" + s + std::to_string(n)); });
    signal.connect(
        [&](const std::string& s, int n) { calls.push_back("b" + s + std::to_string(n)); });
    signal("x", 1);
    signal.emit("y", 2);
    EXPECT_EQ(calls, (std::vector<std::string>{"ax1", "bx1", "ay2", "by2"}));
}

TEST(Signal, SubscriberConnectedDuringEmissionWaitsForTheNext) {
    Signal<> signal;
    int first = 0, added = 0;
    signal.connect([&] {
        ++first;
        // Many connects force the list to move its entries while this one runs.
        for (int i = 0; i < 50; ++i)
            signal.connect([&] { ++added; });
    });
    signal.emit();
    EXPECT_EQ(first, 1);
    EXPECT_EQ(added, 0);
    signal.emit();
    EXPECT_EQ(first, 2);
    EXPECT_EQ(added, 50);
}

TEST(Signal, RemovalDuringEmissionStopsCallsAndCompactsAtTheOutermostEnd) {
    Signal<int> signal;
    std::vector<int> calls;
    Signal<int>::Connection second = 0;
    signal.connect([&](int depth) {
        calls.push_back(10 + depth);
        signal.disconnect(second);
        if (depth == 0) {
            signal.emit(1); // nested: the removed entry is skipped here too
            EXPECT_EQ(signal.subscriberCount(), 2u);
        }
    });
    second = signal.connect([&](int depth) { calls.push_back(20 + depth); });
    signal.connect([&](int depth) { calls.push_back(30 + depth); });
    signal.emit(0);
    EXPECT_EQ(calls, (std::vector<int>{10, 11, 31, 30}));
    EXPECT_EQ(signal.subscriberCount(), 2u);
    EXPECT_FALSE(signal.disconnect(second));
    // A subscriber removing itself is not called again.
    Signal<> self;
    int selfCalls = 0;
    Signal<>::Connection own = 0;
    own = self.connect([&] { ++selfCalls, self.disconnect(own); });
    self.emit();
    self.emit();
    EXPECT_EQ(selfCalls, 1);
}

TEST(Signal, DestroyedDuringEmission) {
    auto signal = std::make_unique<Signal<>>();
    int before = 0, after = 0;
    signal->connect([&] { ++before, signal.reset(); });
    signal->connect([&] { ++after; });
    signal->emit();
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 0);
    EXPECT_EQ(signal, nullptr);
}
