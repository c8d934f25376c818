// Each ESP line keeps the verdict it got the first time Get Bids judged it in its auction, in
// the floor log and in the evening's log alike.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes.h"
#include "files.h"
#include "floor/floor.h"
#include "scratch_folder.h"

namespace gv {
namespace {

using testing::Chat;
using Lines = std::vector<std::string>;

constexpr const char* kStart = "Host: Item on the Block currently is Oak chest";

class FirstVerdictsTest : public ::testing::Test, protected testing::FloorRig {
protected:
    FirstVerdictsTest() {
        floor.SetCapturePath(folder.path() / "TALLY.TXT");
        floor.SetEveningLog(&log);
        tiers.Row(0) = {"0", "9999999", "10"};
        items.Append("Oak chest - 500");
        floor.AuctionCommand();
    }

    void GetBids(const Lines& chat) {
        link.fetches = {{Chat(chat)}};
        floor.GetBids();
    }
    // The ESP rows of the floor log as "line who: verdict".
    Lines Shown() const {
        Lines shown;
        for (const Judgement& row : floor.Judgements().rows)
            if (row.kind == RowKind::Esp)
                shown.push_back(std::to_string(row.line) + " " + row.speaker + ": " + VerdictText(row));
        return shown;
    }
    // The evening's log from its first "Bid judged" on, without the times.
    Lines Logged() const {
        Lines logged;
        const std::string text = testing::ReadFile(folder.path() / "Gavelton log 2026-12-09.txt");
        for (std::size_t at = text.find(' '); at != std::string::npos;) {
            const std::size_t end = text.find("\r\n", at);
            const std::string event = text.substr(at + 1, end - at - 1);
            if (event.starts_with("Auction of") || event.starts_with("Bid judged")) logged.push_back(event);
            at = text.find(' ', end);
        }
        return logged;
    }
    Lines Sentences() const {
        Lines sentences;
        for (const Judgement& row : floor.Judgements().rows)
            if (row.kind == RowKind::Esp) sentences.push_back("Bid judged: " + RowSentence(row));
        return sentences;
    }

