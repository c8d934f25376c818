#pragma once
// Get Bids run by itself at the host's pace ([Live] GetBidsEvery), as the button runs it but
// from elsewhere: dropped while a command runs, quiet unless it takes a while, and the focus
// left where it was. A new current bid that a run finds is marked for a moment on its caption,
// and sounded when the host asked for that ([Live] Sound).

#include <wx/timer.h>

#include <chrono>

#include "floor/auction.h"
#include "floor/live_pace.h"
#include "setup/host_settings.h"

namespace gv::ui {

class AuctionFrame;

class LiveBids {
public:
    // What the runs did, for the soak's report.
    struct Figures {
        int runs = 0;
        int failures = 0;      // runs whose chat text did not come
        int newBids = 0;       // runs that found a new current bid
        int heldCommands = 0;  // host commands that came during a run and ran after it
        std::chrono::steady_clock::duration longest{};
    };

    // How often the block is looked at, and how long a new bid stays marked.
    static constexpr std::chrono::milliseconds kLookEvery{100};
    static constexpr std::chrono::milliseconds kMarkTime{1500};

    LiveBids(AuctionFrame& frame, Auction& auction, const HostSettings& settings);
    LiveBids(const LiveBids&) = delete;
    LiveBids& operator=(const LiveBids&) = delete;

    const Figures& Measured() const { return figures_; }
    const LivePace& Pace() const { return pace_; }

private:
    void Look();
    void Run();
    void MarkNewBid();

    AuctionFrame& frame_;
    Auction& auction_;
    LivePace pace_;
    bool sound_;
    wxTimer look_;
    wxTimer unmark_;
    Figures figures_;
    unsigned long long fetchesSeen_ = 0;  // the floor's FetchesThrough when last looked
};

}  // namespace gv::ui
