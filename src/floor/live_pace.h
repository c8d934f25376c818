#pragma once
// When Get Bids runs by itself ([Live] GetBidsEvery): at the host's pace while an entry of
// the list is on the block and no command runs; after a fetch that failed, twice the last
// wait (at most a minute), back to the pace after the first fetch that went through, the
// host's own included. The runs stop at SOLD and start again when the next entry is put on
// the block. The clock is the caller's.

#include <chrono>
#include <string>

#include "floor/block.h"

namespace gv {

class LivePace {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr Clock::duration kLongestWait = std::chrono::seconds(60);
    // How long the window stays idle after a command before a run that came due meanwhile: the
    // host's next command, often clicked right after the last, goes first.
    static constexpr Clock::duration kHostFirst = std::chrono::seconds(1);

    // `everySeconds` as the setting gives it; 0 is off.
    explicit LivePace(int everySeconds);

    bool Enabled() const { return pace_ > Clock::duration::zero(); }
    // Whether runs follow the entry on the block now.
    bool Running() const { return running_; }
    // The wait before the next run, from the end of the last (or from the put on block).
    Clock::duration Wait() const { return wait_; }

    // Looks at the block: an entry put on the block starts the runs, the first a pace from
    // now; its sale (or no entry at all) stops them.
    void Follow(const BlockState& block, Clock::time_point now);
    // Whether a run is due. Never while a command runs: a run that comes due then waits
    // until the window has been idle for kHostFirst, and runs then.
    bool Due(Clock::time_point now, bool busy);
    // A run has ended; `fetched`: the chat text came.
    void RunEnded(Clock::time_point now, bool fetched);
    // Another fetch went through (the host's own Get Bids): the client is back, so the runs
    // are at the pace again, the next a pace from now at the latest.
    void FetchWentThrough(Clock::time_point now);

private:
    Clock::duration pace_;
    Clock::duration wait_;
    Clock::time_point next_{};
    Clock::time_point lastBusy_{};  // when a command was last seen running
    bool running_ = false;
    bool onBlock_ = false;
    std::string entry_;  // the entry the runs follow
};

}  // namespace gv
