#include "link/transport.h"

namespace gv {

namespace {
inline constexpr int kYieldsPerClockLook = 24;
}

void WaitSeconds(EventPump& pump, int seconds) {
    int passes = 0;
    do {
        const std::string start = pump.TimeOfDayText();
        while (true) {
            pump.YieldTimes(kYieldsPerClockLook);
            if (pump.TimeOfDayText() != start) break;
            pump.WaitForEvent(kClockLookInterval);
        }
        ++passes;
    } while (passes < seconds);
}

}  // namespace gv
