#pragma once
// The item list: entries "item name - minimum bid", in auction order.

#include <optional>
#include <string>
#include <vector>

namespace gv {

inline constexpr std::size_t kMinBidMaxChars = 5;

class ItemList {
public:
    const std::vector<std::string>& Entries() const { return entries_; }
    std::size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }

    // The entry at a 0-based index; the empty text for an index outside the list.
    std::string EntryAt(int index) const;

    void Append(std::string entry);
    void Clear();
    // Removes the entry at `index`; an index outside the list removes nothing (false).
    bool RemoveAt(int index);
    // Puts the entry in at `index` (at most Count()), the entries from there moving down by
    // one; nothing is selected after it.
    bool InsertAt(std::size_t index, std::string entry);

    // At most one entry is selected.
    std::optional<std::size_t> Selection() const { return selection_; }
    void Select(std::optional<std::size_t> index);

    bool operator==(const ItemList&) const = default;

private:
    std::vector<std::string> entries_;
    std::optional<std::size_t> selection_;
};

// Add to List on the texts of the AuctionItem and MinBid boxes, which it
// rewrites as the host then sees them. True when an entry was appended; then both texts
// are empty and nothing is selected.
bool AddToList(ItemList& list, std::string& auctionItem, std::string& minBid);

// Delete: removes the selected entry, leaves nothing selected.
void DeleteSelected(ItemList& list);

}  // namespace gv