    testing::ScratchFolder folder;
    EveningLog log{folder.path(), [] { return std::string("2026-12-09 20:15:00"); }};
};

TEST_F(FirstVerdictsTest, LinesJudgedBeforeKeepTheirVerdictAndNewLinesGetTheirs) {
    const Lines first = {kStart, "ESP from Ann: 600", "ESP from Ben: 605", "ESP from Ben: 700"};
    GetBids(first);
    Lines second = first;
    for (const char* line : {"Ann: nice chest", "ESP from Cy: 650", "ESP from Cy: 800"})
        second.push_back(line);
    GetBids(second);
    EXPECT_EQ(block.currentBid, "800");
    EXPECT_EQ(Shown(),
              (Lines{"2 Ann: taken (now the current bid)",
                     "3 Ben: refused, 5 over the standing bid, the raise for 605 is 10",
                     "4 Ben: taken (now the current bid)", "6 Cy: refused, not above the standing 700",
                     "7 Cy: taken (now the current bid)"}));
    EXPECT_EQ(LogSummary(floor.Judgements()), "Oak chest: 5 ESP lines judged, 3 taken");
    // The evening's log holds each line once, as the window shows it.
    Lines logged = {"Auction of Oak chest started by Host at line 1 of the chat"};
    for (const std::string& sentence : Sentences()) logged.push_back(sentence);
    EXPECT_EQ(Logged(), logged);
}

TEST_F(FirstVerdictsTest, AnotherStartOrRowsThatNoLongerPairStartAfresh) {
    GetBids({kStart, "ESP from Ann: 600", "ESP from Ben: 700"});
    // A line of the auction is not what it was: pairing on would give it another line's verdict.
    GetBids({kStart, "ESP from Ann: 600", "ESP from Cy: 710"});
    EXPECT_EQ(Shown(),
              (Lines{"2 Ann: refused, not above the standing 700", "3 Cy: taken (now the current bid)"}));
    // A chat that does not go on from the last (a line came above the old ones) pairs with
    // nothing either; the scroll-back after it drops that line, and the lines keep the verdicts
    // they got.
    GetBids({"Ann: hello", kStart, "ESP from Ann: 600", "ESP from Cy: 710", "ESP from Ben: 720"});
    GetBids({kStart, "ESP from Ann: 600", "ESP from Cy: 710", "ESP from Ben: 720", "ESP from Cy: 900"});
    EXPECT_EQ(Shown(), (Lines{"2 Ann: refused, not above the standing 710",
                              "3 Cy: refused, not above the standing 710",
                              "4 Ben: taken (now the current bid)", "5 Cy: taken (now the current bid)"}));
    const Lines logged = Logged();
    ASSERT_GE(logged.size(), 5u);
    EXPECT_EQ(logged[logged.size() - 5], "Auction of Oak chest started by Host at line 2 of the chat");
    EXPECT_EQ(logged.back(), "Bid judged: Line 5, Cy: 900, taken (now the current bid)");

    // The item put on the block again (the host back from the list) is the same auction: the
    // lines keep their first verdicts, and the evening's log gets none of them twice.
    const Lines shown = Shown();
    floor.AuctionCommand();
    GetBids({kStart, "ESP from Ann: 600", "ESP from Cy: 710", "ESP from Ben: 720", "ESP from Cy: 900"});
    EXPECT_EQ(Shown(), shown);
    EXPECT_EQ(Logged(), logged);
}

// The client drops its oldest lines all evening: the lines of the auction keep their verdicts
// and the auction does not start again, however the numbers move.
TEST_F(FirstVerdictsTest, TheScrollBackDroppingOldLinesChangesNoVerdict) {
    GetBids({"Cy: evening", "Ann: hi", "Ben: hello", kStart, "ESP from Ann: 500", "ESP from Ben: 600"});
    GetBids({kStart, "ESP from Ann: 500", "ESP from Ben: 600", "ESP from Cy: 650"});
    EXPECT_EQ(block.currentBid, "650");
    EXPECT_EQ(Shown(), (Lines{"2 Ann: taken (now the current bid)", "3 Ben: taken (now the current bid)",
                              "4 Cy: taken (now the current bid)"}));
    EXPECT_EQ(Logged(), (Lines{"Auction of Oak chest started by Host at line 4 of the chat",
                               "Bid judged: Line 5, Ann: 500, taken (now the current bid)",
                               "Bid judged: Line 6, Ben: 600, taken (now the current bid)",
                               "Bid judged: Line 4, Cy: 650, taken (now the current bid)"}));
}

// Live runs every 2 s while a line drops every second: each run finds two lines gone above
// and two new ones below; bids alike (Ben twice 700) stay apart.
TEST_F(FirstVerdictsTest, LiveRunsWithLinesDroppingEverySecondLogTheStartOnce) {
    Lines chat;
    for (int i = 1; i <= 12; ++i) chat.push_back("Ann: line " + std::to_string(i));
    chat.push_back(kStart);
    chat.push_back("ESP from Ann: 600");
    GetBids(chat);
    const Lines arriving = {"Ann: nice",        "ESP from Ben: 700", "ESP from Ben: 700", "Cy: hm",
                            "ESP from Cy: 710", "ESP from Cy: 715",  "Host: 1ST CALL",    "ESP from Ann: 800",
                            "Ben: no",          "ESP from Ben: 805"};
    for (std::size_t run = 0; run < arriving.size() / 2; ++run) {
        chat.erase(chat.begin(), chat.begin() + 2);
        chat.push_back(arriving[2 * run]);
        chat.push_back(arriving[2 * run + 1]);
        GetBids(chat);
    }
    ASSERT_EQ(block.currentBid, "800");
    const Lines logged = Logged();
    EXPECT_EQ(std::count_if(logged.begin(), logged.end(),
                            [](const std::string& event) { return event.starts_with("Auction of"); }),
              1);
    EXPECT_EQ(logged, (Lines{"Auction of Oak chest started by Host at line 13 of the chat",
                             "Bid judged: Line 14, Ann: 600, taken (now the current bid)",
                             "Bid judged: Line 14, Ben: 700, taken (now the current bid)",
                             "Bid judged: Line 13, Ben: 700, refused, not above the standing 700",
                             "Bid judged: Line 13, Cy: 710, taken (now the current bid)",
                             "Bid judged: Line 14, Cy: 715, refused, 5 over the standing bid, the raise for "
                             "715 is 10",
                             "Bid judged: Line 14, Ann: 800, after the 1st call, taken (now the current bid)",
                             "Bid judged: Line 14, Ben: 805, after the 1st call, refused, 5 over the "
                             "standing bid, the raise for "
                             "805 is 10"}));
    EXPECT_EQ(Shown().front(), "4 Ann: taken (now the current bid)");
}

// The scroll-back takes the start line itself: the host's later State Item of the item now
// starts the auction, which goes on; a line that ended it makes the next start a new auction.
TEST_F(FirstVerdictsTest, ALaterStateItemCarriesTheAuctionOnWhenItsStartIsDropped) {
    GetBids({kStart, "ESP from Ann: 500", kStart, "Host: Current Bid is 500 from Ann", "ESP from Ben: 600"});
    GetBids({kStart, "Host: Current Bid is 500 from Ann", "ESP from Ben: 600", "ESP from Cy: 700"});
    EXPECT_EQ(block.currentBid, "700");
    EXPECT_EQ(Shown(), (Lines{"3 Ben: taken (now the current bid)", "4 Cy: taken (now the current bid)"}));
    // Dropped further, with a new State Item after it.
    GetBids({"ESP from Cy: 700", kStart, "Host: Current Bid is 700 from Cy", "ESP from Ann: 800"});
    EXPECT_EQ(Shown(), (Lines{"4 Ann: taken (now the current bid)"}));
    const Lines logged = Logged();
    EXPECT_EQ(logged.front(), "Auction of Oak chest started by Host at line 1 of the chat");
    EXPECT_EQ(std::count_if(logged.begin(), logged.end(),
                            [](const std::string& event) { return event.starts_with("Auction of"); }),
              1);
    EXPECT_EQ(logged.back(), "Bid judged: Line 4, Ann: 800, taken (now the current bid)");
}

// Two lots of one name, bid alike: the second is an auction of its own, whether the first is
// still in the chat or the scroll-back took it.
TEST_F(FirstVerdictsTest, ASecondLotOfTheSameNameIsANewAuction) {
    items.Append("Oak chest - 500");
    items.Append("Oak chest - 500");
    const Lines first = {kStart, "ESP from Ann: 500"};
    GetBids(first);
    floor.Sold();
    floor.GetNextItem();
    ASSERT_EQ(block.blockItem, "Oak chest");
    const Lines sold = {"Host: SOLD!", "Host: Oak chest is sold for 500 tokens to Ann", kStart,
                        "ESP from Ann: 500"};
    Lines chat = first;
    chat.insert(chat.end(), sold.begin(), sold.end());
    GetBids(chat);
    EXPECT_EQ(block.currentBid, "500");
    EXPECT_EQ(Shown(), (Lines{"6 Ann: taken (now the current bid)"}));
    floor.Sold();
    floor.GetNextItem();
    ASSERT_EQ(block.blockItem, "Oak chest");
    // The third lot goes as the second did, and the scroll-back drops the first lot's lines:
    // the chat reads as the last one with lines added; only the sale tells them apart.
    chat.insert(chat.end(), sold.begin(), sold.end());
    chat.erase(chat.begin(), chat.begin() + 3);
    GetBids(chat);
    EXPECT_EQ(Shown(), (Lines{"7 Ann: taken (now the current bid)"}));
    const Lines logged = Logged();
    EXPECT_EQ(std::count_if(logged.begin(), logged.end(),
                            [](const std::string& event) { return event.starts_with("Auction of"); }),
              3);
    EXPECT_EQ(logged.back(), "Bid judged: Line 7, Ann: 500, taken (now the current bid)");
}

// A sale whose line never reached the chat ends nothing there: a Get Bids after it still
// meets the same auction.
TEST_F(FirstVerdictsTest, ASaleNotSaidLeavesTheAuctionAsItWas) {
    GetBids({kStart, "ESP from Ann: 500"});
    link.speakFault = LinkFault::NotAnswering;
    floor.Sold();
    GetBids({kStart, "ESP from Ann: 500", "ESP from Ben: 600"});
    EXPECT_EQ(Shown(), (Lines{"2 Ann: taken (now the current bid)", "3 Ben: taken (now the current bid)"}));
    EXPECT_EQ(Logged().size(), 3u);
}

// A verdict holds only under the rules it was judged by: the host lowers the raise, puts the
// item up again and fetches; the log says what the captions say.
TEST_F(FirstVerdictsTest, AVerdictGivenUnderOtherRulesIsJudgedAfresh) {
    const Lines chat = {kStart, "ESP from Ann: 500", "ESP from Ben: 505"};
    GetBids(chat);
    ASSERT_EQ(Shown(), (Lines{"2 Ann: taken (now the current bid)",
                              "3 Ben: refused, 5 over the standing bid, the raise for 505 is 10"}));
    tiers.Row(0).raise = "5";
    floor.AuctionCommand();
    GetBids(chat);
    EXPECT_EQ(block.currentBid, "505");
    EXPECT_EQ(block.currentBidder, "Ben");
    EXPECT_EQ(Shown(), (Lines{"2 Ann: taken (now the current bid)", "3 Ben: taken (now the current bid)"}));
    EXPECT_EQ(Logged(),
              (Lines{"Auction of Oak chest started by Host at line 1 of the chat",
                     "Bid judged: Line 2, Ann: 500, taken (now the current bid)",
                     "Bid judged: Line 3, Ben: 505, refused, 5 over the standing bid, the raise "
                     "for 505 is 10",
                     "Auction of Oak chest judged afresh: the minimum bid or the raise table changed",
                     "Bid judged: Line 2, Ann: 500, taken (now the current bid)",
                     "Bid judged: Line 3, Ben: 505, taken (now the current bid)"}));
    // The rules as they are now hold the verdicts again.
    GetBids(chat);
    EXPECT_EQ(Shown(), (Lines{"2 Ann: taken (now the current bid)", "3 Ben: taken (now the current bid)"}));
    EXPECT_EQ(Logged().size(), 6u);
}

}  // namespace
}  // namespace gv
