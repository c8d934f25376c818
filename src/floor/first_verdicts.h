#pragma once
// The verdict each ESP line of an auction got the first time a Get Bids judged it. Every Get
// Bids judges the whole auction again against the standing captions, when a bid taken before
// reads "not above the standing bid", the standing bid itself included. Only the first verdict
// is the one that counted: the floor log shows it and the evening's log keeps it.

#include <cstddef>
#include <string>
#include <vector>

#include "floor/chat_lines.h"
#include "floor/judgement.h"

namespace gv {

// What FirstVerdicts::Keep did with one Get Bids' judgements.
struct FirstVerdictsUpdate {
    const Judgement* start = nullptr;  // the Start row of the log; null when no ESP line was judged
    bool started = false;              // the auction is new to it
    bool rulesChanged = false;         // the same auction, its lines judged afresh under other rules
    std::vector<std::size_t> judged;   // the rows of Rows() this Get Bids judged first, in order
};

class FirstVerdicts {
public:
    // Gives the ESP rows of `log` the verdicts remembered for them and remembers those of the
    // lines new to this Get Bids. `shift` tells where the lines of the last capture stand in
    // this one, so that a line keeps its verdict when the client's scroll-back dropped lines
    // above it; `rules` are what the lines were judged by (the item, its minimum, the raise
    // table): a verdict holds only while they are the same. Another auction starts afresh.
    FirstVerdictsUpdate Keep(FloorLog& log, const ChatShift& shift, const std::string& rules);
    // After a Get Bids that was not recorded: nothing remembered pairs with what it judged.
    void Forget();
    // The auction was sold and the next entry put up: whatever starts next is another, though
    // its lines read alike (two lots of one name, bid alike). Undo of the sale opens it again.
    void Close() { closed_ = true; }
    void Reopen() { closed_ = false; }
    // Undo of the sale after the next auction had begun: the next start of the item goes on
    // with this auction, though the other auction's lines stand between.
    void Resume() {
        closed_ = false;
        resumed_ = true;
    }
    // Follows the lines remembered into the next chat without judging anything: for the
    // verdicts of a sold auction kept aside while the next one runs.
    void FollowChat(const ChatShift& shift) { Follow(shift); }
    // The ESP rows of the auction with their first verdicts, in chat order.
    const std::vector<Judgement>& Rows() const { return rows_; }

private:
    // Whether the auction that starts at `start` in the new chat is the one remembered.
    bool SameAuction(const FloorLog& log, const Judgement& start, const ChatShift& shift) const;
    // Follows the remembered lines into the new chat's numbers; false when they cannot be.
    bool Follow(const ChatShift& shift);

    bool known_ = false;    // an auction is remembered
    bool closed_ = false;   // and sold
    bool resumed_ = false;  // by an undo, until its next start is seen
    std::string item_;
    std::string rules_;
    std::size_t startLine_ = 0;  // its start line in the last chat; 0 once the scroll-back dropped it
    std::vector<Judgement> rows_;
};

}  // namespace gv
