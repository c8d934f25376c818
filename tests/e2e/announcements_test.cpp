// What the host's avatar says for State Item, the calls and SOLD, read from the bytes the
// world received, and what SOLD does to the item list on disk.

#include "auction_fixture.h"

namespace gv::e2e {
namespace {

using Lines = std::vector<std::string>;

const Lines kTwoTiers = {"0", "999", "10", "1000", "9999999", "100", "", "", "",
                         "",  "",    "",   "",     "",        "",    "", "", ""};

class E2eAnnouncements : public AuctionTest {};

TEST_F(E2eAnnouncements, StateItemRightAfterStartAndAfterAnEntryIsPutOnTheBlock) {
    WriteItems({"Oak chest - 500"});
    StartAuction();
    // Nothing on the block yet: the captions as created, no minimum, no raise due.
    EXPECT_EQ(Press(Command::StateItem), (Lines{"Item on the Block currently is Item on the block"}));

    ChooseMenu(0);
    EXPECT_EQ(Press(Command::StateItem), (Lines{"Item on the Block currently is Oak chest",
                                                "Minimum Bid is 500", "** Minimum Raise Amount is 1 **"}));
    EXPECT_EQ(Press(Command::StateItem),
              (Lines{"Item on the Block currently is Oak chest", "Minimum Bid is 500"}));
    // The chat shows each line as the host's avatar saying it.
    const std::optional<std::string> chat = world_->ChatText();
    ASSERT_TRUE(chat);
    EXPECT_NE(chat->find("Host: Item on the Block currently is Oak chest\r\nHost: Minimum Bid is 500\r\n"
                         "Host: ** Minimum Raise Amount is 1 **"),
              std::string::npos);
}

TEST_F(E2eAnnouncements, EachTiersRaiseIsAnnouncedOnceAsTheBidClimbs) {
    WriteTiers(kTwoTiers);
    WriteItems({"Oak chest - 500"});
    StartAuction();
    ChooseMenu(0);
    EXPECT_EQ(Press(Command::StateItem).back(), "** Minimum Raise Amount is 10 **");
    Post({"ESP from Ann: 600"});
    GetBids();
    // Still in the first tier: its raise was said already.
    EXPECT_EQ(Press(Command::StateItem),
              (Lines{"Item on the Block currently is Oak chest", "Current Bid is 600 from Ann"}));
    Post({"ESP from Ben: 1000"});
    GetBids();
    EXPECT_EQ(Press(Command::StateItem),
              (Lines{"Item on the Block currently is Oak chest", "Current Bid is 1000 from Ben",
                     "** Minimum Raise Amount is 100 **"}));
    EXPECT_EQ(Press(Command::StateItem),
              (Lines{"Item on the Block currently is Oak chest", "Current Bid is 1000 from Ben"}));

    // The next item on the block makes every raise due again.
    ChooseMenu(0);
    EXPECT_EQ(Press(Command::StateItem).back(), "** Minimum Raise Amount is 10 **");
}

TEST_F(E2eAnnouncements, CallsAndSoldWithoutABidLeaveTheBidBlank) {
    WriteItems({"Oak chest - 500", "Lamp - 20"});
    StartAuction();
    ChooseMenu(0);
    EXPECT_EQ(Press(Command::Call1st), (Lines{"1ST CALL", "Oak chest", "Current Bid is  from "}));
    EXPECT_EQ(Press(Command::Call2nd), (Lines{"2ND CALL", "Oak chest", "Current Bid is  from "}));
    EXPECT_EQ(Press(Command::Call3rd), (Lines{"3RD CALL", "Oak chest", "Current Bid is  from "}));
    EXPECT_EQ(Press(Command::Sold), (Lines{"SOLD!", "Oak chest is sold for  tokens to "}));
    // The block goes on showing the sold item; the list no longer has it.
    EXPECT_EQ(Text("BlockItem"), "Oak chest");
    EXPECT_EQ(frame_->Items().Count(), 1u);
    CloseWindow();
    EXPECT_EQ(ui::test::ReadFile(folder_ / "Items.TXT"), "Lamp - 20\r\n");
}

TEST_F(E2eAnnouncements, CallsAndSoldWithABidNameTheBidderAndTheEntryLeavesTheList) {
    WriteTiers(kTwoTiers);
    WriteItems({"Oak chest - 500", "Half-plate armour - 1200", "Lamp"});
    StartAuction();
    ChooseMenu(0);
    Press(Command::StateItem);
    Post({"ESP from Ann: 500", "ESP from Ben: 700.50"});
    GetBids();
    EXPECT_EQ(Press(Command::Call1st), (Lines{"1ST CALL", "Oak chest", "Current Bid is 700.5 from Ben"}));
    EXPECT_EQ(Press(Command::Call3rd), (Lines{"3RD CALL", "Oak chest", "Current Bid is 700.5 from Ben"}));
    EXPECT_EQ(Press(Command::Sold), (Lines{"SOLD!", "Oak chest is sold for 700.5 tokens to Ben"}));
    EXPECT_EQ(Text("CurrentBidder"), "Ben");
    CloseWindow();
    EXPECT_EQ(ui::test::ReadFile(folder_ / "Items.TXT"), "Half-plate armour - 1200\r\nLamp\r\n");
}

TEST_F(E2eAnnouncements, SoldPastTheEndOfTheListRemovesNothing) {
    WriteItems({"Oak chest - 500", "Lamp - 20"});
    StartAuction();
    Press(Command::GetNextItem);  // Lamp, the last entry
    ASSERT_EQ(Text("BlockItem"), "Lamp");
    EXPECT_EQ(Press(Command::Sold), (Lines{"SOLD!", "Lamp is sold for  tokens to "}));
    // The index now points past the end: a second SOLD must not take the other entry.
    EXPECT_EQ(Press(Command::Sold), (Lines{"SOLD!", "Lamp is sold for  tokens to "}));
    EXPECT_EQ(frame_->Items().Count(), 1u);
    // Auction there reads an empty entry: the block keeps its item, the bids are cleared.
    ChooseMenu(0);
    EXPECT_EQ(Text("BlockItem"), "Lamp");
    EXPECT_EQ(Text("CurrentBid"), "");
    CloseWindow();
    EXPECT_EQ(ui::test::ReadFile(folder_ / "Items.TXT"), "Oak chest - 500\r\n");
}

}  // namespace
}  // namespace gv::e2e
