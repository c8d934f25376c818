#pragma once
// BIDS.TXT (the tier table, 18 lines) and Items.TXT (the item list, one entry a line).
// 8-bit ANSI text; written with CR LF; read with CR LF, CR or LF as line ends.

#include <filesystem>

#include "common/atomic_file.h"
#include "setup/item_list.h"
#include "setup/tier_table.h"

namespace gv {

inline constexpr const char* kBidsFile = "BIDS.TXT";
inline constexpr const char* kItemsFile = "Items.TXT";

// The files' bytes as saving writes them, and loading from bytes read already.
std::string BidsBytes(const TierTable& table);
std::string ItemsBytes(const ItemList& list);
void ReadBids(std::string_view bytes, TierTable& table);
void ReadItems(std::string_view bytes, ItemList& list);

// Loading is forgiving: a missing or short file leaves what it did not reach as it was.
void LoadBids(const std::filesystem::path& path, TierTable& table);
void LoadItems(const std::filesystem::path& path, ItemList& list);

// Saving replaces the file whole, atomically; on failure the earlier file stays.
FileResult SaveBids(const std::filesystem::path& path, const TierTable& table);
FileResult SaveItems(const std::filesystem::path& path, const ItemList& list);

}  // namespace gv
