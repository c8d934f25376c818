#include "floor/floor_events.h"

#include <algorithm>
#include <utility>

namespace gv {

FloorEvents::Subscription::Subscription(FloorEvents& events, FloorListener& listener)
    : events_(&events), listener_(&listener) {
    events.Add(listener);
}

FloorEvents::Subscription::~Subscription() { Leave(); }

FloorEvents::Subscription::Subscription(Subscription&& other) noexcept
    : events_(std::exchange(other.events_, nullptr)), listener_(std::exchange(other.listener_, nullptr)) {}

FloorEvents::Subscription& FloorEvents::Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        Leave();
        events_ = std::exchange(other.events_, nullptr);
        listener_ = std::exchange(other.listener_, nullptr);
    }
    return *this;
}

void FloorEvents::Subscription::Leave() {
    if (events_ != nullptr && listener_ != nullptr) events_->Remove(*listener_);
    events_ = nullptr;
    listener_ = nullptr;
}

void FloorEvents::Remove(FloorListener& listener) {
    const auto found = std::find(listeners_.begin(), listeners_.end(), &listener);
    if (found == listeners_.end()) return;
    // While telling, the place stays (empty) so that the others are still told in order.
    if (telling_ > 0) {
        *found = nullptr;
    } else {
        listeners_.erase(found);
    }
}

std::size_t FloorEvents::Listeners() const {
    return static_cast<std::size_t>(std::count_if(listeners_.begin(), listeners_.end(),
                                                  [](const FloorListener* l) { return l != nullptr; }));
}

}  // namespace gv
