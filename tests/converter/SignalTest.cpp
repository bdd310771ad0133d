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
    Zenlo::Subscription second;
    signal.connect([&](int depth) {
        calls.push_back(10 + depth);
        second.disconnect();
        if (depth == 0) {
            signal.emit(1); // nested: the removed entry is skipped here too
            EXPECT_EQ(signal.subscriberCount(), 2u);
        }
    });
    second = signal.subscribe([&](int depth) { calls.push_back(20 + depth); });
    signal.connect([&](int depth) { calls.push_back(30 + depth); });
    signal.emit(0);
    EXPECT_EQ(calls, (std::vector<int>{10, 11, 31, 30}));
    EXPECT_EQ(signal.subscriberCount(), 2u);
    // A subscriber removing itself is not called again.
    Signal<> self;
    int selfCalls = 0;
    Zenlo::Subscription own;
    own = self.subscribe([&] { ++selfCalls, own.disconnect(); });
    self.emit();
    self.emit();
    EXPECT_EQ(selfCalls, 1);
}

// A subscription lasts as long as its handle, wherever the handle is moved; the handle may
// outlive the signal.
TEST(Signal, SubscriptionEndsWithItsHandle) {
    auto signal = std::make_unique<Signal<>>();
    std::string calls;
    Zenlo::Subscription kept;
    {
        Zenlo::Subscription a = signal->subscribe([&] { calls += 'a'; });
        Zenlo::Subscription b = signal->subscribe([&] { calls += 'b'; });
        kept = std::move(a); // a moved out disconnects nothing; b ends with its scope
        signal->emit();
    }
    signal->emit();
    kept = signal->subscribe([&] { calls += 'c'; }); // assigned over: a ends
    signal->emit();
    EXPECT_EQ(calls, "abac");
    signal.reset();
    kept.disconnect();
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
