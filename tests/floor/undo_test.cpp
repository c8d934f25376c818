// Undo of the latest sale, and what the floor logs of its lines, sales and undos.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fakes.h"
#include "files.h"
#include "floor/floor.h"
#include "scratch_folder.h"

namespace gv {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using Entries = std::vector<std::string>;

class UndoTest : public ::testing::Test, protected testing::FloorRig {
protected:
    UndoTest() {
        floor.SetSalesRecord(&record);
        floor.SetEveningLog(&log);
        floor.SetClock([] { return std::string("2026-12-09 20:15:00"); });
        spy.onRecordStatus = [this](const std::string& status) { statuses.push_back(status); };
        floor.SetCapturePath(folder.path() / "TALLY.TXT");
        tiers.Row(0) = {"0", "9999999", "5"};
        for (const char* entry : {"Vase - 5", "Lamp - 10", "Rug - 15"}) items.Append(entry);
        // An earlier sale is in the file already; its row must stay as it is.
        record.Add({"2026-12-09 20:00:00", "Box", "1", "2", "Cy", "", "", 1});
        floor.GetNextItem();  // the Lamp
        link.fetches = {{testing::Chat(
            {"Host: Item on the Block currently is Lamp", "ESP from Ann: 20", "ESP from Bo: 30"})}};
        floor.GetBids();
    }

    std::string LogText() const { return ReadFile(folder.path() / "Gavelton log 2026-12-09.txt"); }

