// The bid intake of Get Bids. It runs over the whole chat on every press, so the common path
// (a line that is not a bid) stays on string_views into the capture: no copies, no
// allocations; strings are built only when a bid is accepted.

#include "floor/intake.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "common/lines.h"
#include "common/text.h"
#include "floor/judgement_recorder.h"

namespace gv {

namespace {

constexpr std::string_view kEspPrefix = "ESP from";
constexpr std::string_view kMarkerPrefix = "Item on the Block currently is";
constexpr std::string_view kSoldInfix = " is sold for ";

// Splits `text` at its first ":"; false when it has none.
bool AfterFirstColon(std::string_view text, std::string_view& before, std::string_view& after) {
    const std::size_t p = text.find(':');
    if (p == std::string_view::npos) return false;
    before = text.substr(0, p);
    after = text.substr(p + 1);
    return true;
}

// The numeric value of a caption the floor compares against. A number beyond the double range
// counts as infinitely large, so nothing reaches it and nothing stops.
double CaptionValue(std::string_view caption) { return ValOrInfinity(caption); }

// The line of `text` that holds the byte at `pos`, as LineReader cuts lines (CR LF or CR ends a
// line; a lone LF does not).
std::string_view LineAround(std::string_view text, std::size_t pos) {
    std::size_t start = 0;
    if (pos > 0) {
        const std::size_t cr = text.rfind('\r', pos - 1);
        if (cr != std::string_view::npos) start = cr + (cr + 1 < text.size() && text[cr + 1] == '\n' ? 2 : 1);
    }
    std::size_t end = text.find('\r', pos);
    if (end == std::string_view::npos) end = text.size();
    return text.substr(start, end - start);
}

// Every line holding `needle`, in chat order, each once.
class LinesHolding {
public:
    LinesHolding(std::string_view text, std::string_view needle) : text_(text), needle_(needle) {}

