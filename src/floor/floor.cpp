#include "floor/floor.h"

#include <algorithm>
#include <ctime>
#include <optional>
#include <utility>

#include "common/text.h"
#include "floor/capture.h"
#include "floor/intake.h"
#include "floor/log_events.h"
#include "setup/rules.h"

namespace gv {

std::string LinkFailureText(LinkFault fault, std::string_view consequence) {
    if (fault == LinkFault::None) return {};
    std::string text(LinkFaultText(fault));
    text += ": ";
    text += consequence;
    return text;
}

std::filesystem::path DefaultCapturePath() {
#ifdef _WIN32
    return std::filesystem::path(L"C:\\TALLY.TXT");
#else
    return std::filesystem::path("TALLY.TXT");
#endif
}

Floor::Floor(BlockState& block, const TierTable& tiers, ItemList& items, LinkPort& link, EventPump& pump,
             BusyHost& busy)
    : block_(block), tiers_(tiers), items_(items), link_(link), pump_(pump), busy_(busy) {}

LinkFault Floor::Speak(const std::vector<std::string>& lines) {
    LinkFault first = LinkFault::None;
    bool hung = false;
    // An empty line is never sent into the chat (an empty item name, for one).
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        if (hung) {
            Note(NotSaidEvent(line));
            continue;
        }
        const LinkFault fault = link_.SpeakText(line);
        Note(SaidEvent(line, fault, link_.LinesConfirmed()));
        if (first == LinkFault::None) first = fault;
        // A client that let a line wait out its time limit is hung: every further line would
        // hold the window as long again, and half an announcement said late helps nobody.
        hung = fault != LinkFault::None && link_.LastWaitedOut();
    }
    return first;
}

void Floor::Note(const std::string& event) {
    if (eveningLog_) eveningLog_->Add(event);
}

void Floor::Changed() {
    events_.Tell([](FloorListener& listener) {
        listener.BlockChanged();
        listener.ItemsChanged();
    });
}

void Floor::BidsChanged() {
    events_.Tell([](FloorListener& listener) { listener.BlockChanged(); });
}

void Floor::LinkStatus(LinkFault fault, std::string_view consequence) {
    const std::string failure = LinkFailureText(fault, consequence);
    events_.Tell([&](FloorListener& listener) { listener.LinkStatus(failure); });
}

void Floor::RecordStatus(const std::string& failure) {
    events_.Tell([&](FloorListener& listener) { listener.RecordStatus(failure); });
}

void Floor::SpokenStatus(LinkFault fault, std::string_view consequence) {
    // A line the link cannot confirm is no news: a failure shown stays until the client answers.
    if (fault == LinkFault::None && !link_.LinesConfirmed()) return;
    LinkStatus(fault, consequence);
}

void Floor::StateItem() {
    HostCommand();
    BusyScope busy(busy_);
    SpokenStatus(Speak(StateItemLines(block_, tiers_)), "item not stated");
}

void Floor::Call(int call) {
    HostCommand();
    BusyScope busy(busy_);
    SpokenStatus(Speak(CallLines(block_, call)), "call not said");
}

void Floor::Sold() {
    BusyScope busy(busy_);
    if (!LookBeforeSale()) return;
    const std::vector<std::string> lines = SoldLines(block_);
    const LinkFault fault = Speak(lines);
    SpokenStatus(fault, "sale not said");
    // SOLD again for the same sale says the same line again: undo must reopen that one too.
    const auto said = [&](SaleLines& sale) {
        if (fault == LinkFault::None) ++sale.said;
    };
    if (block_.blockEntrySold && !saleLines_.empty() && !saleLines_.back().reopened && lastSale_)
        said(saleLines_.back());
    // Only an entry of the list that is on the block and not yet sold is sold: the captions at
    // start or after an empty entry are no item, and a second SOLD (the sale said again,
    // perhaps after a failure) must neither record it twice nor take the unsold entry that
    // moved into its place. The labels go on showing the sold item until the next one is put
    // on the block.
    if (block_.entryOnBlock.empty() || block_.blockEntrySold) return;
    SaleSnapshot sale;
    sale.block = block_;
    sale.entry = block_.entryOnBlock;
    sale.index = block_.blockItemIndex;
    sale.verdicts = firstVerdicts_;
    block_.blockEntrySold = true;
    // Only the latest sale can be undone; the lines of earlier ones end their auctions.
    std::erase_if(saleLines_, [](const SaleLines& earlier) { return !earlier.reopened; });
    saleLines_.push_back({Trim(lines.back()), 0, {}, false});
    said(saleLines_.back());
    // The entry goes only where it still stands: the List command's reset of the index, or
    // entries deleted since, leave another entry (or none) at the index.
    sale.removed = items_.EntryAt(block_.blockItemIndex) == block_.entryOnBlock &&
                   items_.RemoveAt(block_.blockItemIndex);
    sale.entriesAfter = items_.Entries();
    const bool removed = sale.removed;
    RecordSale(sale);
    FloorLogSale();
    events_.Tell([&](FloorListener& listener) { listener.SaleMade(sale.row); });
    lastSale_ = std::move(sale);
    if (removed) {
        block_.nextEntryAtIndex = true;
        Changed();
    }
}

