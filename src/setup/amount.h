#pragma once
// Amounts as the chat writes them: a bid's amount read as the intake reads it, and an amount
// that must be the whole of a text (a typed payment, a field of the records).

#include <cstddef>
#include <string_view>

namespace gv {

// True when `message` has a number in front as the numeric value of a text reads it, so that
// an amount of 0 can be told from no number at all.
bool NumberInFront(std::string_view message);

// The amount of a bid's message as the intake reads it (the numeric value of the text), and
// why it is no amount when it is none. Anything that takes amounts as the chat writes them
// reads them with this.
enum class AmountFault {
    None,         // an amount above 0
    NoNumber,     // no number in front ("six", "")
    NotPositive,  // a number, 0 or below
    BeyondRange,  // a number beyond the double range ("1E999")
    LeftOver,     // an amount, and more after it ("1,200" reads 1): only ReadWholeAmount says so
};
struct BidAmount {
    double amount = 0;  // meaningful unless BeyondRange
    AmountFault fault = AmountFault::None;
    std::size_t length = 0;  // the characters the reading took (see NumericValue::length)
};
BidAmount ReadBidAmount(std::string_view message);

// An amount that is the whole text, blanks around it aside: ReadBidAmount's reading, with
// LeftOver where it stopped before the end. The chat's reading stops at the first character
// that does not fit, so "1,200" would be 1: a host's typing and a record's field are taken
// only when nothing is left over.
BidAmount ReadWholeAmount(std::string_view text);

}  // namespace gv
