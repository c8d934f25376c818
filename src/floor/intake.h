#pragma once
// The bid intake: which ESP lines of a captured chat are bids for the item on the block, and
// what they do to the block state.

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "floor/block.h"
#include "floor/judgement.h"
#include "setup/amount.h"
#include "setup/tier_table.h"

namespace gv {

// The bid intake over a captured chat text (UTF-8, lines ended by CR LF or CR), judged
// against and written into the block state. `yieldOnce` runs after each line read and after
// each accepted bid. `onAccepted` runs after each accepted bid has been written, before its
// yield, so the window can show the new bid while the intake goes on. When `rows` is not null
// it gets every judgement in chat order (see FloorLog); what the intake decides is the same
// either way. `reopened` (see FindAuctionBounds).
void TakeBids(std::string_view capture, BlockState& block, const TierTable& tiers,
              const std::function<void()>& yieldOnce, const std::function<void()>& onAccepted = {},
              std::vector<Judgement>* rows = nullptr, std::span<const std::size_t> reopened = {});

// What an avatar said in chat line `line` (its words after the first ":", trimmed), as the
// intake reads the host's lines; nullopt for a line without a colon and for an ESP line.
std::optional<std::string_view> SaidInLine(std::string_view line);

// "Item on the Block currently is " + the item: the first line of State Item, and what the
// intake looks for in the chat before it takes bids.
std::string MarkerText(std::string_view blockItem);

// The first line each call says, "1ST CALL" to "3RD CALL" for `call` 1 to 3 (else empty): the
// floor log reads the host's calls back from the chat by it.
std::string_view CallWords(int call);

// Where in the capture the latest auction of `blockItem` starts, and the lines that bound it
// (views into the capture).
struct AuctionBounds {
    // Its first marker line after the last line that ended an earlier auction (another item's
    // marker line, or this item's sale line "<item> is sold for ...", said by the avatar whose
    // marker line started that auction; anyone else's talk ends nothing). npos when the chat
    // holds no such marker, so bids left in the chat from an earlier auction of the same name
    // never count again.
    std::size_t start = std::string_view::npos;
    std::string_view startLine;  // the marker line at `start`
    // The last line that ended an earlier auction before `start` (or before the end of the
    // chat when there is no start); empty when none did.
    std::string_view endLine;
};
// `reopened`: where lines start (offsets into the capture, ascending) that end nothing: the
// sale lines of a sale the host undid, so that its auction goes on.
AuctionBounds FindAuctionBounds(std::string_view capture, std::string_view blockItem,
                                std::span<const std::size_t> reopened = {});

}  // namespace gv
