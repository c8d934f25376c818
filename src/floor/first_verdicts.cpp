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
    // The call before a line stays what it was, though the scroll-back took the call line since.
    row.afterCall = first.afterCall;
}

}  // namespace

bool FirstVerdicts::Follow(const ChatShift& shift) {
    if (!known_) return false;
    // A chat that does not go on from the last one (the client started afresh) holds none of
    // the lines remembered.
    if (!shift.paired) {
        Forget();
        return false;
    }
    startLine_ = shift.Now(startLine_);
    for (Judgement& row : rows_) row.line = shift.Now(row.line);
    std::erase_if(rows_, [](const Judgement& row) { return row.line == 0; });
    return true;
}

bool FirstVerdicts::SameAuction(const FloorLog& log, const Judgement& start, const ChatShift& shift) const {
    if (!known_ || closed_ || log.item != item_) return false;
    if (resumed_) return true;
    // Its start line still in the chat: the same auction starts there, or it has ended and
    // another started later.
    if (startLine_ != 0) return start.line == startLine_;
    // The scroll-back took its start line: a later State Item of the item starts it now. One
    // that the last chat held already lay inside the auction; a new one continues it unless a
    // line ended the auction before it.
    if (start.line < shift.FirstNew()) return true;
    return std::none_of(log.rows.begin(), log.rows.end(),
                        [](const Judgement& row) { return row.kind == RowKind::EarlierEnd; });
}

FirstVerdictsUpdate FirstVerdicts::Keep(FloorLog& log, const ChatShift& shift, const std::string& rules) {
    FirstVerdictsUpdate update;
    const bool followed = Follow(shift);
    const auto start = std::find_if(log.rows.begin(), log.rows.end(),
                                    [](const Judgement& row) { return row.kind == RowKind::Start; });
    // Without a start no ESP line was judged: nothing to pair or remember.
    if (start == log.rows.end()) return update;
    update.start = &*start;

    if (!followed || !SameAuction(log, *start, shift)) {
        known_ = true;
        closed_ = false;
        item_ = log.item;
        rules_ = rules;
        rows_.clear();
        update.started = true;
    } else if (rules != rules_) {
        // A verdict holds only under the rules it was given by: the host changed the raise
        // table or the minimum, and every line is judged again by the new ones.
        rules_ = rules;
        rows_.clear();
        update.rulesChanged = true;
    }
    startLine_ = start->line;
    resumed_ = false;

    // Both in chat order: each ESP line meets the verdict remembered for it, if any.
    std::vector<Judgement> rows;
    auto first = rows_.begin();
    for (Judgement& row : log.rows) {
        if (row.kind != RowKind::Esp) continue;
        while (first != rows_.end() && first->line < row.line) ++first;
        if (first != rows_.end() && SameLine(*first, row)) {
            TakeVerdict(*first, row);
        } else {
            update.judged.push_back(rows.size());
        }
        rows.push_back(row);
    }
    rows_ = std::move(rows);
    return update;
}

void FirstVerdicts::Forget() {
    known_ = false;
    closed_ = false;
    item_.clear();
    rules_.clear();
    startLine_ = 0;
    rows_.clear();
}

}  // namespace gv
