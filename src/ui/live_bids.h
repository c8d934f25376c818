#pragma once
// Get Bids run by itself at the host's pace ([Live] GetBidsEvery), as the button runs it but
// from elsewhere: dropped while a command runs, quiet unless it takes a while, and the focus
// left where it was. A new current bid that a run finds is marked for a moment on its caption,
// and sounded when the host asked for that ([Live] Sound).

#include <wx/timer.h>

#include <chrono>

#include "floor/auction.h"
#include "floor/floor_events.h"
#include "floor/live_pace.h"
#include "setup/host_settings.h"

namespace gv::ui {

class CommandDesk;

class LiveBids final : public FloorListener {
public:
    // What the runs did, for the soak's report.
    struct Figures {
        int runs = 0;
        int failures = 0;      // runs whose chat text did not come
        int newBids = 0;       // runs that found a new current bid
        int heldCommands = 0;  // host commands that came during a run and ran after it
        std::chrono::steady_clock::duration longest{};
        std::chrono::steady_clock::duration longestWait{};  // after a run: twice the pace after a failure
    };

    // How often the block is looked at, and how long a new bid stays marked.
    static constexpr std::chrono::milliseconds kLookEvery{100};
    static constexpr std::chrono::milliseconds kMarkTime{1500};

    LiveBids(Auction& auction, const HostSettings& settings, CommandDesk& desk);
    LiveBids(const LiveBids&) = delete;
    LiveBids& operator=(const LiveBids&) = delete;

    const Figures& Measured() const { return figures_; }
    const LivePace& Pace() const { return pace_; }

    // A Get Bids ended: this run's, or the host's, which tells that the client answers again.
    void BidsTaken(const BidsOutcome& outcome) override;

private:
    void Look();
    void Run();
    void MarkNewBid(bool marked);

    Auction& auction_;
    CommandDesk& desk_;
    LivePace pace_;
    bool sound_;
    wxTimer look_;
    wxTimer unmark_;
    Figures figures_;
    bool running_ = false;
    BidsOutcome outcome_;  // of the run under way
    FloorEvents::Subscription subscription_;
};

}  // namespace gv::ui
