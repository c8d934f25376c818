#include "setup/tier_table.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace gv {
namespace {

// Rows as "low|high|raise", so a whole table compares in one line.
std::vector<std::string> Rows(const TierTable& t) {
    std::vector<std::string> out;
    for (int r = 0; r < kTierRows; ++r) {
        out.push_back(t.Row(r).low + "|" + t.Row(r).high + "|" + t.Row(r).raise);
    }
    return out;
}

using R = std::vector<std::string>;
const std::string E = "||";

// What the host does: types a high bound and leaves the box.
void TypeHigh(TierTable& t, int row, std::string text) {
    t.Row(row).high = std::move(text);
    t.NormaliseHigh(row);
}

TEST(TierTable, InitialContents) {
    const TierTable t;
    EXPECT_EQ(Rows(t), (R{"0|9999999|1", E, E, E, E, E}));
    EXPECT_TRUE(t.InUse(0));
    EXPECT_FALSE(t.InUse(1));
}

TEST(TierTable, WorkedExample) {
    TierTable t;
    TypeHigh(t, 0, "100");
    EXPECT_EQ(Rows(t), (R{"0|100|1", "101|9999999|1", E, E, E, E}));
    TypeHigh(t, 1, "500");
    EXPECT_EQ(Rows(t), (R{"0|100|1", "101|500|1", "501|9999999|1", E, E, E}));

    TierTable gap = t;
    TypeHigh(gap, 0, "50");
    EXPECT_EQ(Rows(gap), (R{"0|50|1", "51|500|1", "501|9999999|1", E, E, E}));

    TierTable overlap = t;
    TypeHigh(overlap, 0, "700");
    EXPECT_EQ(Rows(overlap), (R{"0|700|1", "701|701|1", "702|9999999|1", E, E, E}));

    TypeHigh(t, 0, "9999999");
    EXPECT_EQ(Rows(t), (R{"0|9999999|1", E, E, E, E, E}));
}

TEST(TierTable, LeavingTheTopValueUnchangedChangesNothing) {
    TierTable t;
    t.Row(0).raise = "5";
    t.NormaliseHigh(0);
    EXPECT_EQ(Rows(t), (R{"0|9999999|5", E, E, E, E, E}));
}

TEST(TierTable, HighBelowLowOrErasedRisesToLow) {
    TierTable t;
    TypeHigh(t, 0, "100");
    TypeHigh(t, 1, "500");
    TypeHigh(t, 1, "50");
    EXPECT_EQ(t.Row(1).high, "101");
    EXPECT_EQ(t.Row(2).low, "102");
    TypeHigh(t, 1, "");
    EXPECT_EQ(t.Row(1).high, "101");
    TypeHigh(t, 1, "  300  ");
    EXPECT_EQ(t.Row(1).high, "300");
    TypeHigh(t, 1, "\t300");  // tabs stay, and the text is worth 300 all the same
    EXPECT_EQ(t.Row(1).high, "\t300");
    EXPECT_EQ(t.Row(2).low, "301");
}

TEST(TierTable, OverlapPushesLaterRowsUp) {
    TierTable t;
    t.Row(0) = {"0", "100", "5"};
    t.Row(1) = {"101", "200", "10"};
    t.Row(2) = {"201", "9999999", "25"};
    TypeHigh(t, 0, "300");
    EXPECT_EQ(Rows(t), (R{"0|300|5", "301|301|10", "302|9999999|25", E, E, E}));
}

TEST(TierTable, OverlapPassRunsPastRowsThatNeedNoChange) {
    TierTable t;
    t.Row(0) = {"0", "10", "1"};
    t.Row(1) = {"11", "100", "1"};  // still fine after the push
    t.Row(2) = {"101", "20", "1"};  // damaged by hand: must still be mended
    t.Row(3) = {"21", "9999999", "1"};
    TypeHigh(t, 0, "50");
    EXPECT_EQ(Rows(t), (R{"0|50|1", "51|100|1", "101|101|1", "102|9999999|1", E, E}));
}

TEST(TierTable, FullTableCollapsesToOneRow) {
    TierTable t;
    for (int r = 0; r < 5; ++r) TypeHigh(t, r, std::to_string((r + 1) * 100));
    EXPECT_EQ(Rows(t), (R{"0|100|1", "101|200|1", "201|300|1", "301|400|1", "401|500|1", "501|9999999|1"}));
    TypeHigh(t, 0, "9999999");
    EXPECT_EQ(Rows(t), (R{"0|9999999|1", E, E, E, E, E}));
}

TEST(TierTable, RowFiveMayEndBelowTheTop) {
    TierTable t;
    for (int r = 0; r < 5; ++r) TypeHigh(t, r, std::to_string((r + 1) * 100));
    TypeHigh(t, 5, "600");
    EXPECT_EQ(t.Row(5).high, "600");
    EXPECT_EQ(t.LookupRaise(600).row, 5);
    EXPECT_EQ(t.LookupRaise(700).row, std::nullopt);
    EXPECT_EQ(t.LookupRaise(700).text, "1");
    // Row 5 above the top: row 5 is never compared with it.
    TypeHigh(t, 5, "99999999");
    EXPECT_EQ(t.Row(5).high, "99999999");
}

TEST(TierTable, TypingIntoARowNotInUse) {
    TierTable t;
    TypeHigh(t, 0, "100");
    TypeHigh(t, 3, "500");
    EXPECT_EQ(Rows(t), (R{"0|100|1", "101|9999999|1", E, "|500|", "501|9999999|1", E}));
    EXPECT_FALSE(t.InUse(3));
}

// The Enter walk passes through the empty high bound of a row that is not in use; leaving it
// must not open a row from 1 to the top value with raise 1, which as the last match would
// make every raise 1.
TEST(TierTable, LeavingTheEmptyHighBoundOfARowNotInUseChangesNothing) {
    TierTable t;
    t.Row(0) = {"0", "999", "10"};
    t.Row(1) = {"1000", "9999999", "100"};
    const TierTable loaded = t;
    for (int row = 0; row < kTierRows; ++row) t.NormaliseHigh(row);
    EXPECT_EQ(Rows(t), Rows(loaded));
    EXPECT_EQ(t.LookupRaise(1500).text, "100");

    // Typing into such a row still opens the row after it.
    TypeHigh(t, 3, "");
    EXPECT_EQ(Rows(t), Rows(loaded));
    TypeHigh(t, 3, "500");
    EXPECT_EQ(t.Row(4).low, "501");
    // An erased high bound of a row in use still rises to its low bound.
    TypeHigh(t, 1, "");
    EXPECT_EQ(t.Row(1).high, "1000");
}

// Any table the host can build by typing high bounds into rows in use stays exactly as it is
// when the focus then walks through every box without typing.
TEST(TierTable, AWalkWithoutTypingLeavesABuiltTableAsItIs) {
    std::mt19937 random(20261207);
    const std::vector<std::string> values = {"",    "0",    "7",    "0012",    "100",     "250",
                                             "999", "1000", "5000", "9999998", "9999999", "8888888"};
    for (int trial = 0; trial < 2000; ++trial) {
        TierTable t;
        const int typings = static_cast<int>(random() % 8);
        for (int k = 0; k < typings; ++k) {
            std::vector<int> inUse;
            for (int r = 0; r < kTierRows; ++r)
                if (t.InUse(r)) inUse.push_back(r);
            const int row = inUse[random() % inUse.size()];
            const std::string typed =
                random() % 3 == 0 ? std::to_string(random() % 20000) : values[random() % values.size()];
            TypeHigh(t, row, typed);
        }
        const TierTable built = t;
        for (int lap = 0; lap < 2; ++lap)
            for (int row = 0; row < kTierRows; ++row) t.NormaliseHigh(row);
        ASSERT_EQ(Rows(t), Rows(built)) << "trial " << trial;
    }
}

TEST(TierTable, LeadingZerosStayAsTyped) {
    TierTable t;
    TypeHigh(t, 0, "0012");
    EXPECT_EQ(t.Row(0).high, "0012");
    EXPECT_EQ(t.Row(1).low, "13");
}

TEST(TierTable, TopValueReachedInALaterRowClosesTheTable) {
    TierTable t;
    TypeHigh(t, 0, "100");
    TypeHigh(t, 1, "500");
    TypeHigh(t, 2, "900");
    TypeHigh(t, 1, "10000000");
    EXPECT_EQ(Rows(t), (R{"0|100|1", "101|9999999|1", E, E, E, E}));
}

// A table from rows written as Rows() gives them.
TierTable TableOf(const R& rows) {
    TierTable t;
    for (int r = 0; r < kTierRows; ++r) {
        const std::string& row = rows.at(static_cast<std::size_t>(r));
        const std::size_t a = row.find('|'), b = row.find('|', a + 1);
        t.Row(r) = {row.substr(0, a), row.substr(a + 1, b - a - 1), row.substr(b + 1)};
    }
    return t;
}

// Each step of the normalisation at its edge, where a bound is just equal or one off.
TEST(TierTable, EdgesOfTheNormalisation) {
    struct Case {
        const char* name;
        R before;
        int row;
        const char* typed;
        R after;
    } const cases[] = {
        {"one below the top does not close the table",
         {"0|9999999|1", E, E, E, E, E},
         0,
         "9999998",
         {"0|9999998|1", "9999999|9999999|1", E, E, E, E}},
        {"a high bound equal to its low bound keeps its text",
         {"0|100|1", "101|9999999|1", E, E, E, E},
         1,
         "0101",
         {"0|100|1", "101|0101|1", "102|9999999|1", E, E, E}},
        {"a next row that follows on keeps its low bound's text",
         {"0|100|1", "0101|9999999|1", E, E, E, E},
         0,
         "100",
         {"0|100|1", "0101|9999999|1", E, E, E, E}},
        {"the push leaves a row of one amount and the gap after it",
         {"0|100|1", "101|150|1", "151|151|1", "160|9999999|1", E, E},
         0,
         "120",
         {"0|120|1", "121|150|1", "151|151|1", "160|9999999|1", E, E}},
        {"the push reaches row 5",
         {"0|100|1", "101|200|1", "201|300|1", "301|400|1", "401|500|1", "501|600|1"},
         0,
         "650",
         {"0|650|1", "651|651|1", "652|652|1", "653|653|1", "654|654|1", "655|655|1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TierTable t = TableOf(c.before);
        TypeHigh(t, c.row, c.typed);
        EXPECT_EQ(Rows(t), c.after);
    }
}

TEST(TierTable, NumbersBeyondTheDoubleRangeNeverEndTheProgram) {
    TierTable t;
    TypeHigh(t, 0, "1E999");  // only a hand-edited BIDS.TXT can hold this
    EXPECT_EQ(Rows(t), (R{"0|9999999|1", E, E, E, E, E}));

    t.Row(0).high = "-1E999";
    t.NormaliseHigh(0);
    EXPECT_EQ(t.Row(0).high, "0");

    // An infinite high in row 5 and an infinite low further up.
    TierTable u;
    for (int r = 0; r < 5; ++r) TypeHigh(u, r, std::to_string((r + 1) * 100));
    TypeHigh(u, 5, "1E999");
    EXPECT_EQ(u.LookupRaise(1e300).row, 5);
    u.Row(4).high = "1E999";
    u.NormaliseHigh(4);
    EXPECT_EQ(u.Row(4).high, "9999999");
    EXPECT_EQ(u.Row(5), TierRow{});

    // The successor of an infinite high reads back as infinite, never as a small number.
    TierTable v;
    v.Row(0) = {"1E999", "1E999", "1"};
    v.NormaliseHigh(4);
    v.Row(4).high = "1E999";
    v.Row(4).low = "5";
    v.NormaliseHigh(4);
    EXPECT_EQ(v.Row(4).high, "9999999");
    v.Row(0) = {"-1E999", "1E999", "3"};
    EXPECT_EQ(v.LookupRaise(-1e308).text, "3");
    EXPECT_EQ(v.LookupRaise(5).row, 0);
}

TEST(TierTable, NormaliseOutsideTheTableDoesNothing) {
    TierTable t;
    t.NormaliseHigh(6);
    t.NormaliseHigh(-1);
    EXPECT_EQ(t, TierTable{});
}

TEST(TierTableLookupRaise, BoundsAreInclusiveAndTheLastMatchWins) {
    TierTable t;
    t.Row(0) = {"0", "100", "5"};
    t.Row(1) = {"101", "1000", "10"};
    t.Row(2) = {"1001", "9999999", "25"};
    EXPECT_EQ(t.LookupRaise(0).text, "5");
    EXPECT_EQ(t.LookupRaise(100).text, "5");
    EXPECT_EQ(t.LookupRaise(100.5).row, std::nullopt);  // between the bands
    EXPECT_EQ(t.LookupRaise(101).row, 1);
    EXPECT_EQ(t.LookupRaise(1000).text, "10");
    EXPECT_EQ(t.LookupRaise(9999999).text, "25");
    EXPECT_EQ(t.LookupRaise(10000000).row, std::nullopt);
    EXPECT_EQ(t.LookupRaise(-1).text, "1");

    t.Row(3) = {"50", "150", "7"};  // overlapping rows: the later one wins
    EXPECT_EQ(t.LookupRaise(120).text, "7");
    EXPECT_EQ(t.LookupRaise(120).row, 3);
}

TEST(TierTableLookupRaise, EmptyRaiseOrRowNotInUseIsSkipped) {
    TierTable t;
    t.Row(0) = {"0", "100", "5"};
    t.Row(1) = {"0", "100", ""};
    EXPECT_EQ(t.LookupRaise(50).row, 0);
    t.Row(0).raise = "";
    EXPECT_EQ(t.LookupRaise(50).row, std::nullopt);
    EXPECT_EQ(t.LookupRaise(50).text, "1");
    t.Row(2) = {"", "100", "9"};
    EXPECT_EQ(t.LookupRaise(50).row, std::nullopt);
    // Texts are read as they stand: "1.5." is worth 1.5 but given back as typed.
    t.Row(3) = {"0010", "0020", "1.5."};
    EXPECT_EQ(t.LookupRaise(10).text, "1.5.");
}

TEST(TierTableKeyFilters, WhatEachBoxTakes) {
    EXPECT_EQ(FilterHighBoundKey('0'), KeyVerdict::Pass);
    EXPECT_EQ(FilterHighBoundKey('9'), KeyVerdict::Pass);
    EXPECT_EQ(FilterHighBoundKey(8), KeyVerdict::Pass);
    EXPECT_EQ(FilterHighBoundKey(13), KeyVerdict::Enter);
    for (int k : {int{'.'}, int{'a'}, int{'-'}, int{' '}, int{'/'}, int{':'}, 0, 127, 233}) {
        EXPECT_EQ(FilterHighBoundKey(k), KeyVerdict::Swallow) << k;
        EXPECT_EQ(FilterMinBidKey(k), KeyVerdict::Swallow) << k;
    }
    EXPECT_EQ(FilterRaiseKey('.'), KeyVerdict::Pass);
    EXPECT_EQ(FilterRaiseKey('5'), KeyVerdict::Pass);
    EXPECT_EQ(FilterRaiseKey(8), KeyVerdict::Pass);
    EXPECT_EQ(FilterRaiseKey(13), KeyVerdict::Enter);
    EXPECT_EQ(FilterRaiseKey('x'), KeyVerdict::Swallow);
    EXPECT_EQ(FilterRaiseKey(','), KeyVerdict::Swallow);
    EXPECT_EQ(FilterMinBidKey('7'), KeyVerdict::Pass);
    EXPECT_EQ(FilterMinBidKey(8), KeyVerdict::Pass);
    EXPECT_EQ(FilterMinBidKey(13), KeyVerdict::Swallow);
}

TEST(TierTableKeyFilters, EnterWalksThroughAllTwelveBoxesAndBack) {
    TierBox box{TierBox::High, 0};
    std::vector<TierBox> seen;
    for (int n = 0; n < 12; ++n) {
        seen.push_back(box);
        box = EnterWalkFrom(box);
    }
    EXPECT_EQ(box, (TierBox{TierBox::High, 0}));
    EXPECT_EQ(seen[1], (TierBox{TierBox::Raise, 0}));
    EXPECT_EQ(seen[2], (TierBox{TierBox::High, 1}));
    EXPECT_EQ(seen[11], (TierBox{TierBox::Raise, 5}));
}

}  // namespace
}  // namespace gv
