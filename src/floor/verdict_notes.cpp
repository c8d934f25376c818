// The evening's log of the verdicts Get Bids gave. Every Get Bids judges the whole auction
// again, and a bid taken before then reads "not above the standing bid": only the first
// verdict of a line is the one that counted, so each line is logged once per auction.

#include <algorithm>

#include "floor/floor.h"

namespace gv {

void Floor::NoteVerdicts() {
    if (eveningLog_ == nullptr) return;
    const auto start = std::find_if(log_.rows.begin(), log_.rows.end(),
                                    [](const Judgement& row) { return row.kind == RowKind::Start; });
    // Without a start in the chat no ESP line was judged.
    if (start == log_.rows.end()) return;
    std::vector<std::string> events;
    // The chat only grows: a later Get Bids of the same auction meets its lines again first,
    // in the same order, and then the new ones.
    const std::string auction = log_.item + '\n' + std::to_string(start->line) + '\n' + start->speaker;
    if (auction != notedAuction_) {
        notedAuction_ = auction;
        notedVerdicts_ = 0;
        events.push_back("Auction of " + log_.item + " started by " + start->speaker + " at line " +
                         std::to_string(start->line) + " of the chat");
    }
    std::size_t seen = 0;
    for (const Judgement& row : log_.rows) {
        if (row.kind != RowKind::Esp) continue;
        if (++seen > notedVerdicts_) events.push_back("Bid judged: " + RowSentence(row));
    }
    notedVerdicts_ = std::max(notedVerdicts_, seen);
    eveningLog_->Add(events);
}

}  // namespace gv
