#include "setup/tier_table.h"

#include "common/text.h"

namespace gv {
namespace {

// A tier text beyond the double range (only a hand-edited BIDS.TXT can hold one) counts as
// plus or minus infinity, so every comparison below still has an answer.
double Num(const std::string& text) { return ValOrInfinity(text); }

constexpr double kTopLimit = 9999998;  // a high bound above this closes the table

}  // namespace

TierTable::TierTable() { rows_[0] = TierRow{"0", kTopValue, "1"}; }

bool TierTable::InUse(int r) const {
    const TierRow& row = Row(r);
    return !row.low.empty() && !row.high.empty();
}

void TierTable::NormaliseHigh(int i) {
    if (i < 0 || i >= kTierRows) return;
    // The low bound row r + 1 must have after row r.
    auto successor = [this](int r) { return NumberText(Num(Row(r).high) + 1); };

    // Passing through the empty high bound of a row that is not in use (the Enter walk does)
    // must not open a row after it: that phantom row would reach from 1 to the top value with
    // raise 1 and, being the last match, override every other row's raise.
    if (Row(i).low.empty() && TrimView(Row(i).high).empty()) return;

    Row(i).high = Trim(Row(i).high);

    if (Num(Row(i).low) > Num(Row(i).high)) Row(i).high = Row(i).low;

    if (i < kTierRows - 1) {
        TierRow& next = Row(i + 1);
        if (next.low.empty()) {
            next.low = successor(i);
            next.high = kTopValue;
            next.raise = "1";
        }
        if (Num(Row(i).high) + 1 < Num(next.low)) {
            next.low = successor(i);
        }
        if (Num(Row(i).high) + 1 > Num(next.low)) {
            next.low = successor(i);
            for (int j = i + 1; j < kTierRows; ++j) {
                if (Num(Row(j).high) < Num(Row(j).low)) {
                    Row(j).high = Row(j).low;
                    if (j < kTierRows - 1) Row(j + 1).low = successor(j);
                }
            }
        }
    }

    for (int j = i; j < kTierRows - 1; ++j) {
        if (Num(Row(j).high) > kTopLimit) {
            Row(j).high = kTopValue;
            for (int k = j + 1; k < kTierRows; ++k) Row(k) = TierRow{};
            break;
        }
    }
}

RaiseLookup TierTable::LookupRaise(double amount) const {
    RaiseLookup found;
    for (int i = 0; i < kTierRows; ++i) {
        if (!InUse(i)) continue;
        const TierRow& row = Row(i);
        if (Num(row.low) <= amount && Num(row.high) >= amount && !row.raise.empty()) {
            found.text = row.raise;
            found.row = i;
        }
    }
    return found;
}

namespace {
constexpr int kEnter = 13;
constexpr int kBackspace = 8;
bool IsDigitKey(int k) { return k >= '0' && k <= '9'; }
}  // namespace

KeyVerdict FilterHighBoundKey(int keyCode) {
    if (keyCode == kEnter) return KeyVerdict::Enter;
    return IsDigitKey(keyCode) || keyCode == kBackspace ? KeyVerdict::Pass : KeyVerdict::Swallow;
}

KeyVerdict FilterRaiseKey(int keyCode) {
    if (keyCode == kEnter) return KeyVerdict::Enter;
    return IsDigitKey(keyCode) || keyCode == kBackspace || keyCode == '.' ? KeyVerdict::Pass
                                                                          : KeyVerdict::Swallow;
}

KeyVerdict FilterMinBidKey(int keyCode) {
    return IsDigitKey(keyCode) || keyCode == kBackspace ? KeyVerdict::Pass : KeyVerdict::Swallow;
}

TierBox EnterWalkFrom(TierBox from) {
    if (from.kind == TierBox::High) return TierBox{TierBox::Raise, from.row};
    return TierBox{TierBox::High, (from.row + 1) % kTierRows};
}

}  // namespace gv
