#include "common/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace gv {
namespace {

double V(std::string_view s) {
    const NumericValue v = Val(s);
    EXPECT_FALSE(v.outOfRange) << s;
    return v.value;
}

TEST(TextVal, PlainNumbersAndPartialTexts) {
    EXPECT_EQ(V("1200"), 1200);
    EXPECT_EQ(V("0012"), 12);
    EXPECT_EQ(V("700.50"), 700.5);
    EXPECT_EQ(V(".5"), 0.5);
    EXPECT_EQ(V("-.5"), -0.5);
    EXPECT_EQ(V("+7"), 7);
    EXPECT_EQ(V("1,000"), 1);
    EXPECT_EQ(V("1k"), 1);
    EXPECT_EQ(V("1.000"), 1);
    EXPECT_EQ(V("1.5.7"), 1.5);  // a second point ends the number
    EXPECT_EQ(V("5."), 5);
    EXPECT_EQ(V("-0.0e5"), 0);
    EXPECT_EQ(V("six"), 0);
    EXPECT_EQ(V(""), 0);
    EXPECT_EQ(V("-"), 0);
    EXPECT_EQ(V("."), 0);
    EXPECT_EQ(V("--5"), 0);
    EXPECT_EQ(V("5-3"), 5);
    EXPECT_FALSE(std::signbit(V("-0"))) << "no negative zero reaches a label";
}

TEST(TextVal, BlanksAreSkippedWhereverTheyStand) {
    EXPECT_EQ(V("1 200"), 1200);
    EXPECT_EQ(V("  \t\n 42"), 42);
    EXPECT_EQ(V("- 1\t2 . 5"), -12.5);
    EXPECT_EQ(V("1 E 3"), 1000);
    // Only space, tab and LF are blanks; a CR or a no-break space ends the number.
    EXPECT_EQ(V("1\r2"), 1);
    EXPECT_EQ(V("1\xA0"
                "2"),
              1);
}

TEST(TextVal, ExponentLettersEAndDInEitherCase) {
    // The classic rule reads lower-case exponent letters as well; we keep that.
    EXPECT_EQ(V("1E3"), 1000);
    EXPECT_EQ(V("1e3"), 1000);
    EXPECT_EQ(V("1D3"), 1000);
    EXPECT_EQ(V("1d3"), 1000);
    EXPECT_EQ(V("25E-1"), 2.5);
    EXPECT_EQ(V("2.5D+2"), 250);
    // An exponent letter without digits is not part of the number.
    EXPECT_EQ(V("1E"), 1);
    EXPECT_EQ(V("1E+"), 1);
    EXPECT_EQ(V("7Dollars"), 7);
    EXPECT_EQ(V("E5"), 0);
}

TEST(TextVal, HexAndOctalWholeNumbers) {
    EXPECT_EQ(V("&H1F"), 31);
    EXPECT_EQ(V("&hff"), 255);
    EXPECT_EQ(V(" &H 1 0"), 16);
    EXPECT_EQ(V("&O17"), 15);
    EXPECT_EQ(V("&o778"), 63);  // 8 is no octal digit
    EXPECT_EQ(V("&HFF.5"), 255);
    EXPECT_EQ(V("&H"), 0);
    EXPECT_EQ(V("&X12"), 0);
    EXPECT_EQ(V("&"), 0);
    EXPECT_EQ(V("&H10000000000000"), 4503599627370496.0);
}

TEST(TextVal, ResultsAreCorrectlyRounded) {
    EXPECT_EQ(V("0.1"), 0.1);
    EXPECT_EQ(V("123456789.123456789"), 123456789.123456789);
    EXPECT_EQ(V("9007199254740993"), 9007199254740992.0);  // ties to even
    EXPECT_EQ(V(std::string(200, '0') + "17"), 17);
    // A long number leaves the small stack buffer and must still read right.
    EXPECT_EQ(V("1" + std::string(100, '0')), 1e100);
    EXPECT_EQ(V("." + std::string(100, '0') + "1"), 1e-101);
}

// A reader that takes only a number alone (a payment typed by the host) needs to know where the
// number ended: the blanks around and inside it count, what does not fit does not.
TEST(TextVal, LengthIsWhereTheReadingStopped) {
    EXPECT_EQ(Val("1 200 ").length, 6u);
    EXPECT_EQ(Val("1,200").length, 1u);
    EXPECT_EQ(Val("5e").length, 1u);
    EXPECT_EQ(Val("5e3x").length, 3u);
    EXPECT_EQ(Val("&H1F").length, 4u);
    EXPECT_EQ(Val("six").length, 0u);
}

TEST(TextVal, BeyondTheDoubleRangeIsFlaggedWithItsSign) {
    NumericValue v = Val("1E999");
    EXPECT_TRUE(v.outOfRange);
    EXPECT_FALSE(v.negative);
    v = Val("-1E999");
    EXPECT_TRUE(v.outOfRange);
    EXPECT_TRUE(v.negative);
    EXPECT_TRUE(Val("1" + std::string(400, '0')).outOfRange);
    EXPECT_TRUE(Val("2E308").outOfRange);
    EXPECT_TRUE(Val("1D99999999999999999999").outOfRange);
    EXPECT_TRUE(Val("&H" + std::string(300, 'F')).outOfRange);
    EXPECT_FALSE(Val("1.7E308").outOfRange);

    EXPECT_EQ(ValOrInfinity("1E999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ValOrInfinity("- 1E999"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ValOrInfinity("12"), 12);
}

TEST(TextVal, TooSmallToHoldIsZeroNotOutOfRange) {
    EXPECT_EQ(V("1E-999"), 0);
    EXPECT_EQ(V("-1E-999"), 0);
    EXPECT_EQ(V("1E-99999999999999999999"), 0);
    EXPECT_EQ(V("0E999"), 0);
    EXPECT_EQ(V("0.000E999"), 0);
    EXPECT_EQ(V("." + std::string(400, '0') + "1E300"), 1e-101);
    EXPECT_EQ(V("." + std::string(400, '0') + "1E500"), 1e99);
    EXPECT_EQ(V("." + std::string(400, '0') + "1"), 0);
    EXPECT_GT(V("4.9E-324"), 0);
}

TEST(TextNumberText, ClassicDecimalForm) {
    EXPECT_EQ(NumberText(0), "0");
    EXPECT_EQ(NumberText(-0.0), "0");
    EXPECT_EQ(NumberText(0.5), ".5");
    EXPECT_EQ(NumberText(-0.5), "-.5");
    EXPECT_EQ(NumberText(700.50), "700.5");
    EXPECT_EQ(NumberText(1200), "1200");
    EXPECT_EQ(NumberText(-1200), "-1200");
    EXPECT_EQ(NumberText(10000000), "10000000");
    EXPECT_EQ(NumberText(0.001), ".001");
    EXPECT_EQ(NumberText(0.00001), ".00001");
    EXPECT_EQ(NumberText(0.000001), "1E-06");
}

TEST(TextNumberText, FifteenSignificantDigitsHideArithmeticNoise) {
    EXPECT_EQ(NumberText(0.1 + 0.2), ".3");
    EXPECT_EQ(NumberText(1.1 * 3), "3.3");
    EXPECT_EQ(NumberText(123456789.123456789), "123456789.123457");
    EXPECT_EQ(NumberText(999999999999999.0), "999999999999999");
    EXPECT_EQ(NumberText(-999999999999999.0), "-999999999999999");
    EXPECT_EQ(NumberText(0.1234567890123456), ".123456789012346");
}

TEST(TextNumberText, ExponentFormFrom1E15On) {
    EXPECT_EQ(NumberText(1e15), "1E+15");
    EXPECT_EQ(NumberText(-1e15), "-1E+15");
    EXPECT_EQ(NumberText(1.5e20), "1.5E+20");
    EXPECT_EQ(NumberText(1.23456789012345e100), "1.23456789012345E+100");
    // Rounds up to 1E15 at 15 digits, so it is written as such.
    EXPECT_EQ(NumberText(999999999999999.7), "1E+15");
    // Rounding the largest doubles up to 15 digits would carry them past the range.
    EXPECT_EQ(NumberText(std::numeric_limits<double>::max()), "1.7976931348623157E+308");
    EXPECT_EQ(ValOrInfinity(NumberText(-std::numeric_limits<double>::max())),
              -std::numeric_limits<double>::max());
}

TEST(TextNumberText, ExactFormReadsBackAsTheVeryValue) {
    for (const double value :
         {1234567890123454.0, 2.5111111111111111e47, 700.1234567890123, 0.1 + 0.2, 1e15, 510.0}) {
        EXPECT_EQ(Val(ExactNumberText(value)).value, value) << ExactNumberText(value);
    }
    EXPECT_EQ(ExactNumberText(1234567890123454.0), "1.234567890123454E+15");
    EXPECT_EQ(ExactNumberText(700.5), "700.5");  // where 15 digits are exact, the same as NumberText
    EXPECT_EQ(ExactNumberText(0.1 + 0.2), ".30000000000000004");
}

TEST(TextNumberText, InfinityReadsBackAsInfinity) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(ValOrInfinity(NumberText(inf)), inf);
    EXPECT_EQ(ValOrInfinity(NumberText(-inf)), -inf);
    EXPECT_EQ(NumberText(std::nan("")), "0");
}

TEST(TextNumberText, ReadsBackAsTheSameNumber) {
    for (double d : {0.5, 700.5, 1200.0, 101.0, 13.0, 9999999.0, 10000000.0, 1e15, 2.5e-7, -42.25}) {
        EXPECT_EQ(V(NumberText(d)), d) << d;
    }
}

TEST(TextTrim, OnlySpacesGo) {
    EXPECT_EQ(Trim("  Lamp  "), "Lamp");
    EXPECT_EQ(Trim("\tLamp \t"), "\tLamp \t");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(Trim(" a b "), "a b");
    EXPECT_EQ(TrimView(std::string_view("\0 x \0", 5)), std::string_view("\0 x \0", 5));
}

// Only ASCII letters fold: an accented name's bytes are compared as they are, so "É" and "é"
// stay two names whatever the locale.
TEST(TextIgnoringCase, OnlyAsciiLettersFold) {
    EXPECT_TRUE(SameIgnoringCase("Payment", "pAYMENT"));
    EXPECT_FALSE(SameIgnoringCase("Pay", "Payment"));
    EXPECT_FALSE(SameIgnoringCase("\xC3\x89mile", "\xC3\xA9mile"));
    EXPECT_FALSE(SameIgnoringCase("[", "{"));  // 'Z' + 1 and 'z' + 1
    EXPECT_TRUE(HoldsIgnoringCase("Bo Vine", "o v"));
    EXPECT_FALSE(HoldsIgnoringCase("Bo", "Bo Vine"));
    EXPECT_TRUE(HoldsIgnoringCase("", ""));  // no filter typed holds every name
}

}  // namespace
}  // namespace gv
