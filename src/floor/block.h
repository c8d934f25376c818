#pragma once
// The block: the item being auctioned, its bids, and the values State Item keeps between
// presses. The six captions are the state; the main window shows them as they are.

#include <array>
#include <string>

#include "setup/tier_table.h"

namespace gv {

struct BlockState {
    std::string blockItem = "Item on the block";
    std::string blockMin = "Min Bid";
    std::string currentBid = "Current Bid";
    std::string currentBidder = "Current Bidder";
    std::string lastBid = "Last Bid";
    std::string lastBidder = "Last Bidder";
    // The highest bid taken from anyone but the current bidder, whom the sale can pass to when
    // its winner does not pay: the last bid, unless the current bidder raised her own.
    std::string runnerUpBid;
    std::string runnerUp;

    int raiseTierIndex = 0;                  // row of the last State Item lookup that found one
    std::array<bool, kTierRows> raiseDue{};  // row's raise not yet announced for this item
    std::string raiseText;                   // raise found by the last State Item
    std::string raiseBase;                   // bid the last State Item looked up
    int blockItemIndex = 0;                  // position in the item list of the entry on the block
    // The entry of the list put on the block, while one is: empty at start and after an empty
    // entry (an index past the end), when SOLD has nothing of the list to sell.
    std::string entryOnBlock;
    // SOLD has sold the entry put on the block: a second SOLD removes and records nothing more.
    bool blockEntrySold = false;
    // The entry that followed the sold one now stands at blockItemIndex: Get Next Item takes it
    // there instead of stepping past it. The List command's reset of the index ends this.
    bool nextEntryAtIndex = false;
    int bidsTaken = 0;       // bids Get Bids accepted for the item on the block
    std::string markerText;  // set by Get Bids

    bool operator==(const BlockState&) const = default;
};

}  // namespace gv
