// Where the latest auction of the item on the block starts in the chat, and which lines end it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "intake_fixture.h"

namespace gv {
namespace {

using testing::Chat;

// The intake's own fixture: Oak chest on the block, a two-row tier table.
class AuctionStartTest : public IntakeTest {};

// Chats where the same item name was on the block before: only the latest auction counts.
TEST_F(AuctionStartTest, OnlyTheLatestAuctionOfTheItemCounts) {
    const std::string lamp = "Host: Item on the Block currently is Lamp";
    const std::string vase = "Host: Item on the Block currently is Vase";
    ExpectLampAuctions({
        // The first Lamp sold to Ann; the second Lamp came up after Rug, and only Cy bid on it.
        {"sold, then the same name again",
         {vase, lamp, "ESP from Ann: 50", "Host: Lamp is sold for 50 tokens to Ann",
          "Host: Item on the Block currently is Rug", "ESP from Bo: 30", lamp, "ESP from Cy: 12"},
         "12",
         "Cy"},
        // The list wrapped around to a Lamp that did not sell: its earlier bids stay behind.
        {"wrapped around unsold",
         {lamp, "ESP from Ann: 50", vase, "ESP from Bo: 70", lamp, "ESP from Cy: 15"},
         "15",
         "Cy"},
        // Stated twice in the same auction: bids since the first statement count.
        {"stated twice", {vase, lamp, "ESP from Ann: 20", lamp, "ESP from Bo: 30"}, "30", "Bo"},
        // After the sale of the item on the block nothing new is taken.
        {"sale is the last line",
         {lamp, "ESP from Ann: 20", "Host: Lamp is sold for 20 tokens to Ann", "ESP from Bo: 90"},
         "",
         ""},
        // Another item's marker after ours, and no marker of ours since: nothing counts.
        {"moved on", {lamp, "ESP from Ann: 20", vase, "ESP from Bo: 90"}, "", ""},
        // A bidder's private message cannot end the auction, whatever it says.
        {"ESP that looks like a marker",
         {lamp, "ESP from Ann: 20", "ESP from Mal: Item on the Block currently is Zzz",
          "ESP from Mal: Lamp is sold for 1 tokens to Mal", "ESP from Bo: 30"},
         "30",
         "Bo"},
        // Another item whose name starts like ours is another item.
        {"longer name",
         {lamp, "ESP from Ann: 20", "Host: Item on the Block currently is Lamp shade", "ESP from Bo: 90"},
         "",
         ""},
        {"sale of another item does not end ours",
         {lamp, "ESP from Ann: 20", "Host: Vase is sold for 5 tokens to Cy", "ESP from Bo: 30"},
         "30",
         "Bo"},
    });
}

// Only the avatar whose marker line started the auction can end it; everyone else's talk, a
// sale line or another item's marker in words, ends nothing.
TEST_F(AuctionStartTest, OnlyTheStarterOfAnAuctionCanEndIt) {
    const std::string lamp = "Big Host: Item on the Block currently is Lamp";
    ExpectLampAuctions({
        {"bidders talk of a sale and another item",
         {lamp, "ESP from Ann: 20", "Bo: Lamp is sold for a song, surely", "ESP from Cy: 30",
          "Dee: Item on the Block currently is Vase", "Host: Lamp is sold for 30 tokens to Cy",
          "Big: Lamp is sold for 1 tokens to Big", "ESP from Eve: 45"},
         "45",
         "Eve"},
        {"talk, then the host states the item again",
         {lamp, "ESP from Ann: 20", "Bo: Item on the Block currently is Vase", lamp, "ESP from Cy: 30"},
         "30",
         "Cy"},
        {"the host's own sale, its name with spaces around the colon",
         {lamp, "ESP from Ann: 20", " Big Host : Lamp is sold for 20 tokens to Ann", "ESP from Bo: 90"},
         "",
         ""},
        {"the host's next item",
         {lamp, "ESP from Ann: 20", "Big Host: Item on the Block currently is Vase", "ESP from Bo: 90"},
         "",
         ""},
        {"the host's name with spaces around the colon in the marker",
         {" Big Host : Item on the Block currently is Lamp", "ESP from Ann: 20",
          "Big Host: Lamp is sold for 20 tokens to Ann", "ESP from Bo: 90"},
         "",
         ""},
        // The starter ends it only with a marker or this item's sale, each at the message's start.
        {"the host's words that only begin like a marker",
         {lamp, "ESP from Ann: 20", "Big Host: Item on the Block currently isn't sold yet",
          "ESP from Bo: 30"},
         "30",
         "Bo"},
        {"the host's sale of another item before ours is named",
         {lamp, "ESP from Ann: 20", "Big Host: Vase is sold for 5 tokens to Cy, Lamp is sold for nothing yet",
          "ESP from Bo: 30"},
         "30",
         "Bo"},
        // A bidder who stated the item by ESP started the auction, yet their ESP ends nothing.
        {"started by ESP",
         {"ESP from Mal: Item on the Block currently is Lamp", "ESP from Ann: 20",
          "ESP from Mal: Item on the Block currently is Zzz", "ESP from Bo: 30"},
         "30",
         "Bo"},
    });
}

TEST_F(AuctionStartTest, TheLatestStartIsTheFirstMarkerAfterTheLastEnd) {
    const std::string chat = Chat(
        {"Host: Item on the Block currently is Lamp", "Host: Lamp is sold for 1 tokens to x", "no colon here",
         "Host: Item on the Block currently is Lamp", "Host: Item on the Block currently is Lamp"});
    EXPECT_EQ(FindAuctionBounds(chat, "Lamp").start, chat.find("no colon here") + 15);
    EXPECT_EQ(FindAuctionBounds(chat, "Vase").start, std::string::npos);
    EXPECT_EQ(FindAuctionBounds("", "Lamp").start, std::string::npos);
    // The same lines ended by CR alone, and without a last line end.
    const std::string crOnly =
        "a: Item on the Block currently is Lamp\rb: Item on the Block currently is Lamp";
    EXPECT_EQ(FindAuctionBounds(crOnly, "Lamp").start, 0u);
    EXPECT_EQ(
        FindAuctionBounds("a: Item on the Block currently is Lamp\ra: Lamp is sold for 1 tokens to b", "Lamp")
            .start,
        std::string::npos);
    EXPECT_EQ(FindAuctionBounds("\r\n\r\nq: Item on the Block currently is Lamp\r", "Lamp").start, 4u);
}

}  // namespace
}  // namespace gv
