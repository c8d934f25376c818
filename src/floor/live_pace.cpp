#include "floor/live_pace.h"

#include <algorithm>

namespace gv {

LivePace::LivePace(int everySeconds) : pace_(std::chrono::seconds(std::max(everySeconds, 0))), wait_(pace_) {}

void LivePace::Follow(const BlockState& block, Clock::time_point now) {
    // A sold entry stays on the captions until the next is put on the block, but its auction
    // is over: nothing more to fetch for it.
    const bool onBlock = !block.entryOnBlock.empty() && !block.blockEntrySold;
    if (onBlock && (!onBlock_ || block.entryOnBlock != entry_)) {
        running_ = Enabled();
        wait_ = pace_;
        next_ = now + pace_;
    } else if (!onBlock) {
        running_ = false;
    }
    onBlock_ = onBlock;
    entry_ = block.entryOnBlock;
}

bool LivePace::Due(Clock::time_point now, bool busy) {
    if (busy) {
        lastBusy_ = now;
        return false;
    }
    return running_ && now >= next_ && now - lastBusy_ >= kHostFirst;
}

void LivePace::RunEnded(Clock::time_point now, bool fetched) {
    wait_ = fetched ? pace_ : std::min(2 * wait_, kLongestWait);
    next_ = now + wait_;
}

void LivePace::FetchWentThrough(Clock::time_point now) {
    wait_ = pace_;
    next_ = std::min(next_, now + pace_);
}

}  // namespace gv
