#pragma once
// What a part tells of what happened, to any number of listeners of one kind: each subscribes
// for itself and leaves when it goes. The floor tells its listeners, the books theirs.

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace gv {

template <class Listener>
class Events {
public:
    // Keeps a listener subscribed while it lives: the listener leaves with it.
    class Subscription {
    public:
        Subscription() = default;
        Subscription(Events& events, Listener& listener) : events_(&events), listener_(&listener) {
            events.listeners_.push_back(&listener);
        }
        ~Subscription() { Leave(); }
        Subscription(Subscription&& other) noexcept
            : events_(std::exchange(other.events_, nullptr)),
              listener_(std::exchange(other.listener_, nullptr)) {}
        Subscription& operator=(Subscription&& other) noexcept {
            if (this != &other) {
                Leave();
                events_ = std::exchange(other.events_, nullptr);
                listener_ = std::exchange(other.listener_, nullptr);
            }
            return *this;
        }
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;

    private:
        void Leave() {
            if (events_ != nullptr && listener_ != nullptr) events_->Remove(*listener_);
            events_ = nullptr;
            listener_ = nullptr;
        }

        Events* events_ = nullptr;
        Listener* listener_ = nullptr;
    };

    Events() = default;
    Events(const Events&) = delete;
    Events& operator=(const Events&) = delete;

    [[nodiscard]] Subscription Subscribe(Listener& listener) { return {*this, listener}; }

    // Tells every listener, in the order they came. One that leaves while it is told is told
    // nothing more; one that comes is told from the next event on.
    template <class Event>
    void Tell(Event&& event) {
        ++telling_;
        const std::size_t count = listeners_.size();
        for (std::size_t i = 0; i < count; ++i)
            if (listeners_[i] != nullptr) event(*listeners_[i]);
        if (--telling_ == 0) std::erase(listeners_, nullptr);
    }

    std::size_t Listeners() const {
        return static_cast<std::size_t>(std::count_if(listeners_.begin(), listeners_.end(),
                                                      [](const Listener* l) { return l != nullptr; }));
    }

private:
    void Remove(Listener& listener) {
        const auto found = std::find(listeners_.begin(), listeners_.end(), &listener);
        if (found == listeners_.end()) return;
        // While telling, the place stays (empty) so that the others are still told in order.
        if (telling_ > 0) {
            *found = nullptr;
        } else {
            listeners_.erase(found);
        }
    }

    std::vector<Listener*> listeners_;
    int telling_ = 0;
};

}  // namespace gv
