#pragma once
// One way of reaching the chat client. The chat link holds both transports and hands every
// request to the one its settings choose.

#include <chrono>
#include <string>

#include "common/event_pump.h"
#include "link/link_port.h"

namespace gv {

class Transport {
public:
    virtual ~Transport() = default;
    // Registers with the client; what kept the registration from reaching it.
    virtual LinkFault Start() = 0;
    virtual void Stop() = 0;
    // One non-empty line in speak mode, after the link's yields before a line.
    virtual LinkFault Speak(const std::string& line) = 0;
    virtual ChatFetch FetchAllText() = 0;
    // See LinkPort::LastWaitedOut.
    virtual bool LastWaitedOut() const { return false; }
    // See LinkPort::LinesConfirmed.
    virtual bool LinesConfirmed() const { return true; }
};

// Between looks at the clock a wait sleeps on the event queue instead of spinning a core.
inline constexpr std::chrono::milliseconds kClockLookInterval{5};

// Waits until the clock's second has changed `seconds` times, at least once, yielding all
// the while.
void WaitSeconds(EventPump& pump, int seconds);

}  // namespace gv
