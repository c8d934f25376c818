#include "setup/item_list.h"

#include "common/text.h"

namespace gv {

std::string ItemList::EntryAt(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return {};
    return entries_[static_cast<std::size_t>(index)];
}

void ItemList::Append(std::string entry) { entries_.push_back(std::move(entry)); }

void ItemList::Clear() {
    entries_.clear();
    selection_.reset();
}

bool ItemList::RemoveAt(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) return false;
    const auto at = static_cast<std::size_t>(index);
    entries_.erase(entries_.begin() + index);
    // The selection stays on the entry it was on, as in a list box.
    if (selection_) {
        if (*selection_ == at) {
            selection_.reset();
        } else if (*selection_ > at) {
            --*selection_;
        }
    }
    return true;
}

bool ItemList::InsertAt(std::size_t index, std::string entry) {
    if (index > entries_.size()) return false;
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index), std::move(entry));
    selection_.reset();
    return true;
}

void ItemList::Select(std::optional<std::size_t> index) {
    if (index && *index >= entries_.size()) index.reset();
    selection_ = index;
}

bool AddToList(ItemList& list, std::string& auctionItem, std::string& minBid) {
    auctionItem = Trim(auctionItem);
    if (auctionItem.empty()) return false;
    minBid = Trim(minBid);
    // A minimum bid beyond the double range is still a minimum bid, not "none".
    const NumericValue min = Val(minBid);
    if (min.outOfRange || min.value != 0) {
        list.Append(auctionItem + " - " + minBid);
    } else {
        list.Append(auctionItem + " - 0");
    }
    auctionItem.clear();
    minBid.clear();
    list.Select(std::nullopt);
    return true;
}

void DeleteSelected(ItemList& list) {
    if (const auto sel = list.Selection()) list.RemoveAt(static_cast<int>(*sel));
    list.Select(std::nullopt);
}

}  // namespace gv
