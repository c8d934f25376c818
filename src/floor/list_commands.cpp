// The floor's commands on the item list: the next item, the item on the block put up again, the
// list shown for editing, and a written-off sale's item back at the end of the list.
#include <string>

#include "books/sales_record.h"
#include "floor/floor.h"
#include "floor/log_events.h"

namespace gv {

void Floor::GetNextItem() {
    HostCommand();
    if (items_.Empty()) return;
    // After SOLD the entry that followed the sold one already stands at the index.
    const long long step = block_.nextEntryAtIndex ? 0 : 1;
    // Wraps to the first entry after the last, and from any index outside the list.
    const long long next = static_cast<long long>(block_.blockItemIndex) + step;
    const long long count = static_cast<long long>(items_.Count());
    block_.blockItemIndex = (next < 0 || next >= count) ? 0 : static_cast<int>(next);
    PutIndexOnBlock();
}

void Floor::AuctionCommand() {
    HostCommand();
    if (items_.Empty()) return;
    PutIndexOnBlock();
}

void Floor::PutIndexOnBlock() {
    // The sold entry's auction is over once the next is put up: whatever starts now is another,
    // though its lines read alike (two lots of one name, bid alike). Undo opens it again.
    if (block_.blockEntrySold) firstVerdicts_.Close();
    // EntryAt gives the empty text past the end: the bids are cleared and the flags armed,
    // the item and minimum stay.
    PutOnBlock(block_, items_.EntryAt(block_.blockItemIndex));
    Changed();
    StartFloorLog(false);
    JudgementsChanged();
}

void Floor::ListCommand() {
    HostCommand();
    items_.Select(std::nullopt);
    block_.blockItemIndex = 0;
    block_.nextEntryAtIndex = false;
    Changed();
}

void Floor::ListAgain(const SaleRow& sale) {
    // "Lamp - 10", as Add to List makes an entry of the sale's item and minimum.
    std::string item = sale.item;
    std::string minimum = sale.minimumBid;
    if (!AddToList(items_, item, minimum)) return;
    Note(CommandEvent("Add to List", items_.Entries().back()));
    events_.Tell([](FloorListener& listener) { listener.ItemsChanged(); });
}

}  // namespace gv
