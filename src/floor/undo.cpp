// Undo of the latest sale: for the host who pressed SOLD on the wrong item, or whose winner
// does not pay. It puts back what SOLD changed and says nothing into the chat; the host says
// what is right.

#include <algorithm>
#include <utility>

#include "floor/floor.h"
#include "floor/log_events.h"

namespace gv {

namespace {

// Entries added at the end since the sale leave the sold entry's place as it was; any other
// change could put it back in the wrong place, so undo refuses rather than guess.
bool OnlyAddedSince(const std::vector<std::string>& then, const std::vector<std::string>& now) {
    return now.size() >= then.size() && std::equal(then.begin(), then.end(), now.begin());
}

std::string PlaceText(const SaleSnapshot& sale) {
    if (!sale.removed) return "the list as it was, the block";
    return "the list at place " + std::to_string(sale.index + 1) + ", on the block";
}

}  // namespace

UndoOutcome Floor::UndoLastSale() {
    HostCommand();
    const auto refuse = [this](const std::string& why) {
        Note("Undo refused: " + why);
        return UndoOutcome{false, "undo refused: " + why};
    };
    if (!lastSale_) return refuse("no sale to undo");
    const SaleSnapshot& sale = *lastSale_;
    const std::string what = SaleText(sale.row);
    if (!OnlyAddedSince(sale.entriesAfter, items_.Entries())) {
        return refuse("the item list changed since the sale of " + what);
    }
    RowRemoval removal{RowRemoval::Outcome::NotThere, {}};
    if (sale.recorded && sales_ != nullptr) {
        removal = sales_->RemoveLatest(sale.row);
        // Most likely the file is open elsewhere for a moment: nothing is undone, so the host
        // can close it and undo again.
        if (removal.outcome == RowRemoval::Outcome::Failed) {
            return refuse(std::string(kSalesFile) + " cannot be rewritten: " + removal.reason);
        }
    }
    if (sale.removed) items_.InsertAt(static_cast<std::size_t>(sale.index), sale.entry);
    block_ = sale.block;

    std::string event = "Undid the sale of " + what + ": back in " + PlaceText(sale);
    std::string note;
    if (sale.recorded && sales_ != nullptr) {
        if (removal.outcome == RowRemoval::Outcome::Removed) {
            // A row that only waited in memory was never in the file to be taken out of it.
            event += removal.waited ? "; its row, not yet written to " + std::string(kSalesFile) + ", dropped"
                                    : "; its row taken out of " + std::string(kSalesFile);
        } else {
            note = std::string(kSalesFile) + " left as it is: the row of the undone sale of " + what +
                   " was changed or taken out since";
            event += "; " + note;
        }
    }
    const SaleRow undone = sale.row;
    const bool resumed = sale.verdictsReplaced;
    if (resumed) firstVerdicts_ = std::move(lastSale_->verdicts);
    lastSale_.reset();
    // The sale line in the chat no longer ends the auction: Get Bids takes the bids after it
    // as before the sale, and a State Item of the item again goes on with the same auction.
    if (!saleLines_.empty()) saleLines_.back().reopened = true;
    if (resumed) {
        firstVerdicts_.Resume();
    } else {
        firstVerdicts_.Reopen();
    }
    Note(event);
    // A row that waited in memory and is gone now was the record's only trouble.
    if (sales_ != nullptr && sales_->Pending() == 0) RecordStatus({});
    // The floor log held the sale, or another item's bids: the next Get Bids judges anew.
    StartFloorLog(false);
    JudgementsChanged();
    Changed();
    events_.Tell([&](FloorListener& listener) { listener.SaleUndone(undone); });
    return {true, note};
}

}  // namespace gv
