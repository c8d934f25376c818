#include "common/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <system_error>

namespace gv {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Walks a text skipping blanks wherever they stand, as the numeric-value rule reads it.
class BlankSkipper {
public:
    explicit BlankSkipper(std::string_view text) : text_(text) { Skip(); }
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    std::size_t Position() const { return pos_ < text_.size() ? pos_ : text_.size(); }
    void Advance() {
        ++pos_;
        Skip();
    }

private:
    void Skip() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    }
    std::string_view text_;
    std::size_t pos_ = 0;
};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

NumericValue FromWhole(double value, bool overflow) {
    NumericValue v;
    if (overflow || std::isinf(value)) {
        v.outOfRange = true;
        return v;
    }
    v.value = value;
    return v;
}

// "&H..." and "&O...": whole numbers, never negative.
NumericValue ReadRadix(BlankSkipper& in) {
    const char kind = in.Peek();
    in.Advance();
    if (kind == 'H' || kind == 'h') {
        // Hex digits go through from_chars so a long number is still rounded correctly.
        std::string digits;
        while (!in.AtEnd() && HexDigit(in.Peek()) >= 0) {
            if (!(digits.empty() && in.Peek() == '0')) digits.push_back(in.Peek());
            in.Advance();
        }
        if (digits.empty()) return {};
        double value = 0.0;
        const auto r =
            std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::hex);
        return FromWhole(value, r.ec == std::errc::result_out_of_range);
    }
    // Octal: each digit multiplies by a power of two, exact until 2^53.
    double value = 0.0;
    while (!in.AtEnd() && in.Peek() >= '0' && in.Peek() <= '7') {
        value = value * 8.0 + (in.Peek() - '0');
        in.Advance();
    }
    return FromWhole(value, false);
}

}  // namespace

namespace {

// The number copied in the form from_chars reads ("-123.45e-6"), blanks and the "D" exponent
// letter left behind. Most bids are short, so the copy stays on the stack.
class NumberCopy {
public:
    void Put(char c) {
        if (len_ < kInline) {
            inline_[len_++] = c;
            return;
        }
        if (heap_.empty()) heap_.assign(inline_, kInline);
        heap_.push_back(c);
        ++len_;
    }
    const char* Data() const { return len_ <= kInline ? inline_ : heap_.data(); }
    std::size_t Size() const { return len_; }

private:
    static constexpr std::size_t kInline = 64;
    char inline_[kInline];
    std::string heap_;
    std::size_t len_ = 0;
};

struct Mantissa {
    bool anyDigit = false;
    bool seenSignificant = false;
    // Decimal exponent of the first significant digit, to tell overflow from underflow.
    long long leadExponent = 0;
};

// Digits with at most one ".".
Mantissa ReadMantissa(BlankSkipper& in, NumberCopy& copy) {
    Mantissa m;
    bool point = false;
    long long intDigits = 0;
    long long fracZeros = 0;
    for (;;) {
        const char c = in.Peek();
        if (IsDigit(c)) {
            m.anyDigit = true;
            if (c != '0' && !m.seenSignificant) {
                m.seenSignificant = true;
                m.leadExponent = point ? -(fracZeros + 1) : 0;
            }
            if (!point) {
                if (m.seenSignificant) ++intDigits;
            } else if (!m.seenSignificant) {
                ++fracZeros;
            }
        } else if (c != '.' || point) {
            break;
        } else {
            point = true;
        }
        copy.Put(c);
        in.Advance();
    }
    if (m.seenSignificant && intDigits > 0) m.leadExponent = intDigits - 1;
    return m;
}

// "E" or "D" in either case, an optional sign, digits; without digits after it, the letter is
// not part of the number and nothing is read. The exponent's value (capped, for the range test).
long long ReadExponent(BlankSkipper& in, NumberCopy& copy) {
    const char e = in.Peek();
    if (e != 'E' && e != 'e' && e != 'D' && e != 'd') return 0;
    BlankSkipper probe = in;
    probe.Advance();
    bool negative = false;
    if (probe.Peek() == '-' || probe.Peek() == '+') {
        negative = probe.Peek() == '-';
        probe.Advance();
    }
    if (!IsDigit(probe.Peek())) return 0;
    copy.Put('e');
    if (negative) copy.Put('-');
    long long exponent = 0;
    while (IsDigit(probe.Peek())) {
        const int d = probe.Peek() - '0';
        if (exponent < 1'000'000'000'000LL) exponent = exponent * 10 + d;
        copy.Put(probe.Peek());
        probe.Advance();
    }
    in = probe;
    return negative ? -exponent : exponent;
}

NumericValue Convert(const NumberCopy& copy, const Mantissa& m, long long exponent, bool negative) {
    NumericValue result;
    result.negative = negative;
    double value = 0.0;
    const auto r = std::from_chars(copy.Data(), copy.Data() + copy.Size(), value, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range) {
        if (m.seenSignificant && m.leadExponent + exponent > 0) {
            result.outOfRange = true;
            return result;
        }
        value = 0.0;  // too small to hold: it is worth nothing
    } else if (r.ec != std::errc{}) {
        value = 0.0;
    }
    if (std::isinf(value)) {
        result.outOfRange = true;
        return result;
    }
    result.value = value == 0.0 ? 0.0 : value;  // no negative zero
    return result;
}

}  // namespace

