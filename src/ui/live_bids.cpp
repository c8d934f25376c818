#include "ui/live_bids.h"

#include <wx/utils.h>

#include <algorithm>

#include "ui/main_window.h"

namespace gv::ui {

LiveBids::LiveBids(AuctionFrame& frame, Auction& auction, const HostSettings& settings)
    : frame_(frame), auction_(auction), pace_(settings.getBidsEvery), sound_(settings.liveSound) {
    look_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Look(); });
    unmark_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { frame_.AuctionControls().MarkNewBid(false); });
    if (pace_.Enabled()) look_.Start(static_cast<int>(kLookEvery.count()));
}

void LiveBids::Look() {
    const auto now = auction_.pump.Now();
    pace_.Follow(auction_.block, now);
    // A fetch of the host's own that went through: the client is back.
    if (auction_.floor.FetchesThrough() != fetchesSeen_) {
        fetchesSeen_ = auction_.floor.FetchesThrough();
        pace_.FetchWentThrough(now);
    }
    // Only on the auction panel, whose captions a run changes: the boxes of the other panels
    // keep every key the host types. A window disabled under a message box waits as well.
    const bool busy =
        !frame_.Idle() || !frame_.IsEnabled() || frame_.ShownPanel() != AuctionFrame::Panel::Auction;
    if (pace_.Due(now, busy)) Run();
}

void LiveBids::Run() {
    const BlockState& block = auction_.block;
    const std::string bid = block.currentBid;
    const std::string bidder = block.currentBidder;
    const auto start = auction_.pump.Now();
    frame_.RunQuietly([this] { frame_.AuctionControls().Press(Command::GetBids, Origin::Live); });
    const auto end = auction_.pump.Now();
    // Get Bids always reports on its fetch, so the link failure shown is this run's.
    const bool fetched = frame_.LinkFailure().empty();
    pace_.RunEnded(end, fetched);
    fetchesSeen_ = auction_.floor.FetchesThrough();
    ++figures_.runs;
    if (!fetched) ++figures_.failures;
    if (frame_.CommandHeld()) ++figures_.heldCommands;
    figures_.longest = std::max(figures_.longest, end - start);
    if (!block.currentBid.empty() && (block.currentBid != bid || block.currentBidder != bidder)) MarkNewBid();
}

void LiveBids::MarkNewBid() {
    ++figures_.newBids;
    frame_.AuctionControls().MarkNewBid(true);
    if (sound_) wxBell();
    unmark_.StartOnce(static_cast<int>(kMarkTime.count()));
}

}  // namespace gv::ui