void Floor::RecordSale(SaleSnapshot& sale) {
    sale.row = SaleOf(block_, timeText_());
    // The list without the entry is ready on disk before the row is written, and put in
    // place the moment after.
    const bool listed = sale.removed && store_ != nullptr;
    if (listed) store_->StageItems();
    if (sales_ == nullptr) {
        if (listed) store_->CommitItems();
        Note(SaleEvent(sale.row, nullptr));
        return;
    }
    const FileResult written = sales_->Add(sale.row);
    if (listed) store_->CommitItems();
    sale.recorded = true;
    Note(SaleEvent(sale.row, &written));
    RecordStatus(written.ok ? std::string() : std::string(kSalesFile) + " not written: " + written.reason);
}

void Floor::ReplaceItems(ItemList list) {
    const bool followed = !block_.entryOnBlock.empty() && !block_.blockEntrySold &&
                          items_.EntryAt(block_.blockItemIndex) == block_.entryOnBlock;
    items_ = std::move(list);
    const std::vector<std::string>& after = items_.Entries();
    if (followed && items_.EntryAt(block_.blockItemIndex) != block_.entryOnBlock) {
        const auto found = std::find(after.begin(), after.end(), block_.entryOnBlock);
        if (found != after.end()) block_.blockItemIndex = static_cast<int>(found - after.begin());
    }
    Changed();
}

bool Floor::LookBeforeSale() {
    const bool sellAsShown = held_;
    HostCommand();
    // Only an entry not yet sold has a sale to hold; saying a sale again needs no look.
    if (!checkBeforeSold_ || sellAsShown || block_.entryOnBlock.empty() || block_.blockEntrySold) return true;
    const std::string bid = block_.currentBid;
    const std::string bidder = block_.currentBidder;
    // What the host saw when pressing SOLD, for whoever asks later who should have won.
    const std::string shown = ValOrInfinity(bid) > 0 ? "the captions showed " + bid + " from " + bidder
                                                     : std::string("the captions showed no bid");
    if (!FetchAndJudge().fetched) {
        HoldSale("SOLD held: bids not fetched", shown);
        return false;
    }
    if (block_.currentBid == bid && block_.currentBidder == bidder) return true;
    HoldSale("SOLD held: " + block_.currentBidder + " bid " + block_.currentBid + " after the last Get Bids",
             shown);
    return false;
}

void Floor::HoldSale(const std::string& why, const std::string& shown) {
    held_ = true;
    if (Recording()) {
        Judgement row;
        row.kind = RowKind::Held;
        row.note = why;
        floorLog_.rows.push_back(std::move(row));
        JudgementsChanged();
    }
    Note(why + "; " + shown + "; nothing said into the chat");
    events_.Tell([&](FloorListener& listener) { listener.SoldHeld(why); });
}

void Floor::HostCommand() {
    if (!std::exchange(held_, false)) return;
    events_.Tell([](FloorListener& listener) { listener.SoldHeld({}); });
}

BidsOutcome Floor::GetBids(By by) {
    if (by == By::Host) HostCommand();
    BidsOutcome outcome;
    {
        BusyScope busy(busy_);
        outcome = FetchAndJudge();
    }
    // Told once the busy state is over, so that a listener may start another command.
    events_.Tell([&](FloorListener& listener) { listener.BidsTaken(outcome); });
    return outcome;
}

