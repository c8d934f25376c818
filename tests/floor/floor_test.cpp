// The floor's commands as the auction panel runs them: announcements, SOLD, next item, the
// Auction command, State Rules and the busy state around them.

#include "floor/floor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes.h"
#include "setup/rules.h"

namespace gv {
namespace {

using Lines = std::vector<std::string>;

class FloorTest : public ::testing::Test, protected testing::FloorRig {
protected:
    FloorTest() {
        floor.SetCapturePath(::testing::TempDir() + "gv_floor_unused_capture.txt");
        spy.onChange = [this] { ++changes; };
    }

    Lines Said() {
        Lines lines = link.spoken;
        link.spoken.clear();
        calls.events.clear();
        return lines;
    }

    void UseOakChestTiers() {
        tiers.Row(0) = {"0", "999", "10"};
        tiers.Row(1) = {"1000", "9999999", "100"};
    }
};

TEST_F(FloorTest, StateItemRightAfterStartSaysOneLine) {
    floor.StateItem();
    EXPECT_EQ(Said(), Lines{"Item on the Block currently is Item on the block"});
}

TEST_F(FloorTest, StateItemOfANewItem) {
    PutOnBlock(block, "Oak chest - 500");
    floor.StateItem();
    EXPECT_EQ(Said(), (Lines{"Item on the Block currently is Oak chest", "Minimum Bid is 500",
                             "** Minimum Raise Amount is 1 **"}));
    EXPECT_EQ(block.raiseBase, "500");
    EXPECT_EQ(block.raiseText, "1");
    floor.StateItem();
    EXPECT_EQ(Said(), (Lines{"Item on the Block currently is Oak chest", "Minimum Bid is 500"}));
}

TEST_F(FloorTest, RaiseAnnouncedOncePerTier) {
    UseOakChestTiers();
    PutOnBlock(block, "Oak chest - 500");
    floor.StateItem();
    EXPECT_EQ(Said().back(), "** Minimum Raise Amount is 10 **");

    block.currentBid = "510";
    block.currentBidder = "Ben";
    floor.StateItem();
    EXPECT_EQ(Said(), (Lines{"Item on the Block currently is Oak chest", "Current Bid is 510 from Ben"}));

    block.currentBid = "1000";
    block.currentBidder = "Cy";
    floor.StateItem();
    EXPECT_EQ(Said(), (Lines{"Item on the Block currently is Oak chest", "Current Bid is 1000 from Cy",
                             "** Minimum Raise Amount is 100 **"}));
    EXPECT_EQ(block.raiseTierIndex, 1);
    floor.StateItem();
    EXPECT_EQ(Said().size(), 2u);

    // The next item arms every tier again.
    PutOnBlock(block, "Lamp - 20");
    floor.StateItem();
    EXPECT_EQ(Said().back(), "** Minimum Raise Amount is 10 **");
}

TEST_F(FloorTest, RaiseLookupCases) {
    // Overlapping rows: the last matching row wins.
    tiers.Row(0) = {"0", "1000", "10"};
    tiers.Row(1) = {"1000", "9999999", "50"};
    PutOnBlock(block, "Oak chest - 500");
    block.currentBid = "1000";
    block.currentBidder = "Cy";
    floor.StateItem();
    EXPECT_EQ(Said().back(), "** Minimum Raise Amount is 50 **");

    // A row with an empty raise never applies; above every row the index of the earlier
    // lookup stays and the raise is "1".
    tiers.Row(0) = {"0", "600", "5"};
    tiers.Row(1) = {"601", "800", ""};
    PutOnBlock(block, "Oak chest - 500");
    floor.StateItem();
    EXPECT_EQ(Said().back(), "** Minimum Raise Amount is 5 **");
    EXPECT_EQ(block.raiseTierIndex, 0);
    block.currentBid = "700";
    floor.StateItem();
    EXPECT_EQ(Said().size(), 2u);
    EXPECT_EQ(block.raiseText, "1");
    EXPECT_EQ(block.raiseTierIndex, 0);
    block.raiseDue[0] = true;
    floor.StateItem();
    EXPECT_EQ(Said().back(), "** Minimum Raise Amount is 1 **");

    // Neither bid nor minimum positive: the raise base stays what it was.
    block.currentBid = "";
    block.blockMin = "abc";
    floor.StateItem();
    EXPECT_EQ(Said(), Lines{"Item on the Block currently is Oak chest"});
    EXPECT_EQ(block.raiseBase, "700");
}

TEST_F(FloorTest, NumbersBeyondTheRangeInStateItem) {
    // Infinitely large: stated as it stands, above every row, so the raise is "1".
    PutOnBlock(block, "Oak chest - 1E999");
    floor.StateItem();
    EXPECT_EQ(Said(), (Lines{"Item on the Block currently is Oak chest", "Minimum Bid is 1E999",
                             "** Minimum Raise Amount is 1 **"}));
    EXPECT_EQ(block.raiseBase, "1E999");
}

TEST_F(FloorTest, CallsWithAndWithoutABid) {
    PutOnBlock(block, "Oak chest - 500");
    floor.Call(1);
    EXPECT_EQ(Said(), (Lines{"1ST CALL", "Oak chest", "Current Bid is  from "}));
    block.currentBid = "510";
    block.currentBidder = "Ben";
    floor.Call(2);
    EXPECT_EQ(Said(), (Lines{"2ND CALL", "Oak chest", "Current Bid is 510 from Ben"}));
    floor.Call(3);
    EXPECT_EQ(Said(), (Lines{"3RD CALL", "Oak chest", "Current Bid is 510 from Ben"}));

    // An empty item name is not sent; the other lines are.
    block.blockItem.clear();
    floor.Call(1);
    EXPECT_EQ(Said(), (Lines{"1ST CALL", "Current Bid is 510 from Ben"}));
    EXPECT_TRUE(CallLines(block, 0).empty());
    EXPECT_TRUE(CallLines(block, 4).empty());
}

TEST_F(FloorTest, SoldSpeaksAndRemovesTheEntryOnce) {
    for (const char* entry : {"Oak chest - 500", "Half-plate armour - 1200", "Lamp"}) items.Append(entry);
    PutOnBlock(block, "Oak chest - 500");
    floor.Sold();
    EXPECT_EQ(Said(), (Lines{"SOLD!", "Oak chest is sold for  tokens to "}));
    EXPECT_EQ(items.Entries(), (Lines{"Half-plate armour - 1200", "Lamp"}));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(block.blockItem, "Oak chest");  // the block shows the sold item until the next

    // SOLD again for the same item says the sale again and takes nothing more.
    block.currentBid = "1300";
    block.currentBidder = "Ann";
    floor.Sold();
    EXPECT_EQ(Said(), (Lines{"SOLD!", "Oak chest is sold for 1300 tokens to Ann"}));
    EXPECT_EQ(items.Entries(), (Lines{"Half-plate armour - 1200", "Lamp"}));
    EXPECT_EQ(changes, 1);

    // The next entry put on the block goes with its own SOLD.
    block.blockItemIndex = 1;
    PutOnBlock(block, items.EntryAt(1));
    floor.Sold();
    EXPECT_EQ(Said().size(), 2u);
    EXPECT_EQ(items.Entries(), Lines{"Half-plate armour - 1200"});
    EXPECT_EQ(block.blockItemIndex, 1);

    // Past the end (entries deleted since) and on an empty list: nothing removed, lines said.
    PutOnBlock(block, "Rug - 5");
    floor.Sold();
    EXPECT_EQ(Said().size(), 2u);
    EXPECT_EQ(items.Entries(), Lines{"Half-plate armour - 1200"});
    items.Clear();
    PutOnBlock(block, "Rug - 5");
    floor.Sold();
    EXPECT_EQ(Said().size(), 2u);
    EXPECT_EQ(changes, 2);
}

// Vase, Lamp, Rug, Lamp, Box: the list a host met the faults with.
TEST_F(FloorTest, GetNextItemAfterSoldTakesTheEntryThatFollowedTheSoldOne) {
    for (const char* entry : {"Vase - 5", "Lamp - 10", "Rug - 15", "Lamp - 10", "Box - 20"})
        items.Append(entry);
    floor.GetNextItem();  // Lamp, position 1
    floor.Sold();
    floor.Sold();  // pressed twice: Rug must survive
    EXPECT_EQ(items.Entries(), (Lines{"Vase - 5", "Rug - 15", "Lamp - 10", "Box - 20"}));
    floor.GetNextItem();
    EXPECT_EQ(block.blockItem, "Rug");
    EXPECT_EQ(block.blockItemIndex, 1);
    floor.GetNextItem();  // no SOLD in between: one step on, as always
    EXPECT_EQ(block.blockItem, "Lamp");
    EXPECT_EQ(block.blockItemIndex, 2);

    // The last entry sold: the list starts again at its first entry.
    floor.GetNextItem();
    EXPECT_EQ(block.blockItem, "Box");
    floor.Sold();
    floor.GetNextItem();
    EXPECT_EQ(block.blockItem, "Vase");
    EXPECT_EQ(block.blockItemIndex, 0);

    // The first entry sold: the one after it moved to the front and comes next.
    floor.Sold();
    floor.GetNextItem();
    EXPECT_EQ(block.blockItem, "Rug");
    EXPECT_EQ(block.blockItemIndex, 0);
    EXPECT_EQ(items.Entries(), (Lines{"Rug - 15", "Lamp - 10"}));
}

TEST_F(FloorTest, ListCommandStartsTheListAgainEvenAfterSold) {
    for (const char* entry : {"Vase - 5", "Lamp - 10", "Rug - 15"}) items.Append(entry);
    items.Select(2);
    floor.GetNextItem();  // Lamp
    floor.Sold();
    floor.ListCommand();
    EXPECT_EQ(block.blockItemIndex, 0);
    EXPECT_FALSE(items.Selection().has_value());
    floor.Sold();  // still the sold Lamp on the block: nothing more goes
    EXPECT_EQ(items.Count(), 2u);
    // As right after start: Get Next Item puts the second entry on the block.
    floor.GetNextItem();
    EXPECT_EQ(block.blockItem, "Rug");
    EXPECT_EQ(block.blockItemIndex, 1);
}

// Every command that talks to the chat client reports whether it went through, so the window
// can show a failure instead of looking as if nobody bid.
TEST_F(FloorTest, LinkStatusAfterEachCommand) {
    std::vector<std::string> reports;
    spy.onLinkStatus = [&](const std::string& failure) { reports.push_back(failure); };
    PutOnBlock(block, "Oak chest - 500");
    items.Append("Oak chest - 500");

    link.speakFault = LinkFault::NotAnswering;
    floor.StateItem();
    floor.Call(2);
    floor.StateRules();
    floor.Sold();
    EXPECT_EQ(
        reports,
        (Lines{"chat client not answering: item not stated", "chat client not answering: call not said",
               "chat client not answering: rules not said", "chat client not answering: sale not said"}));
    // Every line is still tried after one failed.
    EXPECT_EQ(link.spoken.size(), 3u + 3u + 8u + 2u);
    EXPECT_TRUE(items.Empty());  // the entry went; SOLD again says it again without a loss

    reports.clear();
    link.speakFault = LinkFault::None;
    floor.Call(1);
    EXPECT_EQ(reports, Lines{""});
    // A line that failed is told though the lines after it went through.
    link.speakFaults = {LinkFault::NotAnswering};
    floor.Call(3);
    EXPECT_EQ(reports, (Lines{"", "chat client not answering: call not said"}));

    // Get Bids: a chat client that never answers, one that answers with no chat, one whose
    // library is missing, and one that answers.
    reports.clear();
    for (const LinkFault fault : {LinkFault::NotAnswering, LinkFault::None, LinkFault::LibraryMissing}) {
        link.fetches.assign(5, ChatFetch{"", fault});  // every attempt of the capture alike
        floor.GetBids();
    }
    // Only a fetch that went through counts for the live runs' pace.
    EXPECT_EQ(floor.FetchesThrough(), 0u);
    link.fetches = {{"", LinkFault::NotAnswering}, {"Host: hi"}};
    floor.GetBids();
    EXPECT_EQ(reports, (Lines{"chat client not answering: bids not fetched",
                              "no chat text from the chat client: bids not fetched",
                              "wadapi library not loaded: bids not fetched", ""}));
    EXPECT_EQ(floor.FetchesThrough(), 1u);
}

TEST_F(FloorTest, GetBidsGivesUpAtOnceWhenTheLinkWaitedOutItsBound) {
    link.fetches = {{"", LinkFault::NotAnswering, true}, {"Host: too late"}};
    floor.GetBids();
    EXPECT_EQ(std::count(calls.events.begin(), calls.events.end(), "fetch"), 1);
    EXPECT_EQ(link.fetches.size(), 1u);
}

TEST_F(FloorTest, PutOnBlockSplitsAtTheLastDash) {
    struct Case {
        const char* entry;
        const char* item;
        const char* minimum;
    } const cases[] = {
        {"Oak chest - 500", "Oak chest", "500"},
        {"Half-plate armour - 1200", "Half-plate armour", "1200"},
        {"Rug -", "Rug", ""},
        {"- 300", "", "300"},
        {"  Lamp  -  20  ", "Lamp", "20"},
        {"Lamp", "Item on the block", "Min Bid"},  // no "-": both captions stay
        {"", "Item on the block", "Min Bid"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        BlockState b;
        b.currentBid = "900";
        b.currentBidder = "Ann";
        b.lastBid = "800";
        b.lastBidder = "Bo";
        PutOnBlock(b, c.entry);
        EXPECT_EQ(b.blockItem, c.item);
        EXPECT_EQ(b.blockMin, c.minimum);
        EXPECT_EQ(b.currentBid + b.currentBidder + b.lastBid + b.lastBidder, "");
        for (bool due : b.raiseDue) EXPECT_TRUE(due);
    }
}

TEST_F(FloorTest, GetNextItemWrapsAround) {
    for (const char* entry : {"Oak chest - 500", "Half-plate armour - 1200", "Lamp"}) items.Append(entry);
    floor.GetNextItem();
    EXPECT_EQ(block.blockItemIndex, 1);
    EXPECT_EQ(block.blockItem, "Half-plate armour");
    EXPECT_EQ(block.blockMin, "1200");
    EXPECT_EQ(block.currentBid, "");
    EXPECT_EQ(block.lastBidder, "");

    block.currentBid = "1300";
    block.raiseDue.fill(false);
    floor.GetNextItem();  // "Lamp": no "-", the captions stay, the bids are cleared
    EXPECT_EQ(block.blockItemIndex, 2);
    EXPECT_EQ(block.blockItem, "Half-plate armour");
    EXPECT_EQ(block.blockMin, "1200");
    EXPECT_EQ(block.currentBid, "");
    EXPECT_TRUE(block.raiseDue[5]);

    floor.GetNextItem();
    EXPECT_EQ(block.blockItemIndex, 0);
    EXPECT_EQ(block.blockItem, "Oak chest");
    EXPECT_EQ(block.blockMin, "500");
    EXPECT_EQ(changes, 3);

    // An index past the end (or below the start) starts again at the first entry.
    for (int index : {7, -5}) {
        block.blockItemIndex = index;
        floor.GetNextItem();
        EXPECT_EQ(block.blockItemIndex, 0);
    }
    EXPECT_TRUE(calls.events.empty());  // never busy, never speaks
}

TEST_F(FloorTest, GetNextItemOnShortLists) {
    items.Append("Rug -");
    block.currentBid = "50";
    for (int press = 0; press < 2; ++press) {
        floor.GetNextItem();
        EXPECT_EQ(block.blockItemIndex, 0);
        EXPECT_EQ(block.blockItem, "Rug");
        EXPECT_EQ(block.blockMin, "");
        EXPECT_EQ(block.currentBid, "");
        block.currentBid = "50";
    }

    // An empty list changes nothing.
    items.Clear();
    const BlockState before = block;
    changes = 0;
    floor.GetNextItem();
    EXPECT_EQ(block.blockItem, before.blockItem);
    EXPECT_EQ(block.currentBid, "50");
    EXPECT_EQ(block.blockItemIndex, before.blockItemIndex);
    EXPECT_EQ(block.raiseDue, before.raiseDue);
    EXPECT_EQ(changes, 0);
}

TEST_F(FloorTest, AuctionCommand) {
    // An empty list leaves the block as it was.
    floor.AuctionCommand();
    EXPECT_EQ(block.blockItem, "Item on the block");
    EXPECT_EQ(block.currentBid, "Current Bid");
    EXPECT_FALSE(block.raiseDue[0]);

    items.Append("Oak chest - 500");
    items.Append("Lamp - 20");
    floor.AuctionCommand();
    EXPECT_EQ(block.blockItem, "Oak chest");
    EXPECT_EQ(block.blockMin, "500");
    EXPECT_EQ(block.currentBid, "");
    EXPECT_EQ(block.lastBid, "");
    EXPECT_EQ(block.blockItemIndex, 0);  // not advanced

    // Past the end, e.g. after SOLD took the last entry: an empty entry, so only the bids
    // are cleared and the raises armed.
    block.blockItemIndex = 2;
    block.currentBid = "600";
    block.raiseDue.fill(false);
    floor.AuctionCommand();
    EXPECT_EQ(block.blockItem, "Oak chest");
    EXPECT_EQ(block.blockMin, "500");
    EXPECT_EQ(block.currentBid, "");
    EXPECT_TRUE(block.raiseDue[3]);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(calls.events.empty());
}

TEST_F(FloorTest, StateRulesSpeaksTheRules) {
    floor.StateRules();
    const Lines said = link.spoken;
    EXPECT_EQ(said, RulesLines(tiers));
    ASSERT_EQ(said.size(), 8u);
    EXPECT_EQ(said.front(), "Gavelton");
    EXPECT_EQ(said.back(), " Raise Amount is 1 for Bids between 0 and 9999999");
}

// Lines the link cannot confirm (the library transport) are no news: a failure shown stays.
TEST_F(FloorTest, AnUnconfirmedAnnouncementReportsNothing) {
    std::vector<std::string> reports;
    spy.onLinkStatus = [&](const std::string& failure) { reports.push_back(failure); };
    link.linesConfirmed = false;
    floor.Call(1);
    floor.StateItem();
    EXPECT_TRUE(reports.empty());
    link.speakFault = LinkFault::LibraryMissing;
    floor.Sold();
    EXPECT_EQ(reports, Lines{"wadapi library not loaded: sale not said"});
}

TEST_F(FloorTest, AnAnnouncementStopsAtALineThatWaitedOutItsTimeLimit) {
    std::vector<std::string> reports;
    spy.onLinkStatus = [&](const std::string& failure) { reports.push_back(failure); };
    link.speakFault = LinkFault::NotAnswering;
    floor.StateRules();  // refused at once: every line is still tried
    EXPECT_EQ(link.spoken.size(), RulesLines(tiers).size());
    link.spoken.clear();
    link.waitedOut = true;
    floor.StateRules();
    EXPECT_EQ(link.spoken, (Lines{"Gavelton"}));
    EXPECT_EQ(reports, (Lines{"chat client not answering: rules not said",
                              "chat client not answering: rules not said"}));
}

TEST_F(FloorTest, BusyStateAroundEachBusyCommand) {
    PutOnBlock(block, "Oak chest - 500");
    items.Append("Oak chest - 500");
    const std::vector<std::pair<const char*, std::function<void()>>> commands = {
        {"StateItem", [&] { floor.StateItem(); }},
        {"Call1", [&] { floor.Call(1); }},
        {"Call2", [&] { floor.Call(2); }},
        {"Call3", [&] { floor.Call(3); }},
        {"Sold", [&] { floor.Sold(); }},
        {"GetBids", [&] { floor.GetBids(); }},
        {"StateRules", [&] { floor.StateRules(); }},
    };
    for (const auto& [name, run] : commands) {
        SCOPED_TRACE(name);
        calls.events.clear();
        run();
        ASSERT_GE(calls.events.size(), 2u);
        EXPECT_EQ(calls.events.front(), "enter");
        EXPECT_EQ(calls.events.back(), "leave");
        EXPECT_EQ(std::count(calls.events.begin(), calls.events.end(), "enter"), 1);
        EXPECT_EQ(std::count(calls.events.begin(), calls.events.end(), "leave"), 1);
    }
}

}  // namespace
}  // namespace gv

namespace gv {
namespace {

// SOLD with its last look at the chat: a bid that reached the chat after the last Get Bids holds
// the sale instead of being sold over, and the host's next SOLD sells what the captions show.
class FloorSoldCheck : public FloorTest {
protected:
    FloorSoldCheck() {
        floor.SetCapturePath(::testing::TempDir() + "gv_sold_check_capture.txt");
        floor.SetKeepJudgements(true);
        items.Append("Oak chest - 500");
        items.Append("Lamp - 10");
        floor.AuctionCommand();
        link.fetches = {{testing::Chat({kStart, "ESP from Ann: 600"})}};
        floor.GetBids();
        Said();
    }
    static constexpr const char* kStart = "Host: Item on the Block currently is Oak chest";
    // How many times the chat was fetched since the last Said().
    long Fetches() const { return std::count(calls.events.begin(), calls.events.end(), "fetch"); }
};

TEST_F(FloorSoldCheck, TheSameStandingBidSellsAndTheCheckOffNeverLooks) {
    link.fetches = {{testing::Chat({kStart, "ESP from Ann: 600", "ESP from Ben: 700"})}};
    floor.Sold();  // off by default: sold over Ben's bid, as without the look
    EXPECT_EQ(Fetches(), 0);
    EXPECT_EQ(Said(), (Lines{"SOLD!", "Oak chest is sold for 600 tokens to Ann"}));

    floor.UndoLastSale();
    floor.SetCheckBeforeSold(true);
    link.fetches = {{testing::Chat({kStart, "ESP from Ann: 600", "Ann: good luck"})}};
    floor.Sold();
    EXPECT_EQ(calls.events,
              (Lines{"enter", "fetch", "say:SOLD!", "say:Oak chest is sold for 600 tokens to Ann", "leave"}));
    EXPECT_EQ(items.Entries(), Lines{"Lamp - 10"});
    EXPECT_TRUE(spy.held.empty());
}

TEST_F(FloorSoldCheck, ABidAfterTheLastGetBidsHoldsSoldUntilThePressAfter) {
    floor.SetCheckBeforeSold(true);
    link.fetches = {{testing::Chat({kStart, "ESP from Ann: 600", "ESP from Ben: 700"})}};
    floor.Sold();
    EXPECT_EQ(Fetches(), 1);
    EXPECT_TRUE(Said().empty());
    EXPECT_EQ(block.currentBid, "700");
    EXPECT_EQ(block.currentBidder, "Ben");
    EXPECT_EQ(block.lastBidder, "Ann");
    EXPECT_EQ(items.Count(), 2u);
    EXPECT_FALSE(floor.CanUndo());
    EXPECT_EQ(spy.held, Lines{"SOLD held: Ben bid 700 after the last Get Bids"});
    EXPECT_EQ(LogSummary(floor.Judgements()),
              "Oak chest: 2 ESP lines judged, 2 taken; SOLD held: Ben bid 700 after the last Get Bids");

    // Another command ends the hold; the next SOLD looks again and finds the same bid standing.
    floor.Call(3);
    EXPECT_EQ(spy.held.back(), "");
    Said();
    link.fetches = {{testing::Chat({kStart, "ESP from Ann: 600", "ESP from Ben: 700", "Host: 3RD CALL"})}};
    floor.Sold();
    EXPECT_EQ(Said(), (Lines{"SOLD!", "Oak chest is sold for 700 tokens to Ben"}));

    // Held again for the next item, then the second press sells at the new bid without a look.
    floor.GetNextItem();
    link.fetches = {{testing::Chat({"Host: Item on the Block currently is Lamp", "ESP from Cy: 20"})}};
    floor.Sold();
    EXPECT_EQ(spy.held.back(), "SOLD held: Cy bid 20 after the last Get Bids");
    Said();
    floor.Sold();
    EXPECT_EQ(Fetches(), 0);
    EXPECT_EQ(Said(), (Lines{"SOLD!", "Lamp is sold for 20 tokens to Cy"}));
    EXPECT_EQ(spy.held.back(), "");
    EXPECT_TRUE(items.Empty());
}

TEST_F(FloorSoldCheck, AFetchThatFailsHoldsSoldAndALiveRunLeavesItHeld) {
    floor.SetCheckBeforeSold(true);
    link.fetches.assign(5, ChatFetch{"", LinkFault::NotAnswering});
    floor.Sold();
    EXPECT_TRUE(Said().empty());
    EXPECT_EQ(spy.held, Lines{"SOLD held: bids not fetched"});
    EXPECT_EQ(LogSummary(floor.Judgements()),
              "Oak chest: chat client not answering: bids not fetched; SOLD held: bids not fetched");
    EXPECT_EQ(items.Count(), 2u);

    link.fetches = {{testing::Chat({kStart, "ESP from Ann: 600"})}};
    floor.GetBids(Floor::By::Itself);
    EXPECT_EQ(spy.held.size(), 1u);
    Said();
    floor.Sold();  // sells what the captions show
    EXPECT_EQ(Fetches(), 0);
    EXPECT_EQ(Said(), (Lines{"SOLD!", "Oak chest is sold for 600 tokens to Ann"}));
}

}  // namespace
}  // namespace gv
