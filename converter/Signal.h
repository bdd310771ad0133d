// Notifications: an ordered list of subscribers called synchronously on the emitting thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace Zenlo {

// Keeps one subscriber of a signal connected while it lives: destroying it, assigning another
// over it or disconnect removes the subscriber. It may outlive its signal (it then does nothing).
// Move-only; on the signal's thread, like connecting.
class Subscription {
public:
    Subscription() = default;
    Subscription(Subscription&& other) noexcept : remove_(std::exchange(other.remove_, nullptr)) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            disconnect();
            remove_ = std::exchange(other.remove_, nullptr);
        }
        return *this;
    }
    ~Subscription() { disconnect(); }

    // Removes the subscriber now (see Signal for a running emission); later calls do nothing.
    void disconnect() {
        if (std::function<void()> remove = std::exchange(remove_, nullptr)) remove();
    }

private:
    template <class... Args> friend class Signal;
    explicit Subscription(std::function<void()> remove) : remove_(std::move(remove)) {}

    std::function<void()> remove_;
};

// A notification carrying Args. Each emission calls the subscribers that were connected when it
// began, in connection order. Subscribers may connect, disconnect, emit again or destroy the
// signal while they run; the list is shared so that it outlives a signal destroyed mid-emission.
// Not thread-safe: connect and disconnect on one thread while no emission runs elsewhere.
template <class... Args> class Signal {
public:
    using Function = std::function<void(Args...)>;

    Signal() : list_(std::make_shared<List>()) {}
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;
    ~Signal() {
        // A running emission keeps the list alive; nothing more of it may be called.
        for (auto& slot : list_->slots)
            slot->removed = true;
        if (list_->depth == 0) list_->slots.clear();
    }

    // Appends a copy of the subscriber for the signal's whole life.
    void connect(Function function) { add(std::move(function)); }

    // Appends a copy of the subscriber for as long as the returned handle keeps it.
    [[nodiscard]] Subscription subscribe(Function function) {
        const std::uint64_t id = add(std::move(function));
        return Subscription([list = std::weak_ptr<List>(list_), id] {
            if (const std::shared_ptr<List> alive = list.lock()) remove(*alive, id);
        });
    }

    // The number of subscribers that an emission starting now would call.
    std::size_t subscriberCount() const {
        std::size_t count = 0;
        for (const auto& slot : list_->slots)
            count += slot->removed ? 0 : 1;
        return count;
    }

    // Calls every subscriber present when the emission began and not removed since, in order.
    void emit(Args... args) const {
        std::shared_ptr<List> list = list_;
        const std::size_t count = list->slots.size();
        if (count == 0) return;
        ++list->depth;
        for (std::size_t i = 0; i < count; ++i) {
            // Hold the slot: a nested connect may move the vector's elements.
            std::shared_ptr<Slot> slot = list->slots[i];
            if (!slot->removed) slot->function(args...);
        }
        if (--list->depth == 0) compact(*list);
    }
    void operator()(Args... args) const { emit(args...); }

private:
    struct Slot {
        Function function;
        std::uint64_t id = 0;
        bool removed = false;
    };
    struct List {
        std::vector<std::shared_ptr<Slot>> slots;
        std::uint64_t lastId = 0;
        int depth = 0;
    };

    std::uint64_t add(Function function) {
        auto slot = std::make_shared<Slot>();
        slot->function = std::move(function);
        slot->id = ++list_->lastId;
        list_->slots.push_back(std::move(slot));
        return list_->lastId;
    }

    // During an emission the subscriber is not called any more, but its entry stays until the
    // outermost emission ends.
    static void remove(List& list, std::uint64_t id) {
        for (std::size_t i = 0; i < list.slots.size(); ++i) {
            if (list.slots[i]->id != id || list.slots[i]->removed) continue;
            list.slots[i]->removed = true;
            if (list.depth == 0)
                list.slots.erase(list.slots.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }

    static void compact(List& list) {
        std::erase_if(list.slots, [](const std::shared_ptr<Slot>& slot) { return slot->removed; });
    }

    std::shared_ptr<List> list_;
};

} // namespace Zenlo