BidsOutcome Floor::FetchAndJudge() {
    BidsOutcome outcome;
    const CaptureResult capture = CaptureChat(link_, pump_, capturePath_);
    block_.markerText = MarkerText(block_.blockItem);
    LinkStatus(capture.fault, "bids not fetched");
    StartFloorLog(Recording());
    const std::optional<std::string> text = CapturedText(capture, capturePath_);
    if (!text) {
        // A log that only looked empty would read as "nobody bid".
        if (Recording()) {
            Judgement row;
            row.kind = RowKind::FetchFailed;
            row.note = LinkFailureText(capture.fault, "bids not fetched");
            floorLog_.rows.push_back(std::move(row));
        }
        JudgementsChanged();
        return outcome;
    }
    outcome.fetched = true;
    ++fetchesThrough_;
    const ChatShift shift = chatLines_.Follow(*text);
    const std::vector<std::size_t> reopened = FollowSaleLines(*text, shift);
    // Lines judged unrecorded would read as new, with verdicts against the captions they made.
    if (!Recording()) firstVerdicts_.Forget();
    if (lastSale_) {
        if (Recording()) {
            lastSale_->verdicts.FollowChat(shift);
        } else {
            lastSale_->verdicts.Forget();
        }
    }
    const std::string bid = block_.currentBid;
    const std::string bidder = block_.currentBidder;
    // The captions are told at most once per pass of the loop, just before the pass that shows
    // them: an item's first Get Bids takes thousands of bids, and each told at once cost the
    // window a redraw and a screen reader a name change that nobody could see or hear.
    bool untold = false;
    const auto yield = [this, &untold] {
        if (untold && pump_.PassDue()) {
            untold = false;
            BidsChanged();
        }
        pump_.YieldInLoop();
    };
    TakeBids(
        *text, block_, tiers_, yield, [&untold] { untold = true; }, Recording() ? &floorLog_.rows : nullptr,
        reopened);
    if (untold) BidsChanged();
    if (Recording()) {
        const FirstVerdictsUpdate update = firstVerdicts_.Keep(floorLog_, shift, RulesText());
        if (lastSale_ && update.started) lastSale_->verdictsReplaced = true;
        NoteVerdicts(update);
        MarkDebts();
    }
    if (block_.currentBid != bid || block_.currentBidder != bidder) {
        Note(BidsEvent(block_));
        outcome.newBid = !block_.currentBid.empty();
    }
    JudgementsChanged();
    return outcome;
}

std::string Floor::RulesText() const {
    std::string rules = block_.blockItem + '\n' + block_.blockMin;
    for (int r = 0; r < kTierRows; ++r) {
        const TierRow& row = tiers_.Row(r);
        rules += '\n' + row.low + '\t' + row.high + '\t' + row.raise;
    }
    return rules;
}

std::vector<std::size_t> Floor::FollowSaleLines(std::string_view capture, const ChatShift& shift) {
    std::vector<std::size_t> taken;  // lines some sale already holds
    for (SaleLines& sale : saleLines_) {
        for (std::size_t& line : sale.lines) line = shift.Now(line);
        std::erase(sale.lines, std::size_t{0});
        taken.insert(taken.end(), sale.lines.begin(), sale.lines.end());
    }
    // A line said since the last capture stands among the lines new to this one (in the whole
    // chat when it does not go on from the last), the first of its words not held already.
    for (SaleLines& sale : saleLines_) {
        for (std::size_t line = shift.FirstNew(); sale.said > 0 && line <= chatLines_.Count(); ++line) {
            const std::size_t from = chatLines_.Offset(line);
            const std::size_t to = line < chatLines_.Count() ? chatLines_.Offset(line + 1) : capture.size();
            std::string_view text = capture.substr(from, to - from);
            text = text.substr(0, text.find('\r'));
            if (SaidInLine(text) != std::optional<std::string_view>(sale.text) ||
                std::find(taken.begin(), taken.end(), line) != taken.end())
                continue;
            sale.lines.push_back(line);
            taken.push_back(line);
            --sale.said;
        }
        sale.said = 0;
    }
    std::erase_if(saleLines_, [](const SaleLines& sale) { return sale.reopened && sale.lines.empty(); });

    std::vector<std::size_t> reopened;
    for (const SaleLines& sale : saleLines_)
        if (sale.reopened)
            for (const std::size_t line : sale.lines) reopened.push_back(chatLines_.Offset(line));
    std::sort(reopened.begin(), reopened.end());
    return reopened;
}

void Floor::StartFloorLog(bool judged) {
    floorLog_.item = block_.blockItem;
    floorLog_.judged = judged;
    floorLog_.rows.clear();
}

void Floor::FloorLogSale() {
    if (!Recording()) return;
    Judgement row;
    row.kind = RowKind::Sold;
    if (ValOrInfinity(block_.currentBid) > 0) {
        row.amount = ValOrInfinity(block_.currentBid);
        row.note = block_.currentBidder;
    }
    floorLog_.rows.push_back(std::move(row));
    JudgementsChanged();
}

void Floor::JudgementsChanged() {
    events_.Tell([](FloorListener& listener) { listener.JudgementsChanged(); });
}

void Floor::StateRules() {
    HostCommand();
    BusyScope busy(busy_);
    SpokenStatus(Speak(RulesLines(tiers_)), "rules not said");
}

}  // namespace gv
