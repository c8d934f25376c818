#include "ui/live_bids.h"

#include <wx/utils.h>

#include <algorithm>

#include "common/command_gate.h"
#include "ui/command_desk.h"
#include "ui/panel_set.h"

namespace gv::ui {

LiveBids::LiveBids(Auction& auction, const HostSettings& settings, CommandDesk& desk)
    : auction_(auction), desk_(desk), pace_(settings.getBidsEvery), sound_(settings.liveSound) {
    look_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Look(); });
    unmark_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { MarkNewBid(false); });
    if (!pace_.Enabled()) return;
    subscription_ = auction.floor.Events().Subscribe(*this);
    look_.Start(static_cast<int>(kLookEvery.count()));
}

void LiveBids::Look() {
    const auto now = auction_.pump.Now();
    pace_.Follow(auction_.block, now);
    if (pace_.Due(now, !desk_.ReadyForLive())) Run();
}

void LiveBids::BidsTaken(const BidsOutcome& outcome) {
    if (running_) {
        outcome_ = outcome;
    } else if (outcome.fetched) {
        pace_.FetchWentThrough(auction_.pump.Now());
    }
}

void LiveBids::Run() {
    const auto start = auction_.pump.Now();
    running_ = true;
    outcome_ = {};
    desk_.RunQuietly(Command::GetBids);
    running_ = false;
    const auto end = auction_.pump.Now();
    pace_.RunEnded(end, outcome_.fetched);
    figures_.longestWait = std::max(figures_.longestWait, pace_.Wait());
    ++figures_.runs;
    if (!outcome_.fetched) ++figures_.failures;
    if (desk_.Gate().CommandHeld()) ++figures_.heldCommands;
    figures_.longest = std::max(figures_.longest, end - start);
    if (outcome_.newBid) {
        ++figures_.newBids;
        MarkNewBid(true);
        if (sound_) wxBell();
        unmark_.StartOnce(static_cast<int>(kMarkTime.count()));
    }
}

void LiveBids::MarkNewBid(bool marked) { desk_.Panels().AuctionControls().MarkNewBid(marked); }

}  // namespace gv::ui
