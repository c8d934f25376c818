#pragma once
// The bid-raise tier table: six rows of low bound, high bound and raise texts. The texts are
// the table; every reader takes their numeric value at the moment it reads.

#include <array>
#include <optional>
#include <string>

namespace gv {

inline constexpr int kTierRows = 6;
inline constexpr const char* kTopValue = "9999999";
inline constexpr std::size_t kHighBidMaxChars = 7;
inline constexpr std::size_t kRaiseMaxChars = 4;

struct TierRow {
    std::string low;
    std::string high;
    std::string raise;
};

struct RaiseLookup {
    std::string text = "1";  // raise text of the last matching row, "1" when none matched
    std::optional<int> row;  // the row found, 0 to 5
};

class TierTable {
public:
    TierTable();  // row 0: "0", "9999999", "1"; rows 1 to 5 empty

    TierRow& Row(int r) { return rows_.at(static_cast<std::size_t>(r)); }
    const TierRow& Row(int r) const { return rows_.at(static_cast<std::size_t>(r)); }

    // Low and high bound texts both non-empty.
    bool InUse(int r) const;

    // Leaving the high bound box of row i: trim, raise to the low bound, open/close gaps and
    // overlaps in the next rows, close the table at the top value. A row without a low bound
    // whose high bound is empty is left alone: nothing was typed there.
    void NormaliseHigh(int i);

    // The raise that applies to `amount`: the last row in use whose inclusive bounds hold it
    // and whose raise text is not empty.
    RaiseLookup LookupRaise(double amount) const;

    bool operator==(const TierTable&) const = default;

private:
    std::array<TierRow, kTierRows> rows_;
};

inline bool operator==(const TierRow& a, const TierRow& b) {
    return a.low == b.low && a.high == b.high && a.raise == b.raise;
}

// Key filters of the tier panel and the item list panel. They take the typed character
// code and say what becomes of the key.
enum class KeyVerdict {
    Pass,     // the box takes the key
    Swallow,  // the key is dropped
    Enter,    // dropped, and the focus walks on (tier boxes only)
};

KeyVerdict FilterHighBoundKey(int keyCode);  // digits, Backspace pass; Enter walks
KeyVerdict FilterRaiseKey(int keyCode);      // digits, Backspace, "." pass; Enter walks
KeyVerdict FilterMinBidKey(int keyCode);     // digits, Backspace pass; Enter swallowed

// The Enter walk: high r -> raise r -> high r+1 ... raise 5 -> high 0.
struct TierBox {
    enum Kind { High, Raise } kind;
    int row;
    bool operator==(const TierBox&) const = default;
};
TierBox EnterWalkFrom(TierBox from);

}  // namespace gv
