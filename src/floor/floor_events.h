#pragma once
// What the floor tells of what happened, to any number of listeners: the windows that show the
// block, the title, the live runs, the floor log and the books each subscribe for themselves,
// and leave when they go.

#include <string>

#include "common/events.h"

namespace gv {

struct SaleRow;

// The two files of the auction's setup.
enum class SetupFile { Items, Bids };

// What one Get Bids did, for whoever runs it or listens.
struct BidsOutcome {
    bool fetched = false;  // the chat text came
    bool newBid = false;   // it left a current bid other than the one before
};

// Each event has an empty default, so that a listener takes only those it wants.
class FloorListener {
public:
    virtual ~FloorListener() = default;
    // The block's captions changed; the item list (its entries or its selection) changed.
    virtual void BlockChanged() {}
    virtual void ItemsChanged() {}
    // A command that talked to the chat client ended: the empty text when it went through,
    // else what failed and what it cost ("chat client not answering: bids not fetched").
    virtual void LinkStatus(const std::string& /*failure*/) {}
    // The sales record after a change: the empty text when it holds every sale.
    virtual void RecordStatus(const std::string& /*failure*/) {}
    // The floor's judgements (Floor::Judgements) changed.
    virtual void JudgementsChanged() {}
    // SOLD sold the item on the block; undo took the latest sale back.
    virtual void SaleMade(const SaleRow& /*row*/) {}
    virtual void SaleUndone(const SaleRow& /*row*/) {}
    // SOLD held the sale, and why, as the title says it ("SOLD held: bids not fetched"); the
    // empty text once the host's next command ended the hold.
    virtual void SoldHeld(const std::string& /*why*/) {}
    // A Get Bids ended, run by the host or by itself.
    virtual void BidsTaken(const BidsOutcome& /*outcome*/) {}
    // Items.TXT or BIDS.TXT after it was kept: the empty text when it holds what the host
    // sees, else what went wrong and where Gavelton's text is.
    virtual void SetupFileStatus(SetupFile /*file*/, const std::string& /*trouble*/) {}
    // Entries the list still holds though the sales record sold them since Items.TXT was
    // written; the empty text once none of them is listed.
    virtual void ListedThoughSold(const std::string& /*note*/) {}
    // The raise table changed other than through its boxes (taken in from BIDS.TXT).
    virtual void TiersChanged() {}
};

using FloorEvents = Events<FloorListener>;

}  // namespace gv
