// Moving through the item list with Get Next Item.

#include "auction_fixture.h"

namespace gv::e2e {
namespace {

using Lines = std::vector<std::string>;

class E2eNextItem : public AuctionTest {};

TEST_F(E2eNextItem, GetNextItemSplitsAtTheLastDashAndWrapsAround) {
    WriteItems({"Oak chest - 500", "Half-plate armour - 1200", "Lamp"});
    StartAuction();
    EXPECT_EQ(BlockLabels(), (Lines{"Item on the block", "Min Bid", "Current Bid", "Current Bidder",
                                    "Last Bid", "Last Bidder"}));

    // Right after start the index is 0, so the second entry comes first.
    EXPECT_EQ(Press(Command::GetNextItem), Lines{});  // says nothing
    EXPECT_EQ(BlockLabels(), (Lines{"Half-plate armour", "1200", "", "", "", ""}));
    EXPECT_EQ(Press(Command::StateItem), (Lines{"Item on the Block currently is Half-plate armour",
                                                "Minimum Bid is 1200", "** Minimum Raise Amount is 1 **"}));
    Post({"ESP from Ann: 1200"});
    GetBids();
    EXPECT_EQ(Text("CurrentBid"), "1200");

    // "Lamp" has no "-": the item and minimum stay, the bids go and the raise is due again.
    Press(Command::GetNextItem);
    EXPECT_EQ(BlockLabels(), (Lines{"Half-plate armour", "1200", "", "", "", ""}));
    EXPECT_EQ(Press(Command::StateItem), (Lines{"Item on the Block currently is Half-plate armour",
                                                "Minimum Bid is 1200", "** Minimum Raise Amount is 1 **"}));
    // The earlier statement of the same item is still in the chat, so its bid counts again.
    GetBids();
    EXPECT_EQ(BlockLabels(), (Lines{"Half-plate armour", "1200", "1200", "Ann", "", ""}));

    Press(Command::GetNextItem);
    EXPECT_EQ(BlockLabels(), (Lines{"Oak chest", "500", "", "", "", ""}));
    Press(Command::GetNextItem);
    EXPECT_EQ(BlockLabels(), (Lines{"Half-plate armour", "1200", "", "", "", ""}));
}

}  // namespace
}  // namespace gv::e2e
