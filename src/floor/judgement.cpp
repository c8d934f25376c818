// The floor log's rows: how the intake's judgements are recorded and how each reads.

#include "floor/judgement.h"

#include "common/text.h"
#include "floor/judgement_recorder.h"

namespace gv {

namespace {

constexpr std::string_view kEspPrefix = "ESP from";

// A chat line split at its first colon into who said it and the message, both trimmed.
void SplitLine(std::string_view line, std::string& speaker, std::string& message) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
        message = TrimView(line);
        return;
    }
    speaker = TrimView(line.substr(0, colon));
    message = TrimView(line.substr(colon + 1));
}

std::string EspVerdictText(const Judgement& row) {
    switch (row.verdict) {
        case Verdict::Taken:
            return "taken (now the current bid)";
        case Verdict::BelowMinimum:
            return "refused, below the minimum " + NumberText(row.minimum);
        case Verdict::NotAboveStanding:
            return "refused, not above the standing " + NumberText(row.standing);
        case Verdict::RaiseTooSmall:
            return "refused, " + NumberText(row.amount - row.standing) +
                   " over the standing bid, the raise for " + NumberText(row.amount) + " is " +
                   NumberText(row.raise);
        case Verdict::NoNumber:
            return "passed over, no number in front";
        case Verdict::NotPositive:
            return "passed over, not above 0";
        case Verdict::BeyondRange:
            return "passed over, a number beyond range";
        case Verdict::NoColon:
            return "not a bid, no colon after the name";
    }
    return {};
}

// A field of the clipboard's text: a tab or line end inside it would split the row.
std::string TabField(std::string_view text) {
    std::string field(text);
    for (char& c : field)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return field;
}

}  // namespace

std::string VerdictText(const Judgement& row) {
    switch (row.kind) {
        case RowKind::Esp:
            return EspVerdictText(row);
        case RowKind::EarlierEnd:
            return "ended an earlier auction";
        case RowKind::BeforeStart:
            return std::to_string(row.count) + (row.count == 1 ? " ESP line" : " ESP lines") +
                   " before the start, not judged";
        case RowKind::Start:
            return "the auction of " + row.note + " started";
        case RowKind::NoStart:
            return "no start of the auction of " + row.note + " in the chat: no bid counts";
        case RowKind::FetchFailed:
            return row.note;
        case RowKind::Sold:
            return row.note.empty() ? std::string("sold without a bid")
                                    : "sold for " + NumberText(row.amount) + " to " + row.note;
    }
    return {};
}

std::string AmountText(const Judgement& row) {
    if (row.kind == RowKind::Sold) return row.note.empty() ? std::string() : NumberText(row.amount);
    if (row.kind != RowKind::Esp) return {};
    switch (row.verdict) {
        case Verdict::NoColon:
        case Verdict::NoNumber:
        case Verdict::BeyondRange:
            return {};
        default:
            return NumberText(row.amount);
    }
}

std::string RowSentence(const Judgement& row) {
    std::string sentence;
    if (row.line > 0) sentence = "Line " + std::to_string(row.line) + ", ";
    if (!row.speaker.empty()) sentence += row.speaker + ": ";
    if (!row.message.empty()) sentence += row.message + ", ";
    return sentence + VerdictText(row);
}

std::string RowTabText(const Judgement& row) {
    return (row.line > 0 ? std::to_string(row.line) : std::string()) + '\t' + TabField(row.speaker) + '\t' +
           TabField(row.message) + '\t' + AmountText(row) + '\t' + TabField(VerdictText(row));
}

std::string LogSummary(const FloorLog& log) {
    const std::string item = log.item + ": ";
    if (!log.judged) return item + "no Get Bids judged yet";
    std::size_t judged = 0, taken = 0;
    for (const Judgement& row : log.rows) {
        if (row.kind == RowKind::FetchFailed) return item + row.note;
        if (row.kind != RowKind::Esp) continue;
        ++judged;
        if (row.verdict == Verdict::Taken) ++taken;
    }
    return item + std::to_string(judged) + (judged == 1 ? " ESP line" : " ESP lines") + " judged, " +
           std::to_string(taken) + " taken";
}

void JudgementRecorder::LineRow(RowKind kind, std::string_view line, std::size_t number) {
    Judgement row;
    row.kind = kind;
    row.line = number;
    SplitLine(line, row.speaker, row.message);
    if (kind == RowKind::Start) row.note = Trim(item_);
    rows_->push_back(std::move(row));
}

void JudgementRecorder::CountRow() {
    if (espBefore_ == 0) return;
    Judgement row;
    row.kind = RowKind::BeforeStart;
    row.count = espBefore_;
    rows_->push_back(std::move(row));
}

void JudgementRecorder::BeforeStart(std::string_view line, std::size_t number, bool startsHere) {
    if (startsHere) {
        CountRow();
        LineRow(RowKind::Start, line, number);
        return;
    }
    if (!bounds_.endLine.empty() && line.data() == bounds_.endLine.data())
        LineRow(RowKind::EarlierEnd, line, number);
    if (line.starts_with(kEspPrefix)) ++espBefore_;
}

void JudgementRecorder::Bid(const BidCheck& check, std::size_t number) {
    Judgement row;
    row.line = number;
    row.speaker = check.bidder;
    row.message = check.message;
    row.verdict = check.verdict;
    row.amount = check.amount;
    row.minimum = check.minimum;
    row.standing = check.standing;
    row.raise = check.raise;
    rows_->push_back(std::move(row));
}

void JudgementRecorder::Finish() {
    if (bounds_.start != std::string_view::npos) return;
    CountRow();
    Judgement row;
    row.kind = RowKind::NoStart;
    row.note = Trim(item_);
    rows_->push_back(std::move(row));
}

}  // namespace gv
