// Notifications: an ordered list of subscribers called synchronously on the emitting thread.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace Zenlo {

// A notification carrying Args. Each emission calls the subscribers that were connected when it
// began, in connection order. Subscribers may connect, disconnect, emit again or destroy the
// signal while they run; the list is shared so that it outlives a signal destroyed mid-emission.
// Not thread-safe: connect and disconnect on one thread while no emission runs elsewhere.
template <class... Args> class Signal {
public:
    using Function = std::function<void(Args...)>;
    // Names one subscriber for disconnect; 0 is never handed out.
    using Connection = std::uint64_t;

    Signal() : list_(std::make_shared<List>()) {}
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;
    ~Signal() {
        // A running emission keeps the list alive; nothing more of it may be called.
        for (auto& slot : list_->slots)
            slot->removed = true;
        if (list_->depth == 0) list_->slots.clear();
    }

    // Appends a copy of the subscriber; returns its connection for disconnect.
    Connection connect(Function function) {
        auto slot = std::make_shared<Slot>();
        slot->function = std::move(function);
        slot->id = ++list_->lastId;
        list_->slots.push_back(std::move(slot));
        return list_->lastId;
    }

    // Removes the subscriber; during an emission it is not called any more but its entry stays
    // until the outermost emission ends. Returns false when the connection is unknown.
    bool disconnect(Connection connection) {
        auto& slots = list_->slots;
        for (std::size_t i = 0; i < slots.size(); ++i) {
            if (slots[i]->id != connection || slots[i]->removed) continue;
            slots[i]->removed = true;
            if (list_->depth == 0) slots.erase(slots.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
        return false;
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
        Connection id = 0;
        bool removed = false;
    };
    struct List {
        std::vector<std::shared_ptr<Slot>> slots;
        Connection lastId = 0;
        int depth = 0;
    };

    static void compact(List& list) {
        std::erase_if(list.slots, [](const std::shared_ptr<Slot>& slot) { return slot->removed; });
    }

    std::shared_ptr<List> list_;
};

} // namespace Zenlo