    testing::ScratchFolder folder;
    SalesRecord record{folder.path() / "Sales.csv"};
    EveningLog log{folder.path(), [] { return std::string("2026-12-09 20:15:00"); }};
    std::vector<std::string> statuses;
};

TEST_F(UndoTest, PutsBackListBlockAndSalesCsvExactlyOnceAndSaysNothing) {
    const Entries entries = items.Entries();
    const BlockState atSale = block;
    const std::string csv = ReadFile(record.Path());
    floor.Sold();
    ASSERT_NE(ReadFile(record.Path()), csv);
    // The host moved on before noticing: the Rug came on the block.
    floor.GetNextItem();
    ASSERT_EQ(block.blockItem, "Rug");
    link.spoken.clear();

    const UndoOutcome undone = floor.UndoLastSale();
    EXPECT_TRUE(undone.undone);
    EXPECT_EQ(undone.note, "");
    // The floor log no longer shows the Rug's auction, nor the sale.
    EXPECT_EQ(floor.Judgements().item, "Lamp");
    EXPECT_TRUE(floor.Judgements().rows.empty());
    EXPECT_EQ(items.Entries(), entries);
    EXPECT_EQ(block, atSale);
    EXPECT_EQ(ReadFile(record.Path()), csv);
    EXPECT_TRUE(link.spoken.empty());
    EXPECT_NE(
        LogText().find("20:15:00 Undid the sale of Lamp for 30 tokens to Bo: back in the list at place 2, "
                       "on the block; its row taken out of Sales.csv\r\n"),
        std::string::npos)
        << LogText();

    const UndoOutcome again = floor.UndoLastSale();
    EXPECT_FALSE(again.undone);
    EXPECT_EQ(again.note, "undo refused: no sale to undo");
    EXPECT_EQ(items.Entries(), entries);

    // Sold again after the undo, it is a sale like any other.
    floor.Sold();
    EXPECT_EQ(items.Entries(), (Entries{"Vase - 5", "Rug - 15"}));
    EXPECT_NE(ReadFile(record.Path()).find(",Lamp,10,30,Bo,20,Ann,2\r\n"), std::string::npos);
}

// The sale line of an undone sale stays in the chat but ends nothing: the bids after it count
// as before the sale, and a State Item of the item again goes on with the same auction.
TEST_F(UndoTest, UndoReopensTheAuctionForGetBids) {
    std::vector<std::string> chat = {"Host: Item on the Block currently is Lamp", "ESP from Ann: 20",
                                     "ESP from Bo: 30"};
    const auto getBids = [&](std::initializer_list<const char*> lines) {
        chat.insert(chat.end(), lines.begin(), lines.end());
        link.fetches = {{testing::Chat(chat)}};
        floor.GetBids();
    };
    floor.Sold();
    ASSERT_TRUE(floor.UndoLastSale().undone);
    // Cy's bid came before SOLD, Ann's after it.
    getBids({"ESP from Cy: 40", "Host: SOLD!", "Host: Lamp is sold for 30 tokens to Bo", "ESP from Ann: 50"});
    EXPECT_EQ(block.currentBid, "50");
    EXPECT_EQ(block.currentBidder, "Ann");
    EXPECT_EQ(block.lastBid, "40");
    EXPECT_EQ(floor.Judgements().rows.front().kind, RowKind::Start);
    EXPECT_EQ(floor.Judgements().rows.front().line, 1u);

    floor.StateItem();
    getBids(
        {"Host: Item on the Block currently is Lamp", "Host: Current Bid is 50 from Ann", "ESP from Bo: 60"});
    EXPECT_EQ(block.currentBid, "60");
    const std::string text = LogText();
    EXPECT_EQ(text.find("Auction of Lamp started"), text.rfind("Auction of Lamp started")) << text;

    // Sold alike twice, the first undone: the second sale ends the auction.
    floor.Sold();
    ASSERT_TRUE(floor.UndoLastSale().undone);
    floor.Sold();
    getBids({"Host: SOLD!", "Host: Lamp is sold for 60 tokens to Bo", "Host: SOLD!",
             "Host: Lamp is sold for 60 tokens to Bo", "ESP from Cy: 70"});
    EXPECT_EQ(block.currentBid, "60");
    EXPECT_EQ(floor.Judgements().rows.back().kind, RowKind::NoStart);
    // Undone now, the sale line found before ends nothing either, also when the scroll-back
    // moved it, and took the first State Item: the second starts the auction now.
    ASSERT_TRUE(floor.UndoLastSale().undone);
    chat.erase(chat.begin(), chat.begin() + 7);
    getBids({"ESP from Ann: 80"});
    EXPECT_EQ(block.currentBid, "80");
    EXPECT_EQ(block.lastBid, "70");
}

TEST_F(UndoTest, RefusesWhenTheListChangedButNotWhenEntriesWereOnlyAdded) {
    floor.Sold();
    items.Append("Lamp - 10");  // Add to List: the place of the sold entry is still known
    const std::string csv = ReadFile(record.Path());
    items.RemoveAt(0);  // Delete: it is not
    const BlockState block_before = block;
    const UndoOutcome refused = floor.UndoLastSale();
    EXPECT_FALSE(refused.undone);
    EXPECT_EQ(refused.note, "undo refused: the item list changed since the sale of Lamp for 30 tokens to Bo");
    EXPECT_EQ(items.Entries(), (Entries{"Rug - 15", "Lamp - 10"}));
    EXPECT_EQ(block, block_before);
    EXPECT_EQ(ReadFile(record.Path()), csv);

    items.InsertAt(0, "Vase - 5");
    EXPECT_TRUE(floor.UndoLastSale().undone);
    EXPECT_EQ(items.Entries(), (Entries{"Vase - 5", "Lamp - 10", "Rug - 15", "Lamp - 10"}));
}

TEST_F(UndoTest, ARowChangedSinceIsLeftAndSaid) {
    floor.Sold();
    std::string csv = ReadFile(record.Path());
    csv.replace(csv.find(",Bo,"), 4, ",Ben,");  // the host corrected the winner
    testing::WriteFile(record.Path(), csv);

    const UndoOutcome undone = floor.UndoLastSale();
    EXPECT_TRUE(undone.undone);
    EXPECT_EQ(
        undone.note,
        "Sales.csv left as it is: the row of the undone sale of Lamp for 30 tokens to Bo was changed or "
        "taken out since");
    EXPECT_EQ(ReadFile(record.Path()), csv);
    EXPECT_EQ(items.Count(), 3u);
}

TEST_F(UndoTest, ARowStillWaitingInMemoryIsDroppedAndAnUnreadableFileRefuses) {
    const std::string csv = ReadFile(record.Path());
    fs::remove(record.Path());
    fs::create_directory(record.Path());  // cannot be written
    floor.Sold();
    ASSERT_EQ(record.Pending(), 1u);
    EXPECT_TRUE(floor.UndoLastSale().undone);
    EXPECT_EQ(record.Pending(), 0u);
    EXPECT_EQ(statuses.back(), "");  // nothing waits any more
    // The log says what became of the row: it was never in the file.
    EXPECT_NE(LogText().find("Undid the sale of Lamp for 30 tokens to Bo: back in the list at place 2, on "
                             "the block; its row, not yet written to Sales.csv, dropped\r\n"),
              std::string::npos)
        << LogText();

    // Written this time, then the file cannot be read: nothing is undone, so the host can try
    // again once it can.
    fs::remove(record.Path());
    testing::WriteFile(record.Path(), csv);
    floor.Sold();
    const std::string written = ReadFile(record.Path());
    fs::rename(record.Path(), folder.path() / "aside.csv");
    fs::create_directory(record.Path());
    const UndoOutcome refused = floor.UndoLastSale();
    EXPECT_FALSE(refused.undone);
    EXPECT_EQ(refused.note, "undo refused: Sales.csv cannot be rewritten: the file cannot be read");
    EXPECT_EQ(items.Count(), 2u);
    fs::remove(record.Path());
    fs::rename(folder.path() / "aside.csv", record.Path());
    EXPECT_TRUE(floor.UndoLastSale().undone);
    EXPECT_EQ(ReadFile(record.Path()), csv);
}

// Undone after the next item's Get Bids, the sold auction goes on as it was: not started
// again, and its lines keep the verdicts they first got.
TEST_F(UndoTest, AnAuctionUndoneAfterTheNextItemsBidsGoesOnAsItWas) {
    floor.Sold();
    floor.GetNextItem();  // the Rug
    std::vector<std::string> chat = {"Host: Item on the Block currently is Lamp",
                                     "ESP from Ann: 20",
                                     "ESP from Bo: 30",
                                     "Host: SOLD!",
                                     "Host: Lamp is sold for 30 tokens to Bo",
                                     "Host: Item on the Block currently is Rug",
                                     "ESP from Cy: 20"};
    link.fetches = {{testing::Chat(chat)}};
    floor.GetBids();
    ASSERT_NE(LogText().find("Auction of Rug started"), std::string::npos) << LogText();
    ASSERT_TRUE(floor.UndoLastSale().undone);
    // The host states the Lamp again, and the bidding goes on.
    chat.insert(chat.end(), {"Host: Item on the Block currently is Lamp", "ESP from Ann: 40"});
    link.fetches = {{testing::Chat(chat)}};
    floor.GetBids();
    const std::string text = LogText();
    const auto count = [&](const std::string& part) {
        std::size_t n = 0;
        for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("Auction of Lamp started"), 1u) << text;
    EXPECT_EQ(count("Bid judged: Line 3, Bo: 30"), 1u) << text;
    EXPECT_EQ(count("Bid judged: Line 9, Ann: 40"), 1u) << text;
}

// Each line with what became of it, then the sale with what the record made of it.
TEST_F(UndoTest, TheLogHoldsEachLineSaidWithItsFateAndTheSale) {
    link.linesConfirmed = false;
    link.speakFaults = {LinkFault::None, LinkFault::NotAnswering};
    link.waitedOut = true;
    floor.Sold();
    link.linesConfirmed = true;
    link.speakFaults = {LinkFault::LibraryMissing};
    link.waitedOut = false;
    floor.Call(1);
    const std::string text = LogText();
    const std::string expected =
        "20:15:00 Said \"SOLD!\": sent, not confirmed\r\n"
        "20:15:00 Said \"Lamp is sold for 30 tokens to Bo\": the chat client did not answer\r\n"
        "20:15:00 Sold Lamp for 30 tokens to Bo, runner-up 20 from Ann, 2 bids taken; recorded in "
        "Sales.csv\r\n"
        "20:15:00 Not said \"1ST CALL\": the chat client could not be asked (wadapi library not loaded)\r\n"
        "20:15:00 Said \"Lamp\": confirmed by the chat client\r\n";
    EXPECT_NE(text.find(expected), std::string::npos) << text;
    EXPECT_NE(text.find("20:15:00 Bids on Lamp: current bid 30 from Bo, last bid 20 from Ann\r\n"),
              std::string::npos)
        << text;
}

TEST_F(UndoTest, LinesAfterAHungOneAreLoggedAsNotSaid) {
    link.speakFault = LinkFault::NotAnswering;
    link.waitedOut = true;
    floor.Sold();
    EXPECT_EQ(link.spoken, (Entries{"SOLD!"}));
    EXPECT_NE(LogText().find("Not said \"Lamp is sold for 30 tokens to Bo\": the chat client hangs on an "
                             "earlier line\r\n"),
              std::string::npos)
        << LogText();
}

// Every Get Bids judges the whole auction again; the log keeps the verdict each line got the
// first time, which is the one that counted, and starts again with the next auction.
TEST_F(UndoTest, EachVerdictIsLoggedOnceTheFirstTimeItIsJudged) {
    link.fetches = {{testing::Chat({"Host: Item on the Block currently is Lamp", "ESP from Ann: 20",
                                    "ESP from Bo: 30", "ESP from Cy: 32", "ESP from Ann 40"})}};
    floor.GetBids();
    floor.GetNextItem();  // the Rug
    link.fetches = {{testing::Chat({"Host: Item on the Block currently is Lamp", "ESP from Ann: 20",
                                    "Host: Item on the Block currently is Rug", "ESP from Bo: 15"})}};
    floor.GetBids();
    // The fixture's Get Bids judged lines 2 and 3; this one meets them again and logs only the
    // lines after them.
    const std::string expected =
        "20:15:00 Auction of Lamp started by Host at line 1 of the chat\r\n"
        "20:15:00 Bid judged: Line 2, Ann: 20, taken (now the current bid)\r\n"
        "20:15:00 Bid judged: Line 3, Bo: 30, taken (now the current bid)\r\n"
        "20:15:00 Bids on Lamp: current bid 30 from Bo, last bid 20 from Ann\r\n"
        "20:15:00 Bid judged: Line 4, Cy: 32, refused, 2 over the standing bid, the raise for 32 is 5\r\n"
        "20:15:00 Bid judged: Line 5, Ann 40, not a bid, no colon after the name\r\n"
        "20:15:00 Auction of Rug started by Host at line 3 of the chat\r\n";
    const std::string text = LogText();
    EXPECT_NE(text.find(expected), std::string::npos) << text;
    EXPECT_NE(text.find("20:15:00 Auction of Rug started by Host at line 3 of the chat\r\n"
                        "20:15:00 Bid judged: Line 4, Bo: 15, taken (now the current bid)\r\n"
                        "20:15:00 Bids on Rug: current bid 15 from Bo\r\n"),
              std::string::npos)
        << text;
}

}  // namespace
}  // namespace gv
