// Get Bids where a bid could be lost: a chat longer than the old 32000-character cut, a bid
// no double can hold, and a capture file that cannot be written or is a link elsewhere.

#include "auction_fixture.h"

namespace gv::e2e {
namespace {

using Labels = std::vector<std::string>;

// How much of the chat arrives depends on the transport.
class E2eCaptureFaultsLongChat : public StatedItem<BothTransports> {};
// The rest happens after the chat has arrived, the same in either transport.
class E2eCaptureFaults : public StatedItem<AuctionTest> {};

TEST_P(E2eCaptureFaultsLongChat, BidsAtTheEndOfALongChatCount) {
    std::vector<std::string> talk;
    for (int i = 0; i < 900; ++i)
        talk.push_back("Ann: line " + std::to_string(i) + " of a long and chatty evening here");
    talk.push_back("ESP from Ben: 800");
    Post(talk);
    GetBids();
    EXPECT_GT(ui::test::ReadFile(folder_ / "TALLY.TXT").size(), 40000u);
    EXPECT_EQ(Text("CurrentBid"), "800");
    EXPECT_EQ(Text("CurrentBidder"), "Ben");
}

INSTANTIATE_TEST_SUITE_P(E2e, E2eCaptureFaultsLongChat, ::testing::Values(Transport::Dde, Transport::Library),
                         TransportName);

TEST_F(E2eCaptureFaults, BidBeyondTheNumberRangeDoesNotStopTheIntake) {
    Post({"ESP from Mal: 1E999", "ESP from Ann: 500", "ESP from Mal: 9E999", "ESP from Ben: 510"});
    GetBids();
    EXPECT_EQ(BlockLabels(), (Labels{"Oak chest", "500", "510", "Ben", "500", "Ann"}));
}

TEST_F(E2eCaptureFaults, UnwritableCaptureFileStillTakesTheBids) {
    // A folder where the capture file should be: it can be neither deleted nor written.
    std::filesystem::create_directory(folder_ / "TALLY.TXT");
    Post({"ESP from Ann: 600"});
    GetBids();
    EXPECT_EQ(Text("CurrentBid"), "600");
    EXPECT_TRUE(std::filesystem::is_directory(folder_ / "TALLY.TXT"));
}

TEST_F(E2eCaptureFaults, CaptureFileLinkIsNotFollowed) {
    ui::test::WriteFile(folder_ / "keep.txt", "the host's own notes\r\n");
    std::filesystem::create_symlink(folder_ / "keep.txt", folder_ / "TALLY.TXT");
    Post({"ESP from Ann: 600"});
    GetBids();
    EXPECT_EQ(ui::test::ReadFile(folder_ / "keep.txt"), "the host's own notes\r\n");
    EXPECT_EQ(Text("CurrentBid"), "600");
}

}  // namespace
}  // namespace gv::e2e