    bool Next(std::string_view& line) {
        if (needle_.empty() || from_ > text_.size()) return false;
        // find() runs memchr to each candidate first byte: many gigabytes a second on chat text.
        const std::size_t hit = text_.find(needle_, from_);
        if (hit == std::string_view::npos) {
            from_ = text_.size() + 1;
            return false;
        }
        line = LineAround(text_, hit);
        from_ = static_cast<std::size_t>(line.data() - text_.data()) + line.size() + 1;
        return true;
    }

private:
    std::string_view text_;
    std::string_view needle_;
    std::size_t from_ = 0;
};

// A line that ends the auction under way when its speaker is the one who started it: another
// item's marker, or this item's sale. A bidder's private message never does, whatever it says.
bool EndsAnAuction(std::string_view line, std::string_view message, std::string_view marker,
                   std::string_view item) {
    if (line.starts_with(kEspPrefix)) return false;
    if (message.starts_with(kMarkerPrefix)) {
        const std::string_view rest = message.substr(kMarkerPrefix.size());
        if ((rest.empty() || rest.front() == ' ') && message != marker) return true;
    }
    return message.size() > item.size() && message.starts_with(item) &&
           message.substr(item.size()).starts_with(kSoldInfix);
}

// The verdict of one ESP line after the start against the standing bid and minimum in
// `check`; fills in the bidder, message and figures the rules used. Changes nothing.
void JudgeBidLine(std::string_view line, const TierTable& tiers, BidCheck& check) {
    // "ESP from" name ":" amount. Without the colon there is neither a bidder nor an
    // amount on the line: it is no bid, and nobody else's amount is credited.
    check.message = TrimView(line.substr(kEspPrefix.size()));
    if (!AfterFirstColon(check.message, check.bidder, check.message)) {
        check.verdict = Verdict::NoColon;
        return;
    }
    check.bidder = TrimView(check.bidder);
    check.message = TrimView(check.message);

    // A number beyond the double range is no amount at all: pass the line over, so one
    // bidder cannot freeze the auction for everyone after.
    const BidAmount read = ReadBidAmount(check.message);
    if (read.fault == AmountFault::BeyondRange) {
        check.verdict = Verdict::BeyondRange;
        return;
    }
    check.amount = read.amount;
    if (read.fault != AmountFault::None) {
        check.verdict = read.fault == AmountFault::NotPositive ? Verdict::NotPositive : Verdict::NoNumber;
        return;
    }
    if (check.standing == 0) {
        check.verdict = check.amount >= check.minimum ? Verdict::Taken : Verdict::BelowMinimum;
        return;
    }
    if (!(check.amount > check.standing)) {
        check.verdict = Verdict::NotAboveStanding;
        return;
    }
    check.raise = CaptionValue(tiers.LookupRaise(check.amount).text);
    check.verdict = check.amount - check.standing >= check.raise ? Verdict::Taken : Verdict::RaiseTooSmall;
}

}  // namespace

std::optional<std::string_view> SaidInLine(std::string_view line) {
    std::string_view speaker;
    std::string_view said;
    if (!AfterFirstColon(line, speaker, said) || line.starts_with(kEspPrefix)) return std::nullopt;
    return TrimView(said);
}

std::string_view CallWords(int call) {
    static constexpr std::array<std::string_view, 3> kCalls{"1ST CALL", "2ND CALL", "3RD CALL"};
    return call >= 1 && call <= 3 ? kCalls.at(static_cast<std::size_t>(call - 1)) : std::string_view();
}

std::string MarkerText(std::string_view blockItem) {
    std::string marker(kMarkerPrefix);
    marker += ' ';
    marker += blockItem;
    return marker;
}

AuctionBounds FindAuctionBounds(std::string_view capture, std::string_view blockItem,
                                std::span<const std::size_t> reopened) {
    const std::string markerText = MarkerText(blockItem);
    const std::string_view marker = TrimView(markerText);
    const std::string_view item = TrimView(blockItem);
    std::string saleText(item);
    saleText += kSoldInfix;

    // Only lines that hold a marker or this item's sale can start or end an auction, and they
    // are rare: jump from one to the next rather than read every line of the chat twice. A line
    // without a colon repeats the message of the line before it, so it can neither start nor
    // end anything of its own.
    LinesHolding markers(capture, kMarkerPrefix);
    LinesHolding sales(capture, saleText);
    std::string_view markerLine, saleLine;
    bool moreMarkers = markers.Next(markerLine);
    bool moreSales = item.empty() ? false : sales.Next(saleLine);

    // Only the avatar whose marker started the auction can end it: the host's announcements
    // come back under the host's name, and a bidder's talk must never cost the bids before it.
    AuctionBounds bounds;
    std::size_t& start = bounds.start;
    std::string_view starter;
    while (moreMarkers || moreSales) {
        // The two streams in chat order; a line in both is taken once.
        const bool takeMarker = moreMarkers && (!moreSales || markerLine.data() <= saleLine.data());
        const std::string_view line = takeMarker ? markerLine : saleLine;
        if (takeMarker) {
            if (moreSales && saleLine.data() == markerLine.data()) moreSales = sales.Next(saleLine);
            moreMarkers = markers.Next(markerLine);
        } else {
            moreSales = sales.Next(saleLine);
        }

        std::string_view before, after;
        if (!AfterFirstColon(line, before, after)) continue;
        const std::string_view message = TrimView(after);
        if (message == marker) {
            if (start == std::string_view::npos) {
                start = static_cast<std::size_t>(line.data() - capture.data());
                starter = TrimView(before);
                bounds.startLine = line;
            }
        } else if (start != std::string_view::npos && TrimView(before) == starter &&
                   EndsAnAuction(line, message, marker, item) &&
                   !std::binary_search(reopened.begin(), reopened.end(),
                                       static_cast<std::size_t>(line.data() - capture.data()))) {
            start = std::string_view::npos;
            bounds.endLine = line;
        }
    }
    return bounds;
}

void TakeBids(std::string_view capture, BlockState& block, const TierTable& tiers,
              const std::function<void()>& yieldOnce, const std::function<void()>& onAccepted,
              std::vector<Judgement>* rows, std::span<const std::size_t> reopened) {
    block.markerText = MarkerText(block.blockItem);
    const AuctionBounds bounds = FindAuctionBounds(capture, block.blockItem, reopened);
    const std::size_t start = bounds.start;
    const double blockMin = CaptionValue(block.blockMin);
    double current = CaptionValue(block.currentBid);
    JudgementRecorder record(rows, bounds, block.blockItem);

    bool markerSeen = false;
    const auto yield = [&] {
        if (yieldOnce) yieldOnce();
    };

    LineReader reader(capture, LineEnds::CrLfOrCr);
    std::string_view line;
    std::size_t lineNumber = 0;
    while (reader.Next(line)) {
        ++lineNumber;
        yield();

        if (!markerSeen) {
            if (start != std::string_view::npos)
                markerSeen = static_cast<std::size_t>(line.data() - capture.data()) >= start;
            if (rows) record.BeforeStart(line, lineNumber, markerSeen);
        }
        if (!markerSeen) continue;
        if (!line.starts_with(kEspPrefix)) {
            if (rows) record.AfterStart(line);
            continue;
        }

        BidCheck check;
        check.standing = current;
        check.minimum = blockMin;
        JudgeBidLine(line, tiers, check);
        if (rows) record.Bid(check, lineNumber);
        if (check.verdict != Verdict::Taken) continue;

        if (current != 0) {
            block.lastBid = block.currentBid;
            block.lastBidder = block.currentBidder;
            if (block.currentBidder != check.bidder) {
                block.runnerUpBid = block.currentBid;
                block.runnerUp = block.currentBidder;
            }
        }
        // Exact, so that the next Get Bids reads back this very bid, not a rounded one below it
        // that the same chat line would beat again.
        block.currentBid = ExactNumberText(check.amount);
        block.currentBidder.assign(check.bidder);
        // Judge the next bid against the caption as the host sees it.
        current = CaptionValue(block.currentBid);
        ++block.bidsTaken;
        if (onAccepted) onAccepted();
        yield();
    }
    if (rows) record.Finish();
}

}  // namespace gv