namespace {

NumericValue ReadValue(BlankSkipper& in) {
    if (in.Peek() == '&') {
        in.Advance();
        const char k = in.Peek();
        if (k == 'H' || k == 'h' || k == 'O' || k == 'o') return ReadRadix(in);
        return {};
    }
    NumberCopy copy;
    bool negative = false;
    if (in.Peek() == '-' || in.Peek() == '+') {
        negative = in.Peek() == '-';
        in.Advance();
    }
    if (negative) copy.Put('-');
    const Mantissa m = ReadMantissa(in, copy);
    if (!m.anyDigit) return NumericValue{0.0, false, negative};
    const long long exponent = ReadExponent(in, copy);
    return Convert(copy, m, exponent, negative);
}

}  // namespace

NumericValue Val(std::string_view text) {
    BlankSkipper in(text);
    NumericValue value = ReadValue(in);
    value.length = in.Position();
    return value;
}

double ValOrInfinity(std::string_view text) {
    const NumericValue v = Val(text);
    if (!v.outOfRange) return v.value;
    return v.negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
}

namespace {

// A finite, non-zero value's significant digits (no trailing zeros), its sign and its decimal
// exponent, as scientific notation has them.
struct Digits {
    char digits[20];
    std::size_t count = 0;
    bool negative = false;
    int exp10 = 0;
};

Digits SignificantDigits(double value, bool exact) {
    // 15 significant digits, so that arithmetic noise (0.1 + 0.2) never shows. More (up to
    // the 17 that make any double read back as itself) where 15 will not do: when the text is
    // to read back exactly, and when rounding up would carry the largest doubles past the range.
    char sci[40];
    auto r = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific, 14);
    double back = 0.0;
    const bool overflows = std::from_chars(sci, r.ptr, back).ec == std::errc::result_out_of_range;
    if (overflows || (exact && back != value)) {
        r = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific);
    }
    const std::string_view s(sci, static_cast<std::size_t>(r.ptr - sci));
    Digits d;
    d.negative = s.front() == '-';
    const std::size_t m = d.negative ? 1 : 0;
    d.digits[d.count++] = s[m];
    const std::size_t ePos = s.find('e');
    for (std::size_t i = m + 2; i < ePos; ++i) d.digits[d.count++] = s[i];
    while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
    const char* p = s.data() + ePos + 1;
    if (*p == '+') ++p;
    std::from_chars(p, s.data() + s.size(), d.exp10);
    return d;
}

void AppendExponentForm(std::string& out, const Digits& d) {
    out.push_back(d.digits[0]);
    if (d.count > 1) {
        out.push_back('.');
        out.append(d.digits + 1, d.count - 1);
    }
    out.push_back('E');
    out.push_back(d.exp10 < 0 ? '-' : '+');
    const int a = d.exp10 < 0 ? -d.exp10 : d.exp10;
    if (a < 10) out.push_back('0');
    char eb[8];
    const auto er = std::to_chars(eb, eb + sizeof eb, a);
    out.append(eb, er.ptr);
}

void AppendPlainForm(std::string& out, const Digits& d) {
    if (d.exp10 < 0) {
        out.push_back('.');
        out.append(static_cast<std::size_t>(-d.exp10 - 1), '0');
        out.append(d.digits, d.count);
        return;
    }
    const std::size_t intLen = static_cast<std::size_t>(d.exp10) + 1;
    if (d.count <= intLen) {
        out.append(d.digits, d.count);
        out.append(intLen - d.count, '0');
    } else {
        out.append(d.digits, intLen);
        out.push_back('.');
        out.append(d.digits + intLen, d.count - intLen);
    }
}

std::string FormatNumber(double value, bool exact) {
    // Infinity is written as the smallest power of ten beyond the double range, so that
    // the text reads back (ValOrInfinity) as the same infinity.
    if (std::isnan(value)) return "0";
    if (std::isinf(value)) return value > 0 ? "1E+309" : "-1E+309";
    if (value == 0.0) return "0";
    const Digits d = SignificantDigits(value, exact);
    std::string out;
    out.reserve(24);
    if (d.negative) out.push_back('-');
    if (d.exp10 >= 15 || d.exp10 < -5) {
        AppendExponentForm(out, d);
    } else {
        AppendPlainForm(out, d);
    }
    return out;
}

}  // namespace

std::string NumberText(double value) { return FormatNumber(value, false); }

std::string ExactNumberText(double value) { return FormatNumber(value, true); }

std::string_view TrimView(std::string_view text) {
    const std::size_t b = text.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    const std::size_t e = text.find_last_not_of(' ');
    return text.substr(b, e - b + 1);
}

std::string Trim(std::string_view text) { return std::string(TrimView(text)); }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

bool HoldsIgnoringCase(std::string_view text, std::string_view part) {
    if (part.empty()) return true;  // std::search finds nothing in an empty text
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [](char x, char y) { return AsciiLower(x) == AsciiLower(y); }) != text.end();
}

}  // namespace gv
