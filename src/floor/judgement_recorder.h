#pragma once
// What the bid intake hands the floor log while it reads: the intake's own decisions, turned
// into rows only when someone asked for them.

#include <cstddef>
#include <string_view>
#include <vector>

#include "floor/intake.h"
#include "floor/judgement.h"

namespace gv {

// One ESP line after the start as the intake judged it: views into the capture and the
// figures the rules used.
struct BidCheck {
    std::string_view bidder;
    std::string_view message;
    Verdict verdict = Verdict::Taken;
    double amount = 0;
    double minimum = 0;   // the minimum in force
    double standing = 0;  // the standing bid, 0 for none
    double raise = 0;     // the raise of the tier of `amount`, when one was looked up
};

class JudgementRecorder {
public:
    JudgementRecorder(std::vector<Judgement>* rows, const AuctionBounds& bounds, std::string_view item);

    // A line read before the start; `startsHere` when it is the marker line that starts it.
    void BeforeStart(std::string_view line, std::size_t number, bool startsHere);
    // A line after the start that is no ESP line: the host's calls among them.
    void AfterStart(std::string_view line);
    void Bid(const BidCheck& check, std::size_t number);
    // After the last line: the rows of a chat in which the auction never started.
    void Finish();

private:
    void CountRow();
    void LineRow(RowKind kind, std::string_view line, std::size_t number);

    std::vector<Judgement>* rows_;
    const AuctionBounds& bounds_;
    std::string_view item_;
    std::size_t espBefore_ = 0;
    std::string_view host_;  // who started the auction: only that avatar's calls count
    int lastCall_ = 0;
};

}  // namespace gv
