// The evening's log of the verdicts Get Bids gave: each ESP line once per auction, with the
// verdict it got the first time it was judged (see FirstVerdicts), as the floor log shows it.

#include "floor/floor.h"

namespace gv {

void Floor::NoteVerdicts(const FirstVerdictsUpdate& update) {
    if (eveningLog_ == nullptr || update.start == nullptr) return;
    std::vector<std::string> events;
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

}  // namespace gv
