#pragma once
// The numeric value of a text, the number text of a value, trimming, and comparing without
// case: the text rules every reader and writer of amounts and names in Gavelton shares.

#include <string>
#include <string_view>

namespace gv {

// The number that stands at the start of a text. Spaces, tabs and line feeds are
// skipped wherever they stand (also between digits); then an optional sign, digits with
// at most one ".", an optional exponent ("E" or "D", optional sign, digits); "&H"/"&O"
// read a hexadecimal/octal whole number. Reading stops at the first character that does
// not fit; no digit read gives 0.
struct NumericValue {
    double value = 0.0;       // meaningful only when !outOfRange
    bool outOfRange = false;  // the number lies beyond the range of a double (e.g. "1E999")
    bool negative = false;    // the sign that was read; lets callers map out-of-range to ±inf
    // How many characters of the text the reading took, the blanks before, among and after the
    // number included: the text's length when nothing but the number stands in it.
    std::size_t length = 0;
};

NumericValue Val(std::string_view text);

// Val, with a number beyond the double range taken as plus or minus infinity by its sign.
// For the callers that have decided that is what such a number means.
double ValOrInfinity(std::string_view text);

// Decimal text of a value: no leading space, no leading zeros, no thousands separators,
// no trailing zeros after the point, "." whatever the locale, no "0" before the point
// below 1, exponent form from 1E15 on, at most 15 significant digits (more only where 15
// would round the largest doubles up past the range).
std::string NumberText(double value);
// NumberText with as many more digits (up to 17) as the value needs to read back as exactly
// itself: for a bid caption the intake reads again on the next Get Bids.
std::string ExactNumberText(double value);

// Removes leading and trailing spaces (character 32) only; tabs stay.
std::string Trim(std::string_view text);
std::string_view TrimView(std::string_view text);

// ASCII letters folded to lower case, every other byte as it is: whatever the locale, and
// with the bytes of UTF-8 beyond ASCII untouched.
char AsciiLower(char c);
// Whether the texts are the same but for the case of ASCII letters.
bool SameIgnoringCase(std::string_view a, std::string_view b);
// Whether `part` stands somewhere in `text`, ASCII letters compared without case.
bool HoldsIgnoringCase(std::string_view text, std::string_view part);

}  // namespace gv
