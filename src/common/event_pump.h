#pragma once
// Gavelton waits only by yielding to the window's message loop a counted number of times,
// or until the clock's second changes. Everything that waits takes this interface, so tests
// can count yields and pass the clock in instead of sleeping.

#include <chrono>
#include <string>

namespace gv {

class EventPump {
public:
    virtual ~EventPump() = default;
    // One pass of the message loop: dispatch every event already waiting, then return.
    virtual void Yield() = 0;
    // Wait up to `limit` for the next event to arrive, without dispatching it; used between
    // looks at the clock so that a wait does not spin a processor core.
    virtual void WaitForEvent(std::chrono::milliseconds limit) = 0;
    // The time of day as text in whole seconds ("HH:MM:SS").
    virtual std::string TimeOfDayText() = 0;
    // A steady clock for the few waits bounded in time rather than counted in yields.
    virtual std::chrono::steady_clock::time_point Now() { return std::chrono::steady_clock::now(); }
    // The yield of each turn of a long loop (every line of the chat in Get Bids), there only to
    // keep the window responsive. A pump whose pass is costly may pass over those that come
    // within a few milliseconds of its last pass. Counted waits use Yield, never this.
    virtual void YieldInLoop() { Yield(); }
    // Whether the next YieldInLoop is a real pass: what the window shows need be brought up to
    // date only before one.
    virtual bool PassDue() { return true; }

    void YieldTimes(int count) {
        for (int i = 0; i < count; ++i) Yield();
    }
};

}  // namespace gv
