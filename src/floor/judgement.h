#pragma once
// The floor log: every judgement the last Get Bids made for the item on the block, in chat
// order, with the figures the rules used, so that the host can tell a bidder why a bid did
// or did not count.

#include <cstddef>
#include <string>
#include <vector>

namespace gv {

enum class RowKind {
    EarlierEnd,   // a line that ended an earlier auction (another item's marker, a sale)
    BeforeStart,  // the ESP lines before the auction started, counted in one row
    Start,        // the marker line that started the auction of the item on the block
    NoStart,      // the chat holds no start of this item's auction: no ESP line counts
    Esp,          // an ESP line after the start, with its verdict
    FetchFailed,  // the chat could not be fetched: nothing was judged
    Sold,         // SOLD said the sale of the item
    Held,         // SOLD looked at the chat first and held the sale (`note`: why)
};

enum class Verdict {
    Taken,             // now the current bid
    BelowMinimum,      // first bid under the minimum (`minimum`)
    NotAboveStanding,  // not above the standing bid (`standing`)
    RaiseTooSmall,     // above the standing bid by less than the raise of its tier (`raise`)
    NoNumber,          // the message has no number in front
    NotPositive,       // a number, but 0 or less
    BeyondRange,       // a number beyond the range of a double
    NoColon,           // "ESP from" without a colon after the name: no bidder, no amount
};

struct Judgement {
    RowKind kind = RowKind::Esp;
    std::size_t line = 0;              // 1-based line of the chat; 0 for a row that stands for no one line
    std::string speaker;               // who said the line; the bidder of an ESP line
    std::string message;               // the message text (for a line without colon, all after "ESP from")
    Verdict verdict = Verdict::Taken;  // Esp rows only
    double amount = 0;                 // the amount read (Esp rows with a number; Sold: the price)
    double minimum = 0;                // the minimum a first bid had to reach
    double standing = 0;               // the standing bid a later bid had to beat
    double raise = 0;                  // the raise of the tier that holds `amount`
    std::size_t count = 0;             // BeforeStart: how many ESP lines
    int afterCall = 0;  // Esp: the host's last call before the line in the chat, 1 to 3; 0 none
    std::string note;   // FetchFailed: what failed; Start/NoStart: the item; Sold: the winner;
                        // Held: why
    std::string owed;   // Esp: the bidder's debt from earlier evenings ("owes 320 from
                        // 2026-12-02"), told after the verdict, which it never changes

    bool operator==(const Judgement&) const = default;
};

// What the last Get Bids judged for the item on the block.
struct FloorLog {
    std::string item;     // the item on the block the rows are about
    bool judged = false;  // a Get Bids of this item was recorded since it was put on the block
    std::vector<Judgement> rows;
};

// The verdict column of a row in the host's words, e.g. "refused, below the minimum 500", with
// the bidder's debt after it: "taken; owes 320 from 2026-12-02".
std::string VerdictText(const Judgement& row);
// The call column of an ESP row: "after the 3rd call", "before the calls"; empty for other rows.
std::string CallText(const Judgement& row);
// The amount column: the amount read, or the empty text for a row without one.
std::string AmountText(const Judgement& row);
// A row as one sentence, for screen readers: "Line 7, Ben: 505, after the 1st call, refused, 5
// over the standing bid, the raise for 505 is 10".
std::string RowSentence(const Judgement& row);
// A row as the clipboard gets it: line, who, message, amount, verdict and call, tab-separated.
std::string RowTabText(const Judgement& row);

// One line over the log, which screen readers hear when it changes: "Oak chest: 9 ESP lines
// judged, 3 taken"; the failure itself when the fetch failed; a held SOLD's reason after either.
std::string LogSummary(const FloorLog& log);

}  // namespace gv
