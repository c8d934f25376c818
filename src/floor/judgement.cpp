// The floor log's rows: how the intake's judgements are recorded and how each reads.

#include "floor/judgement.h"

#include <algorithm>
#include <array>

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

// Whether a verdict's row shows the amount read in the amount column.
enum class Amount { Shown, None };

// One row per verdict: its words, with the figures the rules used in braces (see kFigures),
// and whether the amount column shows the amount read.
struct VerdictRow {
    Verdict verdict;
    Amount amount;
    std::string_view words;
};

constexpr auto kVerdictRows = std::to_array<VerdictRow>({
    {Verdict::Taken, Amount::Shown, "taken (now the current bid)"},
    {Verdict::BelowMinimum, Amount::Shown, "refused, below the minimum {minimum}"},
    {Verdict::NotAboveStanding, Amount::Shown, "refused, not above the standing {standing}"},
    {Verdict::RaiseTooSmall, Amount::Shown,
     "refused, {over} over the standing bid, the raise for {amount} is {raise}"},
    {Verdict::NoNumber, Amount::None, "passed over, no number in front"},
    {Verdict::NotPositive, Amount::Shown, "passed over, not above 0"},
    {Verdict::BeyondRange, Amount::None, "passed over, a number beyond range"},
    {Verdict::NoColon, Amount::None, "not a bid, no colon after the name"},
});

// The figures a verdict's words can name; {over} is how far the amount is over the standing bid.
struct Figure {
    std::string_view name;
    double (*of)(const Judgement&);
};

constexpr std::array<Figure, 5> kFigures{{
    {"minimum", [](const Judgement& row) { return row.minimum; }},
    {"standing", [](const Judgement& row) { return row.standing; }},
    {"amount", [](const Judgement& row) { return row.amount; }},
    {"raise", [](const Judgement& row) { return row.raise; }},
    {"over", [](const Judgement& row) { return row.amount - row.standing; }},
}};

// Hands `text` each plain part of `words` and `figure` each figure its braces name, in order;
// false for a brace left open or a name that is no figure.
template <class Text, class FigureOf>
constexpr bool EachPart(std::string_view words, Text text, FigureOf figure) {
    for (std::size_t open = words.find('{'); open != std::string_view::npos; open = words.find('{')) {
        const std::size_t close = words.find('}', open);
        if (close == std::string_view::npos) return false;
        const std::string_view name = words.substr(open + 1, close - open - 1);
        const auto named =
            std::find_if(kFigures.begin(), kFigures.end(), [&](const Figure& f) { return f.name == name; });
        if (named == kFigures.end()) return false;
        text(words.substr(0, open));
        figure(*named);
        words.remove_prefix(close + 1);
    }
    text(words);
    return true;
}

// Every verdict the enum has. No default: -Wswitch, an error in this build, names a verdict
// added to the enum and not here, and the check below then asks for its row.
constexpr bool IsVerdict(Verdict verdict) {
    switch (verdict) {
        case Verdict::Taken:
        case Verdict::BelowMinimum:
        case Verdict::NotAboveStanding:
        case Verdict::RaiseTooSmall:
        case Verdict::NoNumber:
        case Verdict::NotPositive:
        case Verdict::BeyondRange:
        case Verdict::NoColon:
            return true;
    }
    return false;
}

// Each verdict has its row at its own place, and each figure a row's words name is one we have.
constexpr bool EachVerdictHasItsRow() {
    for (std::size_t i = 0; i < kVerdictRows.size(); ++i) {
        if (kVerdictRows[i].verdict != static_cast<Verdict>(i)) return false;
        if (!EachPart(
                kVerdictRows[i].words, [](std::string_view) {}, [](const Figure&) {}))
            return false;
    }
    return !IsVerdict(static_cast<Verdict>(kVerdictRows.size()));
}
static_assert(EachVerdictHasItsRow(),
              "each Verdict has one row, in the enum's order, naming figures we have");

