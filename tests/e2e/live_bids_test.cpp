// Get Bids by itself every 2 seconds against the practice world: it takes the practice
// bidders' bids with nobody pressing, and backs off a chat client that does not answer until
// it answers again.

#include "ui/live_bids.h"

#include <algorithm>
#include <chrono>

#include "auction_fixture.h"

namespace gv::e2e {
namespace {

class E2eLiveBids : public AuctionTest {
protected:
    void SetUp() override {
        AuctionTest::SetUp();
        ui::test::WriteFile(folder_ / kHostSettingsFile, "[Live]\nGetBidsEvery=2\n");
        WriteTiers(
            {"0", "999", "10", "1000", "9999999", "100", "", "", "", "", "", "", "", "", "", "", "", ""});
        WriteItems({"Oak chest - 500"});
    }
    int Runs() const { return frame_->Live()->Measured().runs; }
    // Waits for the next live run to end.
    void NextRunEnd(int milliseconds) {
        const int goal = Runs() + 1;
        EXPECT_TRUE(WaitUntil([&] { return Runs() >= goal; }, milliseconds)) << "no live run ended";
    }
};

TEST_F(E2eLiveBids, TakesTheBiddersBidsWithoutAPress) {
    StartAuction({.more = {"--bidders", "3", "--seed", "7", "--pace", "0.3-1.2"}});
    ChooseMenu(0);
    Press(Command::StateItem);
    ASSERT_TRUE(WaitUntil([&] { return !Text("CurrentBid").empty(); }, 20000)) << "no bid came by itself";
    // The bid stands in the chat as one of the bidders sent it.
    const std::string bidder = Text("CurrentBidder").utf8_string();
    EXPECT_TRUE(bidder == "Ann" || bidder == "Ben" || bidder == "Cy") << bidder;
    const std::optional<std::string> chat = world_->ChatText();
    ASSERT_TRUE(chat);
    EXPECT_NE(chat->find("ESP from " + bidder + ": " + Text("CurrentBid").utf8_string()), std::string::npos);
    EXPECT_EQ(frame_->GetTitle(), "Gavelton");
}

TEST_F(E2eLiveBids, BacksOffAClientThatDoesNotAnswerAndRecovers) {
    UseTransport(Transport::Library);
    StartAuction({.more = {"--bidders", "0"}});
    ChooseMenu(0);
    Press(Command::StateItem);
    ASSERT_TRUE(world_->Script("!delay 5.1"));
    // The library waits out its bound for the answer and for the chat text.
    NextRunEnd(60000);
    EXPECT_EQ(frame_->GetTitle(), "Gavelton - chat client not answering: bids not fetched");
    // Twice the pace after the failure. A busy machine only makes the waits longer, so the
    // paces are read off the runs' own clock rather than timed.
    EXPECT_EQ(frame_->Live()->Measured().longestWait, std::chrono::seconds(4));
    ASSERT_TRUE(world_->Script("!delay 0"));
    Post({"ESP from Ann: 600"});
    sink_.shown.clear();  // the stand-in library's box of the late answer

    // The pace again once the chat came.
    NextRunEnd(20000);
    EXPECT_EQ(frame_->Live()->Pace().Wait(), std::chrono::seconds(2));
    NextRunEnd(20000);
    EXPECT_EQ(Text("CurrentBid"), "600");
    EXPECT_EQ(frame_->GetTitle(), "Gavelton");
    EXPECT_EQ(frame_->Live()->Measured().failures, 1);
}

}  // namespace
}  // namespace gv::e2e
