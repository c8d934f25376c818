// The bid intake of Get Bids. It runs over the whole chat on every press, so the common path
// (a line that is not a bid) stays on string_views into the capture: no copies, no
// allocations; strings are built only when a bid is accepted.

#include <cstring>

#include "common/lines.h"
#include "common/text.h"
#include "floor/floor.h"

namespace gv {

namespace {

constexpr std::string_view kEspPrefix = "ESP from";

// Splits `text` at its first ":"; false when it has none.
bool AfterFirstColon(std::string_view text, std::string_view& before, std::string_view& after) {
    const void* hit = std::memchr(text.data(), ':', text.size());
    if (hit == nullptr) return false;
    const auto p = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    before = text.substr(0, p);
    after = text.substr(p + 1);
    return true;
}

// The numeric value of a caption the floor compares against. A number beyond the double range
// counts as infinitely large, so nothing reaches it and nothing stops.
double CaptionValue(std::string_view caption) { return ValOrInfinity(caption); }

}  // namespace

std::string MarkerText(std::string_view blockItem) {
    std::string marker = "Item on the Block currently is ";
    marker += blockItem;
    return marker;
}

void TakeBids(std::string_view capture, BlockState& block, const TierTable& tiers,
              const std::function<void()>& yieldOnce) {
    TakeBids(capture, block, tiers, yieldOnce, {});
}

void TakeBids(std::string_view capture, BlockState& block, const TierTable& tiers,
              const std::function<void()>& yieldOnce, const std::function<void()>& onAccepted) {
    block.markerText = MarkerText(block.blockItem);
    const std::string_view marker = TrimView(block.markerText);
    const double blockMin = CaptionValue(block.blockMin);
    double current = CaptionValue(block.currentBid);

    bool markerSeen = false;
    std::string_view message;  // trimmed; keeps its value over lines without a colon
    std::string_view bidder;

    const auto yield = [&] {
        if (yieldOnce) yieldOnce();
    };

    LineReader reader(capture, LineEnds::CrLfOrCr);
    std::string_view line;
    while (reader.Next(line)) {
        yield();

        std::string_view before, after;
        if (AfterFirstColon(line, before, after)) message = TrimView(after);
        if (!markerSeen && message == marker) markerSeen = true;
        if (!markerSeen || !line.starts_with(kEspPrefix)) continue;

        const std::string_view rest = TrimView(line.substr(kEspPrefix.size()));
        if (AfterFirstColon(rest, before, after)) {
            bidder = TrimView(before);
            message = TrimView(after);
        }

        // A number beyond the double range is no amount at all: pass the line over, so one
        // bidder cannot freeze the auction for everyone after.
        const NumericValue value = Val(message);
        if (value.outOfRange) continue;
        const double amount = value.value;
        if (!(amount > 0)) continue;

        if (current == 0) {
            if (!(amount >= blockMin)) continue;
        } else {
            if (!(amount > current)) continue;
            const double raise = CaptionValue(tiers.LookupRaise(amount).text);
            if (!(amount - current >= raise)) continue;
            block.lastBid = block.currentBid;
            block.lastBidder = block.currentBidder;
        }
        block.currentBid = NumberText(amount);
        block.currentBidder.assign(bidder);
        // Judge the next bid against the caption as the host sees it.
        current = CaptionValue(block.currentBid);
        if (onAccepted) onAccepted();
        yield();
    }
}

}  // namespace gv
