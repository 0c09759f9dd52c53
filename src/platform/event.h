#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace veldra {

// Ends a subscription when it goes out of scope; may outlive the event it came from.
class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    Subscription(Subscription&& other) noexcept : cancel_(std::exchange(other.cancel_, {})) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            Cancel();
            cancel_ = std::exchange(other.cancel_, {});
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { Cancel(); }

    void Cancel() {
        if (cancel_) {
            std::exchange(cancel_, {})();
        }
    }

private:
    std::function<void()> cancel_;
};

// A synchronous list of subscribers, called in the order they subscribed: how the model
// tells its owners that something happened (a bit changed, an item was added).
//
// A handler may subscribe or cancel handlers, its own included, while the event is
// being raised: one that is cancelled is not called afterwards, one that is added is
// called from the next raise on.
template <class... Args>
class Event {
public:
    using Handler = std::function<void(Args...)>;

    Event() = default;
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    [[nodiscard]] Subscription Subscribe(Handler handler) {
        if (!state_) {
            state_ = std::make_unique<std::shared_ptr<State>>(std::make_shared<State>());
        }
        State& state = **state_;
        const std::uint64_t id = ++state.lastId;
        state.slots.push_back(Slot{id, std::make_shared<Handler>(std::move(handler))});
        std::weak_ptr<State> weak = *state_;
        return Subscription([weak, id] {
            if (auto state = weak.lock()) {
                state->Cancel(id);
            }
        });
    }

    void Raise(Args... args) const {
        if (!state_ || (*state_)->slots.empty()) {
            return;
        }
        const std::shared_ptr<State> keepAlive = *state_;
        ++keepAlive->raising;
        // Walk by index and by the count at the start: the list may grow while we call.
        const std::size_t count = keepAlive->slots.size();
        for (std::size_t i = 0; i < count && i < keepAlive->slots.size(); ++i) {
            const std::shared_ptr<Handler> handler = keepAlive->slots[i].handler;
            if (handler) {
                (*handler)(args...);
            }
        }
        --keepAlive->raising;
        keepAlive->Compact();
    }

    bool HasSubscribers() const {
        if (!state_) {
            return false;
        }
        for (const Slot& slot : (*state_)->slots) {
            if (slot.handler) {
                return true;
            }
        }
        return false;
    }

private:
    struct Slot {
        std::uint64_t id;
        std::shared_ptr<Handler> handler;  // null once cancelled
    };
    struct State {
        std::vector<Slot> slots;
        std::uint64_t lastId = 0;
        int raising = 0;

        void Cancel(std::uint64_t id) {
            for (Slot& slot : slots) {
                if (slot.id == id) {
                    slot.handler.reset();
                }
            }
            Compact();
        }
        void Compact() {
            if (raising == 0) {
                std::erase_if(slots, [](const Slot& slot) { return !slot.handler; });
            }
        }
    };

    // Made with the first subscriber: most events of a large program never get one, and
    // an event without one is then raised without a look anywhere else. Held through one
    // pointer, so that an event nobody follows costs its object one word.
    std::unique_ptr<std::shared_ptr<State>> state_;
};

}  // namespace veldra
