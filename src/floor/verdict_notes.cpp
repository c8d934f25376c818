// The evening's log of the verdicts Get Bids gave: each ESP line once per auction, with the
// verdict it got the first time it was judged (see FirstVerdicts), as the floor log shows it.

#include <algorithm>

#include "floor/floor.h"

namespace gv {

void Floor::NoteVerdicts(const FirstVerdictsUpdate& update) {
    if (eveningLog_ == nullptr || update.start == nullptr) return;
    std::vector<std::string> events;
    if (update.started || update.rulesChanged) debtsNoted_.clear();
    if (update.started)
        events.push_back("Auction of " + floorLog_.item + " started by " + update.start->speaker +
                         " at line " + std::to_string(update.start->line) + " of the chat");
    if (update.rulesChanged)
        events.push_back("Auction of " + floorLog_.item +
                         " judged afresh: the minimum bid or the raise table changed");
    const std::vector<Judgement>& rows = firstVerdicts_.Rows();
    for (const std::size_t i : update.judged) events.push_back("Bid judged: " + RowSentence(rows[i]));
    eveningLog_->Add(events);
}

void Floor::MarkDebts() {
    if (debts_ == nullptr) return;
    const DebtMap& debts = debts_->FromEarlierEvenings();
    if (debts.empty()) return;
    std::vector<std::string> events;
    for (Judgement& row : floorLog_.rows) {
        if (row.kind != RowKind::Esp || row.speaker.empty()) continue;
        const auto found = debts.find(std::string_view(row.speaker));
        if (found == debts.end()) continue;
        row.owed = found->second;
        if (std::find(debtsNoted_.begin(), debtsNoted_.end(), row.speaker) != debtsNoted_.end()) continue;
        debtsNoted_.push_back(row.speaker);
        events.push_back("Bidder owing from an earlier evening: " + row.speaker + " " + row.owed +
                         ", bid at line " + std::to_string(row.line) + " in the auction of " +
                         floorLog_.item);
    }
    if (eveningLog_ != nullptr && !events.empty()) eveningLog_->Add(events);
}

}  // namespace gv
