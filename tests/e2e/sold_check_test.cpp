// The last look before SOLD against the practice world: a bid that reaches the chat after the
// host's last Get Bids holds the sale, the chat hears nothing of it, and the next SOLD sells to
// the new bidder.

#include "auction_fixture.h"
#include "setup/host_settings.h"

namespace gv::e2e {
namespace {

class E2eSoldCheck : public AuctionTest {
protected:
    void SetUp() override {
        AuctionTest::SetUp();
        ui::test::WriteFile(folder_ / kHostSettingsFile, "[Floor]\nCheckBeforeSold=1\n");
        WriteTiers({"0", "9999999", "10", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""});
        WriteItems({"Oak chest - 500", "Lamp - 50"});
        StartAuction({.more = {"--bidders", "0"}});
        ChooseMenu(0);
        Press(Command::StateItem);
    }
};

TEST_F(E2eSoldCheck, ABidAfterGetBidsHoldsSoldAndTheChatHearsNoSale) {
    Post({"ESP from Ann: 600"});
    GetBids();
    Post({"ESP from Ben: 800"});

    const std::size_t said = world_->Said().size();
    const std::size_t fetches = world_->Fetches();
    Click(Button(Command::Sold));
    ASSERT_TRUE(WaitUntil([&] { return world_->Fetches() > fetches && !frame_->Gate().IsBusy(); }))
        << "SOLD did not look at the chat";
    EXPECT_EQ(frame_->GetTitle(), "Gavelton - SOLD held: Ben bid 800 after the last Get Bids");
    EXPECT_EQ(BlockLabels(), (std::vector<std::string>{"Oak chest", "500", "800", "Ben", "600", "Ann"}));
    EXPECT_EQ(world_->Said().size(), said);
    const std::optional<std::string> chat = world_->ChatText();
    ASSERT_TRUE(chat);
    EXPECT_EQ(chat->find(" is sold for "), std::string::npos);

    // The host has seen the new bid: SOLD again sells it, and the title is clear again.
    EXPECT_EQ(Press(Command::Sold),
              (std::vector<std::string>{"SOLD!", "Oak chest is sold for 800 tokens to Ben"}));
    EXPECT_EQ(frame_->GetTitle(), "Gavelton");
}

}  // namespace
}  // namespace gv::e2e
