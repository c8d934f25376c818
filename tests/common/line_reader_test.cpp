#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/lines.h"

namespace gv {
namespace {

std::vector<std::string> Lines(std::string_view text, LineEnds ends) {
    LineReader reader(text, ends);
    std::vector<std::string> out;
    std::string_view line;
    while (reader.Next(line)) out.emplace_back(line);
    EXPECT_EQ(reader.Remaining(), 0u);
    return out;
}

using L = std::vector<std::string>;

TEST(LineReader, CommonRulesOfBothModes) {
    for (LineEnds e : {LineEnds::CrLfCrOrLf, LineEnds::CrLfOrCr}) {
        EXPECT_EQ(Lines("", e), L{});
        EXPECT_EQ(Lines("\r\n", e), L{""});
        EXPECT_EQ(Lines("a\r\nb\r\n", e), (L{"a", "b"}));
        EXPECT_EQ(Lines("a\r\nb", e), (L{"a", "b"}));
        EXPECT_EQ(Lines("a\rb\r", e), (L{"a", "b"}));
        EXPECT_EQ(Lines("a\r\r\nb", e), (L{"a", "", "b"}));
        EXPECT_EQ(Lines("\r\n\r\n", e), (L{"", ""}));
        EXPECT_EQ(Lines(std::string_view("a\0b\r\n\0", 6), e),
                  (L{std::string("a\0b", 3), std::string("\0", 1)}));
    }
}

TEST(LineReader, LoneLineFeedDependsOnTheMode) {
    EXPECT_EQ(Lines("a\nb\n", LineEnds::CrLfCrOrLf), (L{"a", "b"}));
    EXPECT_EQ(Lines("a\n\rb", LineEnds::CrLfCrOrLf), (L{"a", "", "b"}));
    EXPECT_EQ(Lines("a\nb\r\nc", LineEnds::CrLfOrCr), (L{"a\nb", "c"}));
    EXPECT_EQ(Lines("\n", LineEnds::CrLfOrCr), (L{"\n"}));
    EXPECT_EQ(Lines("x\ry\nz\r\n", LineEnds::CrLfCrOrLf), (L{"x", "y", "z"}));
}

TEST(LineReader, ManyLinesOfOneKindReadInOrder) {
    // LF-only and CR-only texts mix the cached positions of the two line ends.
    for (const char* end : {"\n", "\r", "\r\n"}) {
        std::string text;
        for (int i = 0; i < 1000; ++i) text += std::to_string(i) + end;
        const L got = Lines(text, LineEnds::CrLfCrOrLf);
        ASSERT_EQ(got.size(), 1000u);
        EXPECT_EQ(got[0], "0");
        EXPECT_EQ(got[999], "999");
    }
}

TEST(LineReader, RemainingCountsUnreadBytes) {
    LineReader reader("ab\r\ncd", LineEnds::CrLfOrCr);
    std::string_view line;
    EXPECT_EQ(reader.Remaining(), 6u);
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(reader.Remaining(), 2u);
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line, "cd");
    EXPECT_FALSE(reader.Next(line));
}

}  // namespace
}  // namespace gv
