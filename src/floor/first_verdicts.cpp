#include "floor/first_verdicts.h"

#include <algorithm>

namespace gv {

namespace {

bool SameLine(const Judgement& a, const Judgement& b) {
    return a.line == b.line && a.speaker == b.speaker && a.message == b.message;
}

// The text and line stay; only what the rules made of them is taken over.
void TakeVerdict(const Judgement& first, Judgement& row) {
    row.verdict = first.verdict;
    row.amount = first.amount;
    row.minimum = first.minimum;
    row.standing = first.standing;
    row.raise = first.raise;
}

}  // namespace

FirstVerdictsUpdate FirstVerdicts::Keep(FloorLog& log) {
    FirstVerdictsUpdate update;
    update.firstNew = rows_.size();
    const auto start = std::find_if(log.rows.begin(), log.rows.end(),
                                    [](const Judgement& row) { return row.kind == RowKind::Start; });
    // Without a start no ESP line was judged: nothing to pair or remember.
    if (start == log.rows.end()) return update;
    update.start = &*start;

    std::vector<Judgement*> esp;
    for (Judgement& row : log.rows)
        if (row.kind == RowKind::Esp) esp.push_back(&row);
    const std::string auction = log.item + '\n' + std::to_string(start->line) + '\n' + start->speaker;
    bool pairs = auction == auction_ && esp.size() >= rows_.size();
    for (std::size_t i = 0; pairs && i < rows_.size(); ++i) pairs = SameLine(rows_[i], *esp[i]);
    if (!pairs) {
        auction_ = auction;
        rows_.clear();
        update.started = true;
        update.firstNew = 0;
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) TakeVerdict(rows_[i], *esp[i]);
    for (std::size_t i = rows_.size(); i < esp.size(); ++i) rows_.push_back(*esp[i]);
    return update;
}

void FirstVerdicts::Forget() {
    auction_.clear();
    rows_.clear();
}

}  // namespace gv
