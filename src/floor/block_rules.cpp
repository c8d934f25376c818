// What the block says and becomes, as the floor's commands use it: the lines of State Item,
// the calls and SOLD; an entry put on the block; the sales record's row SOLD leaves.
#include <algorithm>
#include <string>
#include <vector>

#include "common/text.h"
#include "floor/floor.h"
#include "floor/intake.h"
#include "setup/rules.h"

namespace gv {

namespace {

std::string CurrentBidLine(const BlockState& block) {
    return "Current Bid is " + block.currentBid + " from " + block.currentBidder;
}

}  // namespace

std::vector<std::string> StateItemLines(BlockState& block, const TierTable& tiers) {
    std::vector<std::string> lines;
    lines.push_back(MarkerText(block.blockItem));

    if (ValOrInfinity(block.currentBid) > 0) {
        lines.push_back(CurrentBidLine(block));
        block.raiseBase = block.currentBid;
    } else if (ValOrInfinity(block.blockMin) > 0) {
        lines.push_back("Minimum Bid is " + block.blockMin);
        block.raiseBase = block.blockMin;
    }

    // The lookup's own text is "1" when no row applies, which is what State Item keeps then.
    RaiseLookup found = tiers.LookupRaise(ValOrInfinity(block.raiseBase));
    if (!found.row) found.text = std::string("1");
    block.raiseText = std::move(found.text);
    if (found.row) block.raiseTierIndex = *found.row;

    // The index only ever holds a row a lookup returned, but it is the window's to keep: check.
    if (block.raiseTierIndex >= 0 && block.raiseTierIndex < kTierRows) {
        bool& due = block.raiseDue[static_cast<std::size_t>(block.raiseTierIndex)];
        if (due) {
            lines.push_back("** Minimum Raise Amount is " + block.raiseText + " **");
            due = false;
        }
    }
    return lines;
}

std::vector<std::string> CallLines(const BlockState& block, int call) {
    const std::string_view words = CallWords(call);
    if (words.empty()) return {};
    return {std::string(words), block.blockItem, CurrentBidLine(block)};
}

std::vector<std::string> SoldLines(const BlockState& block) {
    return {"SOLD!",
            block.blockItem + " is sold for " + block.currentBid + " tokens to " + block.currentBidder};
}

void PutOnBlock(BlockState& block, std::string_view entry) {
    // The last "-": a "-" inside the item's name stays part of the name.
    const std::size_t dash = entry.rfind('-');
    if (dash != std::string_view::npos) {
        block.blockMin = Trim(entry.substr(dash + 1));
        block.blockItem = Trim(entry.substr(0, dash));
    }
    block.entryOnBlock = entry;
    block.currentBidder.clear();
    block.currentBid.clear();
    block.lastBidder.clear();
    block.lastBid.clear();
    block.runnerUpBid.clear();
    block.runnerUp.clear();
    block.raiseDue.fill(true);
    block.blockEntrySold = false;
    block.nextEntryAtIndex = false;
    block.bidsTaken = 0;
}

SaleRow SaleOf(const BlockState& block, const std::string& time) {
    SaleRow row;
    row.time = time;
    row.item = block.blockItem;
    row.minimumBid = block.blockMin;
    // A caption worth 0 is no bid (the placeholders or the empty text).
    if (ValOrInfinity(block.currentBid) > 0) {
        row.price = block.currentBid;
        row.winner = block.currentBidder;
    }
    if (ValOrInfinity(block.runnerUpBid) > 0) {
        row.runnerUpBid = block.runnerUpBid;
        row.runnerUp = block.runnerUp;
    }
    row.bidsAccepted = block.bidsTaken;
    return row;
}

}  // namespace gv
