#pragma once
// The verdict each ESP line of an auction got the first time a Get Bids judged it. Every Get
// Bids judges the whole auction again against the standing captions, when a bid taken before
// reads "not above the standing bid", the standing bid itself included. Only the first verdict
// is the one that counted: the floor log shows it and the evening's log keeps it.

#include <cstddef>
#include <string>
#include <vector>

#include "floor/judgement.h"

namespace gv {

// What FirstVerdicts::Keep did with one Get Bids' judgements.
struct FirstVerdictsUpdate {
    const Judgement* start = nullptr;  // the Start row of the log; null when no ESP line was judged
    bool started = false;              // the auction is new to it, or its earlier rows no longer pair
    std::size_t firstNew = 0;          // where the verdicts this Get Bids added begin in Rows()
};

class FirstVerdicts {
public:
    // Gives the ESP rows of `log` the verdicts remembered for them and remembers those of the
    // lines new to this Get Bids. The auction is the item with its start line and starter.
    // Another auction, or earlier rows that no longer pair with the remembered ones in order
    // (the client's scroll-back dropped lines, so every number moved), start afresh.
    FirstVerdictsUpdate Keep(FloorLog& log);
    // After a Get Bids that was not recorded: nothing remembered pairs with what it judged.
    void Forget();
    // The ESP rows of the auction with their first verdicts, in chat order.
    const std::vector<Judgement>& Rows() const { return rows_; }

private:
    std::string auction_;
    std::vector<Judgement> rows_;
};

}  // namespace gv
