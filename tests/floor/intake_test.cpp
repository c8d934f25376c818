// The bid intake over captured chat texts.

#include "floor/intake.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "chat_text.h"
#include "fakes.h"
#include "intake_fixture.h"

namespace gv {
namespace {

using testing::Chat;

const std::vector<std::string> kOakChestChat = {
    "Ann: 550",           "ESP from Ann: 520",         kMarkerLine,
    "ESP from Ann: 0450", "ESP from Ann: 0500 tokens", "ESP from Ben: 505",
    "ESP from Ben: 510",  "ESP from Cy: 510",          "ESP from Cy: 1000",
    "ESP from Dee: 1050", "esp from Eve: 5000",        "ESP from Fay: 1,500",
};

TEST_F(IntakeTest, OakChestSequenceEndsWithCyOverBen) {
    const int yields = Take(Chat(kOakChestChat));
    ExpectBids("1000", "Cy", "510", "Ben");
    EXPECT_EQ(accepted, 3);
    EXPECT_EQ(yields, 12 + 3);  // one per line read, one per accepted bid
    EXPECT_EQ(block.markerText, "Item on the Block currently is Oak chest");
}

TEST_F(IntakeTest, OakChestSequenceLineByLine) {
    struct Step {
        std::size_t lines;
        const char* current;
        const char* bidder;
        const char* last;
        const char* lastBidder;
    };
    const Step steps[] = {
        {2, "", "", "", ""},        // before the marker nothing counts
        {4, "", "", "", ""},        // 450 is below the minimum
        {5, "500", "Ann", "", ""},  // first bid: no raise, last bid untouched
        {6, "500", "Ann", "", ""},  // 505 - 500 < 10
        {7, "510", "Ben", "500", "Ann"},
        {8, "510", "Ben", "500", "Ann"},   // equal bid refused
        {9, "1000", "Cy", "510", "Ben"},   // raise of the tier of 1000 is 100; 490 is enough
        {10, "1000", "Cy", "510", "Ben"},  // 50 < 100
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.lines);
        BlockState fresh;
        PutOnBlock(fresh, "Oak chest - 500");
        block = fresh;
        Take(Chat({kOakChestChat.begin(), kOakChestChat.begin() + static_cast<long>(step.lines)}));
        ExpectBids(step.current, step.bidder, step.last, step.lastBidder);
    }
}

TEST_F(IntakeTest, SecondIntakeWithoutNewBidsChangesNothing) {
    const std::string chat = Chat(kOakChestChat);
    Take(chat);
    const BlockState after = block;
    accepted = 0;
    Take(chat);
    EXPECT_EQ(accepted, 0);
    ExpectBids(after.currentBid, after.currentBidder, after.lastBid, after.lastBidder);

    // A new bid in the chat is judged against what the first intake left.
    std::vector<std::string> more = kOakChestChat;
    more.push_back("ESP from Gus: 1100");
    Take(Chat(more));
    ExpectBids("1100", "Gus", "1000", "Cy");
}

TEST_F(IntakeTest, MarkerRules) {
    // No marker for the item on the block: nothing counts.
    Take(Chat({"Host: Item on the Block currently is Oak chest 2", "ESP from Ann: 600",
               "Host: item on the block currently is Oak chest", "ESP from Ann: 700"}));
    ExpectBids("", "", "", "");

    // Spaces around the message and around the item's name do not matter; any speaker counts.
    block.blockItem = "Oak chest  ";
    Take(Chat({"Zed:   Item on the Block currently is Oak chest   ", "ESP from Ann: 600"}));
    ExpectBids("600", "Ann", "", "");
}

TEST_F(IntakeTest, BidsCountFromTheFirstOfTwoMarkers) {
    Take(Chat({"ESP from Zoe: 900", kMarkerLine, "ESP from Ann: 500", kMarkerLine, "ESP from Ben: 600"}));
    ExpectBids("600", "Ben", "500", "Ann");
}

TEST_F(IntakeTest, LineEnds) {
    // CR alone ends a line.
    std::string chat = std::string(kMarkerLine) + "\rESP from Ann: 500\rESP from Ben: 600\r";
    EXPECT_EQ(Take(chat), 3 + 2);
    ExpectBids("600", "Ben", "500", "Ann");

    // A lone LF does not: the marker and the bid below are one line whose message is not the
    // marker, and the LF inside a number is skipped like a blank.
    block = {};
    PutOnBlock(block, "Oak chest - 500");
    Take(std::string(kMarkerLine) + "\nESP from Ann: 900\r\n");
    ExpectBids("", "", "", "");
    Take(Chat({kMarkerLine, "ESP from Ann: 5\n00"}));
    ExpectBids("500", "Ann", "", "");

    // No line end after the last line, and empty lines in between.
    block = {};
    PutOnBlock(block, "Oak chest - 500");
    Take(std::string(kMarkerLine) + "\r\n\r\n\r\nESP from Ann: 700");
    ExpectBids("700", "Ann", "", "");
}

TEST_F(IntakeTest, AmountsAreNumericValues) {
    struct Case {
        const char* message;
        const char* expected;  // CurrentBid after it as the first bid; "" when refused
    } const cases[] = {
        {"1 200", "1200"},   {"1,500", ""},         {"0500 tokens", "500"}, {"700.50", "700.5"},
        {"six hundred", ""}, {"-600", ""},          {"&H258", "600"},       {"  5E2  ", "500"},
        {"1k", ""},          {"600 or 700", "600"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        block = {};
        PutOnBlock(block, "Oak chest - 500");
        Take(Chat({kMarkerLine, std::string("ESP from Ann: ") + c.message}));
        EXPECT_EQ(block.currentBid, c.expected);
    }
}

TEST_F(IntakeTest, BidderAndMessageText) {
    // The bidder is what stands between "ESP from" and the first colon, trimmed; a colon in the
    // message stays part of it.
    Take(Chat({kMarkerLine, "ESP from   Ann Lee  :  600 : 700"}));
    ExpectBids("600", "Ann Lee", "", "");

    // A bid line without a colon names no bidder and no amount: it is no bid, and neither the
    // previous bidder nor the amount of a public line before it is credited.
    block = {};
    PutOnBlock(block, "Oak chest - 500");
    Take(Chat({kMarkerLine, "ESP from Ann: 500", "Bo: 700", "ESP from Cy"}));
    ExpectBids("500", "Ann", "", "");
    block = {};
    PutOnBlock(block, "Oak chest - 10");
    Take(Chat({kMarkerLine, "ESP from Cy: 12", "Eve: 400", "ESP from Fay 500"}));
    ExpectBids("12", "Cy", "", "");

    // "ESP from" with nothing or only blanks after it.
    Take(Chat({kMarkerLine, "ESP from", "ESP from   ", "ESP from :", "ESP from Dee: 30"}));
    ExpectBids("30", "Dee", "12", "Cy");
}

// A bid with more digits than a caption shows by default: the caption keeps it exactly, so the
// next Get Bids over the same chat does not take the same line again as a raise over a rounded
// caption (which made the bidder their own last bidder).
TEST_F(IntakeTest, ALongBidIsNotTakenAgainByTheNextGetBids) {
    const std::string chat = Chat({kMarkerLine, "ESP from Ann: 1234567890123454"});
    Take(chat);
    ExpectBids("1.234567890123454E+15", "Ann", "", "");
    accepted = 0;
    Take(chat);
    EXPECT_EQ(accepted, 0);
    ExpectBids("1.234567890123454E+15", "Ann", "", "");
}

TEST_F(IntakeTest, MinimumBid) {
    // A minimum that is no number, or 0, lets any positive first bid in.
    for (const char* minimum : {"", "0", "Min Bid", "abc"}) {
        SCOPED_TRACE(minimum);
        block = {};
        block.blockItem = "Oak chest";
        block.blockMin = minimum;
        Take(Chat({kMarkerLine, "ESP from Ann: 0", "ESP from Ann: 3"}));
        EXPECT_EQ(block.currentBid, "3");
    }
}

TEST_F(IntakeTest, CaptionsAsTheWindowIsCreated) {
    // The placeholders read as 0: no bid yet, no minimum.
    BlockState fresh;
    block = fresh;
    Take(Chat({"Host: Item on the Block currently is Item on the block", "ESP from Ann: 5"}));
    ExpectBids("5", "Ann", "Last Bid", "Last Bidder");
    Take(Chat(
        {"Host: Item on the Block currently is Item on the block", "ESP from Ann: 5", "ESP from Bo: 16"}));
    ExpectBids("16", "Bo", "5", "Ann");
}

TEST_F(IntakeTest, NumbersBeyondTheDoubleRangeDoNotStopTheIntake) {
    // One such bid must not freeze the auction: the valid bid after it is taken.
    int yields =
        Take(Chat({kMarkerLine, "ESP from Ann: 1E999", "ESP from Ann: -1E999", "ESP from Ben: 600"}));
    ExpectBids("600", "Ben", "", "");
    EXPECT_EQ(yields, 4 + 1);
    Take(Chat({kMarkerLine, "ESP from Ann: 1E999", "ESP from Ben: 600", "ESP from Cy: 1D999",
               "ESP from Dee: 700"}));
    ExpectBids("700", "Dee", "600", "Ben");

    // A minimum beyond the range: no first bid reaches it, and every line is still read.
    block = {};
    PutOnBlock(block, "Oak chest - 1E999");
    yields = Take(Chat({kMarkerLine, "ESP from Ann: 9999999", "ESP from Ann: 1E308"}));
    ExpectBids("", "", "", "");
    EXPECT_EQ(yields, 3);

    // A raise beyond the range: no raise is enough.
    block = {};
    PutOnBlock(block, "Oak chest - 500");
    tiers.Row(0).raise = "1E999";
    Take(Chat({kMarkerLine, "ESP from Ann: 500", "ESP from Ben: 900"}));
    ExpectBids("500", "Ann", "", "");

    // Bounds beyond the range are read too, without stopping.
    tiers.Row(0) = {"0", "1E999", "10"};
    Take(Chat({kMarkerLine, "ESP from Ann: 500", "ESP from Ben: 900"}));
    EXPECT_EQ(block.currentBidder, "Ben");
}

TEST_F(IntakeTest, RaiseIsTheOneOfTheNewAmountsTier) {
    // From 990 (row 0, raise 10) a bid of 1000 is in row 1 (raise 100): refused.
    block.currentBid = "990";
    block.currentBidder = "Ann";
    Take(Chat({kMarkerLine, "ESP from Ben: 1000", "ESP from Ben: 1090", "ESP from Cy: 1089"}));
    ExpectBids("1090", "Ben", "990", "Ann");

    // Above every row the raise is 1.
    tiers.Row(1).high = "2000";
    Take(Chat({kMarkerLine, "ESP from Cy: 3000", "ESP from Dee: 3000.5", "ESP from Eve: 3001.5"}));
    ExpectBids("3001.5", "Eve", "3000", "Cy");
}

// Each rule of a bid at its very edge, where a flipped comparison would change the outcome.
TEST_F(IntakeTest, EdgesOfTheBidRules) {
    struct Case {
        const char* name;
        const char* entry;     // put on the block
        const char* standing;  // CurrentBid (Ann's) before the line
        const char* raise0;    // raise of row 0 (0 to 999)
        const char* line;
        const char* current;  // CurrentBid and CurrentBidder after it
        const char* bidder;
    } const cases[] = {
        {"equal to the standing bid with raise 0", "Oak chest - 500", "600", "0", "ESP from Ben: 600", "600",
         "Ann"},
        {"just above it with raise 0", "Oak chest - 500", "600", "0", "ESP from Ben: 600.5", "600.5", "Ben"},
        {"no number with minimum 0", "Oak chest - 0", "", "10", "ESP from Ann: six hundred", "", ""},
        {"a zero bid with minimum 0", "Oak chest - 0", "", "10", "ESP from Ann: 0", "", ""},
        {"just above zero with minimum 0", "Oak chest - 0", "", "10", "ESP from Ann: .5", ".5", "Ann"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        block = {};
        PutOnBlock(block, c.entry);
        block.currentBid = c.standing;
        block.currentBidder = *c.standing ? "Ann" : "";
        tiers.Row(0).raise = c.raise0;
        Take(Chat({kMarkerLine, c.line}));
        EXPECT_EQ(block.currentBid, c.current);
        EXPECT_EQ(block.currentBidder, c.bidder);
    }
}

double SecondsFor(const std::string& chat, const TierTable& tiers) {
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        BlockState block;
        PutOnBlock(block, "Oak chest - 500");
        const auto start = std::chrono::steady_clock::now();
        TakeBids(chat, block, tiers, [] {});
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

TEST_F(IntakeTest, TenMegabyteChat) {
    // Rises of 100 beat the raise of either tier.
    const testing::ChatText chat = testing::MakeChat({.bytes = 10u << 20, .bidEvery = 50, .raise = 100});
    ASSERT_GT(chat.accepted, 1000);
    const int yields = Take(chat.text);
    ExpectBids(std::to_string(chat.lastBid), chat.lastBidder, std::to_string(chat.previousBid),
               chat.previousBidder);
    EXPECT_EQ(accepted, chat.accepted);
    EXPECT_EQ(yields, chat.lines + chat.accepted);

    // Ten times the text must cost about ten times the time; a quadratic intake would cost a
    // hundred times. The bound is loose so that a busy machine does not fail it.
    const testing::ChatText small = testing::MakeChat({.bytes = 1u << 20, .bidEvery = 50, .raise = 100});
    const double ratio = SecondsFor(chat.text, tiers) / SecondsFor(small.text, tiers);
    EXPECT_LT(ratio, 30.0);
}

}  // namespace
}  // namespace gv