const VerdictRow& RowOf(Verdict verdict) { return kVerdictRows.at(static_cast<std::size_t>(verdict)); }

// The verdict's words with the figures of `row` in their places.
std::string EspVerdictText(const Judgement& row) {
    std::string text;
    EachPart(
        RowOf(row.verdict).words, [&](std::string_view part) { text += part; },
        [&](const Figure& figure) { text += NumberText(figure.of(row)); });
    return text;
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
            return row.owed.empty() ? EspVerdictText(row) : EspVerdictText(row) + "; " + row.owed;
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
        case RowKind::Held:
            return row.note;
    }
    return {};
}

std::string CallText(const Judgement& row) {
    if (row.kind != RowKind::Esp || row.afterCall < 1 || row.afterCall > 3) return {};
    static constexpr std::array<std::string_view, 3> kAfter{"after the 1st call", "after the 2nd call",
                                                            "after the 3rd call"};
    return std::string(kAfter.at(static_cast<std::size_t>(row.afterCall - 1)));
}

std::string AmountText(const Judgement& row) {
    if (row.kind == RowKind::Sold) return row.note.empty() ? std::string() : NumberText(row.amount);
    if (row.kind != RowKind::Esp || RowOf(row.verdict).amount == Amount::None) return {};
    return NumberText(row.amount);
}

std::string RowSentence(const Judgement& row) {
    std::string sentence;
    if (row.line > 0) sentence = "Line " + std::to_string(row.line) + ", ";
    if (!row.speaker.empty()) sentence += row.speaker + ": ";
    if (!row.message.empty()) sentence += row.message + ", ";
    if (const std::string call = CallText(row); !call.empty()) sentence += call + ", ";
    return sentence + VerdictText(row);
}

std::string RowTabText(const Judgement& row) {
    return (row.line > 0 ? std::to_string(row.line) : std::string()) + '\t' + TabField(row.speaker) + '\t' +
           TabField(row.message) + '\t' + AmountText(row) + '\t' + TabField(VerdictText(row)) + '\t' +
           CallText(row);
}

std::string LogSummary(const FloorLog& log) {
    const std::string item = log.item + ": ";
    if (!log.judged) return item + "no Get Bids judged yet";
    std::size_t judged = 0, taken = 0;
    // A held SOLD is said over the log, where the host and a screen reader meet it first.
    const std::string held = !log.rows.empty() && log.rows.back().kind == RowKind::Held
                                 ? "; " + log.rows.back().note
                                 : std::string();
    std::string summary = item;
    for (const Judgement& row : log.rows) {
        if (row.kind == RowKind::FetchFailed) return summary.append(row.note).append(held);
        if (row.kind != RowKind::Esp) continue;
        ++judged;
        if (row.verdict == Verdict::Taken) ++taken;
    }
    summary += std::to_string(judged) + (judged == 1 ? " ESP line" : " ESP lines") + " judged, ";
    summary += std::to_string(taken) + " taken";
    return summary.append(held);
}

JudgementRecorder::JudgementRecorder(std::vector<Judgement>* rows, const AuctionBounds& bounds,
                                     std::string_view item)
    : rows_(rows), bounds_(bounds), item_(item) {
    const std::size_t colon = bounds.startLine.find(':');
    if (colon != std::string_view::npos) host_ = TrimView(bounds.startLine.substr(0, colon));
}

void JudgementRecorder::AfterStart(std::string_view line) {
    // Most lines are talk: only one that ends in "CALL" is worth splitting.
    const std::string_view trimmed = TrimView(line);
    if (!trimmed.ends_with("CALL")) return;
    const std::size_t colon = trimmed.find(':');
    if (colon == std::string_view::npos || TrimView(trimmed.substr(0, colon)) != host_) return;
    const std::string_view said = TrimView(trimmed.substr(colon + 1));
    for (int call = 1; call <= 3; ++call)
        if (said == CallWords(call)) lastCall_ = call;
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
    row.afterCall = lastCall_;
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
