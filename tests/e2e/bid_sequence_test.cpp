// Bids taken from the chat through the real window: the ESPs the world holds, the State Item
// line that opens the bidding, the minimum and the raise of the tier that holds each new bid.

#include "auction_fixture.h"

namespace gv::e2e {
namespace {

using Labels = std::vector<std::string>;

class BidSequence : public BothTransports {
protected:
    void SetUp() override {
        BothTransports::SetUp();
        WriteTiers(
            {"0", "999", "10", "1000", "9999999", "100", "", "", "", "", "", "", "", "", "", "", "", ""});
        WriteItems({"Oak chest - 500"});
        StartAuction();
        ChooseMenu(0);  // Auction: the first entry on the block
        ASSERT_EQ(BlockLabels(), (Labels{"Oak chest", "500", "", "", "", ""}));
    }
};

TEST_P(BidSequence, OnlyBidsAfterTheItemIsStatedCountEachBeatingTheRaiseOfItsTier) {
    Post({"Ann: 550", "ESP from Ann: 520"});
    // The chat's copy of State Item's first line opens the bidding.
    EXPECT_EQ(Press(Command::StateItem), (Labels{"Item on the Block currently is Oak chest",
                                                 "Minimum Bid is 500", "** Minimum Raise Amount is 10 **"}));
    Post({"ESP from Ann: 0450", "ESP from Ann: 0500 tokens", "ESP from Ben: 505", "ESP from Ben: 510"});
    GetBids();
    EXPECT_EQ(BlockLabels(), (Labels{"Oak chest", "500", "510", "Ben", "500", "Ann"}));

    Post({"ESP from Cy: 510", "ESP from Cy: 1000", "ESP from Dee: 1050", "esp from Eve: 5000",
          "ESP from Fay: 1,500"});
    GetBids();
    EXPECT_EQ(BlockLabels(), (Labels{"Oak chest", "500", "1000", "Cy", "510", "Ben"}));

    // Reading the whole chat again judges the same bids again: nothing new wins.
    GetBids();
    EXPECT_EQ(BlockLabels(), (Labels{"Oak chest", "500", "1000", "Cy", "510", "Ben"}));
    EXPECT_EQ(world_->Fetches(), 3u);
    // Get Bids only listens.
    EXPECT_EQ(world_->Said().size(), 3u);
    EXPECT_TRUE(sink_.shown.empty());
}

TEST_P(BidSequence, CaptureFileHoldsTheChatWithCrLf) {
    Post({"Ann: evening all", "ESP from Ann: 600"});
    GetBids();
    const std::optional<std::string> chat = world_->ChatText();
    ASSERT_TRUE(chat);
    EXPECT_EQ(ui::test::ReadFile(folder_ / "TALLY.TXT"), *chat + "\r\n");
    EXPECT_NE(chat->find("Ann: evening all\r\nESP from Ann: 600"), std::string::npos);
    // Bids sent before the item was stated do not count.
    EXPECT_EQ(Text("CurrentBid"), "");
}

TEST_P(BidSequence, ItemStatedAgainLetsLaterBidsCountFromTheFirstStatement) {
    Press(Command::StateItem);
    Post({"ESP from Ann: 500"});
    Press(Command::StateItem);
    Post({"ESP from Ben: 600"});
    GetBids();
    EXPECT_EQ(BlockLabels(), (Labels{"Oak chest", "500", "600", "Ben", "500", "Ann"}));
}

INSTANTIATE_TEST_SUITE_P(E2e, BidSequence, ::testing::Values(Transport::Dde, Transport::Library),
                         TransportName);

}  // namespace
}  // namespace gv::e2e
