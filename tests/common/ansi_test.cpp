#include "common/ansi.h"

#include <gtest/gtest.h>

#include <string>

namespace gv {
namespace {

TEST(Ansi, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::string utf8 = FromAnsi(all);
    EXPECT_EQ(ToAnsi(utf8), all);
    // Each byte on its own too, so no neighbour can hide a wrong mapping.
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(ToAnsi(FromAnsi(one)), one) << b;
    }
}

#ifndef _WIN32
TEST(Ansi, Windows1252Characters) {
    EXPECT_EQ(FromAnsi("\x80"), "\u20AC");
    EXPECT_EQ(FromAnsi("caf\xE9"), "caf\u00E9");
    EXPECT_EQ(FromAnsi("\x93quoted\x94"), "\u201Cquoted\u201D");
    EXPECT_EQ(FromAnsi("\x9F"), "\u0178");
    EXPECT_EQ(FromAnsi("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(ToAnsi("\u20AC 5 \u2013 caf\u00E9"), "\x80 5 \x96 caf\xE9");
}
#endif

TEST(Ansi, PlainAsciiAndNulPassUnchanged) {
    const std::string text("Oak chest - 500\0\r\n", 18);
    EXPECT_EQ(FromAnsi(text), text);
    EXPECT_EQ(ToAnsi(text), text);
    EXPECT_EQ(ToAnsi(""), "");
}

TEST(Ansi, UnmappableCharactersBecomeOneQuestionMarkEach) {
    EXPECT_EQ(ToAnsi("a\u4E2Db"), "a?b");
    EXPECT_EQ(ToAnsi("\U0001F600!"), "?!");
    EXPECT_EQ(ToAnsi("\u0080"), "?");      // a C1 control Windows-1252 maps elsewhere
    EXPECT_EQ(ToAnsi("x\u0101y"), "x?y");  // no best-fit "a"
}

TEST(Ansi, MalformedUtf8BytesBecomeQuestionMarks) {
    EXPECT_EQ(ToAnsi("a\xFF"
                     "b"),
              "a?b");
    EXPECT_EQ(ToAnsi("\x80\x80"), "??");
    EXPECT_EQ(ToAnsi("\xC3"), "?");  // cut short at the end
    EXPECT_EQ(ToAnsi("\xE2\x82"
                     "x"),
              "??x");                               // cut short in the middle
    EXPECT_EQ(ToAnsi("\xC0\xAF"), "??");            // overlong "/"
    EXPECT_EQ(ToAnsi("\xED\xA0\x80"), "???");       // a surrogate
    EXPECT_EQ(ToAnsi("\xF4\x90\x80\x80"), "????");  // beyond U+10FFFF
}

TEST(Ansi, LongMostlyAsciiTextKeepsItsLength) {
    std::string text(1 << 20, 'x');
    text[text.size() / 2] = '\xE9';
    const std::string utf8 = FromAnsi(text);
    EXPECT_EQ(utf8.size(), text.size() + 1);
    EXPECT_EQ(ToAnsi(utf8), text);
}

}  // namespace
}  // namespace gv
